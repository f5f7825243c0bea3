#pragma once

// What the model's suites share: GoogleTest, the test support with its names taken into the
// program's namespace, and the standard types their tables are made of.

#include "model/TaskLine.h"
#include "model/TaskStore.h"

#include "support/Bytes.h"
#include "support/FailingFileOps.h"
#include "support/RunInChild.h"
#include "support/ScriptedPrompts.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <grp.h>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>
#include <utility>
#include <vector>

namespace agendrix {

using namespace std::string_literals;
using test::CrLf;
using test::FailingFileOps;
using test::FileStep;
using test::InformationMessage;
using test::ReadBytes;
using test::ScriptedPrompts;
using test::TempFolder;
using test::Texts;
using test::WriteBytes;

// The store's lines in order, to compare them with expected ones.
inline std::vector<std::string> LinesOf(const TaskStore& store) { return Texts(store.Lines()); }

// Runs `check` in a child that has given root up for the user and group nobody, since mode bits
// stop no write of root's; "SKIP: ..." where the child cannot give it up.
inline std::string RunAsNobody(const std::function<std::string()>& check)
{
    return test::RunInChild([&]() -> std::string {
        if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
            return "SKIP: cannot drop privileges: " + std::string(std::strerror(errno));
        return check();
    });
}

} // namespace agendrix
