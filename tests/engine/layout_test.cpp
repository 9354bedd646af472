#include "layout.h"

#include <gtest/gtest.h>

#include <charconv>
#include <climits>
#include <cmath>
#include <limits>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace kestra {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
const std::string k73Equals(73, '=');

using Values = std::vector<LayoutValue>;

struct Row {
  const char* layout;
  Values values;
  std::string expected;
};

std::string Describe(const Values& values) {
  std::string s = "{";
  for (const LayoutValue& v : values) {
    if (s.size() > 1) s += ", ";
    char buf[64];
    switch (v.kind()) {
      case LayoutValue::Kind::Int:
        s.append(buf, std::to_chars(buf, buf + 64, v.AsInt()).ptr);
        break;
      case LayoutValue::Kind::Real:
        s.append(buf, std::to_chars(buf, buf + 64, v.AsReal()).ptr);
        break;
      case LayoutValue::Kind::Text:
        s += '"';
        s += v.AsText();
        s += '"';
        break;
      case LayoutValue::Kind::Logical:
        s += v.AsLogical() ? "true" : "false";
        break;
    }
  }
  return s + "}";
}

std::string Written(const char* layout, const Values& values) {
  std::string out;
  Layout(layout).Write(out, values);
  return out;
}

void CheckRows(const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.layout) + " with " + Describe(row.values));
    try {
      EXPECT_EQ(Written(row.layout, row.values), row.expected);
    } catch (const std::exception& e) {
      ADD_FAILURE() << "threw: " << e.what();
    }
  }
}

TEST(LayoutTest, IntegerItems) {
  // clang-format off
  CheckRows({
      {"(I5)",   {42},        "   42\n"},
      {"(I5)",   {-42},       "  -42\n"},
      {"(I3)",   {-99},       "-99\n"},
      {"(I3)",   {1000},      "***\n"},
      {"(I3)",   {-100},      "***\n"},
      {"(I2.2)", {7},         "07\n"},
      {"(I5.3)", {-7},        " -007\n"},
      {"(I3.3)", {1234},      "***\n"},
      {"(I5.0)", {0},         "     \n"},
      {"(I0)",   {-1234},     "-1234\n"},
      {"(I0)",   {0},         "0\n"},
      {"(I20)",  {LLONG_MIN}, "-9223372036854775808\n"},
      {"(I19)",  {LLONG_MIN}, "*******************\n"},
      // Reals are rounded half away from zero.
      {"(I4)",   {2.5},       "   3\n"},
      {"(I4)",   {-2.5},      "  -3\n"},
      {"(I4)",   {2.4999},    "   2\n"},
      {"(I4)",   {-0.4},      "   0\n"},
      {"(I4)",   {true},      "   1\n"},
      {"(I4)",   {"ab"},      "****\n"},
      {"(I0)",   {"ab"},      "*\n"},
      {"(I4)",   {kNaN},      "****\n"},
      {"(I25)",  {1e19},      "*************************\n"},
  });
  // clang-format on
}

