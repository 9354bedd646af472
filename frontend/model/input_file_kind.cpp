#include "input_file_kind.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace kestra {

InputFileKind KindFromExtension(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) {
    return static_cast<char>(std::tolower(c));
  });
  if (ext == ".ks4d") return InputFileKind::kPrevious;
  if (ext == ".ksd") return InputFileKind::kOlder;
  return InputFileKind::kCurrent;
}

InputFormat InputFormat::Of(InputFileKind kind) {
  switch (kind) {
    case InputFileKind::kCurrent:
      return {true, true, true, false};
    case InputFileKind::kPrevious:
      return {true, true, false, false};
    case InputFileKind::kOlder:
      return {true, false, false, false};
    case InputFileKind::kOldest:
    case InputFileKind::kAllFiles:
      break;
  }
  return {false, false, false, true};
}

InputFormat InputFormat::Stage(bool has_extras, bool has_tiebacks) {
  return {true, has_extras, has_tiebacks, false};
}

}  // namespace kestra
