// How many steps one pattern match may take before the redirect manager gives
// up on it (see StepCountingIterator). Process-wide; the default suits
// printer names up to the manager's length bound. Lowering it is for
// harnesses that feed thousands of hostile patterns a second.
#pragma once

#include <cstddef>

namespace redirect {

std::size_t MatchAllowance();
void SetMatchAllowance(std::size_t steps);

}  // namespace redirect
