#pragma once

#include "TaskStore.h"

#include <cstddef>
#include <optional>
#include <string>

namespace agendrix {

// What going to a task's file does: the file field decides, and the window carries it out.
struct GoToFileAction {
    enum class Kind {
        NoTask, // the row holds no task: there is nothing to go to
        AskToAssociate, // the task names no file: the user is offered the task editor to give it one
        OpenList, // a task list (".agl" in any case): opened in the window in place of this one
        OpenDocument, // anything else: handed to the desktop, started in the file's folder
    };
    Kind What = Kind::NoTask;
    std::string Path; // as the file system spells it
    std::string WorkingFolder; // OpenDocument: the path up to and including its last "/"
};

// What going to the file of the task at `index` does; nothing or an index past the last task is
// no task.
GoToFileAction DecideGoToFile(const TaskStore& tasks, std::optional<std::size_t> index);

} // namespace agendrix
