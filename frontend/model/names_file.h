// The names file that tells the engine which files to use for one run.
#pragma once

#include <string>

namespace kestra {

inline constexpr char kNamesFileName[] = "names.dat";
inline constexpr char kProgramVersion[] = "2015.5.16";

// Eight CR LF ended lines: the version, two reserved text lines (the
// program's folder and the input file's folder), a reserved integer (0),
// then the input data file and, with its extension replaced, the report
// (.ks5o), the plot data file (.ks5p) and the run notes (.ks5r).
std::string NamesFileText(const std::string& input_path,
                          const std::string& program_folder);

// Writes `kNamesFileName` into `folder`; false when it cannot be written.
bool WriteNamesFile(const std::string& folder, const std::string& input_path,
                    const std::string& program_folder);

// `path` with its extension replaced (".ks5o", ".ks5p", ".ks5r").
std::string WithExtension(const std::string& path, const char* extension);

}  // namespace kestra