TEST(LayoutTest, FixedItems) {
  // clang-format off
  CheckRows({
      {"(F8.3)",  {3.14159},  "   3.142\n"},
      {"(F8.3)",  {-3.14159}, "  -3.142\n"},
      {"(F8.2)",  {12},       "   12.00\n"},
      {"(F25.1)", {1e20},     "  100000000000000000000.0\n"},
      {"(F8.3)",  {1e-20},    "   0.000\n"},
      // Exact ties go away from zero; near-ties follow the binary value.
      {"(F5.2)",  {0.125},    " 0.13\n"},
      {"(F5.2)",  {-0.125},   "-0.13\n"},
      {"(F5.2)",  {0.625},    " 0.63\n"},
      {"(F5.2)",  {2.675},    " 2.67\n"},
      {"(F5.2)",  {1.005},    " 1.00\n"},
      {"(F4.1)",  {9.25},     " 9.3\n"},
      {"(F4.0)",  {2.5},      "  3.\n"},
      {"(F4.0)",  {-0.5},     " -1.\n"},
      {"(F4.0)",  {0.4},      "  0.\n"},
      // Carries.
      {"(F3.0)",  {9.5},      "10.\n"},
      {"(F6.3)",  {9.9996},   "10.000\n"},
      {"(F5.3)",  {9.9996},   "*****\n"},
      // The zero before the point goes first when room is short.
      {"(F5.3)",  {0.5},      "0.500\n"},
      {"(F4.3)",  {0.5},      ".500\n"},
      {"(F5.3)",  {-0.5},     "-.500\n"},
      {"(F4.3)",  {-0.5},     "****\n"},
      {"(F3.0)",  {0.2},      " 0.\n"},
      {"(F1.0)",  {0.2},      "*\n"},
      // Negative values keep their sign after rounding to zero; -0.0 not.
      {"(F7.3)",  {-0.0004},  " -0.000\n"},
      {"(F5.3)",  {-0.0004},  "-.000\n"},
      {"(F7.3)",  {-0.0},     "  0.000\n"},
      {"(F10.2)", {1e300},    "**********\n"},
      {"(F0.2)",  {-3.14159}, "-3.14\n"},
      {"(F0.3)",  {0.5},      "0.500\n"},
      {"(F8.2)",  {"x"},      "********\n"},
      {"(F5.1)",  {kNaN},     "  NaN\n"},
      {"(F5.1)",  {kInf},     "  Inf\n"},
      {"(F5.1)",  {-kInf},    " -Inf\n"},
      {"(F2.0)",  {kNaN},     "**\n"},
  });
  // clang-format on
}

TEST(LayoutTest, ExponentItems) {
  // clang-format off
  CheckRows({
      {"(E10.3)", {1234.5},                 " 0.123E+04\n"},
      {"(E10.3)", {-1234.5},                "-0.123E+04\n"},
      {"(E10.3)", {0.0},                    " 0.000E+00\n"},
      {"(E10.3)", {-0.0},                   " 0.000E+00\n"},
      {"(E10.3)", {0.5},                    " 0.500E+00\n"},
      {"(E12.5)", {12},                     " 0.12000E+02\n"},
      {"(D10.3)", {1234.5},                 " 0.123D+04\n"},
      // Ties, also at positions left of the point, and carries.
      {"(E10.2)", {0.0625},                 "  0.63E-01\n"},
      {"(E10.2)", {125.0},                  "  0.13E+03\n"},
      {"(E10.1)", {250.0},                  "   0.3E+03\n"},
      {"(E10.3)", {0.00099996},             " 0.100E-02\n"},
      {"(E10.3)", {0.99996},                " 0.100E+01\n"},
      {"(E10.3)", {9.9996e98},              " 0.100+100\n"},
      // Dropping the zero, then asterisks.
      {"(E9.3)",  {1234.5},                 "0.123E+04\n"},
      {"(E8.3)",  {1234.5},                 ".123E+04\n"},
      {"(E9.3)",  {-1234.5},                "-.123E+04\n"},
      {"(E7.3)",  {1234.5},                 "*******\n"},
      // Exponents past two digits lose the letter.
      {"(E10.3)", {1.5e100},                " 0.150+101\n"},
      {"(E10.3)", {1e-100},                 " 0.100E-99\n"},
      {"(E10.3)", {1e-101},                 " 0.100-100\n"},
      {"(E10.3)", {5e-324},                 " 0.494-323\n"},
      {"(E10.3)", {1.7976931348623157e308}, " 0.180+309\n"},
      {"(E10.3)", {"x"},                    "**********\n"},
      {"(E10.3)", {kNaN},                   "       NaN\n"},
      {"(E10.3)", {-kInf},                  "      -Inf\n"},
      {"(E10.0)", {1.0},                    "**********\n"},
  });
  // clang-format on
}

