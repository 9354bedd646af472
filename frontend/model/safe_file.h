// Files written so that a failure never destroys what was there: the text
// goes to a temporary file beside the target, is flushed to disk, and only
// then replaces the target.
#pragma once

#include <string>
#include <vector>

namespace kestra {

// Replaces `path` with `contents`. Throws EInOutError naming the file and
// the system's reason; the previous file is then left as it was.
void WriteFileReplacing(const std::string& path, const std::string& contents);

// The lines of a text file without their line ends (LF or CR LF). Throws
// EInOutError when it cannot be read.
std::vector<std::string> ReadTextLines(const std::string& path);

// Joins lines with CR LF after each.
std::string JoinLines(const std::vector<std::string>& lines);

}  // namespace kestra
