#include "Windows1252.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace agendrix {

namespace {

    // Unicode code points of the bytes 0x80 to 0x9F; the undefined ones keep their own value.
    constexpr std::array<char32_t, 32> HighControls = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
    };

    char32_t CodePointOf(unsigned char byte)
    {
        if (byte >= 0x80 && byte <= 0x9F)
            return HighControls[byte - 0x80];
        return byte;
    }

    // Returns -1 when the code point has no byte.
    int ByteOf(char32_t codePoint)
    {
        if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
            return static_cast<int>(codePoint);
        for (std::size_t i = 0; i < HighControls.size(); ++i) {
            if (HighControls[i] == codePoint)
                return static_cast<int>(0x80 + i);
        }
        return -1;
    }

    void AppendUtf8(std::string& out, char32_t cp)
    {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }

    // Whether the eight bytes at `at` are all ASCII, and the word they make: runs of ASCII, most
    // of most texts, are checked and copied a word at a time.
    bool AsciiWordAt(const char* at, std::uint64_t& word)
    {
        std::memcpy(&word, at, sizeof word);
        return (word & 0x8080808080808080) == 0;
    }

    // Decodes one UTF-8 sequence at text[pos]; returns its length, or 0 when it is malformed
    // (overlong forms, surrogates and values past U+10FFFF included).
    std::size_t DecodeUtf8(std::string_view text, std::size_t pos, char32_t& cp)
    {
        const auto lead = static_cast<unsigned char>(text[pos]);
        std::size_t length = 0;
        char32_t minimum = 0;
        if (lead < 0x80) {
            cp = lead;
            return 1;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            cp = lead & 0x1F;
            minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            cp = lead & 0x0F;
            minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            cp = lead & 0x07;
            minimum = 0x10000;
        } else {
            return 0;
        }
        if (pos + length > text.size())
            return 0;
        for (std::size_t i = 1; i < length; ++i) {
            const auto next = static_cast<unsigned char>(text[pos + i]);
            if ((next & 0xC0) != 0x80)
                return 0;
            cp = (cp << 6) | (next & 0x3F);
        }
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return 0;
        return length;
    }

} // namespace

std::string Windows1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char c : bytes)
        AppendUtf8(out, CodePointOf(static_cast<unsigned char>(c)));
    return out;
}

namespace {
    // Writes the Windows-1252 bytes of `utf8` from `out` on and returns how many. Each character
    // takes one byte, never more than its UTF-8 did, so `out` may be where `utf8` is: the
    // bytes written never pass the bytes still to be read.
    std::size_t ConvertUtf8(std::string_view utf8, char* out, Lossiness& lossiness)
    {
        std::size_t written = 0;
        std::size_t pos = 0;
        while (pos < utf8.size()) {
            std::uint64_t word = 0;
            if (pos + 8 <= utf8.size() && AsciiWordAt(utf8.data() + pos, word)) {
                // The word is read before it is written, and `out` is never ahead of `utf8`.
                std::memcpy(out + written, &word, sizeof word);
                written += 8;
                pos += 8;
                continue;
            }
            char32_t cp = 0;
            const std::size_t length = DecodeUtf8(utf8, pos, cp);
            const int byte = length == 0 ? -1 : ByteOf(cp);
            if (byte < 0)
                lossiness = Lossiness::Replaced;
            out[written++] = byte < 0 ? '?' : static_cast<char>(byte);
            pos += length == 0 ? 1 : length;
        }
        return written;
    }
} // namespace

EncodedText Utf8ToWindows1252(std::string_view utf8)
{
    EncodedText result;
    result.bytes.resize(utf8.size());
    result.bytes.resize(ConvertUtf8(utf8, result.bytes.data(), result.lossiness));
    return result;
}

Lossiness Utf8ToWindows1252InPlace(std::string& text, std::size_t from)
{
    Lossiness lossiness = Lossiness::Exact;
    const std::string_view utf8 = std::string_view(text).substr(std::min(from, text.size()));
    text.resize(ConvertUtf8(utf8, text.data(), lossiness));
    return lossiness;
}

bool IsValidUtf8(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::uint64_t word = 0;
        if (pos + 8 <= text.size() && AsciiWordAt(text.data() + pos, word)) {
            pos += 8;
            continue;
        }
        char32_t cp = 0;
        const std::size_t length = DecodeUtf8(text, pos, cp);
        if (length == 0)
            return false;
        pos += length;
    }
    return true;
}

bool IsAscii(std::string_view text)
{
    std::size_t pos = 0;
    for (std::uint64_t word = 0; pos + 8 <= text.size(); pos += 8) {
        if (!AsciiWordAt(text.data() + pos, word))
            return false;
    }
    for (; pos < text.size(); ++pos) {
        if (static_cast<unsigned char>(text[pos]) >= 0x80)
            return false;
    }
    return true;
}

std::string PathToFileText(std::string_view path)
{
    if (IsAscii(path) || !IsValidUtf8(path))
        return std::string(path);
    EncodedText encoded = Utf8ToWindows1252(path);
    // Bytes that would read back as UTF-8 would come back as another path: such a path (and
    // one with characters Windows-1252 lacks) is written as its UTF-8 bytes.
    if (encoded.lossiness == Lossiness::Replaced || IsValidUtf8(encoded.bytes))
        return std::string(path);
    return std::move(encoded.bytes);
}

std::string PathFromFileText(std::string_view text)
{
    if (IsAscii(text) || IsValidUtf8(text))
        return std::string(text);
    return Windows1252ToUtf8(text);
}

} // namespace agendrix
