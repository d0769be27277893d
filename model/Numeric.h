// The numeric conventions of every trace computation: integer division
// truncates (C++ already does), and Trunc converts a double to a 32-bit int
// toward zero.
#pragma once

#include <cstdint>

namespace qv {

// Truncates toward zero. A value with no 32-bit result (NaN, infinity, or out
// of range) would be undefined behaviour as a plain cast; it saturates to the
// nearest limit instead, and NaN gives 0, so no caller can fault.
std::int32_t Trunc(double value);

} // namespace qv
