// The lines of a text file from which a chart table reads its rows. Only
// the lines that can become rows are kept, so a large file of notes or a
// file picked by mistake costs no more memory than the rows it gives.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kestra {

enum class ChartFileStatus { kOk, kCannotOpen, kReadError };

struct ChartFileLines {
  ChartFileStatus status = ChartFileStatus::kOk;
  std::vector<std::string> lines;
};

// Reads the file as text, cutting lines at a carriage return, a line feed
// or both, and keeps the lines that give exactly `columns` numbers, up to
// `max_lines` of them (0: no limit). A line is looked at in its first
// 64 KiB only.
ChartFileLines ReadChartFileLines(const std::filesystem::path& path,
                                  int columns, int max_lines);

}  // namespace kestra
