// Token reader of the front end: the whole file as lines of words separated
// by blanks or tabs, read word by word with a cursor.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace kestra {

// An input/output failure: a file that cannot be read, or ends or holds a
// word that is not what the reader expects.
class EInOutError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One line: its words and its full text.
struct TWordContainer {
  std::vector<std::string> words;
  std::string text;
};

class TWordReader {
 public:
  // Reads the file; throws EInOutError when it cannot be opened.
  static TWordReader FromFile(const std::string& path);
  explicit TWordReader(const std::string& contents);

  bool AtEnd() const { return line_ >= lines_.size(); }
  int WordCount() const;
  // The next word, from the next line when this one is used up; throws
  // "This file either invalid or incomplete." at the end of the file.
  std::string NextWord();
  double ReadFloat();
  int ReadInteger();
  // The full text of the current line; the cursor moves to the next one.
  std::string ReadLine();
  // Words not yet taken: a count larger than this cannot be right.
  size_t RemainingWords() const { return total_words_ - taken_total_; }

 private:
  std::string Position() const;

  std::vector<TWordContainer> lines_;
  size_t line_ = 0;   // current line
  size_t taken_ = 0;  // words taken from it
  size_t total_words_ = 0, taken_total_ = 0;
};

// Number conversion with "." as the decimal separator, whatever the locale.
bool ParseReal(const std::string& word, double& value);

}  // namespace kestra
