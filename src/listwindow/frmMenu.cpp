#include "frmMenu.h"

#include "frmList.h"
#include "frmMRU.h"

#include "geometry/MenuLayout.h"

#include <QKeyEvent>
#include <QPainter>

namespace agendrix {

namespace {
    // The entries top to bottom. New and Open run the remote panel's commands under captions of
    // the menu's own.
    constexpr ListCommand Entries[frmMenu::EntryCount] = {
        ListCommand::NewList,
        ListCommand::OpenListFile,
        ListCommand::Save,
        ListCommand::Print,
        ListCommand::Find,
        ListCommand::AlwaysOnTop,
        ListCommand::CopyList,
        ListCommand::DirectoryListing,
        ListCommand::ImportTextList,
        ListCommand::ExportWebPage,
        ListCommand::Help,
        ListCommand::About,
        ListCommand::ListIndex,
        ListCommand::ListMerger,
        ListCommand::SaveAs,
        ListCommand::SidebarMode,
    };

    bool Valid(int index) { return index >= 0 && index < frmMenu::EntryCount; }
} // namespace

frmMenu::frmMenu(frmList& list, const std::array<QColor, 4>& colours)
    : QWidget(&list, Qt::Popup | Qt::FramelessWindowHint)
    , List(list)
    , Colours(colours)
    , MergerPresent(list.ListMergerPresent())
{
    setObjectName(QStringLiteral("frmMenu"));
    setAttribute(Qt::WA_DeleteOnClose);
    setMouseTracking(true);
    std::array<int, EntryCount> widths {};
    for (int i = 0; i < EntryCount; ++i)
        widths[static_cast<std::size_t>(i)]
            = fontMetrics().horizontalAdvance(Caption(i).remove(QLatin1Char('&')));
    const MenuSize size = MenuSizeFor(widths);
    resize(size.Width, size.Height);
}

QString frmMenu::Caption(int index)
{
    if (index == NewEntry)
        return QStringLiteral(" &New Task List");
    if (index == OpenEntry)
        return QStringLiteral(" &Open Task List");
    const std::string_view caption = EntryOf(Entries[index]).Caption;
    return QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
}

std::optional<ListCommand> frmMenu::CommandOf(int index)
{
    return Valid(index) ? std::optional(Entries[index]) : std::nullopt;
}

QRect frmMenu::EntryRect(int index) const
{
    return QRect(MenuMetrics::Frame, MenuMetrics::Frame + index * MenuMetrics::RowHeight,
        width() - 2 * MenuMetrics::Frame, MenuMetrics::RowHeight);
}

bool frmMenu::Checked(int index) const
{
    if (CommandOf(index) == ListCommand::AlwaysOnTop)
        return List.CurrentSettings().AlwaysOnTop;
    return CommandOf(index) == ListCommand::SidebarMode && List.Docked();
}

int frmMenu::EntryAt(QPoint point) const
{
    for (int i = 0; i < EntryCount; ++i)
        if (EntryRect(i).contains(point))
            return i;
    return -1;
}

void frmMenu::Highlight(int index)
{
    if (index == HighlightedEntry)
        return;
    HighlightedEntry = index;
    if (index == OpenEntry)
        OpenRecentPopup();
    else if (Recent)
        Recent->close();
    update();
}

frmMRU* frmMenu::RecentPopup() const { return Recent; }

void frmMenu::OpenRecentPopup()
{
    if (Recent)
        return;
    Recent = new frmMRU(List, geometry(), Colours, this);
    connect(Recent, &frmMRU::OtherTaskListChosen, this, [this] { Choose(OpenEntry); });
    connect(Recent, &frmMRU::ListOpened, this, &QWidget::close);
    // The popup holds the pointer while it is open: moves back over the menu are the menu's.
    connect(Recent, &frmMRU::PointerOutside, this, [this](QPoint global) {
        if (geometry().contains(global))
            Highlight(EntryAt(mapFromGlobal(global)));
    });
    Recent->show();
}

void frmMenu::Choose(int index)
{
    if (!Valid(index))
        return;
    // The menu goes first, so that a dialog the command opens is not left behind a popup.
    if (Recent)
        Recent->close();
    Chosen = true;
    close();
    List.Run(Entries[index]);
    List.MenuEntryDone();
}

void frmMenu::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Colours[0]);
    // The frame in two darker shades of the background.
    painter.setPen(Colours[0].darker(133));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setPen(Colours[0].darker(200));
    painter.drawRect(rect().adjusted(1, 1, -2, -2));
    for (int i = 0; i < EntryCount; ++i) {
        const QRect row = EntryRect(i);
        const bool lit = i == HighlightedEntry;
        if (lit)
            painter.fillRect(row, Colours[2]);
        QColor text = lit ? Colours[3] : Colours[1];
        if (CommandOf(i) == ListCommand::ListMerger && !MergerPresent)
            text = Colours[0].darker(160); // greyed: the merger is not installed
        painter.setPen(text);
        painter.drawText(row.adjusted(14, 0, 0, 0), Qt::AlignVCenter | Qt::TextShowMnemonic, Caption(i));
        if (Checked(i))
            painter.drawText(
                QRect(row.left(), row.top(), 14, row.height()), Qt::AlignCenter, QStringLiteral("\u2713"));
        if (i == OpenEntry)
            painter.drawText(
                row.adjusted(0, 0, -4, 0), Qt::AlignVCenter | Qt::AlignRight, QStringLiteral("\u25B8"));
    }
}

void frmMenu::closeEvent(QCloseEvent* event)
{
    if (!Chosen)
        List.MenuEntryDone();
    QWidget::closeEvent(event);
}

void frmMenu::mouseMoveEvent(QMouseEvent* event) { Highlight(EntryAt(event->position().toPoint())); }

void frmMenu::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Choose(EntryAt(event->position().toPoint()));
}

void frmMenu::keyPressEvent(QKeyEvent* event)
{
    std::vector<std::string> captions;
    for (int i = 0; i < EntryCount; ++i)
        captions.push_back(Caption(i).toStdString());
    if (const QString typed = event->text(); typed.size() == 1) {
        if (const int entry = CaptionWithAccessKey(captions, typed.front().toLatin1()); entry >= 0)
            return Choose(entry);
    }
    switch (event->key()) {
    case Qt::Key_Down:
        return Highlight((HighlightedEntry + 1) % EntryCount);
    case Qt::Key_Up:
        return Highlight((HighlightedEntry + EntryCount - 1) % EntryCount);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Choose(HighlightedEntry);
    case Qt::Key_Escape:
        close();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

} // namespace agendrix
