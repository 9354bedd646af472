#include "input_file_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "../../engine/test_support.h"
#include "input_file_writer.h"
#include "input_tables.h"
#include "program_data.h"
#include "sample_projects.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;

class ReaderTest : public ::testing::Test {
 protected:
  // Reads `text` as a file of `kind`.
  TReadResult Read(const std::string& text,
                   InputFileKind kind = InputFileKind::kCurrent) {
    const fs::path file = folder.path() / "Read.ks5d";
    test::WriteText(file, text);
    return ReadInputFile(file.string(), kind, tables);
  }

  kestra::test::TempFolder folder;
  InputTables tables;
};

TEST_F(ReaderTest, WrittenReadAndWrittenAgainIsTheSameFile) {
  for (int units : {1, 2, 3}) {
    for (bool everything : {false, true}) {
      InputTables built_tables;
      TProgramData built(built_tables);
      built.SetUnits(units);
      if (everything) {
        test::BuildEverything(built);
      } else {
        test::BuildCantilever(built);
      }
      const std::string first = InputFileText(built);
      TReadResult read = Read(first);
      EXPECT_EQ(read.message, "") << "units " << units;
      EXPECT_EQ(InputFileText(*read.data), first)
          << "units " << units << (everything ? ", everything" : "");
    }
  }
}

TEST_F(ReaderTest, OldWaterWeightInPlaceOfTheFactorBecomesOne) {
  InputTables built_tables;
  TProgramData built(built_tables);
  test::BuildCantilever(built);
  built.ActivePressureFactor = 0.036L;
  const std::string first = InputFileText(built);
  TReadResult read = Read(first);
  EXPECT_EQ(read.data->ActivePressureFactor, 1);
  std::string expected = first;
  expected.replace(expected.find("\t0.036\t"), 7, "\t1\t");
  EXPECT_EQ(InputFileText(*read.data), expected);
}

TEST_F(ReaderTest, ShowsValuesInTheTablesUnits) {
  InputTables built_tables;
  TProgramData built(built_tables);
  test::BuildCantilever(built);
  TReadResult read = Read(InputFileText(built));
  TProgramData& d = *read.data;
  EXPECT_EQ(d.Title, "Cantilevered sheet-pile wall in sand");
  EXPECT_EQ(tables.NewSoil.CellText(1, 0), "40");
  EXPECT_EQ(tables.NewSoil.SubTable(2, 0)->CellText(0, 1), "120");
  EXPECT_EQ(d.WidthActive, 12);
  EXPECT_EQ(d.PressureDistribution, 2);
  EXPECT_EQ(d.GeneratePYCurves, 1);
  EXPECT_FALSE(d.ApplyTiebacks);
  EXPECT_EQ(tables.PYMod.RowCount(), 2) << "padded to the minimum";
}

TEST_F(ReaderTest, GeneratedPressureIsKeptWithoutPYGeneration) {
  TReadResult read = Read(
      "Kept\r\n1 0\t1\t0\t3\t0 0 1 0 0\r\n10 6\t10\t0.00001\t24\t12\r\n"
      "0\t10\t1\t1000\r\n0\r\n0\r\n24\t12\t12\t0\t0\t1\t1\t0\r\n"
      "0\t0\t0\t0\t0\t0\r\n0\r\n1\r\n4 120 \r\n"
      "0.07 0.0  30 0.0  90 0 \r\n0.07 0.0  30 0.0  90 0 \r\n0\r\n");
  TProgramData& d = *read.data;
  EXPECT_EQ(read.message, "");
  EXPECT_EQ(d.KeepGeneratedPressure, 1);
  EXPECT_EQ(d.GeneratePYCurves, 0);
  EXPECT_EQ(tables.NewSoil.CellText(1, 0), "10");
  const std::string again = InputFileText(d);
  EXPECT_NE(again.find("\r\n4 120 \r\n"), std::string::npos);
}

TEST_F(ReaderTest, TiebackLineWithSixValuesKeepsTheDefaultForce) {
  TReadResult read = Read(
      "Tie\r\n2 0\t1\t0\t0\t0 0 1 0 2\r\n10 1\t10\t0.00001\t2\t1\r\n"
      "0\t10\t1\t1000\r\n0\r\n0\r\n"
      "1\t0.0015\t2E8\t6\t15\t2.5\r\n2\t0.001\t2E8\t6\t15\t2.5\t80\r\n0\r\n");
  EXPECT_EQ(read.message, "");
  const TGridTable& t = tables.TiebackTable1;
  EXPECT_EQ(t.CellText(1, 0), "1500");
  EXPECT_EQ(t.CellText(6, 0), "0");
  EXPECT_EQ(t.CellText(0, 1), "2");
  EXPECT_EQ(t.CellText(6, 1), "80");
  EXPECT_TRUE(read.data->ApplyTiebacks);
}

