#include "chart_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace kestra {
namespace {

namespace fs = std::filesystem;

class ChartFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("kestra_chart_file_" +
            std::string(::testing::UnitTest::GetInstance()
                            ->current_test_info()
                            ->name()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path Write(const std::string& content) {
    const fs::path path = dir_ / "curve.txt";
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }

  fs::path dir_;
};

TEST_F(ChartFileTest, KeepsTheLinesThatCanBeRowsWhateverTheLineEnds) {
  struct Case {
    const char* name;
    std::string content;
    int max_lines;
    std::vector<std::string> want;
  };
  // clang-format off
  const Case cases[] = {
      {"titles and LF",  "y (in)  p (lbs/in)\n0 0\n0.5 100\n1 150\n", 0,
                         {"0 0", "0.5 100", "1 150"}},
      {"CR LF",          "0 0\r\n0.5 100\r\n",                         0,
                         {"0 0", "0.5 100"}},
      {"CR alone",       "0 0\r0.5 100\r1 150",                        0,
                         {"0 0", "0.5 100", "1 150"}},
      {"wrong counts",   "1\n1 2 3\n4,5\n",                            0,
                         {"4,5"}},
      {"stops at limit", "1 1\n2 2\n3 3\n4 4\n",                       2,
                         {"1 1", "2 2"}},
      {"empty file",     "",                                           0,
                         {}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ChartFileLines got = ReadChartFileLines(Write(c.content), 2,
                                                  c.max_lines);
    EXPECT_EQ(got.status, ChartFileStatus::kOk);
    EXPECT_EQ(got.lines, c.want);
  }
}

// A CR LF pair split across the reader's blocks is still one line break.
TEST_F(ChartFileTest, LineBreakAcrossBlocks) {
  std::string content(16 * 1024 - 1, ' ');
  content += "\r\n1 2\r\n";
  const ChartFileLines got = ReadChartFileLines(Write(content), 2, 0);
  EXPECT_EQ(got.lines, std::vector<std::string>{"1 2"});
}

TEST_F(ChartFileTest, OverlongLineIsCutAndTheNextLineStillRead) {
  std::string content = "1 2" + std::string(200 * 1024, ' ') + "junk\n3 4\n";
  const ChartFileLines got = ReadChartFileLines(Write(content), 2, 0);
  ASSERT_EQ(got.lines.size(), 2u);
  EXPECT_EQ(got.lines[1], "3 4");
}

TEST_F(ChartFileTest, MissingFileOrFolderCannotBeOpened) {
  EXPECT_EQ(ReadChartFileLines(dir_ / "none.txt", 2, 0).status,
            ChartFileStatus::kCannotOpen);
  EXPECT_EQ(ReadChartFileLines(dir_, 2, 0).status,
            ChartFileStatus::kCannotOpen);
}

}  // namespace
}  // namespace kestra
