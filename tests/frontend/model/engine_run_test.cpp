// Files written by the front end are analysed by the engine without error.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "../../engine/test_support.h"
#include "analysis_run.h"
#include "input_file_convert.h"
#include "input_tables.h"
#include "program_data.h"
#include "project.h"
#include "sample_projects.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;

// Runs the engine on `input` and returns the report.
std::string Analyse(const fs::path& folder, const fs::path& input) {
  kestra::test::WriteNamesFile(folder, input);
  EXPECT_TRUE(AnalysisRun(folder).Execute());
  return test::ReadText(fs::path(input).replace_extension(".ks5o"));
}

void ExpectClean(const std::string& report, const std::string& name) {
  EXPECT_NE(report.find("END OF ANALYSIS"), std::string::npos) << name;
  EXPECT_EQ(report.find("ERROR"), std::string::npos) << name << "\n" << report;
}

TEST(EngineRun, AnalysesWrittenProjects) {
  struct Row {
    const char* name;
    std::function<void(TProgramData&)> setup;
    int stages;
  };
  // clang-format off
  const Row rows[] = {
      {"cantilever",         [](TProgramData&) {},                                   1},
      {"long term",          [](TProgramData& d) { d.LongTermAnalysis = true; },     1},
      {"trapezoidal, tied",  [](TProgramData& d) {
                               d.ChoosePressureDistribution(3);
                               d.Toggle(ApplySwitch::kTiebacks);
                               TGridTable& t = d.Tables().TiebackTable1;
                               const Extended tie[] = {3, 2, 29e6L, 15, 15, 8, 0};
                               for (int c = 0; c < 7; ++c) t.SetCellFloat(c, 0, tie[c]);
                             },                                                       1},
      {"SI",                 [](TProgramData& d) { d.SetUnits(2); },                  1},
      {"three stages",       [](TProgramData&) {},                                   3},
  };
  // clang-format on
  for (const Row& r : rows) {
    kestra::test::TempFolder folder;
    InputTables tables;
    TProject project(tables);
    test::BuildCantilever(project.Data());
    r.setup(project.Data());
    project.Data().FileName = (folder.path() / "Wall.ks5d").string();
    if (r.stages > 1) project.SetStageCount(r.stages);
    project.Save();
    ExpectClean(Analyse(folder.path(), project.Data().FileName), r.name);
  }
}

TEST(EngineRun, AnalysesConvertedOldFiles) {
  // clang-format off
  const std::pair<const char*, InputFileKind> files[] = {
      {"previous.ks4d", InputFileKind::kPrevious},
      {"older.ksd",     InputFileKind::kOlder},
      {"staged.ks4d",   InputFileKind::kPrevious},
  };
  // clang-format on
  for (const auto& [name, kind] : files) {
    kestra::test::TempFolder folder;
    const fs::path out = folder.path() / "New.ks5d";
    ConvertInputFile(test::DataFile(name).string(), kind, out.string());
    ExpectClean(Analyse(folder.path(), out), name);
  }
}

}  // namespace
}  // namespace kestra
