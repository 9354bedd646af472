#include "input_file_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "../../engine/test_support.h"
#include "input_line.h"
#include "input_tables.h"
#include "program_data.h"
#include "sample_projects.h"
#include "word_reader.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;

TEST(FormatReal, GeneralFormatWithEightDigits) {
  struct Row {
    Extended value;
    const char* text;
  };
  // clang-format off
  const Row rows[] = {
      {0,                 "0"},
      {1.2e-5L,           "0.000012"},
      {0.00001L,          "0.00001"},
      {9.9e-6L,           "9.9E-6"},
      {12345678,          "12345678"},
      {123456789,         "1.2345679E8"},
      {99999999.7L,       "1E8"},
      {5.3e9L,            "5.3E9"},
      {120.0L / 1728,     "0.069444444"},
      {-2.5L,             "-2.5"},
      {0.1L + 0.2L,       "0.3"},
      {1500.0L / 1e6L,    "0.0015"},
      {-1.5e-7L,          "-1.5E-7"},
  };
  // clang-format on
  for (const Row& r : rows) {
    EXPECT_EQ(FormatReal(r.value), r.text) << "value " << static_cast<double>(r.value);
  }
}

class WriterTest : public ::testing::Test {
 protected:
  InputTables tables;
  TProgramData data{tables};
};

TEST_F(WriterTest, NewProjectWritesTheMinimalFile) {
  EXPECT_EQ(InputFileText(data),
            "New Wall\r\n"
            "1 0\t1\t0\t2\t2 0 1 0 0\r\n"
            "0 0\t100\t0.00001\t0\t0\r\n"
            "0\t1\t1\t0\r\n"
            "0\r\n"
            "0\r\n"
            "0\t0\t0\t0\t0\t1\t1\t0\r\n"
            "0\t0\t0\t0\t0\t0\r\n"
            "0\r\n"
            "1\r\n"
            "1 0 \r\n"
            "0 0 0.0  0 0 0 \r\n"
            "0 0 0.0  0 0 0 \r\n"
            "0\r\n");
}

// The second line of the file, the control record.
std::string ControlRecord(const std::string& text) {
  const size_t a = text.find("\r\n") + 2;
  return text.substr(a, text.find("\r\n", a) - a);
}

TEST_F(WriterTest, ControlValuesFollowTheSwitches) {
  struct Row {
    const char* name;
    std::function<void(TProgramData&)> setup;
    const char* control;
    bool soil_data;
  };
  // clang-format off
  const Row rows[] = {
      {"defaults",            [](TProgramData&) {},                                   "1 0\t1\t0\t2\t2 0 1 0 0", true},
      {"p-y generation off",  [](TProgramData& d) { d.ToggleGeneratePYCurves(); },    "1 0\t1\t0\t0\t0 0 1 0 0", false},
      {"external p-y only",   [](TProgramData& d) { d.ToggleGeneratePYCurves();
                                                    d.Toggle(ApplySwitch::kExternalPY); }, "1 0\t1\t0\t0\t1 2 1 0 0", false},
      {"trapezoidal, kept",   [](TProgramData& d) { d.ChoosePressureDistribution(3);
                                                    d.GeneratePYCurves = 0;
                                                    d.KeepGeneratedPressure = 1; },   "1 0\t1\t0\t3\t0 0 1 0 0", true},
      {"user pressure",       [](TProgramData& d) { d.ChoosePressureDistribution(1);
                                                    d.KeepGeneratedPressure = 1; },   "1 0\t1\t0\t1\t2 0 1 0 0", true},
      {"restraints off",      [](TProgramData& d) { d.Tables().SoilLayer.SetRowCount(3); }, "1 0\t1\t0\t2\t2 0 1 0 0", true},
      {"restraints on",       [](TProgramData& d) { d.Tables().SoilLayer.SetRowCount(3);
                                                    d.Toggle(ApplySwitch::kRestraints); }, "1 3\t1\t0\t2\t2 0 1 0 0", true},
      {"EI curves and ties",  [](TProgramData& d) { d.Toggle(ApplySwitch::kEICurves);
                                                    d.Toggle(ApplySwitch::kTiebacks);
                                                    d.Tables().TiebackTable1.SetRowCount(2); }, "1 0\t1\t0\t2\t2 0 1 1 2", true},
  };
  // clang-format on
  for (const Row& r : rows) {
    InputTables t;
    TProgramData d(t);
    r.setup(d);
    const std::string text = InputFileText(d);
    EXPECT_EQ(ControlRecord(text), r.control) << r.name;
    EXPECT_EQ(text.find("\r\n0\t0\t0\t0\t0\t0\r\n") != std::string::npos,
              r.soil_data)
        << r.name;
  }
}

