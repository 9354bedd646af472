// kestra-convert: brings an input data file of an older format (or of the
// current one) to the current ".ks5d" format.
//
//   kestra-convert [--kind N] OLD NEW.ks5d
//
// N is the file kind of the open dialog: 1 current, 2 previous (.ks4d),
// 3 older (.ksd, version 3), 4 oldest (.ksd, version 2), 5 all files.
// Without --kind the kind follows OLD's extension.
#include <cstdio>
#include <cstring>
#include <string>

#include "input_file_convert.h"
#include "word_reader.h"

namespace {

int Usage() {
  std::fputs("usage: kestra-convert [--kind N] OLD NEW.ks5d\n", stderr);
  return 2;
}

// The reader's messages break their lines with a carriage return.
std::string ForConsole(std::string text) {
  for (char& c : text) {
    if (c == '\r') c = '\n';
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  int arg = 1;
  int kind = 0;
  if (arg < argc && std::strcmp(argv[arg], "--kind") == 0) {
    if (arg + 1 >= argc) return Usage();
    const std::string n = argv[arg + 1];
    if (n.size() != 1 || n[0] < '1' || n[0] > '5') return Usage();
    kind = n[0] - '0';
    arg += 2;
  }
  if (argc - arg != 2) return Usage();
  const std::string old_path = argv[arg];
  const std::string new_path = argv[arg + 1];
  const kestra::InputFileKind file_kind =
      kind == 0 ? kestra::KindFromExtension(old_path)
                : static_cast<kestra::InputFileKind>(kind);
  try {
    kestra::ConvertInputFile(old_path, file_kind, new_path);
  } catch (const kestra::EInOutError& e) {
    std::fprintf(stderr, "%s: %s\n", old_path.c_str(),
                 ForConsole(e.what()).c_str());
    return 1;
  }
  return 0;
}
