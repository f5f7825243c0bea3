#include "support/TestFailure.h"

#include <gtest/gtest.h>

namespace agendrix::test {

void FailTest(const std::string& message) { ADD_FAILURE() << message; }

} // namespace agendrix::test
