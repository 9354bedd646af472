// Free-format (list-directed) reader for the input data file: values are
// separated by blanks, tabs or commas; each read statement starts on a new
// line, takes as many values as it needs from that line and the lines after
// it, and skips whatever is left on its last line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestra {

class FreeFormatReader {
 public:
  explicit FreeFormatReader(std::string text);

  // Begins a read statement on the next unread line.
  void BeginRecord();
  // Reads the next value of the current statement. On failure the reader
  // keeps the first error and every later read fails too.
  bool Read(int& value);
  bool Read(double& value);

  // One statement holding the given values, e.g. ReadRecord(ninc, hinc).
  template <typename... Args>
  bool ReadRecord(Args&... args) {
    BeginRecord();
    return (Read(args) && ...);
  }

  // Reads the next whole line as text (the title record).
  bool ReadLine(std::string& line);

  bool ok() const { return error_.empty(); }
  // Why reading failed, without the line number.
  const std::string& error() const { return error_; }
  // 1-based number of the line the failed (or last) read looked at.
  int error_line() const { return error_line_; }
  // 1-based number of the line the last read took its value from.
  int line() const {
    return static_cast<int>(current_line_ > 0 ? current_line_ : next_line_);
  }
  // True when the reader failed because the text ran out.
  bool at_end() const { return at_end_; }

 private:
  // Next token of the current statement, moving to the next line when the
  // current one is used up; empty view at the end of the text.
  std::string_view NextToken();
  bool Fail(std::string why, bool at_end = false);

  std::string text_;
  std::vector<std::string_view> lines_;
  size_t next_line_ = 0;     // index of the line a new statement starts on
  size_t current_line_ = 0;  // index + 1 of the line being read (0: none)
  size_t pos_ = 0;           // position inside the current line
  std::string error_;
  int error_line_ = 0;
  bool at_end_ = false;
};

}  // namespace kestra