TEST(LayoutTest, ScaleFactor) {
  // clang-format off
  CheckRows({
      {"(1P,E9.3)",           {1234.5},         "1.235E+03\n"},
      {"(1PE9.3)",            {1234.5},         "1.235E+03\n"},
      {"(1P,E9.3)",           {0.0},            "0.000E+00\n"},
      {"(1P,E9.3)",           {1e-4},           "1.000E-04\n"},
      {"(1P,E9.3)",           {9.99951},        "1.000E+01\n"},
      {"(1P,E10.3)",          {-1234.5},        "-1.235E+03\n"},
      {"(1P,E9.3)",           {-1234.5},        "*********\n"},
      {"(1P,D10.3)",          {1e-4},           " 1.000D-04\n"},
      {"(1P,E8.0)",           {1234.5},         "  1.E+03\n"},
      {"(1P,2E10.2)",         {1.5, 2.5},       "  1.50E+00  2.50E+00\n"},
      {"(1P,E10.3,0P,E10.3)", {1234.5, 1234.5}, " 1.235E+03 0.123E+04\n"},
      {"(2P,E10.3)",          {1234.5},         " 12.35E+02\n"},
      {"(-1P,E10.3)",         {1234.5},         " 0.012E+05\n"},
      {"(5P,E10.3)",          {1234.5},         "**********\n"},
      // F items ignore it.
      {"(1P,F8.3,E10.3)",     {1.5, 1.5},       "   1.500 1.500E+00\n"},
      // It stays in force when the layout starts over.
      {"(1P,(E10.3))",        {1234.5, 1.0},    " 1.235E+03\n 1.000E+00\n"},
  });
  // clang-format on
}

TEST(LayoutTest, LogicalAndTextItems) {
  // clang-format off
  CheckRows({
      {"(L3)",  {true},      "  T\n"},
      {"(L1)",  {false},     "F\n"},
      {"(2L2)", {5, 0},      " T F\n"},
      {"(L2)",  {0.0},       " F\n"},
      {"(L2)",  {"x"},       "**\n"},
      {"(A5)",  {"ab"},      "   ab\n"},
      {"(A3)",  {"abcdef"},  "abc\n"},
      {"(A3)",  {" IN"},     " IN\n"},
      {"(A)",   {"abc def"}, "abc def\n"},
      {"(A,A)", {"", "x"},   "x\n"},
      // Numbers as their shortest round-trip text.
      {"(A)",   {0.5},       "0.5\n"},
      {"(A)",   {123456.0},  "123456\n"},
      {"(A)",   {1e-20},     "1e-20\n"},
      {"(A)",   {-7},        "-7\n"},
      {"(A3)",  {1234567},   "123\n"},
      {"(A8)",  {0.1},       "     0.1\n"},
      {"(A)",   {true},      "T\n"},
      {"(A)",   {kNaN},      "NaN\n"},
  });
  // clang-format on
}

TEST(LayoutTest, TextsBlanksRepeatsAndGroups) {
  // clang-format off
  CheckRows({
      {"(5X,'A')",                {},               "     A\n"},
      {"(X,'A',X)",               {},               " A \n"},
      {"('S''        T')",        {},               "S'        T\n"},
      {"('''')",                  {},               "'\n"},
      {"('a\"b')",                {},               "a\"b\n"},
      {"\"say \"\"hi\"\"\"",      {},               "say \"hi\"\n"},
      {"(\"it's\")",              {},               "it's\n"},
      {"(73('='))",               {},               k73Equals + "\n"},
      {"(73'=')",                 {},               k73Equals + "\n"},
      {"(3I2)",                   {1, 2, 3},        " 1 2 3\n"},
      {"(2(1X,2(I2)))",           {1, 2, 3, 4},     "  1 2  3 4\n"},
      {"(2(I1,2('-')))",          {1, 2},           "1--2--\n"},
      {"( 2 X , ' a b ' , I 3 )", {7},              "   a b   7\n"},
      {"(i3,f6.2,1p,e10.2)",      {1, 1.5, 1234.5}, "  1  1.50  1.23E+03\n"},
  });
  // clang-format on
}

TEST(LayoutTest, Slashes) {
  // clang-format off
  CheckRows({
      {"()",                  {},  "\n"},
      {"",                    {},  "\n"},
      {"(/)",                 {},  "\n\n"},
      {"(//'X')",             {},  "\n\nX\n"},
      {"(/'X')",              {},  "\nX\n"},
      {"('A'/'B')",           {},  "A\nB\n"},
      {"('A',/,'B')",         {},  "A\nB\n"},
      {"('A'//'B')",          {},  "A\n\nB\n"},
      {"('X'/)",              {},  "X\n\n"},
      {"(3/'X')",             {},  "\n\n\nX\n"},
      {"(//6X,'***'/6X,'x')", {},  "\n\n      ***\n      x\n"},
      {"(I3/)",               {1}, "  1\n\n"},
      {"\"A\" // \"B\" /",    {},  "A\n\nB\n\n"},
  });
  // clang-format on
}

