#include "frmList.h"
#include "frmRemote.h"

#include "SurfacePainter.h"
#include "frmDockTab.h"

#include "editing/InlineEditors.h"

#include "model/CompletedItems.h"
#include "model/DateLogic.h"
#include "model/ListFile.h"
#include "model/Recovery.h"
#include "skin/QtHelpers.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QLocale>
#include <QPainter>
#include <QWindow>

#include <utility>

namespace agendrix {

namespace {
    constexpr int QueueCheckMs = 600;

    // The user's short date format.
    std::string ShortDate(const CivilDate& d)
    {
        return QLocale::system().toString(QDate(d.Year, d.Month, d.Day), QLocale::ShortFormat).toStdString();
    }
} // namespace

frmList::frmList(ListWindowServices services, Settings settings)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , Services(std::move(services))
    , TheSettings(std::move(settings))
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFont(UiFont());
    // The focus sink: a press on the track or a grip takes the focus from an edit box.
    setFocusPolicy(Qt::ClickFocus);
    RowEditors = new InlineEditors(*this, *this);
    ScrollTimer.setObjectName(QStringLiteral("AutoScroll"));
    QueueTimer.setObjectName(QStringLiteral("QueueCheck"));
    connect(&ScrollTimer, &QTimer::timeout, this, &frmList::AutoScrollTick);
    connect(&QueueTimer, &QTimer::timeout, this, &frmList::CheckQueue);
    DockTimer.setObjectName(QStringLiteral("Dock"));
    connect(&DockTimer, &QTimer::timeout, this, &frmList::DockTick);
    // A screen that goes away takes the sidebar's place with it: it docks on the primary one,
    // or on the next screen that comes when none was left.
    for (const auto change : { &QGuiApplication::screenRemoved, &QGuiApplication::screenAdded,
             &QGuiApplication::primaryScreenChanged })
        connect(qApp, change, this, [this] { QTimer::singleShot(0, this, &frmList::ReplaceSidebar); });
    StartAnimations();
}

frmList::~frmList()
{
    // After this the preload's worker posts no more calls to this window.
    if (Preloaded)
        Preloaded->NotifyWhenReady({});
}

void frmList::Start(const std::string& commandLinePath, ListPreload* preload)
{
    QString skinPath = QString::fromStdString(TheSettings.SkinPath);
    Skin.LoadSkin(Services.ProgramFolder, skinPath);
    TheSettings.SkinPath = skinPath.toStdString();
    RowEditors->SetColours(Skin.EditBackground, Skin.ListText);
    const std::string firstList = FirstListName(TheSettings, commandLinePath);
    if (!commandLinePath.empty())
        TheSettings.ListName = commandLinePath;
    if (preload && !preload->Serves(firstList, Services.TheClock.Now().Date, TheSettings.DaysPerLevel))
        preload = nullptr;
    // With nothing to tell or ask before it, the window shows while the list is assessed, so
    // that the window system's part overlaps that work; it is painted once the first rows are in.
    if (preload && preload->TellsNothing()
        && !HasRecoveryCopy(firstList, Services.ProgramFolder.toStdString())) {
        PlaceWindow();
        show();
    }
    if (firstList.empty() && TheSettings.ListAtStart() == StartList::DefaultListIndex)
        StartWithListIndex();
    else
        LoadList(firstList, preload);
    View.Status = QStringLiteral("Version: ") + FromUtf8(ProgramVersion);
    if (!isVisible())
        PlaceWindow();
    NowLoading = false;
    DrawSkin(Redraw::Always);
    // The first rows alone cannot fill a window taller than them: it shows the whole list at once.
    if (Preloaded && View.Layout.RowsShown > TaskCount()) {
        List.Tasks.Load(std::exchange(Preloaded, nullptr)->TakeRest());
        ReadingList = false;
        ShowListItems();
    }
    ShowWithCompanions();
    GlideTimer.start(TitleGlide::TickMs);
    if (Preloaded)
        AwaitRestOfList();
    else
        StartWork();
}

