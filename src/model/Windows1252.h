#pragma once

#include <string>
#include <string_view>

namespace agendrix {

// Our own Windows-1252 codec. Every byte value maps to exactly one Unicode character: the five
// bytes that the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1
// controls of the same value, so any byte string survives a round trip through Unicode.

// Decodes bytes of Windows-1252 text to UTF-8. Never fails.
std::string Windows1252ToUtf8(std::string_view bytes);

enum class Lossiness { Exact, Replaced };

struct EncodedText {
    std::string bytes;
    // Replaced when a character had no Windows-1252 byte (or the input was not valid UTF-8)
    // and was stored as '?'.
    Lossiness lossiness = Lossiness::Exact;
};

// Encodes UTF-8 to Windows-1252; characters it cannot hold become '?'.
EncodedText Utf8ToWindows1252(std::string_view utf8);
// The same for the UTF-8 in `text` from byte `from` on, which its encoding replaces in the same
// memory: a list file is not held twice while it is converted.
Lossiness Utf8ToWindows1252InPlace(std::string& text, std::size_t from = 0);

// Paths live in memory as the file system spells them (UTF-8 on Linux). In our 8-bit text files
// a path is written in Windows-1252 when every character fits, and as its raw UTF-8 bytes
// otherwise, so that no path is ever lost; the reader takes valid non-ASCII UTF-8 as UTF-8. A
// path whose Windows-1252 bytes happen to form valid UTF-8 is written as UTF-8 as well.
std::string PathToFileText(std::string_view path);
std::string PathFromFileText(std::string_view text);

bool IsValidUtf8(std::string_view text);
// Whether every byte is below 128.
bool IsAscii(std::string_view text);

} // namespace agendrix