TEST(LayoutTest, ValuesRunningOutAndReversion) {
  // clang-format off
  CheckRows({
      {"('A',I3,'B',I3,'C')",  {},                    "A\n"},
      {"('A',I3,'B',I3,'C')",  {1},                   "A  1B\n"},
      {"('A',I3,'B',I3,'C')",  {1, 2},                "A  1B  2C\n"},
      {"('A',I3,/,'B',I3)",    {1},                   "A  1\nB\n"},
      {"(I3,/,I3)",            {1},                   "  1\n\n"},
      {"(3I3)",                {1, 2},                "  1  2\n"},
      {"('only text')",        {1, 2},                "only text\n"},
      {"(2I3)",                {1, 2, 3, 4},          "  1  2\n  3  4\n"},
      {"(2I3)",                {1, 2, 3},             "  1  2\n  3\n"},
      {"('x',I2,'y')",         {1, 2},                "x 1y\nx 2y\n"},
      {"(1X,'A',2(I2))",       {1, 2, 3, 4},          " A 1 2\n 3 4\n"},
      {"('T',3(I2))",          {1, 2, 3, 4},          "T 1 2 3\n 4\n"},
      {"('H',2(I2),'/',(I3))", {1, 2, 3, 4, 5},       "H 1 2/  3\n  4\n  5\n"},
      {"(I1,2(I1,(I1)))",      {1, 2, 3, 4, 5, 6, 7}, "12345\n67\n"},
      // No item taking a value after the last group: stop, don't loop.
      {"(I2,2())",             {1, 2},                " 1\n"},
  });
  // clang-format on
}

TEST(LayoutTest, ReportLines) {
  const Values numbers = {3,        0.0,  1.2345e-3, -2.5e-4,
                          123456.0, -0.5, 1e-20,     987654.321};
  EXPECT_EQ(Written("(2X,I4,2X,E10.3,6E12.3)", numbers),
            "     3   0.000E+00   0.123E-02  -0.250E-03   0.123E+06"
            "  -0.500E+00   0.100E-19   0.988E+06\n");
  EXPECT_EQ(
      Written("(6X,'DEFLECTION CLOSURE TOLERANCE                       = ',"
              "1P,E9.3,A3)",
              {1e-4, " IN"}),
      "      DEFLECTION CLOSURE TOLERANCE                       = "
      "1.000E-04 IN\n");
  EXPECT_EQ(Written("(15X,'Date:  January ',I2.2,', ',I4,5X,'Time:  ',I2.2,':',"
                    "I2.2,':',I2.2)",
                    {7, 2026, 9, 5, 0}),
            "               Date:  January 07, 2026     Time:  09:05:00\n");
  EXPECT_EQ(Written("(5X,73('=')//20X,'  KESTRA for Windows, Version ',A12)",
                    {"2015.5.16"}),
            "     " + k73Equals + "\n\n" +
                "                      KESTRA for Windows, Version "
                "   2015.5.16\n");
}

TEST(LayoutTest, BothNotationsWriteTheSame) {
  struct Pair {
    const char* parens;
    const char* blanks;
    Values values;
  };
  // clang-format off
  const std::vector<Pair> pairs = {
      {"(5X,73('=')//20X,'  KESTRA for Windows, Version ',A12)",
       "5X 73(\"=\") / / 20X \"  KESTRA for Windows, Version \" A12",
       {"2015.5.16"}},
      {"(5X,73('=')//20X,'x')",    "5X 73\"=\" // 20X \"x\"",  {}},
      {"(//6X,'***'/6X,'x')",      "//6X \"***\" / 6X \"x\"",  {}},
      {"(6X,'TOL = ',1P,E9.3,A3)", "6X \"TOL = \" 1P E9.3 A3", {1e-4, " IN"}},
      {"(2(1X,2(I2)),'''')",       "2( 1X 2(I2) ) \"'\"",      {1, 2, 3, 4}},
      {"(1X,'A',2(I2))",           "1X \"A\" 2(I2)",           {1, 2, 3, 4, 5}},
      {"('say \"hi\"')",           "\"say \"\"hi\"\"\"",       {}},
      {"(F6.2,E9.2,L2,I3.2)",      "F6.2 E9.2\tL2 I3.2",
       {0.5, -2.0, true, 4}},
  };
  // clang-format on
  for (const Pair& p : pairs) {
    SCOPED_TRACE(std::string(p.parens) + " vs " + p.blanks);
    std::string parens = Written(p.parens, p.values);
    EXPECT_EQ(parens, Written(p.blanks, p.values));
    EXPECT_GT(parens.size(), 1u);
  }
}

