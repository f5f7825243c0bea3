#pragma once

#include "ListCommands.h"
#include "ListWindowView.h"
#include "PrintDialog.h"
#include "RemoteHost.h"

#include "editing/ListHost.h"
#include "environment/EnvironmentHost.h"
#include "geometry/BarAnimation.h"
#include "geometry/ControlBarZones.h"
#include "geometry/LampAnimation.h"
#include "geometry/ListScrolling.h"
#include "geometry/ListWindowHits.h"
#include "geometry/PriorityStepper.h"
#include "geometry/Sidebar.h"
#include "geometry/TitleGlide.h"
#include "skin/SkinPictures.h"

#include "model/Clock.h"
#include "model/ListDocument.h"
#include "model/ListFile.h"
#include "model/ListPreload.h"
#include "model/Prompts.h"
#include "model/QueueFile.h"
#include "model/Settings.h"
#include "model/Shell.h"

#include <QPointer>
#include <QScreen>
#include <QTimer>

#include <QWidget>
#include <deque>
#include <functional>
#include <memory>

namespace agendrix {

class frmAbout;
class frmRemote;
class frmDockTab;
class frmMenu;
class frmSkins;
class frmTools;
class FileAssociations;

class InlineEditors;

// What the list window needs from outside: the clock, the way to ask the user, the desktop that
// opens documents, the program folder.
struct ListWindowServices {
    Clock& TheClock;
    Prompts& ThePrompts;
    Shell& TheShell;
    QString ProgramFolder;
};

// The outcome of the save-changes question: Failed when a save was asked for and could not be
// done, which stops the action that asked, as going on would lose the changes.
enum class SaveChoice { Saved, NotSaved, Cancelled, Failed };
// The outcome of a save command: Cancelled when the save dialog was cancelled.
enum class SaveOutcome { Saved, Cancelled, Failed };
// Where a failure is told: in a message, or on standard error when nobody may be there to answer.
enum class ErrorReport { Message, StandardError };

// The list window: a frameless window drawn entirely from the skin, showing a window-sized slice
// of the open list. It owns the list, the settings and the row state, and it is the host of the
// editing windows it opens.
class frmList : public QWidget, public EnvironmentHost, public RemoteHost {
    Q_OBJECT
public:
    frmList(ListWindowServices services, Settings settings);
    ~frmList() override;

    // Loads the skin and the first list and shows the window; `commandLinePath` wins over the
    // list the settings name. A `preload` of that list (ListPreload::Serves) is taken instead of
    // reading it: the window may show while it is assessed, a long list shows its first rows
    // while the rest is sorted. Start then returns at once: the window takes the rest when it is
    // ready, ignoring the user's input until then (WholeListShown). The caller keeps the preload
    // until the window has taken it or is gone.
    void Start(const std::string& commandLinePath, ListPreload* preload = nullptr);
    const ListDocument& Document() const { return List; }
    int RowStart() const { return FirstRow; }
    int CurrentRow() const { return CurrentLine; }
    int ExpandedRow() const { return ExpandLine; }
    const ListWindowView& CurrentView() const { return View; }
    const QString& StatusLine() const { return View.Status; }
    const BarAnimation& Bars() const { return BarState; }
    InlineEditors& Editors() const { return *RowEditors; }
    // False while the window shows only the first rows of a preloaded list.
    bool WholeListShown() const { return Preloaded == nullptr; }

    // Brings the open control bar to `CurrentLine`, rolling the old one up first.
    void AnimateCtrls();
    // Steps the lamp of visible row `index` through the bands from `from` to `to`.
    void AniPriority(int from, int to, int index);

    // What the editing windows use.
    ListDocument& Document() override { return List; }
    const Settings& CurrentSettings() const override { return TheSettings; }
    Prompts& ThePrompts() override { return Services.ThePrompts; }
    CivilDate Today() const override { return Services.TheClock.Now().Date; }
    QString ProgramFolder() const override { return Services.ProgramFolder; }
    bool Docked() const override { return TheSettings.InSidebar(); }
    void SetWindFloat(bool autoFloat, const char* source) override;
    void SetNoHide(bool noHide) override { NoHide = noHide; }
    void ListFileDeleted() override { ShowListIndex(); }
    // What the options dialog and the skin browser use (frmListEnvironment.cpp).
    Settings& EditSettings() override { return TheSettings; }
    void RedisplayList() override { ShowListItems(); }
    bool ChangeSkin(const std::string& skinPath) override;

