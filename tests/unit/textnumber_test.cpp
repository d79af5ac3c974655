#include "common/textnumber.h"

#include <gtest/gtest.h>

#include <cmath>

namespace gx {
namespace {

TEST(TextToNumber, ReadsTolerantly) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"12,5", 12.5},
      {"1.234,5", 1.2345},  // the second point goes
      {"B12", 12},
      {"12px", 12},
      {"", 0},
      {"abc", 0},
      {"16,6", 16.6},
      {"  -3.5", -3.5},
      {"+7", 7},
      {"1e3", 1000},
      {"2.5E-1", 0.25},
      {".5", 0.5},
      {"5.", 5},
      {"12 ", 12},  // a trailing blank does not fit either
      {"abcdefghi42", 42},   // nine letters are dropped
      {"abcdefghij42", 0},   // ten are too many
      {"-", 0},
      {"4294967296", 4294967296.0},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(TextToNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(TextToNumber, ReportsFirstBadPosition) {
  const struct {
    const char* text;
    size_t position;
  } cases[] = {{"", 1}, {"x1", 1}, {"1x", 2}, {"1.2.3", 4}, {"1e", 3}, {" ", 2}, {"12", 0}};
  for (const auto& c : cases) {
    double v = 0;
    EXPECT_EQ(detail::ParseReal(c.text, v), c.position) << '"' << c.text << '"';
  }
}

TEST(RoundToInt32, HalvesGoToEvenAndLargeValuesSaturate) {
  const struct {
    double in;
    int32_t out;
  } cases[] = {{16.6, 17},  {0.5, 0},     {1.5, 2},       {2.5, 2},          {-0.5, 0},
               {-1.5, -2},  {-2.6, -3},   {12.49, 12},    {1e12, 2147483647}, {-1e12, -2147483647 - 1},
               {HUGE_VAL, 2147483647}};
  for (const auto& c : cases) EXPECT_EQ(RoundToInt32(c.in), c.out) << c.in;
}

TEST(TextToCommandId, KeepsUnsigned32BitRange) {
  EXPECT_EQ(TextToCommandId("4021"), 4021u);
  EXPECT_EQ(TextToCommandId("4294967295"), 4294967295u);
  EXPECT_EQ(TextToCommandId("4294967296"), 0u);
  EXPECT_EQ(TextToCommandId("-1"), 0u);
  EXPECT_EQ(TextToCommandId(""), 0u);
  EXPECT_EQ(TextToCommandId("40,5"), 40u);
}

}  // namespace
}  // namespace gx
