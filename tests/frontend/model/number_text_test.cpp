#include "number_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace kestra {
namespace {

struct FormatCase {
  Extended value;
  int digits;
  const char* want;
};

TEST(FormatGeneral, FixedUnlessTooLargeOrTooSmall) {
  // clang-format off
  const FormatCase cases[] = {
      {0,               8,  "0"},
      {12,              8,  "12"},
      {-2.5L,           8,  "-2.5"},
      {645.16000001L,   8,  "645.16"},
      {3.0480000001L,   8,  "3.048"},
      {0.0001L,         8,  "0.0001"},
      {0.00001L,        8,  "0.00001"},   // still fixed at 1E-5
      {0.000001L,       8,  "1E-6"},
      {-1.25e-7L,       8,  "-1.25E-7"},
      {12345678,        8,  "12345678"},
      {123456789,       8,  "1.2345679E8"},
      {1e20L,           18, "1E20"},
      {99999999.5L,     8,  "1E8"},       // rounding carries into the exponent
      {2.0L / 3,        8,  "0.66666667"},
      {0.1L,            18, "0.1"},
  };
  // clang-format on
  for (const FormatCase& c : cases) {
    SCOPED_TRACE(c.want);
    EXPECT_EQ(FormatGeneral(c.value, c.digits), c.want);
  }
}

TEST(FormatEntry, ReadsBackToTheSameValue) {
  const Extended max = std::numeric_limits<Extended>::max();
  for (Extended v : {0.1L, 1.0L / 3, 2.0L / 3, -max, max, 1e-4000L,
                     123456789.123456789L, 12.0L}) {
    const std::string text = FormatEntry(v);
    SCOPED_TRACE(text);
    DecimalResult back = ParseDecimal(text);
    ASSERT_EQ(back.status, DecimalStatus::kOk);
    EXPECT_EQ(back.value, v);
  }
  EXPECT_EQ(FormatEntry(12), "12");
  EXPECT_EQ(FormatEntry(0.1L), "0.1");
}

TEST(FormatExact, CarriesNoPlusSign) {
  EXPECT_EQ(FormatExact(1e20L), "1e20");
  EXPECT_EQ(FormatExact(-2.5e-7L), "-2.5e-7");
  EXPECT_EQ(FormatExact(0.001L), "0.001");
}

TEST(ParseDecimal, AcceptsOnlyWholeNumbers) {
  struct Case {
    const char* text;
    DecimalStatus status;
    Extended value;
  };
  // clang-format off
  const Case cases[] = {
      {"12",      DecimalStatus::kOk,       12},
      {"-1.5e3",  DecimalStatus::kOk,       -1500},
      {"+.5",     DecimalStatus::kOk,       0.5L},
      {"5.",      DecimalStatus::kOk,       5},
      {"2E-2",    DecimalStatus::kOk,       0.02L},
      {"1e-9999", DecimalStatus::kOk,       0},
      {"1e9999",  DecimalStatus::kOverflow, 0},
      {"",        DecimalStatus::kInvalid,  0},
      {".",       DecimalStatus::kInvalid,  0},
      {"1e",      DecimalStatus::kInvalid,  0},
      {"1 ",      DecimalStatus::kInvalid,  0},
      {"0x10",    DecimalStatus::kInvalid,  0},
      {"1,5",     DecimalStatus::kInvalid,  0},
      {"infinity",DecimalStatus::kInvalid,  0},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("\"") + c.text + "\"");
    DecimalResult r = ParseDecimal(c.text);
    EXPECT_EQ(r.status, c.status);
    if (c.status == DecimalStatus::kOk) {
      EXPECT_EQ(r.value, c.value);
    }
  }
}

}  // namespace
}  // namespace kestra