    // Switches between the normal window and the sidebar at the screen's right edge; false
    // applies the mode the settings hold, as a start does. Entering keeps the normal placement,
    // which leaving restores.
    enum class DockChange { Toggle, ApplySetting };
    void AutoDockModeAct(DockChange change);
    // The sidebar's drag tab while in sidebar mode, else nothing.
    const frmDockTab* DockTab() const { return Tab.get(); }

    // Runs a command as its access key does, and as a menu entry or a remote panel button will.
    void Run(ListCommand command) override;
    SaveOutcome Save();
    SaveOutcome SaveAs();
    void MyList();
    // The context menu's own commands and Alt+K (frmListMenu.cpp). Always On Top is refused in
    // sidebar mode; the list merger is the program folder's agendrix-lm.
    void ShowKeyboardShortcuts();
    void ToggleAlwaysOnTop();
    void ShowHelp();
    void LaunchListMerger();
    bool ListMergerPresent() const;
    // Opens the context menu with its top-left corner at `topLeft` (global pixels), kept on the
    // window's screen, as a right press on the background does; OpenMenuUnderButton places it
    // below the menu button, as its release and Alt+Space do. The menu deletes itself on closing.
    frmMenu* OpenMenu(QPoint topLeft);
    frmMenu* OpenMenuUnderButton();
    frmMenu* Menu() const;
    // The menu closed, after its entry ran if one was chosen: the sidebar may slide away again,
    // always-on-top comes back and the keys return to the list.
    void MenuEntryDone();
    // Alt+T: the project's home page in the desktop's browser.
    void ShowOnline();
    // Steps the first row's lamp from Completed up to the second level, as a demonstration.
    void AnimatePriority();
    bool PriorityAnimating() const { return Stepper.Running(); }
    // The remote panel and its commands (frmListRemote.cpp). ShowRemote opens the panel beside
    // the window, or brings the open one forward; the Remote window button and OpenRemote at
    // start-up open it.
    frmRemote* ShowRemote();
    frmRemote* Remote() const;
    // Asks to save the changes, then opens the list the user chooses in the open-file dialog.
    void OpenListFile();
    // Starts an empty, unsaved list named "New Task List " and a count of the new lists so far.
    void NewList();
    void ExportCompletedTasks();
    void PurgeCompletedTasks();
    // The task editor on a new task, and on the current one.
    void AddTask();
    void EditCurrentTask();
    // Removes the current task at once, without a question.
    void DeleteCurrentTask();
    bool AutoPurges() const override { return TheSettings.AutoPurges(); }
    void SetAutoPurge(bool on) override;
    PanelPlacement RemotePlacement() const override;
    void RemoteClosed() override;
    // Open the options dialog and the skin browser, owned by this window, without blocking; the
    // remote panel's Options and Skins run them (frmListEnvironment.cpp).
    frmTools* ShowOptions();
    frmSkins* ShowSkinBrowser();
    // What the options dialog's Associate button registers the file types with; until the program
    // hands one over, the button is disabled. The window does not own it.
    void UseFileAssociations(FileAssociations* associations) { Associations = associations; }
    // Opens the about box, owned by this window, without blocking; the menu's About entry calls it.
    frmAbout* ShowAbout();
    // Print and Copy List: frmListPrint.cpp. Print asks for the printer and the options through
    // the print dialog, then prints the list or writes it as a PDF file; Copy List puts every
    // task's description on the clipboard.
    void Print();
    void CopyList();
    // The print dialog Print asks; the Qt dialog unless a test puts a scripted one here.
    void UsePrintDialog(std::unique_ptr<PrintDialog> dialog) { ThePrintDialog = std::move(dialog); }
    // True while a dialog of the window keeps the sidebar from sliding away.
    bool HoldsSidebar() const { return NoHide; }
    // Shows an index of the lists in the open list's folder instead of a list.
    void ListIndex();
    // Shows the files of the type the user chooses in that file's folder.
    void DirectoryListing();
    // Searches the task lines for a text and shows each hit in the first row.
    void Find();
    // Writes the list as a web page through the program folder's template, after asking where
    // and whether in colour; offers to open the page.
    void ExportWebPage();
    // Replaces the list by one imported from a text file the user chooses, after the
    // save-changes question; the new list has a name but no file yet (frmListImport.cpp).
    void ImportTextList();
    // Opens another list after the save-changes question; false when the user cancelled.
    bool OpenList(const std::string& path);
    void CheckQueue();
    // Ends the program at once, as a logout or SIGTERM needs: no question is asked; unsaved
    // changes go to the list's recovery copy, never over the list, and the settings are
    // written. Emits Terminated when done.
    void Terminate();

signals:
    void Terminated();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Holds back the user's input for this window while it shows only part of its list, and
    // takes the access keys from its children (watched from the moment they are added).
    bool eventFilter(QObject* watched, QEvent* event) override;
    void childEvent(QChildEvent* event) override;

private:
    enum class Drag { None, Resize, Move, Thumb, Block, Bar, Menu };

