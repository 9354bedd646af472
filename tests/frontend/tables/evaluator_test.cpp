#include "evaluator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace kestra {
namespace {

struct ValueCase {
  const char* text;
  Extended want;
};

TEST(EvaluateEntry, ComputesExpressions) {
  const Extended pi = std::numbers::pi_v<Extended>;
  // clang-format off
  const ValueCase cases[] = {
      {"2*3+4",          10},
      {"2+3*4",          14},
      {"2^3^2",          64},     // left to right
      {"-2^2",           4},      // the minus belongs to the number
      {"10/4",           2.5L},
      {"10/4/5",         0.5L},
      {"7.9%2",          1},
      {"-7%3",           -1},
      {"1&0",            0},
      {"0&5",            0},
      {"0|3",            1},
      {"0|0",            0},
      {"1|junk",         1},      // the right side is not looked at
      {"3=3",            1},
      {"2=3",            0},
      {"1+2=3",          1},      // = binds last
      {"sin(pi/2)",      1},
      {"sqrt(16)+2",     6},
      {"4!",             24},
      {"0!",             1},
      {"(-3)!",          -6},
      {"sqrt4!",         std::sqrt(24.0L)},
      {"$ff",            255},
      {"$7FFFFFFF",      2147483647},
      {"PI",             pi},
      {"-pi",            -pi},
      {"-E",             -std::numbers::e_v<Extended>},
      {"Sqrt(4)",        2},
      {"sqrt(abs(-4))",  2},
      {"1e-3*2",         0.002L},
      {"2E3",            2000},
      {"5--3",           8},
      {"--3",            3},
      {"5---3",          2},
      {"2*-3",           -6},
      {" 1 +\t2 ",       3},
      {"((1+2)*(3+4))",  21},
      {"2(3)",           23},     // a group is replaced by its value
      {"sin(-0.5)*2",    2 * std::sin(-0.5L)},
      {"2*sin(-0.5)",    2 * std::sin(-0.5L)},
      {"-sin(0.5)",      -std::sin(0.5L)},
      {"round(2.5)",     2},
      {"round(3.5)",     4},
      {"round(-2.5)",    -2},
      {"frac(-2.75)",    -0.75L},
      {"int(-2.75)",     -2},
      {"ceil(-2.5)",     -2},
      {"floor(-2.5)",    -3},
      {"log(1000)",      3},
      {"ln(e)",          1},
      {"cosec(pi/2)",    1},
      {"csc(pi/2)",      1},
      {"sec(0)",         1},
      {"cotan(pi/4)",    1},
      {"arctanh(0)",     0},
      {"arccosh(1)",     0},
      {"sinh(0)+cosh(0)",1},
      {"150/144",        150.0L / 144},
      {".5+5.",          5.5L},
  };
  // clang-format on
  for (const ValueCase& c : cases) {
    SCOPED_TRACE(std::string("entry \"") + c.text + "\"");
    EntryEvaluation e = TryEvaluateEntry(c.text);
    ASSERT_TRUE(e.ok()) << EntryFaultMessage(e.fault);
    EXPECT_NEAR(static_cast<double>(e.value), static_cast<double>(c.want),
                1e-15 * std::max(1.0, std::fabs(static_cast<double>(c.want))));
  }
}

TEST(EvaluateEntry, IntermediateResultsKeepFullPrecision) {
  // Groups and reductions go through text; nothing may be lost on the way.
  const Extended third = 1.0L / 3;
  EXPECT_EQ(EvaluateEntry("(1/3)"), third);
  EXPECT_EQ(EvaluateEntry("(1/3)*3-1"), third * 3 - 1);
  EXPECT_EQ(EvaluateEntry("sqrt(2)"), std::sqrt(2.0L));
  EXPECT_EQ(EvaluateEntry("(1e20)*2"), 2e20L);
  EXPECT_EQ(EvaluateEntry("(1e-7)*(1e-7)"), 1e-7L * 1e-7L);
  EXPECT_EQ(EvaluateEntry("(0-1e-7)*2"), -2e-7L);
}

struct FaultCase {
  const char* text;
  EntryFault fault;
};

TEST(EvaluateEntry, RejectsWithTheReason) {
  // clang-format off
  const FaultCase cases[] = {
      {"",            EntryFault::kBlank},
      {"()",          EntryFault::kBlank},
      {"2*( )",       EntryFault::kBlank},
      {"   ",         EntryFault::kInvalidExpression},
      {"2+",          EntryFault::kInvalidExpression},
      {"*",           EntryFault::kInvalidExpression},
      {"(2+3",        EntryFault::kInvalidCharacters},
      {"2x",          EntryFault::kInvalidCharacters},
      {"+3",          EntryFault::kInvalidCharacters},
      {"2*+3",        EntryFault::kInvalidCharacters},
      {"1e+5",        EntryFault::kInvalidCharacters},   // + is an operator
      {"sqrt",        EntryFault::kInvalidCharacters},
      {"1..2",        EntryFault::kInvalidCharacters},
      {"1e",          EntryFault::kInvalidCharacters},
      {"inf",         EntryFault::kInvalidCharacters},
      {"nan",         EntryFault::kInvalidCharacters},
      {"1,5",         EntryFault::kInvalidCharacters},   // "." always
      {"-$ff",        EntryFault::kInvalidCharacters},
      {"2+3)",        EntryFault::kParentheses},
      {")(",          EntryFault::kParentheses},
      {"2.5!",        EntryFault::kFactorial},
      {"$g",          EntryFault::kInvalidHex},
      {"$",           EntryFault::kInvalidHex},
      {"$80000000",   EntryFault::kInvalidHex},
      {"$-1",         EntryFault::kInvalidHex},
      {"1/0",         EntryFault::kDivisionByZero},
      {"1/(1-1)",     EntryFault::kDivisionByZero},
      {"5%0.5",       EntryFault::kDivisionByZero},
      {"0^-1",        EntryFault::kDivisionByZero},
      {"cotan(0)",    EntryFault::kDivisionByZero},
      {"sqrt(-1)",    EntryFault::kInvalidOperation},
      {"ln(0)",       EntryFault::kInvalidOperation},
      {"log(-1)",     EntryFault::kInvalidOperation},
      {"arcsin(2)",   EntryFault::kInvalidOperation},
      {"arctanh(1)",  EntryFault::kInvalidOperation},
      {"(-8)^(1/3)",  EntryFault::kInvalidOperation},
      {"1e30%3",      EntryFault::kInvalidOperation},
      {"1e5000",      EntryFault::kOverflow},
      {"1e4000*1e4000", EntryFault::kOverflow},
      {"2000!",       EntryFault::kOverflow},
      {"1e18!",       EntryFault::kOverflow},            // and ends quickly
      {"sinh(1e5)",   EntryFault::kOverflow},
  };
  // clang-format on
  for (const FaultCase& c : cases) {
    SCOPED_TRACE(std::string("entry \"") + c.text + "\"");
    EXPECT_EQ(TryEvaluateEntry(c.text).fault, c.fault);
  }
}

TEST(EvaluateEntry, ThrowsAssignErrorWithTheMessage) {
  try {
    EvaluateEntry("2+3)");
    FAIL() << "no error";
  } catch (const EAssignError& e) {
    EXPECT_STREQ(
        e.what(),
        "Entry could not be evaluated:\r() (parentheses) do not match");
    EXPECT_EQ(e.fault(), EntryFault::kParentheses);
  }
  EXPECT_EQ(EntryFaultMessage(EntryFault::kFactorial),
            "Entry could not be evaluated:\r! (factoral) applicable to "
            "integers only");
  EXPECT_EQ(EntryFaultMessage(EntryFault::kBlank),
            "Entry could not be evaluated:\rentry cannot be blank");
  EXPECT_THROW(EvaluateEntry("1/0"), EAssignError);
}

TEST(EvaluateEntry, UnderflowReadsAsZero) {
  EXPECT_EQ(EvaluateEntry("1e-6000"), 0);
  EXPECT_EQ(EvaluateEntry("1e-5000*2+1"), 1);
}

TEST(EvaluateEntry, DeepNestingNeitherRecursesNorHangs) {
  std::string nested;
  for (int i = 0; i < 2000; ++i) nested += "abs";
  EXPECT_EQ(EvaluateEntry(nested + "(-4)"), 4);
  EXPECT_EQ(
      EvaluateEntry(std::string(5000, '(') + "1" + std::string(5000, ')')), 1);
  // 3!!! is (720!)!, far beyond the extended range.
  EXPECT_EQ(TryEvaluateEntry("3" + std::string(3000, '!')).fault,
            EntryFault::kOverflow);
}

}  // namespace
}  // namespace kestra
