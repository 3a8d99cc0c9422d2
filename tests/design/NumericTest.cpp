#include <gtest/gtest.h>

#include <cmath>

#include "design/Numeric.h"

namespace pcbprep {
namespace {

TEST(NumericValue, ReadsTheLeadingNumber) {
  const struct {
    const char16_t* text;
    double value;
  } cases[] = {
      {u"", 0},        {u"10", 10},  {u"10A", 10}, {u"A1", 0},  {u"  42", 42},  {u"\t 7x", 7},
      {u"-3.5", -3.5}, {u"+2", 2},   {u".5", 0.5}, {u"1.", 1},  {u"1e3", 1000}, {u"2.5E-1", 0.25},
      {u"1e", 1},      {u"1e+", 1},  {u"-", 0},    {u".", 0},   {u"&H1F", 31},  {u"&hff", 255},
      {u"&O17", 15},   {u"&O8", 0},  {u"&X1", 0},  {u"1 2", 1}, {u"１", 0},     {u"1e999", 0},
      {u"0.1", 0.1},   {u"  -0", 0},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(NumericValue(c.text), c.value) << std::u16string(c.text).size();
  }
}

TEST(NumericValue, HexAndOctalBeyondTheRangeOfADoubleGiveZero) {
  // 255 hexadecimal digits are about 1.1e307; 300 are beyond every double.
  EXPECT_GT(NumericValue(u"&H" + std::u16string(255, u'F')), 1e307);
  EXPECT_EQ(NumericValue(u"&H" + std::u16string(300, u'F')), 0);
  EXPECT_EQ(NumericValue(u"&O" + std::u16string(400, u'7')), 0);
}

TEST(ToInt16, RoundsHalvesToEvenAndReportsOverflow) {
  const struct {
    double in;
    int out;
  } cases[] = {{0.5, 0},    {1.5, 2},    {2.5, 2},         {-0.5, 0},          {-1.5, -2},
               {2.4999, 2}, {2.5001, 3}, {32767.4, 32767}, {-32768.5, -32768}, {32766.5, 32766}};
  for (const auto& c : cases) {
    const auto r = ToInt16(c.in);
    ASSERT_TRUE(r.has_value()) << c.in;
    EXPECT_EQ(*r, c.out) << c.in;
  }
  EXPECT_FALSE(ToInt16(32767.5).has_value());
  EXPECT_FALSE(ToInt16(-32769).has_value());
  EXPECT_FALSE(ToInt16(std::nan("")).has_value());
  EXPECT_FALSE(ToInt16(1e300).has_value());
}

}  // namespace
}  // namespace pcbprep
