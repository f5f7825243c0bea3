#include "WebPage.h"

#include "TaskLine.h"
#include "Windows1252.h"

#include <algorithm>
#include <filesystem>

namespace agendrix {

namespace {

    // Piece numbers: the piece in front of each marker.
    enum Piece : std::size_t {
        BeforePageTitle = 0,
        BeforeTaskList = 1,
        BeforeListDetails = 2,
        BeforeFirstColour = 3,
        BeforeCategoryTitle = 4,
        BeforeTaskColour = 5,
        BeforeDescription = 6,
        BeforeInformation = 7,
        BetweenTasks = 8,
        BeforeNextCategoryColour = 11,
        BeforeNextCategory = 12,
        BeforeNextTaskColour = 13,
        BeforeListPath = 16,
        AfterListPath = 17,
    };

    struct Category {
        std::string_view Title;
        std::string_view Colour;
    };

    // By priority code, 1 to 10.
    constexpr std::array<Category, 11> Categories { {
        { "", "" },
        { "Date Based Tasks Missed", "800080" },
        { "Extreme Priority", "C00000" },
        { "Very High Priority", "C00000" },
        { "High Priority", "FF8000" },
        { "Medium High Priority", "FF8000" },
        { "Medium Priority", "FF8000" },
        { "Medium Low Priority", "FF8000" },
        { "Low Priority", "FF8000" },
        { "Unprioritized", "C0C000" },
        { "Completed Items", "00C000" },
    } };

    constexpr std::string_view GreyColour = "606060";
    // A code is read from two characters, so no task has this one: the first task always starts a
    // category.
    constexpr long long NoCategoryYet = 100;

    // The check box of a completed task: the first "¨" of a task's piece becomes "þ".
    constexpr std::string_view OpenBox = "\xC2\xA8";
    constexpr std::string_view CheckedBox = "\xC3\xBE";

    // What each Windows-1252 byte becomes on the page, as UTF-8 or as a character reference.
    using ByteTexts = std::array<std::string, 256>;

    const ByteTexts& PageTextOfBytes()
    {
        static const ByteTexts texts = [] {
            ByteTexts made;
            for (std::size_t byte = 0; byte < made.size(); ++byte)
                made[byte] = Windows1252ToUtf8(std::string(1, static_cast<char>(byte)));
            made['&'] = "&amp;";
            made['<'] = "&lt;";
            made['>'] = "&gt;";
            made['"'] = "&quot;";
            return made;
        }();
        return texts;
    }

    enum class LineBreaks { AsText, AsMarkup };

    // ASCII but the characters of markup and the Tab: the byte stands for itself on the page.
    bool IsPlain(unsigned char byte)
    {
        return byte < 0x80 && byte != '&' && byte != '<' && byte != '>' && byte != '"' && byte != '\t';
    }

    // The text of `bytes` from `from` to the next Tab (a task line's field), with its markup
    // characters made references; a stored line break ("¶") becomes "<br>" when asked. Runs of
    // plain bytes are copied whole. Returns where the field ends: at its Tab, or at the end.
    std::size_t AppendField(std::string& page, std::string_view bytes, std::size_t from, LineBreaks breaks)
    {
        const ByteTexts& texts = PageTextOfBytes();
        std::size_t plainFrom = from;
        std::size_t i = from;
        for (; i < bytes.size() && bytes[i] != '\t'; ++i) {
            const auto byte = static_cast<unsigned char>(bytes[i]);
            if (IsPlain(byte))
                continue;
            page.append(bytes.data() + plainFrom, i - plainFrom);
            if (bytes[i] == Pilcrow && breaks == LineBreaks::AsMarkup)
                page += "<br>";
            else
                page += texts[byte];
            plainFrom = i + 1;
        }
        page.append(bytes.data() + plainFrom, i - plainFrom);
        return i;
    }

    // UTF-8 text, such as a path or a date, with its markup characters made references. A path
    // that is not valid UTF-8 was named in Windows-1252 and is converted as a task's text is.
    void AppendText(std::string& page, std::string_view text)
    {
        if (!IsValidUtf8(text))
            return AppendText(page, Windows1252ToUtf8(text));
        const ByteTexts& texts = PageTextOfBytes();
        for (const char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            page += byte == '&' || byte == '<' || byte == '>' || byte == '"' ? std::string_view(texts[byte])
                                                                             : std::string_view(&c, 1);
        }
    }

    std::string TemplateError(std::string_view path, std::string_view marker)
    {
        return "The web page template \"" + std::string(path) + "\" cannot be used: its marker \""
            + std::string(marker) + "\" is missing or out of order.";
    }

    // Writes the page a block at a time.
    class PageWriter {
    public:
        static constexpr std::size_t BlockSize = 64 * 1024;

        explicit PageWriter(const WritePiece& write)
            : Write(write)
        {
            Page.reserve(BlockSize * 2);
        }

        std::string& Text() { return Page; }
        // Hands on what is written once a block is full; false once that failed.
        bool Pass()
        {
            if (Page.size() < BlockSize)
                return true;
            return Flush();
        }
        bool Flush()
        {
            const bool written = Page.empty() || Write(Page);
            Page.clear();
            return written;
        }

    private:
        const WritePiece& Write;
        std::string Page;
    };

    // The tasks, each under the heading of its category.
    class TaskSections {
    public:
        TaskSections(const PageTemplate& pieces, PageColour colour)
            : Pieces(pieces.Pieces)
            , TaskPiece(pieces.Pieces[BeforeDescription])
            , Colouring(colour)
        {
        }

