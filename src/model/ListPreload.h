#pragma once

#include "CivilDate.h"
#include "FileOps.h"
#include "ListFile.h"
#include "TaskStore.h"

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <thread>

namespace agendrix {

// A list read, assessed and sorted on a thread of its own while the program does other work, as
// a start does while its windows are made. The list comes in two parts: first what reading found
// with the list's first rows, as soon as the codes are known, so that a window can be shown; then
// the whole list, which is sorted once it is asked for, so that the sort does not take the
// processor from the showing of the first rows. Every part is handed over whole: no store is ever
// used by two threads, and a store handed over needs no sorting any more.
class ListPreload {
public:
    struct Request {
        std::string ListName; // not empty
        DateTime Now; // assessed for; an older format's dates become Now's day
        int DaysPerLevel = 3;
    };

    // More rows than a window shows on any screen: 256 rows of 24 pixels are 6144 pixels.
    static constexpr std::size_t FirstRowCount = 256;

    // Starts reading at once. `beforeSort` runs on the worker once the rest was asked for, just
    // before the sort, where a test holds it to see what a window does meanwhile.
    explicit ListPreload(
        Request request, FileOps& ops = SystemFileOps(), std::function<void()> beforeSort = {});
    // Stops the work at its next step and waits for the worker.
    ~ListPreload() = default;
    ListPreload(const ListPreload&) = delete;
    ListPreload& operator=(const ListPreload&) = delete;

    // Whether this is the read GetList would make of `listName` on `today`, assessed as a window
    // with `daysPerLevel` assesses it.
    bool Serves(std::string_view listName, const CivilDate& today, int daysPerLevel) const;

    // Whether taking the list tells the user nothing: it was read with nothing to say about it,
    // or there is no such file. Blocks until the file was read, not until its codes are known.
    bool TellsNothing() const;
    // What reading found, told as TakeListRead tells it, with the tasks: the first FirstRowCount
    // lines of the sorted and assessed list when it has more, else all of it. Blocks until they
    // are known; once.
    ListRead TakeFirst();
    // After TakeFirst: whether TakeFirst gave only the first rows and the whole list is to come.
    bool HasRest() const;
    // Whether the whole list is ready, so that TakeRest returns at once. Does not ask for it.
    bool RestReady() const;
    // Asks for the whole list, sorted and assessed, and blocks until it is ready. Once, after
    // TakeFirst.
    TaskStore TakeRest();
    // Asks for the whole list and calls `notify` once it is ready: on the worker thread, or at
    // once on this thread when it is ready already. It is called under the preload's lock, so
    // that after NotifyWhenReady({}) returns it is no longer called; it must not call the
    // preload. One at a time; an empty one removes it.
    void NotifyWhenReady(std::function<void()> notify);

private:
    enum class Stage { Reading, Read, FirstKnown, Done }; // in this order

    void Run(std::stop_token stop);
    void HandOverReading(const ListRead& read);
    // Waits until the rest is asked for; false when the preload is stopped first.
    bool RestAskedFor(const std::stop_token& stop);
    // With Lock held.
    void AskForRest();
    // Makes the first rows of `read`, whose codes are assessed, and hands them over.
    void HandOverFirst(const ListRead& read);
    void HandOverAll(ListRead read);

    const Request For;
    FileOps& Ops;
    const std::function<void()> BeforeSort;

    mutable std::mutex Lock;
    mutable std::condition_variable_any StageChanged;
    Stage Where = Stage::Reading;
    std::optional<ListRead> First;
    std::optional<TaskStore> Rest;
    bool Quiet = false;
    bool RestToCome = false;
    bool RestWanted = false;
    std::function<void()> Notify;

    // Last: it starts once everything above exists, and its destructor, the first to run, stops
    // and joins it before anything it uses goes.
    std::jthread Worker;
};

} // namespace agendrix
