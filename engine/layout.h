// Fixed-layout text writer: the layout notation used for every line the
// engine writes (report, run notes, plot data file, scratch files).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kestra {

// One value written through a layout: an integer, a real, a text or a
// logical. Texts are views; the caller keeps them alive for the call.
class LayoutValue {
 public:
  enum class Kind { Int, Real, Text, Logical };

  LayoutValue(int v) : kind_(Kind::Int), int_(v) {}
  LayoutValue(long v) : kind_(Kind::Int), int_(v) {}
  LayoutValue(long long v) : kind_(Kind::Int), int_(v) {}
  LayoutValue(double v) : kind_(Kind::Real), real_(v) {}
  LayoutValue(std::string_view v) : kind_(Kind::Text), text_(v) {}
  LayoutValue(const char* v) : kind_(Kind::Text), text_(v) {}
  LayoutValue(const std::string& v) : kind_(Kind::Text), text_(v) {}
  LayoutValue(bool v) : kind_(Kind::Logical), int_(v ? 1 : 0) {}

  Kind kind() const { return kind_; }
  long long AsInt() const { return int_; }
  double AsReal() const { return real_; }
  std::string_view AsText() const { return text_; }
  bool AsLogical() const { return int_ != 0; }

 private:
  Kind kind_;
  long long int_ = 0;
  double real_ = 0.0;
  std::string_view text_;
};

// A parsed layout. Parse once and reuse where a line is written many times.
//
// Two notations mean the same: "(5X,'A',I3/F9.3)" (items separated by
// commas, texts in single quotes, '' standing for one apostrophe) and
// "5X \"A\" I3 / F9.3" (items separated by blanks, texts in double quotes).
//
// Output follows list-directed record rules: every "/" ends a line, and the
// last line is ended when writing stops. Writing stops at the first item
// that needs a value when the values have run out. When the items run out
// while values remain, the line is ended and writing goes on from the last
// top-level group (or from the start when there is none).
class Layout {
 public:
  // Throws std::invalid_argument for a layout that cannot be parsed; layouts
  // are constants of the program, so that is a programming error.
  explicit Layout(std::string_view text);
  ~Layout();
  Layout(Layout&&) noexcept;
  Layout& operator=(Layout&&) noexcept;
  Layout(const Layout&) = delete;
  Layout& operator=(const Layout&) = delete;

  // Appends the formatted lines, each ended by '\n', to out.
  void Write(std::string& out, std::span<const LayoutValue> values) const;
  std::string Format(std::initializer_list<LayoutValue> values = {}) const;

  struct Item;  // parsed form; defined in layout.cpp

 private:
  std::vector<Item> items_;
  int reversion_start_ = 0;
};

// Convenience for layouts used once: parse and format in one call.
std::string FormatLayout(std::string_view layout,
                         std::initializer_list<LayoutValue> values = {});
void WriteLayout(std::ostream& os, std::string_view layout,
                 std::initializer_list<LayoutValue> values = {});

}  // namespace kestra
