#include "station_model.h"

#include <gtest/gtest.h>

namespace kestra {
namespace {

class StationModelTest : public ::testing::Test {
 protected:
  void SetUp() override { m.Reset(40, 12.0); }

  int Add(RecordDistributor& d, int from, int to, int kont, double ei) {
    StationValues v;
    v.EI = ei;
    FillError e;
    const int k = d.Add(m, from, to, kont, v, e);
    EXPECT_EQ(e, FillError::None);
    return k;
  }
  double EI(int station) const { return m.EI[StationIndex(station)]; }

  StationModel m;
};

TEST_F(StationModelTest, SingleRangeHasHalfValuesAtItsEnds) {
  RecordDistributor d;
  EXPECT_EQ(Add(d, 0, 40, 0, 100.0), 1);
  EXPECT_DOUBLE_EQ(EI(0), 50.0);
  EXPECT_DOUBLE_EQ(EI(1), 100.0);
  EXPECT_DOUBLE_EQ(EI(39), 100.0);
  EXPECT_DOUBLE_EQ(EI(40), 50.0);
  EXPECT_DOUBLE_EQ(EI(41), 0.0);
}

TEST_F(StationModelTest, RangesMeetingAtAStationAddUp) {
  RecordDistributor d;
  Add(d, 0, 20, 0, 100.0);
  Add(d, 20, 40, 0, 300.0);
  EXPECT_DOUBLE_EQ(EI(20), 200.0);  // the mean of the two
  EXPECT_DOUBLE_EQ(EI(19), 100.0);
  EXPECT_DOUBLE_EQ(EI(21), 300.0);
}

TEST_F(StationModelTest, ContinuedRecordsVaryLinearly) {
  RecordDistributor d;
  EXPECT_EQ(Add(d, 0, 10, 1, 100.0), 2);
  EXPECT_DOUBLE_EQ(EI(5), 0.0) << "nothing distributed before the chain ends";
  EXPECT_EQ(Add(d, 99, 40, 0, 500.0), 3);  // its from-station is not used
  EXPECT_DOUBLE_EQ(EI(0), 50.0);
  EXPECT_DOUBLE_EQ(EI(10), 200.0);
  EXPECT_DOUBLE_EQ(EI(30), 400.0);
  EXPECT_DOUBLE_EQ(EI(40), 250.0);
}

TEST_F(StationModelTest, ChainOfThreeGivesFullValueAtTheLink) {
  RecordDistributor d;
  Add(d, 0, 0, 1, 100.0);
  EXPECT_EQ(Add(d, 0, 20, 1, 300.0), 4);
  EXPECT_EQ(Add(d, 0, 40, 0, 300.0), 3);
  EXPECT_DOUBLE_EQ(EI(10), 200.0);
  EXPECT_DOUBLE_EQ(EI(20), 300.0);
  EXPECT_DOUBLE_EQ(EI(40), 150.0);
}

TEST_F(StationModelTest, SingleStationGetsTheFullValue) {
  RecordDistributor d;
  Add(d, 7, 7, 0, 123.0);
  EXPECT_DOUBLE_EQ(EI(7), 123.0);
}

TEST_F(StationModelTest, ErrorsOfOrderAndRange) {
  StationValues v;
  v.EI = 1.0;
  FillError e;
  {
    RecordDistributor d;
    d.Add(m, 10, 12, 1, v, e);
    d.Add(m, 0, 5, 0, v, e);  // the chain would run upwards
    EXPECT_EQ(e, FillError::StationsNotInOrder);
  }
  {
    RecordDistributor d;
    d.Add(m, 0, 5000, 0, v, e);
    EXPECT_EQ(e, FillError::StationOutsideWall);
  }
  {
    RecordDistributor d;
    d.Add(m, -50, 3, 0, v, e);
    EXPECT_EQ(e, FillError::StationOutsideWall);
  }
}

TEST_F(StationModelTest, SpecifiedPointsSetCaseCodes) {
  int last = StationIndex(-1);
  EXPECT_EQ(AddSpecifiedPoint(m, 1, 0, 0.0, 0.0, last), FillError::None);
  EXPECT_EQ(AddSpecifiedPoint(m, 2, 10, 0.0, 0.5, last), FillError::None);
  EXPECT_EQ(AddSpecifiedPoint(m, 2, 10, 0.0, 0.5, last), FillError::None)
      << "two records at one station are accepted";
  EXPECT_EQ(AddSpecifiedPoint(m, 3, 40, 0.1, 0.2, last), FillError::None);
  EXPECT_EQ(m.KCASE[StationIndex(0)], kDeflectionSpecified);
  EXPECT_EQ(m.KCASE[StationIndex(9)], kBeforeSpecifiedSlope);
  EXPECT_EQ(m.KCASE[StationIndex(10)], kOrdinary);
  EXPECT_EQ(m.KCASE[StationIndex(11)], kAfterSpecifiedSlope);
  EXPECT_EQ(m.KCASE[StationIndex(39)], kBeforeSpecifiedSlope);
  EXPECT_EQ(m.KCASE[StationIndex(40)], kDeflectionAndSlope);
  EXPECT_EQ(m.KCASE[StationIndex(41)], kAfterSpecifiedSlope);
  EXPECT_EQ(m.specified_count, 4);
  EXPECT_EQ(AddSpecifiedPoint(m, 1, 39, 0.0, 0.0, last),
            FillError::StationsNotInOrder);
  int fresh = StationIndex(-1);
  EXPECT_EQ(AddSpecifiedPoint(m, 1, -2, 0.0, 0.0, fresh),
            FillError::StationsNotInOrder);
  EXPECT_EQ(AddSpecifiedPoint(m, 1, 43, 0.0, 0.0, fresh),
            FillError::StationOutsideWall);
}

TEST_F(StationModelTest, DataBeyondTheTip) {
  EXPECT_FALSE(HasDataBeyondTip(m));
  m.EI[StationIndex(41)] = 5.0;
  m.P[StationIndex(41)] = -5.0;  // values of opposite sign must not cancel
  EXPECT_TRUE(HasDataBeyondTip(m));
  m.Reset(40, 12.0);
  m.Q[StationIndex(42)] = 1.0;  // loads two below the tip never act
  EXPECT_FALSE(HasDataBeyondTip(m));
  m.S[StationIndex(41)] = 1.0;
  EXPECT_TRUE(HasDataBeyondTip(m));
}

}  // namespace
}  // namespace kestra
