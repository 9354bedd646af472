// The open project as the main window keeps it: the model on the window's
// tables, and the modified flag that, with the tables' changed flags,
// decides whether to ask before the project is replaced.
#pragma once

#include <memory>
#include <string>

#include "input_file_kind.h"
#include "program_data.h"

namespace kestra {

class InputTables;

class TProject {
 public:
  // Starts with a new project.
  explicit TProject(InputTables& tables);
  TProject(const TProject&) = delete;
  TProject& operator=(const TProject&) = delete;

  TProgramData& Data() { return *data_; }
  InputTables& Tables() { return tables_; }

  // The modified flag or any table's changed flag.
  bool Modified() const;
  void SetModified(bool modified) { modified_ = modified; }

  // File New.
  void New();
  // File Open: reads the file, and for a staged one splits it into stage
  // files (converting those of older formats). Returns the reader's message,
  // empty when the whole file was read.
  std::string Open(const std::string& path, InputFileKind kind);
  // Never saved, or of an older format: File Save must ask for a name.
  bool NeedsName() const;
  // File Save to FileName; a staged project writes its current stage and
  // assembles the stage files. Throws EInOutError; the old file stays.
  void Save();
  // File Save As; a staged project's stage files move to the new name.
  // On failure FileName is left as it was.
  void SaveAs(const std::string& path);

  // Stage commands.
  void SwitchToStage(int stage);
  void UpdateCurrentStage();
  // Reads stage k - 1 and writes it as stage k.
  std::string CopyPreviousStage();
  std::string SetStageCount(int count);

 private:
  void Saved();

  InputTables& tables_;
  std::unique_ptr<TProgramData> data_;
  bool modified_ = false;
};

}  // namespace kestra
