// The kinds of input data file the front end reads, and which optional
// items each carries.
#pragma once

#include <string>

namespace kestra {

// The open dialog's filter positions.
enum class InputFileKind {
  kCurrent = 1,   // .ks5d
  kPrevious = 2,  // .ks4d
  kOlder = 3,     // .ksd, version 3
  kOldest = 4,    // .ksd, version 2
  kAllFiles = 5,
};

// ".ks4d" gives kPrevious, ".ksd" kOlder, anything else kCurrent; letter
// case does not matter.
InputFileKind KindFromExtension(const std::string& path);

// Which items one problem of a file holds.
struct InputFormat {
  bool stage_count = true;  // R2 item 8 (and the terminator R13)
  bool extras = true;       // EI-curve count, surcharge table, p-y multipliers
  bool tiebacks = true;     // tieback count, width item of R3
  bool oldest_soil = false; // one line of five values per soil layer

  static InputFormat Of(InputFileKind kind);
  // Stage files: stage count and terminator always, current soil layout.
  static InputFormat Stage(bool has_extras, bool has_tiebacks);
};

}  // namespace kestra
