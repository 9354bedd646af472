#include "input_file_convert.h"

#include <stdlib.h>

#include <filesystem>
#include <system_error>

#include "input_file_reader.h"
#include "input_file_writer.h"
#include "input_tables.h"
#include "program_data.h"
#include "stage_files.h"
#include "word_reader.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;

// The stage files of a staged file are made in a folder of their own.
class TWorkFolder {
 public:
  TWorkFolder() {
    std::string name = (fs::temp_directory_path() / "kestra-XXXXXX").string();
    if (mkdtemp(name.data()) == nullptr) {
      throw EInOutError("Cannot create a temporary folder.");
    }
    path_ = name;
  }
  ~TWorkFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  TWorkFolder(const TWorkFolder&) = delete;
  TWorkFolder& operator=(const TWorkFolder&) = delete;
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

}  // namespace

void ConvertInputFile(const std::string& old_path, InputFileKind kind,
                      const std::string& new_path) {
  InputTables tables;
  TReadResult read = ReadInputFile(old_path, kind, tables);
  if (!read.message.empty()) throw EInOutError(read.message);
  TProgramData& d = *read.data;
  if (d.StageCount < 2) {
    d.FileName = new_path;
    WriteInputFile(d);
    return;
  }
  TWorkFolder folder;
  const std::string work = (folder.path() / "work.ks5d").string();
  std::error_code ec;
  fs::copy_file(old_path, work, ec);
  if (ec) throw EInOutError("Cannot read file \"" + old_path + "\".");
  d.FileName = work;
  d.CurrentStage = 1;
  SplitStagedFile(work, d.StageCount);
  const std::string message = ConvertStageFiles(d, kind);
  if (!message.empty()) throw EInOutError(message);
  AssembleStagedFile(work, d.StageCount, new_path);
}

}  // namespace kestra
