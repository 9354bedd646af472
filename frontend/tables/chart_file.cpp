#include "chart_file.h"

#include <fstream>

#include "chart_rows.h"

namespace kestra {
namespace {

constexpr size_t kLongestLine = 64 * 1024;

}  // namespace

ChartFileLines ReadChartFileLines(const std::filesystem::path& path,
                                  int columns, int max_lines) {
  ChartFileLines result;
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    result.status = ChartFileStatus::kCannotOpen;
    return result;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    result.status = ChartFileStatus::kCannotOpen;
    return result;
  }
  const size_t wanted = columns > 0 ? static_cast<size_t>(columns) : 0;
  const auto full = [&] {
    return max_lines > 0 && result.lines.size() >= static_cast<size_t>(max_lines);
  };
  std::string line;
  const auto end_line = [&] {
    if (wanted > 0 && SplitLineNumbers(line).size() == wanted) {
      result.lines.push_back(line);
    }
    line.clear();
  };

  char block[16 * 1024];
  bool after_cr = false;
  while (!full() && in) {
    in.read(block, sizeof block);
    const std::streamsize got = in.gcount();
    for (std::streamsize i = 0; i < got && !full(); ++i) {
      const char c = block[i];
      if (c == '\n' && after_cr) {
        after_cr = false;  // the second half of CR LF
        continue;
      }
      after_cr = c == '\r';
      if (c == '\r' || c == '\n') {
        end_line();
      } else if (line.size() < kLongestLine) {
        line += c;
      }
    }
  }
  if (in.bad()) {
    result.status = ChartFileStatus::kReadError;
    result.lines.clear();
    return result;
  }
  if (!full() && !line.empty()) end_line();
  return result;
}

}  // namespace kestra
