#pragma once

#include "ListScrolling.h"
#include "ListWindowView.h"
#include "SkinPictures.h"

#include "model/Clock.h"
#include "model/ListDocument.h"
#include "model/Prompts.h"
#include "model/Settings.h"

#include <QTimer>
#include <QWidget>

namespace agendrix {

// What the list window needs from outside: the clock, the way to ask the user, the program folder.
struct ListWindowServices {
    Clock& TheClock;
    Prompts& ThePrompts;
    QString ProgramFolder;
};

enum class SaveChoice { Saved, NotSaved, Cancelled };

// The list window: a frameless window drawn entirely from the skin, showing a window-sized slice
// of the open list. It owns the list, the settings and the row state.
class frmList : public QWidget {
    Q_OBJECT
public:
    frmList(ListWindowServices services, Settings settings);

    // Loads the skin and the first list and shows the window; `commandLinePath` wins over the
    // list the settings name.
    void Start(const std::string& commandLinePath);
    const Settings& CurrentSettings() const { return TheSettings; }
    const ListDocument& Document() const { return List; }
    int RowStart() const { return FirstRow; }
    const QString& StatusLine() const { return View.Status; }

    void Save();
    void SaveAs();
    void MyList();
    // Opens another list after the save-changes question; false when the user cancelled.
    bool OpenList(const std::string& path);
    void CheckQueue();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    enum class Drag { None, Resize, Move, Thumb, Block };
    enum class Hit {
        None,
        WindowButtons,
        ScrollUp,
        ScrollDown,
        Thumb,
        Track,
        ResizeGrip,
        BlockGrip,
        Row,
        Background
    };

    void DrawSkin(int newWidth, int newHeight);
    void CreateArrays();
    void ShowListItems();
    RowView ViewOfRow(int row) const;
    void RefreshTitle();
    void SetStatus(const QString& text);
    Hit HitTest(QPoint point) const;
    int RowAt(QPoint point) const;

    void PressScrollButton(ScrollDirection direction);
    void PressTrack(int y);
    void AutoScrollTick();
    void StopAutoScroll();
    void MoveThumb(int y);
    void PressWindowButton(int x);
    void ReleaseWindowButton(QPoint point);
    void DragWindowGrip(QPoint global, bool snap);
    void DragBlockGrip(int y, bool snap);
    void HoverTexts(QPoint point);
    void PressRow(QMouseEvent* event);

    SaveChoice AskToSave(PromptButtons buttons);
    bool SaveTo(const std::string& path);
    void LoadList(const std::string& path);
    void SaveSettings();
    int TaskCount() const { return static_cast<int>(List.Tasks.Count()); }

    ListWindowServices Services;
    Settings TheSettings;
    ListDocument List;
    SkinPictures Skin;
    ListWindowView View;

    int FirstRow = 0; // RowStart: the task in row 0
    int CurrentLine = 0;
    int ExpandLine = -1;
    bool NowLoading = true;
    QSize LastDrawn { 0, 0 };

    Drag DragOn = Drag::None;
    QPoint DragPoint; // where the drag began, in global pixels
    QRect GeometryAtPress;
    int AccAtPress = 0;
    int RowAtPress = 0;
    std::optional<WindowButton> PressedButton;

    AutoScroll Scroll;
    QTimer ScrollTimer { this }; // children, so that tests can find them by name
    QTimer QueueTimer { this };
};

} // namespace agendrix
