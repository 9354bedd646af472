#include "project.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

#include "input_file_reader.h"
#include "input_file_writer.h"
#include "input_tables.h"
#include "stage_files.h"
#include "word_reader.h"

namespace kestra {

TProject::TProject(InputTables& tables) : tables_(tables) { New(); }

bool TProject::Modified() const { return modified_ || tables_.Modified(); }

void TProject::New() {
  data_.reset();
  data_ = std::make_unique<TProgramData>(tables_);
  Saved();
}

std::string TProject::Open(const std::string& path, InputFileKind kind) {
  // A file that cannot be read leaves the open project as it is.
  if (!std::ifstream(path, std::ios::binary))
    throw EInOutError("Cannot open file \"" + path + "\".");
  data_.reset();
  TReadResult read;
  try {
    read = ReadInputFile(path, kind, tables_);
  } catch (...) {
    data_ = std::make_unique<TProgramData>(tables_);  // never without a project
    throw;
  }
  data_ = std::move(read.data);
  std::string message = std::move(read.message);
  if (data_->StageCount > 1) {
    data_->CurrentStage = 1;
    SplitStagedFile(path, data_->StageCount);
    std::string converted =
        ConvertStageFiles(*data_, KindFromExtension(path));
    if (message.empty()) message = std::move(converted);
  }
  // Whatever stage files exist now are in the current format.
  data_->FormatHasExtras = true;
  data_->FormatHasTiebacks = true;
  Saved();
  return message;
}

bool TProject::NeedsName() const {
  std::string ext =
      std::filesystem::path(data_->FileName).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) {
    return static_cast<char>(std::tolower(c));
  });
  return data_->FileName == kNewFileName || ext != ".ks5d";
}

void TProject::Save() {
  TProgramData& d = *data_;
  if (d.StageCount < 2) {
    WriteInputFile(d);
  } else {
    WriteCurrentStage(d);
    AssembleStagedFile(d.FileName, d.StageCount, d.FileName);
  }
  Saved();
}

void TProject::SaveAs(const std::string& path) {
  TProgramData& d = *data_;
  const std::string old_name = d.FileName;
  if (d.StageCount < 2) {
    d.FileName = path;
    try {
      WriteInputFile(d);
    } catch (...) {
      d.FileName = old_name;
      throw;
    }
  } else {
    WriteCurrentStage(d);
    d.PreviousFileName = old_name;
    AssembleStagedFile(old_name, d.StageCount, path);
    MoveStageFiles(old_name, path, d.StageCount);
    d.FileName = path;
  }
  Saved();
}

void TProject::SwitchToStage(int stage) {
  TProgramData& d = *data_;
  if (stage == d.CurrentStage) return;
  const bool modified = modified_;
  WriteCurrentStage(d);
  d.CurrentStage = stage;
  ReadCurrentStage(d);
  modified_ = modified;
}

void TProject::UpdateCurrentStage() { WriteCurrentStage(*data_); }

std::string TProject::CopyPreviousStage() {
  TProgramData& d = *data_;
  if (d.CurrentStage < 2) return {};
  const int stage = d.CurrentStage;
  d.CurrentStage = stage - 1;
  std::string message = ReadCurrentStage(d);
  d.CurrentStage = stage;
  WriteCurrentStage(d);
  return message;
}

std::string TProject::SetStageCount(int count) {
  const int old = data_->StageCount;
  std::string message = ApplyStageCount(*data_, count);
  if (data_->StageCount != old && data_->StageCount > 1) modified_ = true;
  return message;
}

void TProject::Saved() {
  modified_ = false;
  tables_.ResetChanged();
}

}  // namespace kestra
