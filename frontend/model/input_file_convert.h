// Brings an input data file of any supported kind to the current format,
// the way opening it and saving it under a new name would, without leaving
// stage files beside either file.
#pragma once

#include <string>

#include "input_file_kind.h"

namespace kestra {

// Throws EInOutError with the reader's message when the old file cannot be
// read completely; nothing is written then.
void ConvertInputFile(const std::string& old_path, InputFileKind kind,
                      const std::string& new_path);

}  // namespace kestra