TEST_F(ReaderTest, OlderKindsAreConverted) {
  {
    InputTables t;
    TReadResult r = ReadInputFile(test::DataFile("previous.ks4d").string(),
                                  InputFileKind::kPrevious, t);
    EXPECT_EQ(r.message, "");
    EXPECT_EQ(r.data->ActivePressureFactor, 1) << "0.036 in the factor";
    EXPECT_EQ(r.data->WidthActive, 12);
    EXPECT_EQ(t.SurchargeTable.CellText(1, 0), "100");
    EXPECT_TRUE(r.data->ApplySurcharge);
    EXPECT_EQ(t.NewSoil.SubTable(2, 0)->CellText(0, 0), "120");
    EXPECT_FALSE(r.data->FormatHasTiebacks);
  }
  {
    InputTables t;
    TReadResult r = ReadInputFile(test::DataFile("older.ksd").string(),
                                  InputFileKind::kOlder, t);
    EXPECT_EQ(r.message, "");
    // The single legacy surcharge becomes a point, a line and a strip load.
    ASSERT_EQ(t.SurchargeTable.RowCount(), 3);
    for (int row = 0; row < 3; ++row) {
      EXPECT_EQ(*t.SurchargeTable.CellInteger(0, row), row + 1);
      EXPECT_EQ(t.SurchargeTable.CellText(2, row), "5");
      EXPECT_EQ(t.SurchargeTable.CellText(3, row), "24");
    }
    EXPECT_EQ(t.SurchargeTable.CellText(1, 2), "10");
    EXPECT_EQ(t.NewSoil.CellText(1, 0), "20") << "240 in";
    EXPECT_EQ(t.NewSoil.SubTable(2, 0)->CellText(1, 0), "7.2") << "0.05 psi";
    EXPECT_EQ(t.PYCurves2.CellText(2, 0), "1") << "multipliers default";
    EXPECT_EQ(t.PYCurves2.SubTable(1, 0)->CellText(1, 1), "-100");
  }
  {
    InputTables t;
    TReadResult r = ReadInputFile(test::DataFile("oldest.ksd").string(),
                                  InputFileKind::kOldest, t);
    EXPECT_EQ(r.message, "");
    ASSERT_EQ(t.NewSoil.RowCount(), 3);
    for (int row = 0; row < 3; ++row) {
      EXPECT_EQ(t.NewSoil.CellText(1, row), std::to_string(10 * (row + 1)));
    }
    const TGridTable& clay = *t.NewSoil.SubTable(2, 1);
    EXPECT_EQ(clay.CellText(1, 0), "500");
    EXPECT_EQ(clay.CellText(1, 1), "500");
    EXPECT_EQ(clay.CellText(2, 1), "0.01");
    EXPECT_EQ(t.NewSoil.SubTable(2, 0)->CellText(1, 0), "30");
  }
}

TEST_F(ReaderTest, LegacySurchargeInSIGoesToTheMillimetreColumns) {
  TReadResult r = Read(
      "SI\r\n2 0\t1\t0\t2\t2 0 1\r\n10 0.5\t0.1\t0.00001\t2\r\n0\t10\t1\t1000\r\n"
      "0\r\n0\r\n2\t1\t1\t10\t10\t1\t0\t0\r\n0\t1.5\t10\t5\t2\t0.5\r\n"
      "1\r\n4 5 \r\n18 0.0  30 0.0  20000 0 \r\n18 0.0  30 0.0  20000 0 \r\n0\r\n",
      InputFileKind::kOlder);
  EXPECT_EQ(r.message, "");
  EXPECT_EQ(tables.SurchargeTable.CellText(2, 0), "1500");
  EXPECT_EQ(tables.SurchargeTable.CellText(3, 2), "500");
}

