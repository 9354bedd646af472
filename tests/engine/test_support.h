// Helpers shared by the engine and tool tests: temporary folders, files,
// golden-file comparison with the lines that change from run to run masked.
#pragma once

#include <filesystem>
#include <string>

namespace kestra::test {

// A fresh folder removed again at the end of the test.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

std::string ReadFile(const std::filesystem::path& p);
void WriteFile(const std::filesystem::path& p, const std::string& text);

// Writes names.dat for an input file and its three outputs in `folder`.
void WriteNamesFile(const std::filesystem::path& folder,
                    const std::filesystem::path& input);

// Empty when equal; otherwise the first differing line of both. The date
// and file-location lines are masked.
std::string GoldenDiff(const std::string& expected, const std::string& actual);

// The first line holding "nan", "inf", "NaN" or "Inf", as a number that is
// not finite would be written; empty when there is none. The lines
// naming the files are skipped: they hold the random name of the working
// folder, which may spell either by chance.
std::string NonFiniteLine(const std::string& text);

}  // namespace kestra::test
