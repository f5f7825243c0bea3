#include "TextImport.h"

#include "ListDocument.h"
#include "ListFile.h"
#include "TaskLine.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace agendrix {

namespace {

    constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
    constexpr std::string_view ImportedCode = "09\t";

    Lossiness ToWindows1252(std::string& bytes)
    {
        if (bytes.starts_with(Utf8Mark))
            return Utf8ToWindows1252InPlace(bytes, Utf8Mark.size());
        if (!IsAscii(bytes) && IsValidUtf8(bytes))
            return Utf8ToWindows1252InPlace(bytes);
        return Lossiness::Exact;
    }

    // Control characters are looked for eight bytes at a time, and single bytes looked at only in
    // the words that may hold one: a text file is read whole, up to 1 GiB, and most of its words
    // hold plain letters.
    constexpr std::uint64_t EveryByte = 0x0101010101010101;
    constexpr std::uint64_t HighBits = 0x8080808080808080;

    std::uint64_t WordAt(const char* at)
    {
        std::uint64_t word = 0;
        std::memcpy(&word, at, sizeof word);
        return word;
    }

    // Whether a byte of `word` is below 0x20 or is 0x7F (DEL). Each test is exact as to whether
    // such a byte is there, though not as to which it is.
    bool MayHoldControls(std::uint64_t word)
    {
        const std::uint64_t below20 = (word - EveryByte * 0x20) & ~word & HighBits;
        const std::uint64_t del = word ^ (EveryByte * 0x7F);
        return (below20 | ((del - EveryByte) & ~del & HighBits)) != 0;
    }

    // The line ends of a text, counted while its control characters are blanked.
    struct LineEnds {
        std::size_t Lf = 0;
        std::size_t Cr = 0;

        // An upper bound of the text's lines, to size the tasks' buffer once: exact for LF, CR LF
        // and CR files alike.
        std::size_t LineBound() const { return std::max(Lf, Cr) + 1; }
    };

    void BlankControlsIn(char* bytes, std::size_t count, LineEnds& ends)
    {
        for (std::size_t i = 0; i < count; ++i) {
            const auto byte = static_cast<unsigned char>(bytes[i]);
            if (byte == '\n')
                ++ends.Lf;
            else if (byte == '\r')
                ++ends.Cr;
            else if (byte < 0x20 || byte == 0x7F)
                bytes[i] = ' ';
        }
    }

    // Tabs and the other control characters (DEL too) become blanks; CR and LF stay as line ends.
    LineEnds BlankControls(std::string& bytes)
    {
        LineEnds ends;
        std::size_t i = 0;
        for (; i + 8 <= bytes.size(); i += 8) {
            if (MayHoldControls(WordAt(bytes.data() + i)))
                BlankControlsIn(bytes.data() + i, 8, ends);
        }
        BlankControlsIn(bytes.data() + i, bytes.size() - i, ends);
        return ends;
    }

    std::string_view WithoutBlanks(std::string_view line)
    {
        const std::size_t first = line.find_first_not_of(' ');
        if (first == std::string_view::npos)
            return {};
        return line.substr(first, line.find_last_not_of(' ') - first + 1);
    }

    // Writes the task lines one after another, each ended by '\n', into one buffer that becomes
    // the file segment of the lines' arena: a line costs its bytes and a handle, and no line is
    // copied twice.
    class TaskLineWriter {
    public:
        TaskLineWriter(LineNumbers numbers, const CivilDate& today, std::size_t textBytes, std::size_t lines,
            std::uint64_t largest)
            : Head(std::string(ImportedCode) + (numbers == LineNumbers::With ? "001 - " : ""))
            , Tail("\t\t0\t" + FormatYyyymmdd(today) + "\t3\t0\t\n")
            , Numbered(numbers == LineNumbers::With)
            , SavedBytes(HeaderLine().size() + 2)
            , LargestList(std::min(largest, MaxFileSize)) // a larger one would not fit the arena either
        {
            const std::size_t perLine = Head.size() + Tail.size() + (Numbered ? 4 : 0);
            Bytes.reserve(std::min(textBytes + lines * perLine, LineArena::MaxSegmentSize));
            Handles.reserve(lines);
        }

        // Adds the task of a non-empty line; false once the list would grow larger than a list
        // file that can be read back.
        bool Add(std::string_view text);
        ImportedText Finish();

