#include "chart_rows.h"

#include <algorithm>

#include "table.h"

namespace kestra {
namespace {

constexpr size_t kMaxNumbersPerLine = 15;

bool IsSeparator(char c) {
  return c == ' ' || c == '\t' || c == ',' || c == '\r';
}

}  // namespace

std::vector<Extended> SplitLineNumbers(std::string_view line) {
  std::vector<Extended> numbers;
  size_t at = 0;
  while (numbers.size() < kMaxNumbersPerLine) {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
    size_t end = at;
    while (end < line.size() && !IsSeparator(line[end])) ++end;
    const DecimalResult r = ParseDecimal(line.substr(at, end - at));
    if (r.status != DecimalStatus::kOk) break;
    numbers.push_back(r.value);
    if (end >= line.size()) break;
    at = end + 1;
  }
  return numbers;
}

std::vector<std::string> SplitTextLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

int ReadChartRows(TGridTable& table, const std::vector<std::string>& lines) {
  const size_t columns = static_cast<size_t>(table.ColumnCount());
  int filled = 0;
  for (const std::string& line : lines) {
    if (table.MaxRows() > 0 && filled >= table.MaxRows()) break;
    const std::vector<Extended> numbers = SplitLineNumbers(line);
    if (numbers.empty() || numbers.size() != columns) continue;
    if (filled >= table.RowCount()) table.AddRowBlock();
    for (size_t c = 0; c < columns; ++c) {
      table.SetCellText(static_cast<int>(c), filled, FormatExact(numbers[c]));
    }
    ++filled;
  }
  if (filled > 0) {
    const int keep = std::max(filled, table.MinRows());
    while (table.RowCount() > keep) table.DeleteRowBlock(table.RowCount() - 1);
  }
  return filled;
}

}  // namespace kestra