    // Whether the surface is composed again at the size it was last drawn at: a resize event may
    // come without a change of size, but the open block or its height may have changed.
    enum class Redraw { IfResized, Always };
    // Composes the surface at the window's size and places the rows again.
    void DrawSkin(Redraw when);
    void CreateArrays();
    // Drops completed tasks from the end of the list; true when there were any.
    bool PurgeCompletedFromTheEnd();
    void RefreshTitle();
    // The caption label after the window was sized or placed by hand: the file name with its
    // extension.
    void ShowFileNameCaption();
    void SetStatus(const QString& text);
    ListHit WhatIsAt(QPoint point) const;
    void ShowListItems() override;
    void SelectRowShowing(const std::string& description) override;
    bool IsTask(int row) const { return row >= 0 && FirstRow + row < TaskCount(); }
    // CurrentLine while the window shows that row, else -1: a smaller window keeps the current
    // row, but its bar is neither drawn nor used until the row is shown again.
    int ShownCurrentLine() const { return CurrentLine < View.Layout.RowsShown ? CurrentLine : -1; }

    // Runs the command Alt and the event's key reach; false when they reach none.
    bool RunAccessKey(const QKeyEvent& event);
    void PressScrollButton(ScrollDirection direction);
    void PressTrack(int y);
    void AutoScrollTick();
    void StopAutoScroll();
    void PressThumb();
    void MoveThumb(int y);
    void PressWindowButton(int x);
    void ReleaseWindowButton(QPoint point);
    void DragWindowGrip(QPoint global, SnapRows snap);
    void DragBlockGrip(int y, SnapRows snap);
    void HoverTexts(QPoint point);

    // Rows: frmListRows.cpp.
    void PressRow(const ListHit& hit, Qt::MouseButton button, QPoint global);
    void PressBar(int row, QPoint inBar);
    void MoveOverRow(const ListHit& hit);
    void HoverBar(int row, QPoint inBar);
    void ReleaseBar(QPoint point);
    void PressDetails();
    void PressMenuButton();
    void ReleaseMenuButton();
    void RunBarButton(BarButton button);
    void RowToEditor(int row);
    void OpenEditor(int row, std::function<void()> afterwards);
    void OpenPicker(int row, QPoint global);
    void ToggleInformation(int row);
    void CompleteCurrentTask();
    void GoToFile();
    void OfferToAssociateFile();
    // Opens the list a task names, after the save-changes question, with the bar on its first row.
    void OpenTaskList(const std::string& path);
    void BeginDescriptionEdit(int row);
    void ShowRowTexts(int row, RowPart part);
    // After the task editor or the picker has gone: the window takes the keyboard back.
    void TakeBackFocus();

    // Animations: frmListAnimation.cpp.
    void StartAnimations();
    void StopAnimations();
    void BarTick();
    void GlideTick();
    void BlinkTick();
    void FlickerTick();
    void StepTick();
    void UpdateBars();
    RowLayout LayOutCurrentRows() const;
    void UpdateLamp(int row, int band);

