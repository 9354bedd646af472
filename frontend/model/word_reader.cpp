#include "word_reader.h"

#include "number_text.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>

namespace kestra {
namespace {

bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= ' '; }

TWordContainer SplitLine(std::string text) {
  TWordContainer line;
  line.text = text;
  size_t a = 0, b = text.size();
  while (a < b && IsTrimmed(text[a])) ++a;
  while (b > a && IsTrimmed(text[b - 1])) --b;
  std::string rest = text.substr(a, b - a);
  while (!rest.empty()) {
    const size_t cut = rest.find_first_of(" \t");
    if (cut == std::string::npos) {
      line.words.push_back(rest);
      break;
    }
    line.words.push_back(rest.substr(0, cut));
    size_t next = cut;
    while (next < rest.size() && IsTrimmed(rest[next])) ++next;
    rest = rest.substr(next);
  }
  return line;
}

}  // namespace

bool ParseReal(const std::string& word, double& value) {
  const DecimalResult r = ParseDecimal(word);
  if (r.status != DecimalStatus::kOk) return false;
  value = static_cast<double>(r.value);
  return std::isfinite(value);
}

TWordReader TWordReader::FromFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EInOutError("Cannot open file \"" + path + "\".");
  return TWordReader(std::string(std::istreambuf_iterator<char>(in), {}));
}

TWordReader::TWordReader(const std::string& contents) {
  size_t start = 0;
  while (start < contents.size()) {
    size_t end = contents.find('\n', start);
    if (end == std::string::npos) end = contents.size();
    std::string line = contents.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines_.push_back(SplitLine(std::move(line)));
    total_words_ += lines_.back().words.size();
    start = end + 1;
  }
}

int TWordReader::WordCount() const {
  return AtEnd() ? 0 : static_cast<int>(lines_[line_].words.size());
}

std::string TWordReader::NextWord() {
  while (!AtEnd() && taken_ >= lines_[line_].words.size()) {
    ++line_;
    taken_ = 0;
  }
  if (AtEnd()) throw EInOutError("This file either invalid or incomplete.");
  ++taken_total_;
  return lines_[line_].words[taken_++];
}

std::string TWordReader::Position() const {
  return "Error on Line " + std::to_string(line_ + 1) + " Item " + std::to_string(taken_) + "\r";
}

double TWordReader::ReadFloat() {
  const std::string word = NextWord();
  double v = 0.0;
  if (!ParseReal(word, v))
    throw EInOutError(Position() + "A floating point number was expected but not found.");
  return v;
}

int TWordReader::ReadInteger() {
  const std::string word = NextWord();
  double v = 0.0;
  if (!ParseReal(word, v) || v != std::floor(v) ||
      v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
    throw EInOutError(Position() + "An integer was expected but not found.");
  return static_cast<int>(v);
}

std::string TWordReader::ReadLine() {
  if (AtEnd()) throw EInOutError("This file either invalid or incomplete.");
  std::string text = lines_[line_].text;
  // Words of this line not yet taken are passed over.
  taken_total_ += lines_[line_].words.size() - std::min(taken_, lines_[line_].words.size());
  ++line_;
  taken_ = 0;
  return text;
}

}  // namespace kestra
