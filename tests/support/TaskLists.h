#pragma once

#include "model/CivilDate.h"

#include <cstddef>
#include <string>
#include <vector>

namespace agendrix::test {

// `count` task lines in no order: a third of them date-based with stale codes that an assessment
// on `today` changes, due from 20 days before it to 40 days after, among plain and completed ones.
std::vector<std::string> ManyTasks(std::size_t count, const CivilDate& today);

} // namespace agendrix::test