    SaveChoice AskToSave(PromptButtons buttons);
    SaveOutcome SaveTo(const std::string& path);
    // Gives the window the placement and the stacking the settings say, before it is shown.
    void PlaceWindow();
    // Opens `path`, taken from `preload` when one is given: it must serve that list.
    void LoadList(const std::string& path, ListPreload* preload = nullptr);
    // What GetList does, from a preload: the first rows of a long list go into the store, and
    // Preloaded keeps the preload for TakeRestOfList.
    GetListResult TakePreloadedList(ListPreload& preload);
    // Holds back the user's input until the rest of the preloaded list is ready, and has
    // TakeRestOfList called then.
    void AwaitRestOfList();
    // Puts the whole of the preloaded list in the store and starts the window's work.
    void TakeRestOfList();
    // What the window does once it has its whole first list: checks for handed-over lists.
    void StartWork();
    // The window, the sidebar's tab and the remote panel when it was open at the last exit.
    void ShowWithCompanions();
    void EnterSidebar(DockChange change);
    void LeaveSidebar();
    // Where the sidebar lies: the available area of the screen the window was on when it
    // entered sidebar mode, or of the primary screen once that one is gone.
    PixelRect SidebarArea() const;
    // Docks on `screen`, or on the primary screen for none, and follows changes of its area.
    void FollowScreen(QScreen* screen);
    // Places the sidebar and its tab again on a screen that changed or went away.
    void ReplaceSidebar();
    double TwipsPerPix() const { return 1440.0 / logicalDpiX(); }
    void PlaceDockTab(int top);
    // tmrDock: brings the sidebar out, slides it away or leaves it, as SidebarSlide says.
    void DockTick();
    void ApplySidebarStep(const SidebarSlide::Step& step);
    // Whether `window` is one the user works with the sidebar through: the list window, its tab
    // or the remote panel.
    bool IsSidebarWindow(WId window) const;
    void DragTabWidth(int tabLeft);
    void DragTabHeight(int tabTop);
    void EndTabDrag();
    // Shows task lines made by a command (a list index, a directory listing) under `name`
    // instead of a list; whether the list was changed stays as it was.
    void ShowPseudoList(const std::string& name, const std::vector<std::string>& lines);
    // The index of IndexDir's lists, without a question.
    void ShowListIndex();
    // What a start whose settings ask for the index of the default list's folder shows.
    void StartWithListIndex();
    void SaveSettings(ErrorReport report = ErrorReport::Message, FileOps& ops = SystemFileOps());
    int TaskCount() const { return static_cast<int>(List.Tasks.Count()); }

    ListWindowServices Services;
    Settings TheSettings;
    QPointer<frmRemote> RemotePanel;
    int NewListCount = 0; // lists started with New List since the program started
    ListDocument List;
    SkinPictures Skin;
    ListWindowView View;

    int FirstRow = 0; // RowStart: the task in row 0
    int CurrentLine = 0; // the row whose control bar should be open, -1 none
    int ExpandLine = -1;
    bool NoHide = false;
    bool ReadingList = false; // between naming the list to open and having read it
    bool NowLoading = true;
    // While the store holds only the first rows of the list being opened: where the rest comes from.
    ListPreload* Preloaded = nullptr;
    QSize LastDrawn { 0, 0 }; // the window's size when the surface was last composed

    Drag DragOn = Drag::None;
    QPoint DragPoint; // where the drag began, in global pixels
    QRect GeometryAtPress;
    int AccAtPress = 0;
    int RowAtPress = 0;
    std::optional<WindowButton> PressedButton;

    int PressedRow = -1; // the row whose control bar took the press
    bool BtnPushd = false; // a button of the open bar is held down
    std::optional<BarButton> HoveredButton;
    InlineEditors* RowEditors;

    BarAnimation BarState;
    TitleGlide Glide;
    LampAnimation Lamps;
    PriorityStepper Stepper;

    AutoScroll Scroll;
    WheelNotches Wheel;
    QTimer ScrollTimer { this }; // children, so that tests can find them by name
    QTimer QueueTimer { this };
    QTimer BarTimer { this };
    QTimer GlideTimer { this };
    QTimer BlinkTimer { this };
    QTimer FlickerTimer { this };
    QTimer StepTimer { this };
    QTimer KillTimer { this };
    QTimer DockTimer { this }; // tmrDock

    SidebarSlide Slide;
    std::unique_ptr<frmDockTab> Tab; // only in sidebar mode
    QPointer<QScreen> DockScreen;

    std::string IndexDir; // the folder of the last list index, for lists without a folder
    std::string LastFind; // offered by the next search (UTF-8)
    std::unique_ptr<PrintDialog> ThePrintDialog; // made when first needed
    FileAssociations* Associations = nullptr;
    QPointer<frmMenu> TheMenu; // while the context menu is open

    std::deque<QueueRequest> HandedOver; // taken from the queue file, not opened yet
    // Set while they are opened: a check from within a save question only takes requests.
    bool OpeningHandedOver = false;
};

} // namespace agendrix