TEST(LayoutTest, InvalidLayoutsThrow) {
  const std::string deep = std::string(40, '(') + "I3" + std::string(40, ')');
  // clang-format off
  const char* bad[] = {
      "(I3",         "I3)",        "((I3)",      "(I3))",    "('abc)",
      "\"abc",       "(Q3)",       "(I)",        "(F8)",     "(F8.)",
      "(E10)",       "(E0.3)",     "(L)",        "(L0)",     "(A0)",
      "(I3.)",       "(I3.4)",     "(I3,,I4)",   "(,I3)",    "(I3,)",
      "I3 ,",        "(0X)",       "(0(I3))",    "(P,E9.3)", "(3)",
      "(-I3)",       "(I3) x",     "(T5)",       "(ES10.3)", "(I3 $)",
      "(1H1)",       "(I1001)",    "(99999999999I3)",
      "(100000(100000X))",         deep.c_str(),
  };
  // clang-format on
  for (const char* text : bad) {
    SCOPED_TRACE(text);
    EXPECT_THROW(Layout{text}, std::invalid_argument);
  }
  try {
    Layout layout("(I3,Q4)");
    ADD_FAILURE() << "no throw";
  } catch (const std::invalid_argument& e) {
    const std::string what = e.what();
    EXPECT_NE(what.find("(I3,Q4)"), std::string::npos) << what;
    EXPECT_NE(what.find("Q4"), what.find("(I3,Q4)")) << what;
  }
}

// Against a reference that rounds the exact decimal expansion, which
// to_chars gives in full at a precision past the longest (767 digits).
std::string ReferenceFixed(double x, int d) {
  std::string exact(1500, '\0');
  auto r = std::to_chars(exact.data(), exact.data() + exact.size(),
                         std::fabs(x), std::chars_format::fixed, 1100);
  exact.resize(std::size_t(r.ptr - exact.data()));
  std::size_t point = exact.find('.');
  std::string kept = exact.substr(0, point + 1 + std::size_t(d));
  if (exact[point + 1 + std::size_t(d)] >= '5') {
    std::size_t k = kept.size();
    while (k-- > 0) {
      if (kept[k] == '.') continue;
      if (kept[k] != '9') {
        ++kept[k];
        break;
      }
      kept[k] = '0';
      if (k == 0) kept.insert(kept.begin(), '1');
    }
  }
  return (x < 0 ? "-" : "") + kept;
}

std::string ReferenceExp(double x, int d) {
  std::string exact(1000, '\0');
  auto r = std::to_chars(exact.data(), exact.data() + exact.size(),
                         std::fabs(x), std::chars_format::scientific, 800);
  exact.resize(std::size_t(r.ptr - exact.data()));
  std::string digits = exact.substr(0, 1) + exact.substr(2, 799);
  int exp10 = std::stoi(exact.substr(exact.find('e') + 1));
  std::string kept = digits.substr(0, std::size_t(d));
  if (digits[std::size_t(d)] >= '5') {
    std::size_t k = kept.size();
    while (k-- > 0 && kept[k] == '9') kept[k] = '0';
    if (k == std::size_t(-1)) {
      kept = "1" + kept.substr(0, kept.size() - 1);
      ++exp10;
    } else {
      ++kept[k];
    }
  }
  int e = exp10 + 1;
  std::string exp = std::to_string(std::abs(e));
  if (exp.size() < 2) exp = "0" + exp;
  return std::string(x < 0 ? "-" : "") + "0." + kept + "E" +
         (e < 0 ? "-" : "+") + exp;
}

std::string Trimmed(std::string s) {
  s.erase(0, s.find_first_not_of(' '));
  if (!s.empty() && s.back() == '\n') s.pop_back();
  return s;
}