TEST_F(WriterTest, SwitchedOffTablesAreEmptiedAndStiffnessEndsConstant) {
  tables.SoilLayer.SetRowCount(3);
  tables.BoundCond.SetRowCount(2);
  tables.TiebackTable1.SetRowCount(2);
  tables.PileSect.SetRowCount(2);
  tables.PileSect.SetCellInteger(2, 0, 2);
  tables.PileSect.SetCellInteger(2, 1, 2);
  data.Toggle(ApplySwitch::kTiebacks);
  data.Toggle(ApplySwitch::kTiebacks);  // twice: rows untouched until a save
  EXPECT_EQ(tables.TiebackTable1.RowCount(), 2);
  InputFileText(data);
  EXPECT_EQ(tables.SoilLayer.RowCount(), 0);
  EXPECT_EQ(tables.BoundCond.RowCount(), 0);
  EXPECT_EQ(tables.TiebackTable1.RowCount(), 0);
  EXPECT_EQ(*tables.PileSect.CellInteger(2, 0), 2);
  EXPECT_EQ(*tables.PileSect.CellInteger(2, 1), 1);
}

TEST_F(WriterTest, ConvertsTableUnitsToTheFileUnits) {
  test::BuildEverything(data);
  const std::string english = InputFileText(data);
  for (const char* line : {"\r\n60\t0.5\t1\r\n",  // p-y modifier depth 5 ft
                           "\r\n54\t2.5\r\n",    // 30 lbs/ft at 4.5 ft
                           "\r\n1 18 \r\n"}) {    // clay bottom at 1.5 ft
    EXPECT_NE(english.find(line), std::string::npos) << line;
  }
  // Clay: unit weight 10.125 lbs/ft^3, cohesion 11.125 lbs/ft^2.
  EXPECT_NE(english.find("\r\n" + FormatReal(10.125L / 1728) + " " +
                         FormatReal(11.125L / 144) + " 0.0  12.125 13.125 14.125 \r\n"),
            std::string::npos);
  // Long-term layers write the placeholder in place of the coefficient.
  EXPECT_NE(english.find(" 0.0  12.125 13.125 0.0  \r\n"), std::string::npos);
  EXPECT_NE(english.find("\r\n1.5\t1500\t2E8\t6\t15\t2.5\t100\r\n"),
            std::string::npos);

  InputTables si_tables;
  TProgramData si(si_tables);
  si.SetUnits(2);
  test::BuildEverything(si);
  const std::string text = InputFileText(si);
  EXPECT_NE(text.find("\r\n1.5\t0.0015\t2E8\t6\t15\t2.5\t100\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("\r\n5\t0.5\t1\r\n"), std::string::npos);
}

TEST_F(WriterTest, LongTermBlockFollowsWithItsOwnOptions) {
  test::BuildCantilever(data);
  data.ChoosePressureDistribution(3);
  data.LongTermAnalysis = true;
  const std::string text = InputFileText(data);
  const size_t nine = text.find("\r\n9\r\n" + data.Title + "\r\n");
  ASSERT_NE(nine, std::string::npos);
  EXPECT_EQ(ControlRecord(text), "1 0\t1\t0\t3\t2 0 1 0 0");
  EXPECT_EQ(ControlRecord(text.substr(nine + 5)), "1 0\t1\t0\t2\t2 0 1 0 0");
  EXPECT_EQ(text.substr(text.size() - 5), "\r\n0\r\n");
}

TEST_F(WriterTest, StageFileHasStageTitleAndTerminator) {
  test::BuildCantilever(data);
  data.StageCount = 3;
  data.CurrentStage = 3;
  const std::string text = StageFileText(data);
  EXPECT_EQ(text.rfind(" Stage No : 3\r\n1 0\t1\t0\t2\t2 0 3 0 0\r\n", 0), 0u);
  EXPECT_EQ(text.substr(text.size() - 5), "\r\n3\r\n");
  data.CurrentStage = 1;
  EXPECT_EQ(StageFileText(data).rfind(data.Title + "\r\n", 0), 0u);
}

TEST_F(WriterTest, FailedSaveKeepsTheOldFile) {
  kestra::test::TempFolder folder;
  const fs::path file = folder.path() / "Wall.ks5d";
  test::WriteText(file, "old contents");

  data.FileName = file.string();
  WriteInputFile(data);
  EXPECT_EQ(test::ReadText(file).rfind("New Wall\r\n", 0), 0u);

  // A folder in the way of the rename: the write fails after the data
  // went to the temporary file, which must not stay behind.
  const fs::path blocked = folder.path() / "Blocked.ks5d";
  fs::create_directory(blocked);
  test::WriteText(blocked / "inside", "kept");
  data.FileName = blocked.string();
  try {
    WriteInputFile(data);
    FAIL() << "saving over a folder succeeded";
  } catch (const EInOutError& e) {
    EXPECT_NE(std::string(e.what()).find(blocked.string()), std::string::npos);
  }
  EXPECT_EQ(test::ReadText(blocked / "inside"), "kept");

  data.FileName = (folder.path() / "missing" / "Wall.ks5d").string();
  EXPECT_THROW(WriteInputFile(data), EInOutError);

  int entries = 0;
  for (const auto& e : fs::directory_iterator(folder.path())) {
    (void)e;
    ++entries;
  }
  EXPECT_EQ(entries, 2) << "a temporary file was left behind";
}

}  // namespace
}  // namespace kestra
