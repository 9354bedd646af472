#include "zip_parts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestra {
namespace {

std::vector<ZipPart> SampleParts() {
  std::string big;
  for (int i = 0; i < 5000; ++i) big += "<c r=\"A" + std::to_string(i) + "\"/>";
  return {{"[Content_Types].xml", "<Types/>"}, {"xl/empty.xml", ""}, {"xl/big.xml", big}};
}

TEST(ZipParts, RoundTrip) {
  const std::vector<ZipPart> parts = SampleParts();
  std::string archive, error;
  ASSERT_TRUE(WriteZipParts(parts, &archive, &error)) << error;
  EXPECT_LT(archive.size(), parts[2].Data.size());  // deflated
  std::vector<ZipPart> back;
  ASSERT_TRUE(ReadZipParts(archive, &back, &error)) << error;
  ASSERT_EQ(back.size(), parts.size());
  for (size_t i = 0; i < parts.size(); ++i) {
    EXPECT_EQ(back[i].Name, parts[i].Name);
    EXPECT_EQ(back[i].Data, parts[i].Data) << parts[i].Name;
  }
}

// A damaged archive is refused with a reason; nothing is read out of bounds
// (the sanitizer build checks that).
TEST(ZipParts, DamagedArchives) {
  std::string archive, error;
  ASSERT_TRUE(WriteZipParts(SampleParts(), &archive, &error));
  const size_t data_byte = 30 + 19 + 3;  // inside the first entry's data
  std::string flipped = archive;
  flipped[data_byte] = static_cast<char>(flipped[data_byte] ^ 0x55);
  std::string bad_offset = archive;
  bad_offset[archive.size() - 6] = '\x7f';  // directory offset far away

  struct Row {
    const char* name;
    std::string archive;
  };
  const Row rows[] = {
      {"empty", ""},
      {"not a zip", std::string(100, 'x')},
      {"cut in the middle", archive.substr(0, archive.size() / 2)},
      {"end record cut", archive.substr(0, archive.size() - 5)},
      {"changed data", flipped},
      {"directory outside the file", bad_offset},
  };
  for (const Row& r : rows) {
    std::vector<ZipPart> parts;
    error.clear();
    EXPECT_FALSE(ReadZipParts(r.archive, &parts, &error)) << r.name;
    EXPECT_FALSE(error.empty()) << r.name;
  }
  // Every truncation is refused, none crashes.
  for (size_t n = 0; n < archive.size(); n += 7) {
    std::vector<ZipPart> parts;
    EXPECT_FALSE(ReadZipParts(archive.substr(0, n), &parts, &error)) << n;
  }
}

}  // namespace
}  // namespace kestra
