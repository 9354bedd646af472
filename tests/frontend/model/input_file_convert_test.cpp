#include "input_file_convert.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "../../engine/test_support.h"
#include "input_file_reader.h"
#include "input_file_writer.h"
#include "input_tables.h"
#include "program_data.h"
#include "sample_projects.h"
#include "word_reader.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;

TEST(ConvertInputFile, EveryKindBecomesACurrentFile) {
  struct Row {
    const char* file;
    InputFileKind kind;
    const char* control;  // the control record of the converted file
  };
  // clang-format off
  const Row rows[] = {
      {"previous.ks4d", InputFileKind::kPrevious, "1 0\t1\t0\t2\t2 0 1 0 0"},
      {"older.ksd",     InputFileKind::kOlder,    "1 0\t1\t0\t2\t2 1 1 0 0"},
      {"oldest.ksd",    InputFileKind::kOldest,   "1 0\t1\t0\t2\t2 0 1 0 0"},
      {"oldest.ksd",    InputFileKind::kAllFiles, "1 0\t1\t0\t2\t2 0 1 0 0"},
      {"staged.ks4d",   InputFileKind::kPrevious, "1 0\t1\t0\t2\t2 0 2 0 0"},
  };
  // clang-format on
  for (const Row& r : rows) {
    kestra::test::TempFolder folder;
    const fs::path out = folder.path() / "New.ks5d";
    ConvertInputFile(test::DataFile(r.file).string(), r.kind, out.string());
    const std::string text = test::ReadText(out);
    const size_t a = text.find("\r\n") + 2;
    EXPECT_EQ(text.substr(a, text.find("\r\n", a) - a), r.control) << r.file;

    // The converted file reads as a current one and writes back unchanged;
    // no stage files are left beside either file.
    InputTables tables;
    TReadResult read = ReadInputFile(out.string(), InputFileKind::kCurrent, tables);
    EXPECT_EQ(read.message, "") << r.file;
    if (read.data->StageCount == 1) {
      EXPECT_EQ(InputFileText(*read.data), text) << r.file;
    }
    EXPECT_FALSE(fs::exists(folder.path() / "New.st1")) << r.file;
  }
  EXPECT_FALSE(fs::exists(test::DataFile("staged.st1")));
}

TEST(ConvertInputFile, UnreadableFileWritesNothing) {
  kestra::test::TempFolder folder;
  const fs::path bad = folder.path() / "bad.ks4d";
  test::WriteText(bad, "Title\r\n1 0\t1\r\n");
  const fs::path out = folder.path() / "New.ks5d";
  EXPECT_THROW(ConvertInputFile(bad.string(), InputFileKind::kPrevious, out.string()),
               EInOutError);
  EXPECT_THROW(ConvertInputFile((folder.path() / "none").string(),
                                InputFileKind::kCurrent, out.string()),
               EInOutError);
  EXPECT_FALSE(fs::exists(out));
}

}  // namespace
}  // namespace kestra
