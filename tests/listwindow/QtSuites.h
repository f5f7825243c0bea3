#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

namespace agendrix::test {

// The Qt Test suites of the list window, made after the application object and run one after
// another by one executable (QtTestMain.cpp).
inline std::vector<std::function<std::unique_ptr<QObject>()>>& ListWindowSuites()
{
    static std::vector<std::function<std::unique_ptr<QObject>()>> suites;
    return suites;
}

template <typename Suite> bool RegisterListWindowSuite()
{
    ListWindowSuites().push_back([] { return std::make_unique<Suite>(); });
    return true;
}

} // namespace agendrix::test

#define AGENDRIX_LIST_WINDOW_SUITE(Suite)                                                                    \
    [[maybe_unused]] static const bool Suite##Registered                                                     \
        = agendrix::test::RegisterListWindowSuite<agendrix::Suite>()