void frmList::ShowWithCompanions()
{
    show();
    if (Tab)
        Tab->show();
    // The panel opens beside the window, but the keys stay with the list.
    if (TheSettings.OpenRemote) {
        ShowRemote();
        activateWindow();
    }
}

void frmList::StartWork()
{
    QueueTimer.start(QueueCheckMs);
    CheckQueue();
}

void frmList::PlaceWindow()
{
    SetWindFloat(true, "Start");
    setGeometry(static_cast<int>(TheSettings.WinLeft), static_cast<int>(TheSettings.WinTop),
        static_cast<int>(TheSettings.WinWidth), static_cast<int>(TheSettings.WinHeight));
    if (TheSettings.InSidebar())
        AutoDockModeAct(DockChange::ApplySetting);
}

void frmList::LoadList(const std::string& path, ListPreload* preload)
{
    // Until the list is read, the document holds the new name over the old tasks, whose changes
    // were saved or declined: an end meanwhile has nothing to keep.
    ReadingList = true;
    List.ListName = path;
    FirstRow = 0;
    const CivilDate today = Services.TheClock.Now().Date;
    const GetListResult result = preload ? TakePreloadedList(*preload)
                                         : GetList(List, TheSettings.Recent, Services.ThePrompts, today);
    // A preloaded list is still being read while the store holds only its first rows.
    ReadingList = Preloaded != nullptr;
    if (result.What == GetListResult::Status::Failed)
        Services.ThePrompts.Tell(result.Error.Message, PromptIcon::Critical);
    else if (OfferRecoveryCopy(List, Services.ProgramFolder.toStdString(), Services.ThePrompts, today)
        == RecoveryChoice::Restored) {
        Preloaded = nullptr; // the copy is the list now
        ReadingList = false;
    }
    TheSettings.ListName = List.ListName;
    RefreshTitle();
    if (!NowLoading)
        CreateArrays();
}

GetListResult frmList::TakePreloadedList(ListPreload& preload)
{
    const GetListResult result
        = TakeListRead(List, TheSettings.Recent, Services.ThePrompts, preload.TakeFirst());
    // Completed tasks are purged from the end of the whole list, which the first rows are not.
    if (preload.HasRest() && TheSettings.AutoPurges())
        List.Tasks.Load(preload.TakeRest());
    else if (preload.HasRest())
        Preloaded = &preload;
    return result;
}

void frmList::AwaitRestOfList()
{
    qApp->installEventFilter(this);
    // Called on the worker, under the preload's lock: it only posts the call.
    Preloaded->NotifyWhenReady(
        [this] { QMetaObject::invokeMethod(this, &frmList::TakeRestOfList, Qt::QueuedConnection); });
}

void frmList::TakeRestOfList()
{
    if (!Preloaded)
        return;
    ListPreload& preload = *std::exchange(Preloaded, nullptr);
    preload.NotifyWhenReady({});
    qApp->removeEventFilter(this);
    List.Tasks.Load(preload.TakeRest());
    ReadingList = false;
    ShowListItems();
    // A window closed meanwhile has ended its work, and the program with it.
    if (isVisible())
        StartWork();
}

