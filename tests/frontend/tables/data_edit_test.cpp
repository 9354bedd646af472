#include "data_edit.h"

#include <gtest/gtest.h>

#include <limits>

namespace kestra {
namespace {

struct ExitCase {
  const char* name;
  const char* typed;
  bool integer_only;
  Extended min;
  Extended max;
  EntryProblem problem;
  const char* message;
  const char* text_after;
};

TEST(TDataEditModel, ExitCheck) {
  const Extended kMax = std::numeric_limits<Extended>::max();
  // clang-format off
  const ExitCase cases[] = {
      {"expression replaced", "3*4",  false, -kMax, kMax, EntryProblem::kNone,         "",                                            "12"},
      {"below the minimum",   "-5",   false, 0,     kMax, EntryProblem::kBelowMinimum, "Entry must be greater than or equal to 0",    "0"},
      {"above the maximum",   "11",   false, 0,     10.5L,EntryProblem::kAboveMaximum, "Entry must be less than or equal to 10.5",    "10.5"},
      {"at the limits",       "10",   true,  10,    10,   EntryProblem::kNone,         "",                                            "10"},
      {"not whole",           "2.5",  true,  -kMax, kMax, EntryProblem::kNotInteger,   "Entry must be an integer.",                   "2.5"},
      {"not an integer text", "abc",  true,  -kMax, kMax, EntryProblem::kNotANumber,   "Entry must be a valid integer.",              "abc"},
      {"not a number",        "2+",   false, -kMax, kMax, EntryProblem::kNotANumber,   "Entry could not be evaluated:\rinvalid expression", "2+"},
      {"arithmetic",          "1/0",  true,  -kMax, kMax, EntryProblem::kArithmetic,   "Division by zero",                            "1/0"},
  };
  // clang-format on
  for (const ExitCase& c : cases) {
    SCOPED_TRACE(c.name);
    TDataEditModel field;
    field.SetIntegerOnly(c.integer_only);
    field.SetMaxVal(c.max);
    field.SetMinVal(c.min);
    field.SetText(c.typed);
    int exits = 0;
    field.OnExit = [&exits] { ++exits; };
    EntryCheck check = field.CheckEntry();
    EXPECT_EQ(check.problem, c.problem);
    EXPECT_EQ(check.message, c.message);
    EXPECT_EQ(field.Text(), c.text_after);
    EXPECT_EQ(field.EntryValid(), c.problem == EntryProblem::kNone);
    EXPECT_EQ(exits, 1);
  }
}

TEST(TDataEditModel, CorrectedLimitStillCountsAsInvalidUntilCheckedAgain) {
  TDataEditModel field;
  field.SetMinVal(0);
  field.SetText("-5");
  EXPECT_FALSE(field.CheckEntry().valid());
  EXPECT_FALSE(field.EntryValid());
  EXPECT_TRUE(field.CheckEntry().valid());
  EXPECT_TRUE(field.EntryValid());
}

TEST(TDataEditModel, LimitThatNeedsMoreThan18DigitsCanBeLeft) {
  // Set to a limit, the field must pass its next check.
  TDataEditModel field;
  field.SetMaxVal(2.0L / 3);
  field.SetText("1");
  EXPECT_EQ(field.CheckEntry().problem, EntryProblem::kAboveMaximum);
  EXPECT_TRUE(field.CheckEntry().valid());
  EXPECT_EQ(field.Number(), 2.0L / 3);
}

TEST(TDataEditModel, NumberIsClampedAndWrittenIn18Digits) {
  TDataEditModel field;
  EXPECT_EQ(field.Text(), "0");
  field.SetMinVal(-1);
  field.SetMaxVal(100);
  field.SetNumber(1e6L);
  EXPECT_EQ(field.Text(), "100");
  field.SetNumber(0.1L);
  EXPECT_EQ(field.Text(), "0.1");
  field.SetNumber(1.0L / 7);
  EXPECT_EQ(field.Number(), 1.0L / 7);
  field.SetText("oops");
  EXPECT_THROW(field.Number(), EAssignError);
  EXPECT_FALSE(field.TryNumber());
}

TEST(TDataEditModel, MovingALimitPastTheValueMovesTheValue) {
  TDataEditModel field;
  field.SetNumber(50);
  field.SetMaxVal(20);
  EXPECT_EQ(field.Text(), "20");
  field.SetMinVal(30);  // above the maximum: lowered to it
  EXPECT_EQ(field.MinVal(), 20);
  field.SetMaxVal(5);  // below the minimum: raised to it
  EXPECT_EQ(field.MaxVal(), 20);
}

TEST(TDataEditModel, IntegerOnlyKeepsLimitsIn32Bits) {
  TDataEditModel field;
  field.SetIntegerOnly(true);
  EXPECT_EQ(field.MinVal(), -2147483648.0L);
  EXPECT_EQ(field.MaxVal(), 2147483647.0L);
  field.SetMaxVal(1e12L);
  EXPECT_EQ(field.MaxVal(), 2147483647.0L);
}

TEST(TDataEditModel, LoadingStoresValuesAsGiven) {
  TDataEditModel field;
  field.BeginLoading();
  field.SetMaxVal(10);
  field.SetMinVal(20);
  field.SetNumber(99);
  field.SetIntegerOnly(true);
  field.EndLoading();
  EXPECT_EQ(field.MinVal(), 20);
  EXPECT_EQ(field.MaxVal(), 10);
  EXPECT_EQ(field.Text(), "99");
}

TEST(TDataEditModel, LabelShowsUnitsInTheFieldForm) {
  TDataEditModel field;
  int refreshes = 0;
  field.OnLabelChanged = [&refreshes] { ++refreshes; };
  field.SetCaption("Unit weight");
  EXPECT_EQ(field.LabelText(), "Unit weight");
  field.SetUnitsString("F/L2^3");
  EXPECT_EQ(field.LabelText(), "Unit weight (lbs/ft^3)");
  field.SetUnits(2);
  EXPECT_EQ(field.LabelText(), "Unit weight (kN/m^3)");
  field.SetUnits(5);
  EXPECT_EQ(field.Units(), 3);
  EXPECT_EQ(field.LabelText(), "Unit weight (F/L2^3)");
  field.SetUnits(0);
  EXPECT_EQ(field.Units(), 1);
  field.SetEnabled(false);
  EXPECT_EQ(refreshes, 6);
}

TEST(TDataEditModel, OperatorKeysExtendTheValue) {
  for (char key : std::string("+-/*^=%!")) {
    EXPECT_TRUE(TDataEditModel::ExtendsValue(key)) << key;
  }
  for (char key : std::string("07.e( \0", 7)) {
    EXPECT_FALSE(TDataEditModel::ExtendsValue(key)) << int(key);
  }
}

}  // namespace
}  // namespace kestra