TEST(LayoutTest, RoundingMatchesExactExpansion) {
  std::mt19937_64 rng(20260107);
  std::vector<double> xs;
  for (int k = 0; k < 4000; ++k) {
    // Random mantissas over a spread of magnitudes.
    double m = double(rng() >> 11) / double(std::uint64_t{1} << 53);
    int e = int(rng() % 90) - 45;
    xs.push_back(std::ldexp(m, e) * ((rng() & 1) ? -1 : 1));
    // Values with few bits, many of them exact ties.
    int bits = int(rng() % 12) + 1;
    double tie = double(rng() % (std::uint64_t{1} << 16)) /
                 double(std::uint64_t{1} << bits);
    xs.push_back(tie * std::pow(10.0, int(rng() % 9)));
    // Decimal-looking values such as an engineer types.
    xs.push_back(double(std::int64_t(rng() % 2000000) - 1000000) / 1000.0);
  }
  for (double x : xs) {
    for (int d = 0; d <= 6; ++d) {
      std::string layout = "(F60." + std::to_string(d) + ")";
      ASSERT_EQ(Trimmed(Written(layout.c_str(), {x})), ReferenceFixed(x, d))
          << layout << " of " << Describe({x});
    }
    if (x == 0) continue;
    for (int d = 1; d <= 8; ++d) {
      std::string layout = "(E40." + std::to_string(d) + ")";
      ASSERT_EQ(Trimmed(Written(layout.c_str(), {x})), ReferenceExp(x, d))
          << layout << " of " << Describe({x});
    }
  }
}

TEST(LayoutTest, ReuseMoveAndConvenienceCalls) {
  Layout row("(I3,F6.2)");
  EXPECT_EQ(row.Format({1, 0.5}), "  1  0.50\n");
  EXPECT_EQ(row.Format({2, 1.5}), "  2  1.50\n");

  std::string out = "kept\n";
  const Values values = {3, 2.25};
  row.Write(out, values);
  EXPECT_EQ(out, "kept\n  3  2.25\n");

  Layout moved = std::move(row);
  EXPECT_EQ(moved.Format({4, 0.0}), "  4  0.00\n");
  // A moved-from layout writes an empty line instead of looping.
  EXPECT_EQ(row.Format({1, 2.0}), "\n");  // NOLINT(bugprone-use-after-move)
  Layout assigned("()");
  assigned = std::move(moved);
  EXPECT_EQ(assigned.Format({5, -1.0}), "  5 -1.00\n");

  EXPECT_EQ(FormatLayout("('N =',I2)", {7}), "N = 7\n");
  std::ostringstream os;
  WriteLayout(os, "A \"=\" I2", {"x", 12});
  EXPECT_EQ(os.str(), "x=12\n");
}

// Garbled layout text must either be refused or written without harm.
TEST(LayoutTest, ArbitraryTextNeverMisbehaves) {
  const std::string chars = "()'\"/,.XIFEDLAPx0123456789 -+";
  const std::vector<std::string> tokens = {
      "I3", "I0", "I2.2", "F8.3", "F0.1", "E10.3", "D9.2", "1P",  "-1P",
      "0P", "A",  "A3",   "L2",   "X",    "3X",    "/",    "'x'", "\"y\"",
      "2(", "(",  ")",    ",",    " ",    "9",     "."};
  std::mt19937 rng(7);
  const Values values = {1, -2.5, "text", true, 1e300, 0.0, -7, 5e-324};
  int written = 0;
  for (int k = 0; k < 30000; ++k) {
    std::string text = k % 2 ? "(" : "";
    for (int n = int(rng() % 24); n > 0; --n) {
      if (k % 4 < 2) {
        text += chars[rng() % chars.size()];
      } else {
        text += tokens[rng() % tokens.size()];
      }
    }
    if (k % 2) text += ')';
    try {
      Layout layout(text);
      std::string out;
      layout.Write(out, values);
      ASSERT_FALSE(out.empty()) << text;
      ASSERT_EQ(out.back(), '\n') << text;
      ++written;
    } catch (const std::invalid_argument&) {
    }
  }
  EXPECT_GT(written, 1000);  // the text above must reach the writer often
}

}  // namespace
}  // namespace kestra