TEST_F(ReaderTest, BadContentStopsWithTheMessageAndKeepsWhatWasRead) {
  const std::string head = "T\r\n1 0\t1\t0\t2\t2 0 1 0 0\r\n";
  struct Row {
    std::string text;
    const char* message;
  };
  // clang-format off
  const Row rows[] = {
      {head + "2.5 6\t10\t0.00001\t120\t12\r\n", "Error on Line 3 Item 1\rAn integer was expected but not found."},
      {head + "60 abc\t10\t0.00001\t120\t12\r\n", "Error on Line 3 Item 2\rA floating point number was expected but not found."},
      {head + "60 6\t10\t0.00001\t120\t12\r\n",   "This file either invalid or incomplete."},
      {"",                                       "This file either invalid or incomplete."},
  };
  // clang-format on
  for (const Row& r : rows) {
    InputTables t;
    const fs::path file = folder.path() / "Bad.ks5d";
    test::WriteText(file, r.text);
    TReadResult read = ReadInputFile(file.string(), InputFileKind::kCurrent, t);
    EXPECT_EQ(read.message, r.message) << r.text;
    for (TGridTable* table : t.TopLevelTables()) {
      EXPECT_GE(table->RowCount(), table->MinRows()) << table->Caption();
    }
  }
  InputTables t;
  TReadResult missing = ReadInputFile((folder.path() / "none.ks5d").string(),
                                      InputFileKind::kCurrent, t);
  EXPECT_NE(missing.message.find("none.ks5d"), std::string::npos);
}

TEST_F(ReaderTest, HostileCountsAreRefusedBeforeAnyTableIsSized) {
  const std::string head = "T\r\n1 0\t1\t0\t2\t2 0 1 0 ";
  struct Row {
    const char* name;
    std::string text;
  };
  // clang-format off
  const Row rows[] = {
      {"huge tieback count",   head + "2000000000\r\n"},
      {"negative stiffness",   "T\r\n1 0\t-5\t0\t2\t2 0 1 0 0\r\n"},
      {"huge load count",      head + "0\r\n1 1\t1\t1\t1\t1\r\n0\t1\t1\t1\r\n2147483647\r\n"},
      {"huge layer count",     head + "0\r\n1 1\t1\t1\t1\t1\r\n0\t1\t1\t1\r\n0\r\n0\r\n"
                                      "1\t1\t1\t1\t1\t1\t1\t1\r\n0\t0\t0\t0\t0\t0\r\n0\r\n99999999\r\n"},
      {"soil type 9",          head + "0\r\n1 1\t1\t1\t1\t1\r\n0\t1\t1\t1\r\n0\r\n0\r\n"
                                      "1\t1\t1\t1\t1\t1\t1\t1\r\n0\t0\t0\t0\t0\t0\r\n0\r\n1\r\n9 1\r\n"
                                      "1 1 1 1 1 1\r\n1 1 1 1 1 1\r\n0\r\n"},
      {"huge point count",     "T\r\n1 0\t1\t0\t0\t1 1 1 0 0\r\n1 1\t1\t1\t1\t1\r\n0\t1\t1\t1\r\n"
                               "0\r\n0\r\n5\t1000000000\t1\t1\r\n"},
  };
  // clang-format on
  for (const Row& r : rows) {
    InputTables t;
    const fs::path file = folder.path() / "Hostile.ks5d";
    test::WriteText(file, r.text);
    TReadResult read = ReadInputFile(file.string(), InputFileKind::kCurrent, t);
    EXPECT_EQ(read.message, "This file either invalid or incomplete.") << r.name;
    for (TGridTable* table : t.TopLevelTables()) {
      EXPECT_LE(table->RowCount(), 10) << r.name << ": " << table->Caption();
    }
  }
}

TEST_F(ReaderTest, RandomBytesNeverCrashTheReader) {
  std::mt19937 random(12345);
  InputTables built_tables;
  TProgramData built(built_tables);
  test::BuildEverything(built);
  const std::string good = InputFileText(built);
  for (int trial = 0; trial < 200; ++trial) {
    std::string text = good;
    // Damage a few bytes of a valid file, or take pure garbage.
    if (trial % 4 == 0) {
      text.assign(static_cast<size_t>(random() % 400), '\0');
      for (char& c : text) c = static_cast<char>(random() % 256);
    } else {
      for (int n = 0; n < 3; ++n) {
        text[random() % text.size()] = "0123456789-.e \t\r\n\xff"[random() % 18];
      }
    }
    InputTables t;
    const fs::path file = folder.path() / "Random.ks5d";
    test::WriteText(file, text);
    TReadResult read = ReadInputFile(file.string(), InputFileKind::kCurrent, t);
    ASSERT_TRUE(read.data) << "trial " << trial;
    InputFileText(*read.data);  // and what was read can be written
  }
}

}  // namespace
}  // namespace kestra
