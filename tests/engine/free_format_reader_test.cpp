#include "free_format_reader.h"

#include <gtest/gtest.h>

namespace kestra {
namespace {

TEST(FreeFormatReader, StatementsStartOnNewLineAndContinueBelow) {
  FreeFormatReader in("1 2 3 extra\n4,\t5\n6\n\n7.5D2 -8e-1 +9\n");
  int a = 0, b = 0, c = 0, d = 0, e = 0, f = 0;
  ASSERT_TRUE(in.ReadRecord(a, b));  // 3 and "extra" are skipped
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 2);
  ASSERT_TRUE(in.ReadRecord(c, d, e));  // runs on into the next line
  EXPECT_EQ(c, 4);
  EXPECT_EQ(d, 5);
  EXPECT_EQ(e, 6);
  double x = 0, y = 0;
  ASSERT_TRUE(in.ReadRecord(x, y, f));  // blank lines are passed over
  EXPECT_DOUBLE_EQ(x, 750.0);
  EXPECT_DOUBLE_EQ(y, -0.8);
  EXPECT_EQ(f, 9);
  EXPECT_TRUE(in.ok());
}

TEST(FreeFormatReader, CrLfLinesAndTitle) {
  FreeFormatReader in("My wall, 3 m\r\n2\t0\r\n");
  std::string title;
  ASSERT_TRUE(in.ReadLine(title));
  EXPECT_EQ(title, "My wall, 3 m");
  int u = 0, n = 0;
  ASSERT_TRUE(in.ReadRecord(u, n));
  EXPECT_EQ(u, 2);
}

struct BadCase {
  const char* name;
  const char* text;
  bool want_int;
  const char* error;
  int line;
  bool at_end;
};

TEST(FreeFormatReader, RejectsBadValuesNamingTheLine) {
  // clang-format off
  const BadCase cases[] = {
      {"empty file",       "",               true,  "MISSING VALUE AT END OF FILE", 1, true},
      {"runs out",         "1\n",            true,  "MISSING VALUE AT END OF FILE", 2, true},
      {"real for integer", "x\n2.5\n",       true,  "INTEGER EXPECTED",             2, false},
      {"word for real",    "x\nabc\n",       false, "NUMBER EXPECTED",              2, false},
      {"nan is no number", "x\nnan\n",       false, "NUMBER EXPECTED",              2, false},
      {"inf is no number", "x\ninf\n",       false, "NUMBER EXPECTED",              2, false},
      {"huge integer",     "x\n3000000000\n",true,  "INTEGER OUT OF RANGE",         2, false},
      {"huge real",        "x\n1E999\n",     false, "NUMBER OUT OF RANGE",          2, false},
      {"binary bytes",     "x\n\x01\xff\x7f\n", true, "INTEGER EXPECTED",           2, false},
  };
  // clang-format on
  for (const BadCase& c : cases) {
    SCOPED_TRACE(c.name);
    FreeFormatReader in(c.text);
    std::string first;
    if (std::string(c.name) != "empty file" && std::string(c.name) != "runs out") {
      ASSERT_TRUE(in.ReadLine(first));
    }
    bool read;
    if (c.want_int) {
      int v = 0;
      read = in.ReadRecord(v);
      if (std::string(c.name) == "runs out") read = read && in.ReadRecord(v);
    } else {
      double v = 0;
      read = in.ReadRecord(v);
    }
    EXPECT_FALSE(read);
    EXPECT_EQ(in.error(), c.error);
    EXPECT_EQ(in.error_line(), c.line);
    EXPECT_EQ(in.at_end(), c.at_end);
    int later = 0;
    EXPECT_FALSE(in.ReadRecord(later)) << "the first error sticks";
  }
}

}  // namespace
}  // namespace kestra
