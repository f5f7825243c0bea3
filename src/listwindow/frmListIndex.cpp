#include "frmList.h"

#include "editing/ListText.h"
#include "model/ListIndex.h"
#include "model/Windows1252.h"

#include <QDateTime>
#include <QDir>
#include <QLocale>

#include <algorithm>
#include <cctype>

namespace agendrix {

namespace {
    // The folder of a path, ending with "/"; empty for a name without one.
    std::string FolderOf(const std::string& path)
    {
        const std::size_t slash = path.rfind('/');
        return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    }

    // The system's date and time as a directory listing shows a file's modification time.
    std::string DateTimeText(std::time_t time)
    {
        return QLocale::system()
            .toString(QDateTime::fromSecsSinceEpoch(static_cast<qint64>(time)), QLocale::ShortFormat)
            .toStdString();
    }

    // Lower case as a search compares: ASCII and the Windows-1252 capitals from 0xC0.
    char FoldCase(char c)
    {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)
            return static_cast<char>(byte + 0x20);
        return static_cast<char>(std::tolower(byte));
    }

    std::string Folded(std::string_view text)
    {
        std::string folded(text);
        std::transform(folded.begin(), folded.end(), folded.begin(), FoldCase);
        return folded;
    }

    // What the user typed as a search compares it to the list's bytes.
    std::string SearchKey(const std::string& typed) { return Folded(Utf8ToWindows1252(typed).bytes); }
} // namespace

void frmList::ShowPseudoList(const std::string& name, const std::vector<std::string>& lines)
{
    List.ListName = name;
    List.Tasks.Load(lines);
    FirstRow = 0;
    RefreshTitle();
    // A start lays the rows out once the window has its size.
    if (NowLoading)
        return;
    ShowListItems();
    CurrentLine = 0;
    AnimateCtrls();
}

void frmList::StartWithListIndex()
{
    TheSettings.ListName = TheSettings.DefaultList;
    IndexDir = FolderOf(TheSettings.DefaultList);
    if (IndexDir.empty())
        IndexDir = QDir::homePath().toStdString() + "/";
    ShowListIndex();
}

void frmList::ListIndex()
{
    std::string folder = FolderOf(List.ListName);
    if (folder.empty())
        folder = IndexDir;
    if (folder.empty())
        folder = QDir::homePath().toStdString() + "/";
    IndexDir = folder;
    if (AskToSave(PromptButtons::YesNo) == SaveChoice::Failed)
        return;
    ShowListIndex();
}

void frmList::ShowListIndex()
{
    const ListIndexRead read
        = ReadListIndex(IndexDir, TheSettings.NumOrder == 1 ? IndexNumbers::On : IndexNumbers::Off,
            TheSettings.ShowTop5 == 1 ? IndexTopTasks::On : IndexTopTasks::Off);
    ShowPseudoList(std::string(ListIndexName), read.Lines);
    if (!read.Unreadable.empty()) {
        std::string text = "These lists could not be read and are not in the index:";
        for (const FileError& error : read.Unreadable)
            text += "\n" + error.Message;
        Services.ThePrompts.Tell(text, PromptIcon::Exclamation);
    }
}

void frmList::DirectoryListing()
{
    const std::optional<std::string> chosen
        = Services.ThePrompts.ChooseFile(FileDialogRequest { FileDialogRequest::Kind::Open,
            "Open File of type you wish to list...", "All Files (*.*)|*.*", IndexDir });
    if (!chosen || chosen->empty())
        return;
    const std::string folder = FolderOf(*chosen);
    const std::string name = chosen->substr(folder.size());
    const std::size_t dot = name.rfind('.');
    const std::string extension = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    if (AskToSave(PromptButtons::YesNo) == SaveChoice::Failed)
        return;
    std::string upper = extension;
    std::transform(upper.begin(), upper.end(), upper.begin(),
        [](char c) { return std::toupper(static_cast<unsigned char>(c)); });
    ShowPseudoList(
        upper + " Directory Listing", DirectoryLines(FilesOfType(folder, extension), folder, DateTimeText));
}

void frmList::Find()
{
    SetNoHide(true);
    const TextRequest first { "Find", "Enter the text you wish to search for:", LastFind };
    std::optional<std::string> answer = Services.ThePrompts.AskText(first);
    if (!answer || answer->empty())
        return SetNoHide(false);
    LastFind = *answer;
    std::string key = SearchKey(*answer);
    for (std::size_t i = 0; i < List.Tasks.Count(); ++i) {
        if (Folded(List.Tasks.Line(i)).find(key) == std::string::npos)
            continue;
        FirstRow = static_cast<int>(i);
        ShowListItems();
        answer = Services.ThePrompts.AskText(TextRequest { "Find",
            "Text found, displaying on first line\n\nClick OK again to find next instance of text, or Cancel "
            "to "
            "stop searching.",
            LastFind });
        if (!answer || answer->empty())
            return SetNoHide(false);
        key = SearchKey(*answer);
    }
    Services.ThePrompts.Ask(PromptRequest {
        "Find", "Text not found.", PromptIcon::Information, PromptButtons::Ok, PromptAnswer::Ok });
    SetNoHide(false);
}

} // namespace agendrix