    private:
        // Counts the number in Head on by one: "009" becomes "010", "999" becomes "1000".
        void NextNumber();

        // The fields before the description's text and, with numbers, the next line's number and
        // " - "; then the fields after the description and the line's end.
        std::string Head;
        std::string Tail;
        bool Numbered;
        std::uint64_t SavedBytes; // of the list file these lines make, with its header and CR LFs
        std::uint64_t LargestList;
        std::size_t Cut = 0;
        std::string Bytes;
        std::vector<LineHandle> Handles;
    };

    void TaskLineWriter::NextNumber()
    {
        const std::size_t first = ImportedCode.size();
        std::size_t digit = Head.size() - 3; // past the last digit, before " - "
        while (digit > first && Head[digit - 1] == '9')
            Head[--digit] = '0';
        if (digit > first)
            ++Head[digit - 1];
        else
            Head.insert(first, 1, '1');
    }

    bool TaskLineWriter::Add(std::string_view text)
    {
        // A task line holds no line end: Tail's '\n' ends the line in the buffer only.
        const std::size_t room = MaxTaskLineLength + 1 - Head.size() - Tail.size();
        if (text.size() > room) {
            // A cut may leave a blank at the end, which a description never keeps.
            text = WithoutBlanks(text.substr(0, room));
            ++Cut;
        }
        const std::size_t length = Head.size() + text.size() + Tail.size(); // '\n' in place of CR LF
        SavedBytes += length + 1;
        if (SavedBytes > LargestList)
            return false;
        Handles.push_back(LineArena::FileLine(Bytes.size()));
        Bytes += Head;
        Bytes += text;
        Bytes += Tail;
        if (Numbered)
            NextNumber();
        return true;
    }

    ImportedText TaskLineWriter::Finish()
    {
        ImportedText result;
        result.Loaded.Arena.AdoptFile(std::move(Bytes));
        result.Loaded.Handles = std::move(Handles);
        result.CutLines = Cut;
        return result;
    }

} // namespace

ImportedText ImportTextLines(
    std::string bytes, LineNumbers numbers, const CivilDate& today, std::uint64_t largestList)
{
    const Lossiness conversion = ToWindows1252(bytes);
    const LineEnds ends = BlankControls(bytes);
    TaskLineWriter writer(numbers, today, bytes.size(), ends.LineBound(), largestList);
    LineCursor cursor(bytes);
    while (const auto line = cursor.Next()) {
        const std::string_view text = WithoutBlanks(*line);
        if (!text.empty() && !writer.Add(text)) {
            ImportedText tooLarge;
            tooLarge.Conversion = conversion;
            tooLarge.TooLarge = true;
            return tooLarge;
        }
    }
    ImportedText result = writer.Finish();
    result.Conversion = conversion;
    return result;
}

TextImport ImportTextFile(const std::string& path, LineNumbers numbers, const CivilDate& today, FileOps& ops)
{
    TextImport result;
    ReadResult read = ReadWholeFile(path, ops);
    if (read.What != ReadResult::Status::Read) {
        result.What = TextImport::Status::Failed;
        result.Error = std::move(read.Error);
        return result;
    }
    result.Text = ImportTextLines(std::move(read.Bytes), numbers, today);
    if (result.Text.TooLarge) {
        result.What = TextImport::Status::Failed;
        result.Error = FileError { path, EFBIG,
            "Could not import \"" + path + "\": its lines would make a task list larger than 1 GiB." };
        return result;
    }
    result.ListName = ImportedListName(path);
    return result;
}

std::string ImportedListName(std::string_view path)
{
    const std::string_view name = FileNameOf(path);
    const std::size_t dot = name.rfind('.');
    return std::string(dot == std::string_view::npos || dot == 0 ? name : name.substr(0, dot));
}

std::string ImportNotice(std::string_view path, const ImportedText& text)
{
    std::string notice;
    if (text.Conversion == Lossiness::Replaced)
        notice = "Some characters of \"" + std::string(path)
            + "\" cannot be stored in a task list and were replaced by \"?\".";
    if (text.CutLines > 0) {
        if (!notice.empty())
            notice += '\n';
        notice += text.CutLines == 1
            ? std::string("1 line of \"") + std::string(path) + "\" was"
            : std::to_string(text.CutLines) + " lines of \"" + std::string(path) + "\" were";
        notice += " longer than a task allows (1024 characters in all) and cut to fit.";
    }
    return notice;
}

} // namespace agendrix
