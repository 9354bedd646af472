#include "zip_parts.h"

#include <zlib.h>

#include <cstdint>
#include <limits>

namespace kestra {
namespace {

constexpr uint32_t kLocalSignature = 0x04034b50;
constexpr uint32_t kCentralSignature = 0x02014b50;
constexpr uint32_t kEndSignature = 0x06054b50;
constexpr size_t kLocalSize = 30, kCentralSize = 46, kEndSize = 22;
constexpr uint16_t kStored = 0, kDeflated = 8;
// Deflate cannot expand data by more than about 1032 to 1, so a larger
// claimed size marks a damaged entry rather than a reason to allocate.
constexpr uint64_t kMaxRatio = 1032;
// 1 January 1980, the earliest date a zip entry can carry: the parts of a
// workbook need no time of their own, and a fixed one keeps files equal.
constexpr uint16_t kDosDate = (1 << 5) | 1;

uint32_t Get(const std::string& s, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) {
    v = (v << 8) | static_cast<unsigned char>(s[at + static_cast<size_t>(i)]);
  }
  return v;
}

void Put(std::string& s, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    s.push_back(static_cast<char>(v & 0xff));
    v >>= 8;
  }
}

uint32_t Crc(const std::string& data) {
  // zlib takes at most uInt bytes a call; parts are limited to 4 GiB anyway.
  return static_cast<uint32_t>(crc32(0L, reinterpret_cast<const Bytef*>(data.data()),
                                     static_cast<uInt>(data.size())));
}

bool Fail(std::string* error, const std::string& why) {
  if (error) *error = why;
  return false;
}

bool Inflate(const std::string& archive, size_t at, size_t size,
             size_t expected, std::string* out) {
  out->assign(expected, '\0');
  z_stream z{};
  if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return false;
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(archive.data() + at));
  z.avail_in = static_cast<uInt>(size);
  z.next_out = reinterpret_cast<Bytef*>(out->data());
  z.avail_out = static_cast<uInt>(expected);
  const int result = inflate(&z, Z_FINISH);
  const bool ok = result == Z_STREAM_END && z.total_out == expected;
  inflateEnd(&z);
  return ok;
}

bool Deflate(const std::string& data, std::string* out) {
  z_stream z{};
  if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8,
                   Z_DEFAULT_STRATEGY) != Z_OK) {
    return false;
  }
  out->assign(deflateBound(&z, static_cast<uLong>(data.size())), '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out->data());
  z.avail_out = static_cast<uInt>(out->size());
  const int result = deflate(&z, Z_FINISH);
  out->resize(z.total_out);
  deflateEnd(&z);
  return result == Z_STREAM_END;
}

}  // namespace