bool frmList::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
        break;
    default:
        return QWidget::eventFilter(watched, event);
    }
    // None of the user's input may reach a store that holds only the list's first rows.
    const auto* widget = qobject_cast<const QWidget*>(watched);
    if (Preloaded && widget && (widget == this || isAncestorOf(widget)))
        return true;
    // The access keys are the window's whichever of its children has the focus: an in-place
    // editor would otherwise keep them.
    if (event->type() == QEvent::KeyPress && widget && widget != this && isAncestorOf(widget)
        && RunAccessKey(static_cast<const QKeyEvent&>(*event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

void frmList::RefreshTitle()
{
    View.Caption = QString::fromStdString(CaptionText(List.ListName));
    setWindowTitle(QString::fromStdString(WindowTitle(List.ListName)));
}

void frmList::ShowFileNameCaption()
{
    View.Caption = QStringLiteral(" - ") + QString::fromStdString(std::string(FileNameOf(List.ListName)));
    update();
}

void frmList::SetStatus(const QString& text)
{
    if (View.Status != text) {
        View.Status = text;
        update();
    }
}

void frmList::DrawSkin(Redraw when)
{
    if (NowLoading || isMinimized())
        return;
    if (when == Redraw::IfResized && size() == LastDrawn)
        return;
    LastDrawn = size();
    View.Layout = LayOutSurface({ width(), height(), ExpandLine, TheSettings.AccTextHgt });
    View.Surface = ComposeSurface(View.Layout, Skin.Main, size());
    View.Status = QStringLiteral("Rows Shown: %1").arg(View.Layout.RowsShown);
    CreateArrays();
}

void frmList::CreateArrays()
{
    if (NowLoading)
        return;
    if (BarState.OpenRow() >= View.Layout.RowsShown)
        BarState.Forget(BarState.OpenRow());
    View.BarButton.reset();
    if (!BarState.Running())
        BarState.Jump(ShownCurrentLine());
    // The size or the open block may have changed: every row is placed again.
    View.Rows = LayOutCurrentRows();
    UpdateBars();
    ShowListItems();
}

void frmList::ShowListItems()
{
    AssessDateItems(List.Tasks, Services.TheClock.Now(), TheSettings.DaysPerLevel);
    FirstRow = std::max(FirstRow, 0);
    if (TheSettings.AutoPurges() && PurgeCompletedFromTheEnd() && isVisible())
        AnimateCtrls();
    View.RowViews.clear();
    for (int row = 0; row < View.Layout.RowsShown; ++row)
        View.RowViews.push_back(
            RowViewOf(ContentOfRow(List.Tasks, static_cast<std::size_t>(FirstRow + row), ShortDate)));
    View.ExpandLine = ExpandLine;
    if (ExpandLine >= 0 && ExpandLine < static_cast<int>(View.RowViews.size()))
        View.Details = QString(View.RowViews[static_cast<std::size_t>(ExpandLine)].Information)
                           .replace(QChar(0xB6), QChar('\n'));
    const float step = SliderStep(View.Rows.SliderTrack.Height, List.Tasks.Count());
    View.ThumbTop = ThumbTop(FirstRow, step);
    update();
}

bool frmList::PurgeCompletedFromTheEnd()
{
    if (DropCompletedFromTheEnd(List) == 0)
        return false;
    CurrentLine = -1;
    AssessDateItems(List.Tasks, Services.TheClock.Now(), TheSettings.DaysPerLevel);
    return true;
}

void frmList::SelectRowShowing(const std::string& description)
{
    if (const auto row
        = RowShowing(List.Tasks, static_cast<std::size_t>(FirstRow), View.Layout.RowsShown, description)) {
        CurrentLine = *row;
        AnimateCtrls();
    }
}

void frmList::SetWindFloat(bool autoFloat, const char*)
{
    const bool onTop = autoFloat && (TheSettings.AlwaysOnTop || TheSettings.InSidebar());
    // On a shown window the flag goes to the window system directly, so that the window is not
    // hidden and shown again.
    if (QWindow* handle = windowHandle(); handle && isVisible())
        handle->setFlag(Qt::WindowStaysOnTopHint, onTop);
    else
        setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
}

void frmList::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(font());
    View.PressedWindowButton = PressedButton;
    View.Active = isActiveWindow();
    View.GlideDone = Glide.Done();
    View.GlideInactive = Glide.InactiveWidth();
    View.GlideActive = Glide.ActiveWidth();
    PaintListWindow(painter, View, Skin);
}

void frmList::resizeEvent(QResizeEvent*)
{
    DrawSkin(Redraw::IfResized);
    if (RemotePanel)
        RemotePanel->PlaceMe();
}

void frmList::changeEvent(QEvent* event)
{
    // The activity strip of the title follows the focus.
    if (event->type() == QEvent::ActivationChange)
        update();
    QWidget::changeEvent(event);
}

} // namespace agendrix
