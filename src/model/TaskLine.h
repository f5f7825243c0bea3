#pragma once

#include "CivilDate.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace agendrix {

// A task is one line of eight Tab-separated fields, held as the bytes of the list file
// (Windows-1252). Field k begins after the (k-1)-th Tab; a field that the line is too short to
// have reads as empty.
enum class TaskField {
    Code = 1,
    Description,
    Information,
    DateBased,
    Date,
    DaysToComplete,
    DayKind,
    File,
};

inline constexpr std::size_t MaxTaskLineLength = 1024; // bytes, the whole line
inline constexpr char Pilcrow = '\xB6'; // "¶", a stored line break of the information text

inline constexpr int CodeNotAssessed = 0;
inline constexpr int CodeBroken = 1;
inline constexpr int CodeExtreme = 2;
inline constexpr int CodeLow = 8;
inline constexpr int CodeUnprioritized = 9;
inline constexpr int CodeCompleted = 10;

// Position of the n-th Tab (n >= 1), or npos.
std::size_t FindTab(std::string_view line, int n);
std::string_view GetField(std::string_view line, TaskField field);

// The two-digit code at the start of the line, when it is "00" to "10".
std::optional<int> PriorityCode(std::string_view line);
std::string TwoDigitCode(int code);
bool IsCompletedLine(std::string_view line);
bool IsDateBasedLine(std::string_view line);

// Status name of a code, e.g. "Extreme Priority"; empty for "00" and unknown codes.
std::string_view StatusName(int code);
// The task editor's caption of a code, e.g. "Level &5 - High"; empty for unknown codes.
std::string_view EditorCaption(int code);

// Leading decimal integer of a field, blanks before it ignored, 0 when there is none.
long long LeadingNumber(std::string_view text);

struct TaskFields {
    std::string Code = "09";
    std::string Description;
    std::string Information; // already encoded: no Tab, CR or LF
    std::string DateBased = "0";
    std::string Date;
    std::string DaysToComplete = "1";
    std::string DayKind = "0";
    std::string File;
};

TaskFields SplitTaskLine(std::string_view line);
std::string BuildTaskLine(const TaskFields& fields);

// Multi-line text from an editor to the stored form: LF becomes "¶", CR is dropped and Tab
// becomes a blank. Works on Windows-1252 bytes.
std::string EncodeInformation(std::string_view text);
// The stored form back to text with LF line breaks.
std::string DecodeInformation(std::string_view stored);
// Single-line text (description, file path) with every Tab turned into a blank.
std::string WithoutTabs(std::string_view text);

enum class Shortening { None, InformationCut };

struct FittedLine {
    std::string Line;
    Shortening Shortened = Shortening::None;
};

// Builds the line, dropping characters from the end of the information text while the line is
// longer than MaxTaskLineLength and the information text is not empty.
FittedLine BuildFittedTaskLine(TaskFields fields);

// The message shown after the information text was shortened.
std::string ShorteningMessage();

// The line of a task completed on `today`: code "10", date-based flag "0" and the description
// prefixed with "yyyy/mm/dd - ". A line too short to have a flag keeps its fields as they are.
std::string CompleteTaskLine(std::string_view line, const CivilDate& today);

} // namespace agendrix
