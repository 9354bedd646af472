// Feeds arbitrary bytes to the engine as an input data file: whatever they
// hold, the run must end normally with "END OF ANALYSIS" in the report.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "analysis_run.h"

namespace fs = std::filesystem;

static fs::path Folder() {
  static const fs::path folder = [] {
    std::string tmpl =
        (fs::temp_directory_path() / "kestra-fuzz-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) std::abort();
    const fs::path dir(tmpl);
    std::ofstream(dir / "names.dat")
        << "fuzz\n.\n.\n0\nin.ks5d\nout.ks5o\nout.ks5p\nout.ks5r\n";
    return dir;
  }();
  return folder;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fs::path dir = Folder();
  {
    std::ofstream in(dir / "in.ks5d", std::ios::binary | std::ios::trunc);
    in.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  kestra::AnalysisRun run(dir);
  if (!run.Execute()) std::abort();
  std::ifstream report(dir / "out.ks5o", std::ios::binary);
  const std::string text(std::istreambuf_iterator<char>(report), {});
  if (text.find("END OF ANALYSIS") == std::string::npos) std::abort();
  // Titles may say anything; numbers never read NaN or Inf. The plot data
  // file holds numbers only.
  std::ifstream plot(dir / "out.ks5p", std::ios::binary);
  const std::string numbers(std::istreambuf_iterator<char>(plot), {});
  for (const char* bad : {"nan", "inf", "NaN", "Inf"})
    if (numbers.find(bad) != std::string::npos) std::abort();
  for (size_t p = text.find("\n   ------    ----"); p != std::string::npos;
       p = text.find("\n   ------    ----", p + 1)) {
    const size_t end = text.find("\n\n", p);
    const std::string rows = text.substr(p, end == std::string::npos ? end : end - p);
    if (rows.find("NaN") != std::string::npos || rows.find("Inf") != std::string::npos)
      std::abort();
  }
  return 0;
}
