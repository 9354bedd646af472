// kestra-run: analyses input data files from the command line through the
// engine library's entry point, exactly as the desktop program does, each
// run in a private working folder of its own.
#include <dlfcn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "names_file.h"
#include "run_summary.h"

namespace fs = std::filesystem;

namespace {

constexpr int32_t kConsistencyCode = 16;

struct Job {
  fs::path input, report, plot, notes;
};

fs::path ProgramFolder() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::current_path() : exe.parent_path();
}

fs::path LibraryPath() { return ProgramFolder() / "libKestra2015_DLL.so"; }

// Runs in the child process: a folder of its own, the library loaded fresh.
int RunChild(const Job& job) {
  std::string tmpl = (fs::temp_directory_path() / "kestra-run-XXXXXX").string();
  if (mkdtemp(tmpl.data()) == nullptr) {
    std::perror("kestra-run: temporary folder");
    return 2;
  }
  const fs::path folder(tmpl);
  int rc = 2;
  if (kestra::WriteNamesFile(folder.string(), job.input.string(), ProgramFolder().string()) &&
      chdir(folder.c_str()) == 0) {
    if (void* lib = dlopen(LibraryPath().c_str(), RTLD_NOW | RTLD_LOCAL)) {
      using Entry = int32_t (*)(int32_t);
      if (auto entry = reinterpret_cast<Entry>(dlsym(lib, "_IKESTRA"))) {
        rc = entry(kConsistencyCode) == 0 ? 0 : 2;
        if (rc != 0)
          std::cerr << "kestra-run: the engine library does not match this "
                       "program\n";
      } else {
        std::cerr << "kestra-run: _IKESTRA not found in " << LibraryPath()
                  << "\n";
      }
      dlclose(lib);
    } else {
      std::cerr << "kestra-run: " << dlerror() << "\n";
    }
  }
  std::error_code ec;
  fs::current_path(fs::temp_directory_path(), ec);
  fs::remove_all(folder, ec);
  return rc;
}

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteCsvFiles(const Job& job, const kestra::RunSummary& summary) {
  const size_t n = summary.problems.size();
  for (size_t i = 0; i < n; ++i) {
    fs::path path = job.input;
    if (n == 1)
      path.replace_extension(".csv");
    else
      path.replace_filename(job.input.stem().string() + "-" + std::to_string(i + 1) + ".csv");
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << kestra::FormatResultsCsv(summary.problems[i], summary);
    if (!out) std::cerr << "kestra-run: cannot write " << path.string() << "\n";
  }
}

void Usage() {
  std::cerr << "usage: kestra-run [-j N] [--csv] FILE.ks5d ...\n"
               "Analyses each input data file and writes its report (.ks5o),\n"
               "plot data (.ks5p) and run notes (.ks5r) beside it. With --csv\n"
               "also the results of each problem as FILE.csv (FILE-1.csv,\n"
               "FILE-2.csv ... when the file holds several problems).\n";
}

}  // namespace

int main(int argc, char** argv) {
  unsigned jobs_at_once = std::max(1u, std::thread::hardware_concurrency());
  std::vector<Job> jobs;
  bool csv = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--csv") {
      csv = true;
      continue;
    }
    if (arg == "-h" || arg == "--help") {
      Usage();
      return 0;
    }
    if (arg == "-j" || arg.rfind("-j", 0) == 0) {
      std::string value = arg.size() > 2 ? arg.substr(2)
                          : i + 1 < argc ? argv[++i]
                                         : "";
      char* end = nullptr;
      long n = std::strtol(value.c_str(), &end, 10);
      if (value.empty() || *end != '\0' || n < 1 || n > 256) {
        std::cerr << "kestra-run: -j needs a number from 1 to 256\n";
        return 2;
      }
      jobs_at_once = static_cast<unsigned>(n);
      continue;
    }
    std::error_code ec;
    Job job;
    job.input = fs::absolute(arg, ec);
    job.report = fs::path(job.input).replace_extension(".ks5o");
    job.plot = fs::path(job.input).replace_extension(".ks5p");
    job.notes = fs::path(job.input).replace_extension(".ks5r");
    jobs.push_back(job);
  }
  if (jobs.empty()) {
    Usage();
    return 2;
  }

  std::vector<int> status(jobs.size(), 0);
  std::map<pid_t, size_t> running;
  size_t next = 0;
  std::cout.flush();
  while (next < jobs.size() || !running.empty()) {
    while (next < jobs.size() && running.size() < jobs_at_once) {
      const Job& job = jobs[next];
      std::error_code ec;
      if (!fs::is_regular_file(job.input, ec)) {
        std::cerr << "kestra-run: cannot read " << job.input.string() << "\n";
        status[next++] = 2;
        continue;
      }
      pid_t pid = fork();
      if (pid == 0) _exit(RunChild(job));
      if (pid < 0) {
        std::perror("kestra-run: fork");
        status[next++] = 2;
        continue;
      }
      running[pid] = next++;
    }
    if (running.empty()) break;
    int ws = 0;
    pid_t pid = wait(&ws);
    if (pid < 0) {
      if (errno == EINTR) continue;
      break;
    }
    auto it = running.find(pid);
    if (it == running.end()) continue;
    status[it->second] =
        WIFEXITED(ws) ? WEXITSTATUS(ws) : 3;  // a signal: the engine crashed
    running.erase(it);
  }

  int failures = 0;
  for (size_t i = 0; i < jobs.size(); ++i) {
    const Job& job = jobs[i];
    const std::string name = job.input.filename().string();
    if (status[i] != 0) {
      std::cout << name << ": FAILED (the analysis did not complete)\n";
      ++failures;
      continue;
    }
    const kestra::RunSummary summary =
        kestra::SummarizeReport(ReadFile(job.report));
    std::cout << kestra::FormatSummaryLine(name, summary) << "\n";
    if (csv) WriteCsvFiles(job, summary);
    if (!summary.errors.empty() || summary.problems.empty()) ++failures;
  }
  return failures == 0 ? 0 : 1;
}
