#pragma once

#include "ListCommands.h"

#include <QColor>
#include <QPointer>
#include <QWidget>

#include <array>
#include <optional>

namespace agendrix {

class frmList;
class frmMRU;

// The list window's context menu: sixteen entries painted in the skin's menu colours, the one
// under the pointer highlighted. Each entry runs a command of the list window's command table.
// The menu closes as soon as it loses the pointer grab or an entry was chosen; it tells the list
// window when it closed without a choice, so that the window's sidebar and stacking come back.
class frmMenu : public QWidget {
    Q_OBJECT
public:
    static constexpr int EntryCount = 16;
    static constexpr int NewEntry = 0;
    static constexpr int OpenEntry = 1;

    // `colours`: background, text, highlight background, highlight text.
    frmMenu(frmList& list, const std::array<QColor, 4>& colours);

    static QString Caption(int index);
    // The command entry `index` runs; none outside the menu.
    static std::optional<ListCommand> CommandOf(int index);
    // The entry's row in the menu's own pixels.
    QRect EntryRect(int index) const;
    int Highlighted() const { return HighlightedEntry; }
    bool Checked(int index) const;
    void Choose(int index);
    // The recent-lists popup, open while the Open entry is highlighted.
    frmMRU* RecentPopup() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    int EntryAt(QPoint point) const;
    void OpenRecentPopup();
    void Highlight(int index);

    frmList& List;
    std::array<QColor, 4> Colours;
    int HighlightedEntry = -1;
    bool MergerPresent = false;
    bool Chosen = false; // an entry is being carried out, which restores the window itself
    QPointer<frmMRU> Recent;
};

} // namespace agendrix
