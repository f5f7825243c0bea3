#pragma once

#include <QColor>
#include <QStringList>
#include <QWidget>

#include <array>

namespace agendrix {

class frmList;

// The recent-lists popup beside the menu's Open entry: "Other Task List...", a separator, then
// one entry per recent list with its key 1-9 or A-F. Choosing a list opens it after the
// save-changes question; Shift and a click removes that entry and the popup is built again.
class frmMRU : public QWidget {
    Q_OBJECT
public:
    // `menu`: the menu's place on the screen, which the popup opens beside.
    frmMRU(frmList& list, const QRect& menu, const std::array<QColor, 4>& colours, QWidget* parent);

    int LabelCount() const { return static_cast<int>(Captions.size()); }
    QString Caption(int index) const { return Captions.value(index); }
    QRect LabelRect(int index) const;
    // Label 0 asks for another list; label i opens recent list i - 1; with Shift, removes it.
    void Choose(int index, Qt::KeyboardModifiers modifiers);

signals:
    void OtherTaskListChosen();
    void ListOpened();
    // The pointer moved outside the popup, to `global`.
    void PointerOutside(QPoint global);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Build();
    int LabelAt(QPoint point) const;

    frmList& List;
    QRect Menu;
    std::array<QColor, 4> Colours;
    QStringList Captions;
    std::vector<int> Tops;
    int LabelWidth = 0;
    int Highlighted = -1;
};

} // namespace agendrix