        void Append(std::string& page, std::string_view line)
        {
            const long long code = LeadingNumber(line.substr(0, 2));
            if (code == Previous)
                page += Pieces[BetweenTasks];
            else
                StartCategory(page, code);
            Previous = code;
            page += Colour;
            page += TaskPiece;
            // The description is the second field, the information the third.
            const std::size_t tab = line.find('\t');
            if (tab == std::string_view::npos)
                return;
            const std::size_t information = AppendField(page, line, tab + 1, LineBreaks::AsText) + 1;
            if (information >= line.size() || line[information] == '\t')
                return;
            page += Pieces[BeforeInformation];
            AppendField(page, line, information, LineBreaks::AsMarkup);
        }

    private:
        void StartCategory(std::string& page, long long code)
        {
            if (code >= 1 && code < static_cast<long long>(Categories.size())) {
                const Category& category = Categories[static_cast<std::size_t>(code)];
                Title = category.Title;
                if (Colouring == PageColour::ByCategory)
                    Colour = category.Colour;
            }
            if (code == CodeCompleted) {
                if (const std::size_t box = TaskPiece.find(OpenBox); box != std::string::npos)
                    TaskPiece.replace(box, OpenBox.size(), CheckedBox);
            }
            if (Previous == NoCategoryYet) {
                page += Colour;
                page += Pieces[BeforeCategoryTitle];
                page += Title;
                page += Pieces[BeforeTaskColour];
            } else {
                page += Pieces[BeforeNextCategoryColour];
                page += Colour;
                page += Pieces[BeforeNextCategory];
                page += Title;
                page += Pieces[BeforeNextTaskColour];
            }
        }

        const std::array<std::string, PageTemplatePieces>& Pieces;
        std::string TaskPiece;
        PageColour Colouring;
        long long Previous = NoCategoryYet;
        std::string_view Title;
        std::string_view Colour = GreyColour;
    };

} // namespace

TemplateCut CutPageTemplate(std::string_view text, std::string_view path)
{
    const std::string utf8 = IsValidUtf8(text) ? std::string(text) : Windows1252ToUtf8(text);
    std::string lines;
    lines.reserve(utf8.size() + utf8.size() / 16 + 2);
    LineCursor cursor(utf8);
    while (const auto line = cursor.Next()) {
        lines += *line;
        lines += "\r\n";
    }
    PageTemplate cut;
    std::size_t from = 0;
    for (std::size_t k = 0; k < PageMarkers.size(); ++k) {
        const std::size_t at = lines.find(PageMarkers[k], from);
        if (at == std::string::npos)
            return { std::nullopt, TemplateError(path, PageMarkers[k]) };
        cut.Pieces[k] = lines.substr(from, at - from);
        from = at + PageMarkers[k].size();
    }
    cut.Pieces[AfterListPath] = lines.substr(from);
    return { std::move(cut), {} };
}

TemplateCut LoadPageTemplate(const std::string& path, FileOps& ops)
{
    const ReadResult read = ReadWholeFile(path, ops);
    switch (read.What) {
    case ReadResult::Status::Missing:
        return { std::nullopt, "The web page template \"" + path + "\" was not found." };
    case ReadResult::Status::Failed:
        return { std::nullopt, read.Error.Message };
    case ReadResult::Status::Read:
        break;
    }
    return CutPageTemplate(read.Bytes, path);
}

std::string WebPageTitle(std::string_view listName)
{
    std::string title(listName.substr(listName.rfind('/') + 1));
    if (title.size() >= 4) {
        std::string extension = title.substr(title.size() - 4);
        std::transform(extension.begin(), extension.end(), extension.begin(),
            [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
        if (extension == ".agl")
            title.resize(title.size() - 4);
    }
    return title;
}

bool WriteWebPage(
    const PageTemplate& pieces, TaskLines tasks, const PageDetails& details, const WritePiece& write)
{
    const auto& piece = pieces.Pieces;
    const std::string title = WebPageTitle(details.ListName);
    PageWriter writer(write);
    std::string& page = writer.Text();
    page += piece[BeforePageTitle];
    AppendText(page, title);
    page += piece[BeforeTaskList];
    AppendText(page, title);
    page += piece[BeforeListDetails];
    page += std::to_string(tasks.size());
    page += " items, created on ";
    AppendText(page, details.Today);
    page += piece[BeforeFirstColour];
    TaskSections sections(pieces, details.Colour);
    for (const std::string_view line : tasks) {
        sections.Append(page, line);
        if (!writer.Pass())
            return false;
    }
    page += piece[BeforeListPath];
    AppendText(page, details.ListName);
    page += piece[AfterListPath];
    page += "\r\n";
    return writer.Flush();
}

bool IsTheListFile(const std::string& output, const std::string& listName)
{
    std::error_code error; // a file that does not exist is no list
    return std::filesystem::equivalent(output, listName, error) && !error;
}

std::string PageOverListMessage(std::string_view output)
{
    return "Nothing was written: \"" + std::string(output)
        + "\" is the list file itself, which the web page would replace.";
}

std::string BuildWebPage(const PageTemplate& pieces, TaskLines tasks, const PageDetails& details)
{
    std::string page;
    WriteWebPage(pieces, tasks, details, [&page](std::string_view piece) {
        page += piece;
        return true;
    });
    return page;
}

} // namespace agendrix
