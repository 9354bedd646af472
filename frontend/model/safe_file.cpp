#include "safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "word_reader.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fail(const std::string& path, int error) {
  throw EInOutError("Cannot write file \"" + path +
                    "\": " + std::system_category().message(error));
}

// A name in the target's folder that no other writer uses.
std::string TemporaryName(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  const fs::path target(path);
  const std::string name = "." + target.filename().string() + ".tmp" +
                           std::to_string(getpid()) + "-" +
                           std::to_string(counter++);
  return (target.parent_path() / name).string();
}

// Opens a fresh temporary file; keeps the target's permissions when it
// exists, otherwise the process's usual ones (umask applies).
int OpenTemporary(const std::string& path, std::string& temporary) {
  struct stat old {};
  const bool existed = stat(path.c_str(), &old) == 0;
  for (;;) {
    temporary = TemporaryName(path);
    const int fd =
        open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      if (existed) fchmod(fd, old.st_mode & 07777);
      return fd;
    }
    if (errno != EEXIST) Fail(path, errno);
  }
}

bool WriteAll(int fd, const std::string& contents) {
  const char* p = contents.data();
  size_t left = contents.size();
  while (left > 0) {
    const ssize_t n = write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

void WriteFileReplacing(const std::string& path, const std::string& contents) {
  std::string temporary;
  const int fd = OpenTemporary(path, temporary);
  int error = 0;
  if (!WriteAll(fd, contents) || fsync(fd) != 0) error = errno;
  if (close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && rename(temporary.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) {
    unlink(temporary.c_str());
    Fail(path, error);
  }
  // Make the rename itself durable; a failure here loses nothing.
  const std::string folder = fs::path(path).parent_path().string();
  const int dir = open(folder.empty() ? "." : folder.c_str(),
                       O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
}

std::vector<std::string> ReadTextLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EInOutError("Cannot open file \"" + path + "\".");
  const std::string text(std::istreambuf_iterator<char>(in), {});
  if (in.bad()) throw EInOutError("Cannot read file \"" + path + "\".");
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace kestra
