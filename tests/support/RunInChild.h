#pragma once

#include <functional>
#include <string>

namespace agendrix::test {

// Runs `check` in a forked child, which may drop privileges or change its mounts without
// affecting the test process, and returns what it returned: nothing on success, what went wrong
// otherwise, or "SKIP: reason" when the environment does not allow the check.
std::string RunInChild(const std::function<std::string()>& check);

} // namespace agendrix::test
