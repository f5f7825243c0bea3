#include "frmMRU.h"

#include "frmList.h"

#include "geometry/MenuLayout.h"
#include "model/RecentLists.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

namespace agendrix {

frmMRU::frmMRU(frmList& list, const QRect& menu, const std::array<QColor, 4>& colours, QWidget* parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint)
    , List(list)
    , Menu(menu)
    , Colours(colours)
{
    setObjectName(QStringLiteral("frmMRU"));
    setAttribute(Qt::WA_DeleteOnClose);
    setMouseTracking(true);
    Build();
}

void frmMRU::Build()
{
    const RecentLists& recent = List.CurrentSettings().Recent;
    Captions = { QStringLiteral(" &Other Task List...") };
    for (std::size_t i = 1; i <= RecentListsShown(recent); ++i)
        Captions << QString::fromStdString(RecentListCaption(i, recent[i - 1]));
    std::vector<int> widths;
    for (const QString& caption : Captions)
        widths.push_back(fontMetrics().horizontalAdvance(QString(caption).remove(QLatin1Char('&'))));
    const RecentPopupLayout layout = LayOutRecentPopup(widths);
    Tops = layout.LabelTops;
    LabelWidth = layout.LabelWidth;
    const QRect area = List.screen()->availableGeometry();
    const PixelRect placed = PlaceRecentPopup({ Menu.x(), Menu.y(), Menu.width(), Menu.height() },
        layout.Width, layout.Height, { area.x(), area.y(), area.width(), area.height() });
    setGeometry(placed.X, placed.Y, placed.Width, placed.Height);
    Highlighted = -1;
    update();
}

QRect frmMRU::LabelRect(int index) const
{
    if (index < 0 || index >= LabelCount())
        return {};
    return QRect(5, Tops[static_cast<std::size_t>(index)], LabelWidth, MenuMetrics::RowHeight);
}

int frmMRU::LabelAt(QPoint point) const
{
    for (int i = 0; i < LabelCount(); ++i)
        if (LabelRect(i).contains(point))
            return i;
    return -1;
}

void frmMRU::Choose(int index, Qt::KeyboardModifiers modifiers)
{
    if (index < 0 || index >= LabelCount())
        return;
    if (modifiers == Qt::ShiftModifier) {
        // "Other Task List..." is no recent list: nothing to remove.
        if (index == 0)
            return;
        RemoveRecentList(List.EditSettings().Recent, static_cast<std::size_t>(index - 1));
        return Build();
    }
    if (index == 0) {
        close();
        return emit OtherTaskListChosen();
    }
    const std::string path = List.CurrentSettings().Recent[static_cast<std::size_t>(index - 1)];
    close();
    // A list that went away would leave the open tasks under its name: the open list stays.
    if (!QFileInfo(QString::fromStdString(path)).isFile()) {
        List.ThePrompts().Tell(
            "The task list \"" + path + "\" cannot be opened: it is gone, or it is not a file.",
            PromptIcon::Exclamation);
        return emit ListOpened();
    }
    if (List.OpenList(path))
        emit ListOpened();
}

void frmMRU::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Colours[0]);
    painter.setPen(Colours[0].darker(200));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.drawLine(4, MenuMetrics::PopupSeparatorTop, width() - 5, MenuMetrics::PopupSeparatorTop);
    for (int i = 0; i < LabelCount(); ++i) {
        const QRect label = LabelRect(i);
        if (i == Highlighted)
            painter.fillRect(label, Colours[2]);
        painter.setPen(i == Highlighted ? Colours[3] : Colours[1]);
        painter.drawText(label, Qt::AlignVCenter | Qt::TextShowMnemonic, Captions[i]);
    }
}

void frmMRU::mouseMoveEvent(QMouseEvent* event)
{
    if (!rect().contains(event->position().toPoint()))
        return emit PointerOutside(event->globalPosition().toPoint());
    const int at = LabelAt(event->position().toPoint());
    if (at != Highlighted) {
        Highlighted = at;
        update();
    }
}

void frmMRU::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Choose(LabelAt(event->position().toPoint()), event->modifiers());
}

void frmMRU::keyPressEvent(QKeyEvent* event)
{
    std::vector<std::string> captions;
    for (const QString& caption : Captions)
        captions.push_back(caption.toStdString());
    if (const QString typed = event->text(); typed.size() == 1) {
        if (const int label = CaptionWithAccessKey(captions, typed.front().toLatin1()); label >= 0)
            return Choose(label, event->modifiers() & Qt::ShiftModifier);
    }
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

} // namespace agendrix
