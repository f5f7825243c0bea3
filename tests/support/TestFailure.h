#pragma once

#include <string>

namespace agendrix::test {

// Fails the running test with `message` and lets it go on. Defined once for GoogleTest and once
// for Qt Test; a suite links the definition of its framework (tests/support/CMakeLists.txt).
void FailTest(const std::string& message);

} // namespace agendrix::test
