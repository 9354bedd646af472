#include "test_support.h"

#include <unistd.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace kestra::test {
namespace fs = std::filesystem;

TempFolder::TempFolder() {
  std::string tmpl = (fs::temp_directory_path() / "kestra-test-XXXXXX").string();
  if (mkdtemp(tmpl.data()) == nullptr)
    throw std::runtime_error("cannot create a temporary folder");
  path_ = tmpl;
}

TempFolder::~TempFolder() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const fs::path& p, const std::string& text) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out << text;
}

void WriteNamesFile(const fs::path& folder, const fs::path& input) {
  auto with = [&](const char* ext) {
    return fs::path(input).replace_extension(ext).string();
  };
  WriteFile(folder / "names.dat",
            "2015.5.16\r\n" + folder.string() + "\r\n" + folder.string() +
                "\r\n0\r\n" + input.string() + "\r\n" + with(".ks5o") +
                "\r\n" + with(".ks5p") + "\r\n" + with(".ks5r") + "\r\n");
}

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("               Date:  ", 0) == 0)
      line = "<date line>";
    else if (line.rfind("     Path to file locations      : ", 0) == 0)
      line = "<path line>";
    lines.push_back(line);
  }
  return lines;
}

}  // namespace

std::string GoldenDiff(const std::string& expected, const std::string& actual) {
  const auto e = Lines(expected), a = Lines(actual);
  for (size_t i = 0; i < std::max(e.size(), a.size()); ++i) {
    const std::string el = i < e.size() ? e[i] : "<end of file>";
    const std::string al = i < a.size() ? a[i] : "<end of file>";
    if (el != al)
      return "line " + std::to_string(i + 1) + "\n  expected: [" + el +
             "]\n  actual:   [" + al + "]";
  }
  return {};
}

std::string NonFiniteLine(const std::string& text) {
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (line.find("Path to file locations") != std::string::npos ||
        line.find("Name of ") != std::string::npos)
      continue;
    for (const char* bad : {"nan", "inf", "NaN", "Inf"}) {
      if (line.find(bad) != std::string::npos) return line;
    }
  }
  return {};
}

}  // namespace kestra::test
