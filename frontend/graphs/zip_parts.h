// The parts of a zip archive in memory: an .xlsx workbook is a zip of XML
// parts, and a few chart settings the workbook library cannot write are
// patched into its output. Only what such workbooks use: no encryption, no
// ZIP64, stored or deflated entries.
#pragma once

#include <string>
#include <vector>

namespace kestra {

struct ZipPart {
  std::string Name;
  std::string Data;
};

// Reads every entry of `archive`, in the order of its central directory.
// False, with a reason in `error`, when the archive is damaged or uses a
// feature named above as unsupported; never reads outside `archive`.
bool ReadZipParts(const std::string& archive, std::vector<ZipPart>* parts,
                  std::string* error);

// An archive of the parts, deflated, in the given order. False when the
// parts exceed what an archive without ZIP64 can hold.
bool WriteZipParts(const std::vector<ZipPart>& parts, std::string* archive,
                   std::string* error);

}  // namespace kestra
