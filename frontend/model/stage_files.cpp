#include "stage_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "input_file_reader.h"
#include "input_file_writer.h"
#include "program_data.h"
#include "safe_file.h"
#include "word_reader.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;

void Remember(std::string& first, std::string message) {
  if (first.empty()) first = std::move(message);
}

}  // namespace

std::string StageFileName(const std::string& file_name, int stage) {
  return fs::path(file_name)
      .replace_extension(".st" + std::to_string(stage))
      .string();
}

void WriteCurrentStage(TProgramData& data) {
  data.StageFileName = StageFileName(data.FileName, data.CurrentStage);
  WriteStageFile(data);
}

std::string ReadCurrentStage(TProgramData& data) {
  data.StageFileName = StageFileName(data.FileName, data.CurrentStage);
  std::error_code ec;
  if (!fs::exists(data.StageFileName, ec)) return {};
  return ReadStageFile(data, data.StageFileName);
}

void AssembleStagedFile(const std::string& source, int stage_count,
                        const std::string& target) {
  std::vector<std::string> lines;
  for (int k = 1; k <= std::min(stage_count, kMaxStages); ++k) {
    const std::vector<std::string> stage =
        ReadTextLines(StageFileName(source, k));
    lines.insert(lines.end(), stage.begin(), stage.end());
  }
  WriteFileReplacing(target, JoinLines(lines));
}

int SplitStagedFile(const std::string& path, int stage_count) {
  const std::vector<std::string> lines = ReadTextLines(path);
  std::vector<size_t> starts{0};
  for (size_t i = 1; i < lines.size(); ++i) {
    if (lines[i].find(" Stage No :") != std::string::npos) starts.push_back(i);
  }
  starts.push_back(lines.size());
  const int written = std::min({static_cast<int>(starts.size()) - 1,
                                stage_count, kMaxStages});
  for (int k = 1; k <= written; ++k) {
    const auto first = lines.begin() + static_cast<std::ptrdiff_t>(starts[k - 1]);
    const auto last = lines.begin() + static_cast<std::ptrdiff_t>(starts[k]);
    WriteFileReplacing(StageFileName(path, k),
                       JoinLines(std::vector<std::string>(first, last)));
  }
  DeleteStageFilesAbove(path, written);
  return written;
}

void DeleteStageFilesAbove(const std::string& file_name, int keep) {
  for (int k = std::max(keep, 0) + 1; k <= kMaxStages; ++k) {
    std::error_code ec;
    fs::remove(StageFileName(file_name, k), ec);
  }
}

void MoveStageFiles(const std::string& from, const std::string& to,
                    int stage_count) {
  for (int k = 1; k <= std::min(stage_count, kMaxStages); ++k) {
    std::error_code ec;
    fs::rename(StageFileName(from, k), StageFileName(to, k), ec);
    if (ec) {
      throw EInOutError("Cannot move file \"" + StageFileName(from, k) +
                        "\": " + ec.message());
    }
  }
}

std::string ConvertStageFiles(TProgramData& data, InputFileKind format) {
  if (format == InputFileKind::kCurrent) return {};
  std::string first;
  const int count = data.StageCount;
  for (int k = 1; k <= count; ++k) {
    data.CurrentStage = k;
    data.FormatHasExtras = format == InputFileKind::kPrevious;
    data.FormatHasTiebacks = false;
    Remember(first, ReadCurrentStage(data));
    WriteCurrentStage(data);
  }
  data.FormatHasExtras = true;
  data.FormatHasTiebacks = true;
  data.CurrentStage = 1;
  Remember(first, ReadCurrentStage(data));
  return first;
}

std::string ApplyStageCount(TProgramData& data, int count) {
  const int old = data.StageCount;
  data.StageCount = std::clamp(count, 1, kMaxStages);
  if (data.StageCount == 1 || old == 1 || data.StageCount < old) {
    data.CurrentStage = 1;
  }
  std::string first;
  if (data.StageCount == 1) {
    DeleteStageFilesAbove(data.FileName, 0);
    return first;
  }
  if (data.StageCount != old) {
    const int stages = data.StageCount;
    const int shown = data.CurrentStage;
    for (int k = 1; k <= stages; ++k) {
      data.CurrentStage = k;
      Remember(first, ReadCurrentStage(data));
      data.StageCount = stages;  // a stage file carries its own count
      WriteCurrentStage(data);
    }
    data.CurrentStage = shown;
    Remember(first, ReadCurrentStage(data));
    data.StageCount = stages;
  }
  DeleteStageFilesAbove(data.FileName, data.StageCount);
  return first;
}

}  // namespace kestra