bool ReadZipParts(const std::string& archive, std::vector<ZipPart>* parts,
                  std::string* error) {
  parts->clear();
  if (archive.size() < kEndSize) return Fail(error, "not a zip archive");
  // The end record sits before a comment of at most 65535 bytes.
  size_t end = archive.size() - kEndSize;
  const size_t lowest = end > 0xffff ? end - 0xffff : 0;
  while (Get(archive, end, 4) != kEndSignature) {
    if (end == lowest) return Fail(error, "not a zip archive");
    --end;
  }
  const uint32_t count = Get(archive, end + 10, 2);
  const uint32_t directory_size = Get(archive, end + 12, 4);
  size_t at = Get(archive, end + 16, 4);
  if (count == 0xffff || at == 0xffffffff) {
    return Fail(error, "ZIP64 archives are not supported");
  }
  if (at > end || directory_size > end - at) {
    return Fail(error, "damaged zip directory");
  }
  for (uint32_t n = 0; n < count; ++n) {
    if (at + kCentralSize > end || Get(archive, at, 4) != kCentralSignature) {
      return Fail(error, "damaged zip directory");
    }
    const uint32_t flags = Get(archive, at + 8, 2);
    const uint32_t method = Get(archive, at + 10, 2);
    const uint32_t crc = Get(archive, at + 16, 4);
    const uint64_t packed = Get(archive, at + 20, 4);
    const uint64_t size = Get(archive, at + 24, 4);
    const size_t name_length = Get(archive, at + 28, 2);
    const size_t extra_length = Get(archive, at + 30, 2);
    const size_t comment_length = Get(archive, at + 32, 2);
    const size_t local = Get(archive, at + 42, 4);
    const size_t next = at + kCentralSize + name_length + extra_length + comment_length;
    if (next > end) return Fail(error, "damaged zip directory");
    ZipPart part;
    part.Name = archive.substr(at + kCentralSize, name_length);
    if (flags & 1) return Fail(error, part.Name + ": encrypted entries are not supported");
    if (local + kLocalSize > archive.size() ||
        Get(archive, local, 4) != kLocalSignature) {
      return Fail(error, part.Name + ": damaged entry");
    }
    const size_t data = local + kLocalSize + Get(archive, local + 26, 2) +
                        Get(archive, local + 28, 2);
    if (data > archive.size() || packed > archive.size() - data) {
      return Fail(error, part.Name + ": damaged entry");
    }
    if (method == kStored) {
      if (packed != size) return Fail(error, part.Name + ": damaged entry");
      part.Data = archive.substr(data, packed);
    } else if (method == kDeflated) {
      if (size > kMaxRatio * packed + 1024 ||
          !Inflate(archive, data, packed, size, &part.Data)) {
        return Fail(error, part.Name + ": damaged entry");
      }
    } else {
      return Fail(error, part.Name + ": unsupported compression method");
    }
    if (Crc(part.Data) != crc) return Fail(error, part.Name + ": checksum error");
    parts->push_back(std::move(part));
    at = next;
  }
  return true;
}

bool WriteZipParts(const std::vector<ZipPart>& parts, std::string* archive,
                   std::string* error) {
  constexpr uint64_t kLimit = std::numeric_limits<uint32_t>::max();
  if (parts.size() >= 0xffff) return Fail(error, "too many parts for a zip archive");
  std::string out, directory;
  for (const ZipPart& part : parts) {
    if (part.Data.size() >= kLimit || part.Name.size() > 0xffff) {
      return Fail(error, part.Name + ": too large for a zip archive");
    }
    std::string packed;
    if (!Deflate(part.Data, &packed)) return Fail(error, part.Name + ": compression failed");
    const uint64_t offset = out.size();
    if (offset + kLocalSize + part.Name.size() + packed.size() >= kLimit) {
      return Fail(error, "too large for a zip archive");
    }
    const uint32_t crc = Crc(part.Data);
    const auto header = [&](std::string& s, bool central) {
      Put(s, central ? kCentralSignature : kLocalSignature, 4);
      if (central) Put(s, 20, 2);  // made by: version 2.0
      Put(s, 20, 2);               // needed to extract: version 2.0
      Put(s, 0, 2);                // flags
      Put(s, kDeflated, 2);
      Put(s, 0, 2);                // time
      Put(s, kDosDate, 2);
      Put(s, crc, 4);
      Put(s, static_cast<uint32_t>(packed.size()), 4);
      Put(s, static_cast<uint32_t>(part.Data.size()), 4);
      Put(s, static_cast<uint32_t>(part.Name.size()), 2);
      Put(s, 0, 2);  // extra field length
      if (central) {
        Put(s, 0, 2);  // comment length
        Put(s, 0, 2);  // disk
        Put(s, 0, 2);  // internal attributes
        Put(s, 0, 4);  // external attributes
        Put(s, static_cast<uint32_t>(offset), 4);
      }
      s += part.Name;
    };
    header(out, false);
    out += packed;
    header(directory, true);
  }
  if (out.size() + directory.size() >= kLimit) {
    return Fail(error, "too large for a zip archive");
  }
  const uint32_t directory_offset = static_cast<uint32_t>(out.size());
  out += directory;
  Put(out, kEndSignature, 4);
  Put(out, 0, 2);  // this disk
  Put(out, 0, 2);  // disk of the directory
  Put(out, static_cast<uint32_t>(parts.size()), 2);
  Put(out, static_cast<uint32_t>(parts.size()), 2);
  Put(out, static_cast<uint32_t>(directory.size()), 4);
  Put(out, directory_offset, 4);
  Put(out, 0, 2);  // comment length
  *archive = std::move(out);
  return true;
}

}  // namespace kestra
