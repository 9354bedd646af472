#include "kestra/ikestra.h"

#include <cstdio>
#include <filesystem>

#include "analysis_run.h"

namespace {

int32_t RunEngine(int32_t code) {
  if (code != KESTRA_CONSISTENCY_CODE) return 1;
  // Nothing may escape into the host program: not an exception, not exit.
  try {
    kestra::AnalysisRun run(std::filesystem::path("."));
    run.Execute();
  } catch (const std::exception& e) {
    std::fprintf(stderr, " KESTRA: %s\n", e.what());
  } catch (...) {
    std::fputs(" KESTRA: UNEXPECTED ERROR\n", stderr);
  }
  return 0;
}

}  // namespace

extern "C" int32_t IKESTRA(int32_t code) { return RunEngine(code); }
extern "C" int32_t _IKESTRA(int32_t code) { return RunEngine(code); }
