#pragma once
// Tolerant reading of numbers typed by users or found in profile files.

#include <cstdint>
#include <string>

namespace gx {

// Comma as decimal point; up to nine characters that do not fit a number are
// dropped one by one; 0 when the text still does not read.
double TextToNumber(const std::string& text);

// Nearest integer, halves to the even neighbour, saturated to 32 bits (NaN gives 0).
int32_t RoundToInt32(double value);

// A menu command identifier from its text: the rounded number, or 0 when it
// does not fit an unsigned 32-bit value.
uint32_t TextToCommandId(const std::string& text);

namespace detail {
// 0 on success with the value in `out`, else the 1-based position of the
// first character that does not fit.
size_t ParseReal(const std::string& text, double& out);
}  // namespace detail

}  // namespace gx
