// The list window's animations: the control bar rolling up and out, the title's activity strip,
// the blinking and flickering lamps, a lamp stepping through the priorities, and the final timer.
#include "frmList.h"

#include "model/TaskLine.h"
#include "skin/QtHelpers.h"
#include "skin/SkinCells.h"

#include <QApplication>

namespace agendrix {

namespace {
    // One paint of a control-bar frame; the setting decides how many paints a frame gets.
    constexpr int BarPaintMs = 3;
    constexpr int KillMs = 300;
} // namespace

void frmList::StartAnimations()
{
    const std::pair<QTimer*, const char*> timers[]
        = { { &BarTimer, "BarAnimation" }, { &GlideTimer, "TitleGlide" }, { &BlinkTimer, "ExtremeBlink" },
              { &FlickerTimer, "BrokenFlicker" }, { &StepTimer, "PriorityStep" }, { &KillTimer, "Kill" } };
    for (const auto& [timer, name] : timers)
        timer->setObjectName(QString::fromLatin1(name));
    connect(&BarTimer, &QTimer::timeout, this, &frmList::BarTick);
    connect(&GlideTimer, &QTimer::timeout, this, &frmList::GlideTick);
    connect(&BlinkTimer, &QTimer::timeout, this, &frmList::BlinkTick);
    connect(&FlickerTimer, &QTimer::timeout, this, &frmList::FlickerTick);
    connect(&StepTimer, &QTimer::timeout, this, &frmList::StepTick);
    // Once the list window has gone, nothing else of the program may keep it running.
    KillTimer.setSingleShot(true);
    connect(&KillTimer, &QTimer::timeout, this, [] {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible())
                window->close();
    });
    BlinkTimer.start(LampAnimation::BlinkMs);
    FlickerTimer.start(LampAnimation::FlickerMs);
}

void frmList::StopAnimations()
{
    for (QTimer* timer : { &BarTimer, &GlideTimer, &BlinkTimer, &FlickerTimer, &StepTimer })
        timer->stop();
    KillTimer.start(KillMs);
}

void frmList::AnimateCtrls()
{
    // A running animation notices the new CurrentLine by itself.
    if (!BarState.Start(ShownCurrentLine(), TheSettings.AniSpeed))
        return;
    View.BarButton.reset();
    UpdateBars();
    if (BarState.Running())
        BarTimer.start(BarPaintMs);
}

void frmList::BarTick()
{
    if (!BarState.Step(ShownCurrentLine()))
        BarTimer.stop();
    UpdateBars();
}

void frmList::UpdateBars()
{
    const int before = View.BarRow;
    View.BarRow = BarState.WideRow();
    View.BarFrame = BarState.Running() ? BarState.Frame() : BarAnimation::LastFrame;
    // Most paints only change the frame; the rows are placed again when the wide bar moves.
    if (View.BarRow != before)
        View.Rows = LayOutCurrentRows();
    // Only the two bars change: the open bar's place covers the collapsed one's.
    for (const int row : { before, View.BarRow }) {
        if (row >= 0 && row < static_cast<int>(View.Rows.Rows.size())) {
            const PixelRect& bar = View.Rows.Rows[static_cast<std::size_t>(row)].ControlBar;
            update(width() - 125, bar.Y, OpenBarWidth, ControlBarHeight);
        }
    }
}

RowLayout frmList::LayOutCurrentRows() const
{
    return LayOutRows({ width(), View.Layout.RowsShown, View.Layout.InfoBlock ? ExpandLine : -1,
        BarState.WideRow(), View.Layout.UsedAccHgt });
}

void frmList::GlideTick()
{
    if (!Glide.Tick())
        GlideTimer.stop();
    update(19, 0, TitleGlide::StripWidth, 18);
}

void frmList::UpdateLamp(int row, int band)
{
    RowView& view = View.RowViews[static_cast<std::size_t>(row)];
    if (view.LampBand == band)
        return;
    view.LampBand = band;
    const PixelRect& lamp = View.Rows.Rows[static_cast<std::size_t>(row)].Lamp;
    update(ToQRect(lamp));
}

void frmList::BlinkTick()
{
    Lamps.Blink();
    const std::size_t rows = std::min(View.RowViews.size(), View.Rows.Rows.size());
    for (std::size_t row = 0; row < rows; ++row)
        if (!View.RowViews[row].Empty && View.RowViews[row].Code == CodeExtreme)
            UpdateLamp(static_cast<int>(row), Lamps.ExtremeBand());
}

void frmList::FlickerTick()
{
    const std::size_t rows = std::min(View.RowViews.size(), View.Rows.Rows.size());
    for (std::size_t row = 0; row < rows; ++row)
        if (!View.RowViews[row].Empty && View.RowViews[row].Code == CodeBroken)
            UpdateLamp(static_cast<int>(row), LampAnimation::BrokenBand(Lamps.Draw()));
}

void frmList::AniPriority(int from, int to, int index)
{
    if (from == to || index < 0 || index >= static_cast<int>(View.RowViews.size()))
        return;
    Stepper = PriorityStepper(from, to, index);
    StepTimer.start(PriorityStepper::TickMs);
}

void frmList::StepTick()
{
    if (Stepper.Tick() && Stepper.LampRow() < static_cast<int>(View.RowViews.size()))
        UpdateLamp(Stepper.LampRow(), LampCells::Lamp(Stepper.Code(), 0, 0).Y);
    if (!Stepper.Running())
        StepTimer.stop();
}

} // namespace agendrix
