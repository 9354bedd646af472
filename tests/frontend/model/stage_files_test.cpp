#include "stage_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "../../engine/test_support.h"
#include "input_file_writer.h"
#include "input_tables.h"
#include "project.h"
#include "safe_file.h"
#include "sample_projects.h"
#include "word_reader.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;

TEST(StageFileName, ReplacesTheExtension) {
  EXPECT_EQ(StageFileName("/a/Wall.ks5d", 2), "/a/Wall.st2");
  EXPECT_EQ(StageFileName("/a.b/Wall", 5), "/a.b/Wall.st5");
}

class StagedProjectTest : public ::testing::Test {
 protected:
  StagedProjectTest() {
    test::BuildCantilever(project.Data());
    project.Data().FileName = Path("Wall.ks5d");
  }
  std::string Path(const std::string& name) const {
    return (folder.path() / name).string();
  }
  std::vector<std::string> Stage(int k, const std::string& name = "Wall.ks5d") {
    return ReadTextLines(StageFileName(Path(name), k));
  }

  kestra::test::TempFolder folder;
  InputTables tables;
  TProject project{tables};
};

TEST_F(StagedProjectTest, StageFilesDifferOnlyInTitleAndTerminator) {
  project.SetStageCount(3);
  EXPECT_TRUE(project.Modified());
  const auto one = Stage(1), two = Stage(2), three = Stage(3);
  ASSERT_EQ(one.size(), three.size());
  EXPECT_EQ(one.front(), "Cantilevered sheet-pile wall in sand");
  EXPECT_EQ(three.front(), " Stage No : 3");
  EXPECT_EQ(three.back(), "3");
  for (size_t i = 1; i + 1 < one.size(); ++i) {
    EXPECT_EQ(one[i], three[i]) << "line " << i + 1;
    EXPECT_EQ(two[i], three[i]) << "line " << i + 1;
  }
  EXPECT_EQ(one[1], "1 0\t1\t0\t2\t2 0 3 0 0");

  project.SwitchToStage(3);
  project.SetStageCount(2);
  EXPECT_FALSE(fs::exists(StageFileName(Path("Wall.ks5d"), 3)));
  EXPECT_EQ(project.Data().CurrentStage, 1);
  project.SetStageCount(1);
  EXPECT_FALSE(fs::exists(StageFileName(Path("Wall.ks5d"), 1)));
}

TEST_F(StagedProjectTest, SwitchingWritesTheEditsOfTheStageLeft) {
  project.SetStageCount(3);
  project.SetModified(false);
  project.SwitchToStage(3);
  EXPECT_EQ(project.Data().Title, " Stage No : 3");
  project.Data().FreeHeight = 150;
  project.SwitchToStage(2);
  EXPECT_EQ(project.Data().FreeHeight, 120);
  EXPECT_FALSE(project.Modified());
  project.SwitchToStage(3);
  EXPECT_EQ(project.Data().FreeHeight, 150);
  project.CopyPreviousStage();
  EXPECT_EQ(project.Data().FreeHeight, 120);
  EXPECT_EQ(Stage(3).front(), " Stage No : 3");
  EXPECT_EQ(Stage(3)[2], Stage(2)[2]);
}

TEST_F(StagedProjectTest, SaveAssemblesOpenSplitsSaveAsMoves) {
  project.SetStageCount(3);
  project.SwitchToStage(2);
  project.Data().FreeHeight = 96;
  project.Save();
  const std::string saved = test::ReadText(Path("Wall.ks5d"));
  std::string joined;
  for (int k = 1; k <= 3; ++k) joined += JoinLines(Stage(k));
  EXPECT_EQ(saved, joined);
  EXPECT_NE(saved.find("\r\n3\r\n"), std::string::npos);

  for (int k = 1; k <= 3; ++k) fs::remove(StageFileName(Path("Wall.ks5d"), k));
  EXPECT_EQ(project.Open(Path("Wall.ks5d"), InputFileKind::kCurrent), "");
  EXPECT_EQ(project.Data().StageCount, 3);
  EXPECT_EQ(project.Data().Title, "Cantilevered sheet-pile wall in sand");
  project.SwitchToStage(2);
  EXPECT_EQ(project.Data().FreeHeight, 96);

  project.SaveAs(Path("Copy.ks5d"));
  EXPECT_EQ(test::ReadText(Path("Copy.ks5d")), saved);
  EXPECT_TRUE(fs::exists(Path("Wall.ks5d")));
  EXPECT_FALSE(fs::exists(StageFileName(Path("Wall.ks5d"), 1)));
  EXPECT_TRUE(fs::exists(StageFileName(Path("Copy.ks5d"), 3)));
}

TEST_F(StagedProjectTest, OpeningAStagedOldFileRewritesItsStageFiles) {
  fs::copy_file(test::DataFile("staged.ks4d"), Path("Old.ks4d"));
  EXPECT_EQ(project.Open(Path("Old.ks4d"), InputFileKind::kPrevious), "");
  EXPECT_EQ(project.Data().StageCount, 2);
  EXPECT_EQ(Stage(1, "Old.ks4d")[1], "1 0\t1\t0\t2\t2 0 2 0 0");
  EXPECT_EQ(Stage(2, "Old.ks4d")[2], "40 6\t10\t0.00001\t120\t12");
  EXPECT_EQ(project.Data().FreeHeight, 96) << "stage 1 shown";
  EXPECT_TRUE(project.NeedsName());
}

TEST_F(StagedProjectTest, SplitWritesOnlyTheStagesItCanDelimit) {
  test::WriteText(Path("Two.ks5d"), "A\r\n1\r\n Stage No : 2\r\n2\r\n");
  test::WriteText(StageFileName(Path("Two.ks5d"), 4), "stale");
  EXPECT_EQ(SplitStagedFile(Path("Two.ks5d"), 3), 2);
  EXPECT_EQ(Stage(2, "Two.ks5d"), (std::vector<std::string>{" Stage No : 2", "2"}));
  EXPECT_FALSE(fs::exists(StageFileName(Path("Two.ks5d"), 3)));
  EXPECT_FALSE(fs::exists(StageFileName(Path("Two.ks5d"), 4)));
  // A missing stage file stops the assembly before the target is touched.
  EXPECT_THROW(AssembleStagedFile(Path("Two.ks5d"), 3, Path("Two.ks5d")),
               EInOutError);
  EXPECT_EQ(test::ReadText(Path("Two.ks5d")), "A\r\n1\r\n Stage No : 2\r\n2\r\n");
}

}  // namespace
}  // namespace kestra

namespace kestra {
namespace {

// A file that cannot be opened leaves the open project as it was.
TEST(ProjectOpen, UnreadableFileKeepsTheProject) {
  InputTables tables;
  TProject project{tables};
  project.Data().Title = "Kept";
  EXPECT_THROW(project.Open("/nonexistent/folder/wall.ks5d", InputFileKind::kCurrent), EInOutError);
  EXPECT_EQ(project.Data().Title, "Kept");
}

}  // namespace
}  // namespace kestra
