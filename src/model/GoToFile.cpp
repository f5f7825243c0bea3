#include "GoToFile.h"

#include "TaskLine.h"
#include "Windows1252.h"

namespace agendrix {

namespace {
    bool IsListPath(std::string_view path)
    {
        constexpr std::string_view extension = ".agl";
        if (path.size() < extension.size())
            return false;
        const std::string_view end = path.substr(path.size() - extension.size());
        for (std::size_t i = 0; i < extension.size(); ++i) {
            const char c = end[i] >= 'A' && end[i] <= 'Z' ? static_cast<char>(end[i] - 'A' + 'a') : end[i];
            if (c != extension[i])
                return false;
        }
        return true;
    }
} // namespace

GoToFileAction DecideGoToFile(const TaskStore& tasks, std::optional<std::size_t> index)
{
    GoToFileAction action;
    if (!index || *index >= tasks.Count())
        return action;
    action.Path = PathFromFileText(GetField(tasks.Line(*index), TaskField::File));
    if (action.Path.empty()) {
        action.What = GoToFileAction::Kind::AskToAssociate;
    } else if (IsListPath(action.Path)) {
        action.What = GoToFileAction::Kind::OpenList;
    } else {
        action.What = GoToFileAction::Kind::OpenDocument;
        action.WorkingFolder = action.Path.substr(0, action.Path.rfind('/') + 1);
    }
    return action;
}

} // namespace agendrix
