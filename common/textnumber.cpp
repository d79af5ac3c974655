#include "common/textnumber.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace gx {

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Halves to even without relying on the floating-point rounding mode, which a
// host program may have changed.
double RoundHalfEven(double value) {
  const double low = std::floor(value);
  const double diff = value - low;
  if (diff > 0.5) return low + 1;
  if (diff < 0.5) return low;
  return std::fmod(low, 2.0) == 0.0 ? low : low + 1;
}
}  // namespace

size_t detail::ParseReal(const std::string& s, double& out) {
  size_t i = 0;
  const size_t n = s.size();
  while (i < n && s[i] == ' ') ++i;
  bool negative = false;
  if (i < n && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  const size_t start = i;
  size_t digits = 0;
  while (i < n && IsDigit(s[i])) ++i, ++digits;
  if (i < n && s[i] == '.') {
    ++i;
    while (i < n && IsDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return i + 1;
  if (i < n && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
    size_t expDigits = 0;
    while (i < n && IsDigit(s[i])) ++i, ++expDigits;
    if (expDigits == 0) return i + 1;
  }
  if (i != n) return i + 1;

  // from_chars wants neither a sign nor a leading point.
  std::string body = s.substr(start);
  if (body[0] == '.') body.insert(body.begin(), '0');
  double value = 0;
  const auto res = std::from_chars(body.data(), body.data() + body.size(), value);
  if (res.ec == std::errc::result_out_of_range) {
    // Too large gives infinity, too small zero; callers saturate.
    const bool tiny = body.find_first_of("eE") != std::string::npos &&
                      body[body.find_first_of("eE") + 1] == '-';
    value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
  }
  out = negative ? -value : value;
  return 0;
}

double TextToNumber(const std::string& input) {
  std::string text = input;
  for (char& c : text)
    if (c == ',') c = '.';
  for (int attempt = 0; attempt < 10; ++attempt) {
    double value = 0;
    const size_t bad = detail::ParseReal(text, value);
    if (bad == 0) return value;
    if (bad <= text.size()) text.erase(bad - 1, 1);
  }
  return 0;
}

int32_t RoundToInt32(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (value <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(RoundHalfEven(value));
}

uint32_t TextToCommandId(const std::string& text) {
  const double value = RoundHalfEven(TextToNumber(text));
  if (!(value >= 0.0 && value <= 4294967295.0)) return 0;
  return static_cast<uint32_t>(value);
}

}  // namespace gx
