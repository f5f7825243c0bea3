#include "TaskLists.h"

#include "model/DateLogic.h"
#include "model/TaskLine.h"

#include <cstdint>

namespace agendrix::test {

std::vector<std::string> ManyTasks(std::size_t count, const CivilDate& today)
{
    std::vector<std::string> lines;
    lines.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string name = std::to_string(i * 7919 % 10007);
        if (i % 3 == 0) {
            const CivilDate due
                = CivilFromDays(DaysFromCivil(today) - 20 + static_cast<std::int64_t>(i % 60));
            lines.push_back(
                "00\tDue " + name + "\t\t1\t" + FormatYyyymmdd(due) + "\t2\t" + std::to_string(i % 3) + "\t");
        } else {
            lines.push_back(TwoDigitCode(static_cast<int>(1 + i % 10)) + "\tTask " + name + "\t\t0\t\t\t\t");
        }
    }
    return lines;
}

} // namespace agendrix::test
