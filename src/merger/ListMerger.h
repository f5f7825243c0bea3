#pragma once

#include "MergeArguments.h"

#include "model/CivilDate.h"
#include "model/FileOps.h"
#include "model/ListMerge.h"

#include <string>
#include <vector>

namespace agendrix::merger {

struct MergeOutcome {
    ExitCode Status = ExitCode::Success;
    // On success the one-line report ("merged 5 tasks from ... (2 matched)"), else one sentence
    // that names the file or the field at fault.
    std::string Message;
    // What reading told about a list, as the window tells it: an older format or a UTF-8 file
    // converted. Given on success and failure alike.
    std::vector<std::string> Notes;
    MergeCounts Counts;
};

// Reads both lists as the program reads a list (older formats and UTF-8 converted, `today`
// being the date an older format's dates are reset to), merges them with MergeTaskLines and
// writes the merge to request.Output as the program saves a list: whole or not at all, under the
// output's lock. Nothing is written when a list cannot be read, or when reading one stopped at an
// empty line with lines after it, which the merge would drop. The command line and the window
// both merge through this.
MergeOutcome MergeListFiles(
    const MergeRequest& request, const CivilDate& today, FileOps& ops = SystemFileOps());

// "merged 5 tasks from "a.agl" and "b.agl" into "out.agl" (2 matched)".
std::string MergeReport(const MergeRequest& request, const MergeCounts& counts);

} // namespace agendrix::merger
