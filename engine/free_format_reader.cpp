#include "free_format_reader.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace kestra {
namespace {

bool IsSeparator(char c) {
  return c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\f' ||
         c == '\v';
}

}  // namespace

FreeFormatReader::FreeFormatReader(std::string text) : text_(std::move(text)) {
  std::string_view all(text_);
  size_t start = 0;
  while (start < all.size()) {
    size_t end = all.find('\n', start);
    if (end == std::string_view::npos) end = all.size();
    std::string_view line = all.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines_.push_back(line);
    start = end + 1;
  }
}

bool FreeFormatReader::Fail(std::string why, bool at_end) {
  if (error_.empty()) {
    error_ = std::move(why);
    at_end_ = at_end;
    error_line_ = static_cast<int>(
        current_line_ > 0 ? current_line_ : next_line_ + 1);
  }
  return false;
}

void FreeFormatReader::BeginRecord() {
  current_line_ = 0;
  pos_ = 0;
}

std::string_view FreeFormatReader::NextToken() {
  for (;;) {
    if (current_line_ == 0) {
      if (next_line_ >= lines_.size()) return {};
      current_line_ = ++next_line_;
      pos_ = 0;
    }
    std::string_view line = lines_[current_line_ - 1];
    while (pos_ < line.size() && IsSeparator(line[pos_])) ++pos_;
    if (pos_ < line.size()) {
      size_t start = pos_;
      while (pos_ < line.size() && !IsSeparator(line[pos_])) ++pos_;
      return line.substr(start, pos_ - start);
    }
    current_line_ = 0;  // line used up: the statement goes on below
  }
}

bool FreeFormatReader::Read(int& value) {
  if (!ok()) return false;
  std::string_view token = NextToken();
  if (token.empty()) return Fail("MISSING VALUE AT END OF FILE", true);
  if (token.front() == '+') token.remove_prefix(1);
  long long v = 0;
  auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), v);
  if (ec == std::errc::result_out_of_range ||
      (ec == std::errc() && end == token.data() + token.size() &&
       (v > std::numeric_limits<int>::max() ||
        v < std::numeric_limits<int>::min())))
    return Fail("INTEGER OUT OF RANGE");
  if (ec != std::errc() || end != token.data() + token.size())
    return Fail("INTEGER EXPECTED");
  value = static_cast<int>(v);
  return true;
}

bool FreeFormatReader::Read(double& value) {
  if (!ok()) return false;
  std::string_view token = NextToken();
  if (token.empty()) return Fail("MISSING VALUE AT END OF FILE", true);
  if (token.front() == '+') token.remove_prefix(1);
  // Accept the D exponent letter of double-precision constants.
  char buf[64];
  if (token.empty() || token.size() >= sizeof buf) return Fail("NUMBER EXPECTED");
  for (size_t i = 0; i < token.size(); ++i) {
    char c = token[i];
    if (c == 'd' || c == 'D') c = 'E';
    // from_chars also takes "inf" and "nan", which are no input numbers.
    if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' ||
          c == 'e' || c == 'E'))
      return Fail("NUMBER EXPECTED");
    buf[i] = c;
  }
  double v = 0.0;
  auto [end, ec] = std::from_chars(buf, buf + token.size(), v);
  if (ec != std::errc() || end != buf + token.size() || !std::isfinite(v))
    return Fail(ec == std::errc::result_out_of_range ? "NUMBER OUT OF RANGE"
                                                     : "NUMBER EXPECTED");
  value = v;
  return true;
}

bool FreeFormatReader::ReadLine(std::string& line) {
  if (!ok()) return false;
  BeginRecord();
  if (next_line_ >= lines_.size()) {
    current_line_ = 0;
    return Fail("MISSING LINE AT END OF FILE", true);
  }
  line.assign(lines_[next_line_++]);
  current_line_ = next_line_;
  return true;
}

}  // namespace kestra
