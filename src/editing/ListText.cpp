#include "ListText.h"

#include "model/Windows1252.h"

namespace agendrix {

QString FromListBytes(std::string_view bytes) { return QString::fromStdString(Windows1252ToUtf8(bytes)); }

QString ShownListBytes(std::string_view bytes)
{
    if (bytes.size() <= ShownBytesAtMost)
        return FromListBytes(bytes);
    return FromListBytes(bytes.substr(0, ShownBytesAtMost)) + QChar(0x2026);
}

std::string ToListBytes(const QString& text, Prompts& prompts)
{
    EncodedText encoded = Utf8ToWindows1252(text.toStdString());
    if (encoded.lossiness == Lossiness::Replaced)
        prompts.Tell(ReplacedCharactersMessage(), PromptIcon::Exclamation);
    return std::move(encoded.bytes);
}

QString PathFromListBytes(std::string_view bytes) { return QString::fromStdString(PathFromFileText(bytes)); }

std::string PathToListBytes(const QString& path) { return PathToFileText(path.toStdString()); }

std::string ReplacedCharactersMessage()
{
    return "Some of the characters you typed cannot be kept in a task list; each was stored as \"?\".";
}

} // namespace agendrix
