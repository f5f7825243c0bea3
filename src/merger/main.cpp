#include "ListMerger.h"
#include "LocalClock.h"
#include "MergeArguments.h"
#include "frmMerge.h"

#include <QApplication>

#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace agendrix::merger;

// The command line's merge: the report on standard output, the notes and any error on standard
// error. Needs no display.
int MergeFromCommandLine(const MergeRequest& request)
{
    const MergeOutcome outcome = MergeListFiles(request, LocalClock().Now().Date);
    for (const std::string& note : outcome.Notes)
        std::cerr << "agendrix-lm: " << note << '\n';
    if (outcome.Status != ExitCode::Success) {
        std::cerr << "agendrix-lm: " << outcome.Message << '\n';
        return static_cast<int>(outcome.Status);
    }
    std::cout << outcome.Message << '\n';
    std::cout.flush();
    return std::cout.good() ? 0 : static_cast<int>(ExitCode::FileProblem);
}

} // namespace

int main(int argc, char** argv)
{
    const MergeArguments parsed = ParseMergeArguments(std::vector<std::string>(argv + 1, argv + argc));
    switch (parsed.What) {
    case MergeArguments::Action::Help:
        std::cout << MergeUsageText();
        return 0;
    case MergeArguments::Action::Refused:
        std::cerr << "agendrix-lm: " << parsed.Error << '\n' << MergeUsageText();
        return static_cast<int>(ExitCode::Usage);
    case MergeArguments::Action::Merge:
        return MergeFromCommandLine(parsed.Request);
    case MergeArguments::Action::Window:
        break;
    }
    QApplication application(argc, argv);
    const LocalClock clock;
    frmMerge window(clock);
    window.show();
    return QApplication::exec();
}
