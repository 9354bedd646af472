#include "names_file.h"

#include <filesystem>
#include <fstream>

namespace kestra {

namespace fs = std::filesystem;

std::string WithExtension(const std::string& path, const char* extension) {
  return fs::path(path).replace_extension(extension).string();
}

std::string NamesFileText(const std::string& input_path,
                          const std::string& program_folder) {
  const char* eol = "\r\n";
  std::string text;
  for (const std::string& line :
       {std::string(kProgramVersion), program_folder,
        fs::path(input_path).parent_path().string(), std::string("0"),
        input_path, WithExtension(input_path, ".ks5o"),
        WithExtension(input_path, ".ks5p"),
        WithExtension(input_path, ".ks5r")}) {
    text += line;
    text += eol;
  }
  return text;
}

bool WriteNamesFile(const std::string& folder, const std::string& input_path,
                    const std::string& program_folder) {
  std::ofstream out(fs::path(folder) / kNamesFileName,
                    std::ios::binary | std::ios::trunc);
  out << NamesFileText(input_path, program_folder);
  out.flush();
  return static_cast<bool>(out);
}

}  // namespace kestra
