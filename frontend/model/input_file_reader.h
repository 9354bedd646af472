// Reads an input data file, of the current or an older format, into a new
// project, and a stage file into the existing one. Reading never fails on
// bad content: it stops at the first bad word, keeps what it read, and
// hands back the message to show.
#pragma once

#include <memory>
#include <string>

#include "input_file_kind.h"

namespace kestra {

class InputTables;
class TProgramData;

struct TReadResult {
  std::unique_ptr<TProgramData> data;
  std::string message;  // empty when the whole file was read
};

// A new project on `tables`, FileName set to `path`.
TReadResult ReadInputFile(const std::string& path, InputFileKind kind,
                          InputTables& tables);

// One stage file into `data`, in the format its flags record. Returns the
// message to show, empty when the whole file was read.
std::string ReadStageFile(TProgramData& data, const std::string& path);

}  // namespace kestra
