#include "layout.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace kestra {

struct Layout::Item {
  enum class Kind : std::uint8_t {
    kBlanks,      // count blanks
    kText,        // text, count times
    kSlash,       // count line ends
    kScale,       // scale factor for the E and D items that follow
    kGroupOpen,   // count = repeat of the group
    kGroupClose,  // count = index of the matching kGroupOpen
    kInt,         // Iw or Iw.m (extra = m, or -1)
    kFixed,       // Fw.d
    kExp,         // Ew.d or Dw.d (letter)
    kLogical,     // Lw
    kChars,       // Aw, or A (width = -1)
  };
  Kind kind;
  char letter = 'E';
  int count = 1;
  int width = 0;
  int decimals = 0;
  int extra = -1;
  std::string text;

  bool TakesValue() const { return kind >= Kind::kInt; }
};

namespace {

using Item = Layout::Item;
using Kind = Item::Kind;

// Bounds keep any layout text, even a garbled one, from asking for
// unbounded work or memory; real layouts stay far below them.
constexpr int kMaxCount = 100000;  // repeat counts and nX
constexpr int kMaxWidth = 1000;    // w, d and m of one item
constexpr int kMaxDepth = 32;      // nesting of groups
constexpr std::uint64_t kMaxPassSize = std::uint64_t{1} << 22;

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' ||
         c == '\v';
}
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char Upper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

std::uint64_t SatMul(std::uint64_t a, std::uint64_t b) {
  constexpr std::uint64_t kCap = std::uint64_t{1} << 40;
  if (a != 0 && b > kCap / a) return kCap;
  return std::min(a * b, kCap);
}

class Parser {
 public:
  Parser(std::string_view original, std::vector<Item>& items)
      : original_(original), items_(items) {}

  // Returns the index of the item writing resumes at when the items run out
  // while values remain, or -1 when that part holds no item taking a value.
  int Parse() {
    std::size_t b = 0, e = original_.size();
    while (b < e && IsBlank(original_[b])) ++b;
    while (e > b && IsBlank(original_[e - 1])) --e;
    std::string_view trimmed = original_.substr(b, e - b);

    std::uint64_t size = 0;
    if (!trimmed.empty() && trimmed.front() == '(') {
      // Blanks outside texts mean nothing in this notation, as in Fortran.
      StripBlanks(trimmed);
      s_ = stripped_;
      i_ = 1;
      size = ParseList(0, true);
      if (i_ != s_.size()) Fail("text after the closing ')'");
    } else {
      s_ = trimmed;
      size = ParseList(0, false);
    }
    if (size > kMaxPassSize) Fail("layout expands to too much text");

    int start = last_top_group_ < 0 ? 0 : last_top_group_;
    for (std::size_t k = std::size_t(start); k < items_.size(); ++k) {
      if (items_[k].TakesValue()) return start;
    }
    return -1;
  }

 private:
  [[noreturn]] void Fail(const std::string& why) const {
    std::string msg = "invalid layout \"";
    msg.append(original_.substr(0, 200));
    if (original_.size() > 200) msg += "...";
    msg += "\": ";
    msg += why;
    if (i_ < s_.size()) {
      msg += " at \"";
      msg.append(s_.substr(i_, 20));
      msg += '"';
    } else if (!s_.empty()) {
      msg += " at the end";
    }
    throw std::invalid_argument(msg);
  }

  void StripBlanks(std::string_view t) {
    stripped_.reserve(t.size());
    char quote = 0;
    for (char c : t) {
      if (quote != 0) {
        // A doubled quote reads as a close and a reopen; both chars are
        // kept, so QuotedText still sees it doubled.
        if (c == quote) quote = 0;
        stripped_ += c;
      } else if (c == '\'' || c == '"') {
        quote = c;
        stripped_ += c;
      } else if (!IsBlank(c)) {
        stripped_ += c;
      }
    }
    if (quote != 0) {
      s_ = stripped_;
      i_ = s_.size();
      Fail("text without its closing quote");
    }
  }

  bool AtEnd() const { return i_ >= s_.size(); }
  char Peek() const { return AtEnd() ? '\0' : s_[i_]; }

  void SkipBlanks() {
    while (!AtEnd() && IsBlank(s_[i_])) ++i_;
  }

  // Unsigned number at i_, or -1 when there is no digit.
  int Number(int max, const char* what) {
    if (!IsDigit(Peek())) return -1;
    long long n = 0;
    while (IsDigit(Peek())) {
      n = n * 10 + (s_[i_] - '0');
      if (n > max) Fail(std::string(what) + " too large");
      ++i_;
    }
    return int(n);
  }

  std::uint64_t ParseList(int depth, bool closed_by_paren) {
    std::uint64_t size = 0;
    bool empty = true;
    bool after_comma = false;
    for (;;) {
      SkipBlanks();
      if (AtEnd()) {
        if (closed_by_paren) Fail("missing ')'");
        if (after_comma) Fail("',' not followed by an item");
        return size;
      }
      char c = s_[i_];
      if (c == ')') {
        if (!closed_by_paren) Fail("')' without its '('");
        if (after_comma) Fail("',' not followed by an item");
        ++i_;
        return size;
      }
      if (c == ',') {
        if (empty || after_comma) Fail("empty item");
        after_comma = true;
        ++i_;
        continue;
      }
      size = std::min(size + ParseItem(depth), std::uint64_t{1} << 40);
      empty = false;
      after_comma = false;
    }
  }

  std::uint64_t ParseItem(int depth) {
    if (Peek() == '+' || Peek() == '-') {
      bool negative = Peek() == '-';
      ++i_;
      int k = Number(kMaxWidth, "scale factor");
      if (k < 0 || Upper(Peek()) != 'P')
        Fail("sign not part of a scale factor");
      ++i_;
      Add(Kind::kScale).extra = negative ? -k : k;
      return 1;
    }
    std::size_t item_start = i_;
    int count = Number(kMaxCount, "count");
    if (AtEnd()) Fail("number without an item");
    char c = Upper(s_[i_]);
    if (c == 'P') {
      if (count < 0) Fail("scale factor without its number");
      ++i_;
      Add(Kind::kScale).extra = count;
      return 1;
    }
    if (count == 0) {
      i_ = item_start;
      Fail("count must be at least 1");
    }
    if (count < 0) count = 1;

    switch (c) {
      case 'X':
        ++i_;
        Add(Kind::kBlanks).count = count;
        return std::uint64_t(count);
      case '/':
        ++i_;
        Add(Kind::kSlash).count = count;
        return std::uint64_t(count);
      case '\'':
      case '"': {
        Item& item = Add(Kind::kText);
        item.count = count;
        item.text = QuotedText();
        return SatMul(std::uint64_t(count),
                      std::max<std::uint64_t>(1, item.text.size()));
      }
      case '(': {
        if (depth + 1 > kMaxDepth) Fail("groups nested too deeply");
        ++i_;
        int open = int(items_.size());
        if (depth == 0) last_top_group_ = open;
        Add(Kind::kGroupOpen).count = count;
        std::uint64_t inner = ParseList(depth + 1, true);
        Add(Kind::kGroupClose).count = open;
        return SatMul(std::uint64_t(count), inner + 1);
      }
      case 'I':
      case 'F':
      case 'E':
      case 'D':
      case 'L':
      case 'A':
        ++i_;
        return SatMul(std::uint64_t(count), DataItem(c, count));
      default:
        Fail("unknown item");
    }
  }

  // Returns the widest the item can write.
  std::uint64_t DataItem(char c, int count) {
    Item item;
    item.count = count;
    item.width = Number(kMaxWidth, "width");
    switch (c) {
      case 'I':
        item.kind = Kind::kInt;
        if (item.width < 0) Fail("I needs a width");
        if (Peek() == '.') {
          ++i_;
          item.extra = Number(kMaxWidth, "digit count");
          if (item.extra < 0) Fail("I needs digits after '.'");
          if (item.width > 0 && item.extra > item.width) {
            Fail("more digits than the width");
          }
        }
        break;
      case 'F':
      case 'E':
      case 'D':
        item.kind = c == 'F' ? Kind::kFixed : Kind::kExp;
        item.letter = c;
        if (item.width < 0) Fail(std::string(1, c) + " needs a width");
        if (item.width == 0 && c != 'F') Fail("width must be at least 1");
        if (Peek() != '.') Fail(std::string(1, c) + " needs decimals");
        ++i_;
        item.decimals = Number(kMaxWidth, "decimals");
        if (item.decimals < 0) Fail(std::string(1, c) + " needs decimals");
        break;
      case 'L':
        item.kind = Kind::kLogical;
        if (item.width < 0) Fail("L needs a width");
        if (item.width == 0) Fail("width must be at least 1");
        break;
      default:  // 'A'
        item.kind = Kind::kChars;
        if (item.width == 0) Fail("width must be at least 1");
        break;
    }
    // I0, F0.d and a bare A take the columns their value needs.
    std::uint64_t widest = item.width > 0 ? std::uint64_t(item.width)
                                          : std::uint64_t(item.decimals) + 330;
    items_.push_back(std::move(item));
    return widest;
  }

  std::string QuotedText() {
    char quote = s_[i_++];
    std::string text;
    for (;;) {
      if (AtEnd()) Fail("text without its closing quote");
      char c = s_[i_++];
      if (c == quote) {
        if (Peek() != quote) return text;
        ++i_;
      }
      text += c;
    }
  }

  Item& Add(Kind kind) {
    items_.push_back(Item{});
    items_.back().kind = kind;
    return items_.back();
  }

  std::string_view original_;
  std::vector<Item>& items_;
  std::string stripped_;
  std::string_view s_;
  std::size_t i_ = 0;
  int last_top_group_ = -1;
};

// ---------------------------------------------------------------------------
// Number formatting. Rounding is half away from zero on the exact binary
// value. std::to_chars rounds correctly but may send exact ties to even, so
// ties are found from the binary form and rounded up by hand.

constexpr std::array<std::uint64_t, 23> kPow5 = [] {
  std::array<std::uint64_t, 23> p{};
  p[0] = 1;
  for (std::size_t k = 1; k < p.size(); ++k) p[k] = p[k - 1] * 5;
  return p;
}();

// True when a (finite, > 0) lies exactly halfway between two multiples of
// 10^q. With a = m * 2^e2 and m odd, that needs q == e2 + 1 and, for q > 0,
// 5^q dividing m.
bool IsTie(double a, int q) {
  int e = 0;
  double f = std::frexp(a, &e);
  auto m = static_cast<std::uint64_t>(std::ldexp(f, 53));
  int e2 = e - 53;
  int tz = std::countr_zero(m);
  m >>= tz;
  e2 += tz;
  if (q != e2 + 1) return false;
  if (q <= 0) return true;
  if (q >= int(kPow5.size())) return false;
  return m % kPow5[std::size_t(q)] == 0;
}

// Adds one unit in the last place of a digit string that may hold one '.'.
// Returns the new length; the buffer needs one spare char for the carry.
std::size_t RoundUp(char* b, std::size_t len) {
  for (std::size_t k = len; k-- > 0;) {
    if (b[k] == '.') continue;
    if (b[k] != '9') {
      ++b[k];
      return len;
    }
    b[k] = '0';
  }
  std::memmove(b + 1, b, len);
  b[0] = '1';
  return len + 1;
}

// |a| with d decimals, without a trailing point when d == 0.
constexpr std::size_t kFixedBuf = 330 + kMaxWidth + 16;
std::size_t FixedDigits(double a, int d, char* buf) {
  char* end = buf + kFixedBuf - 8;  // room for the carry and a point
  if (a != 0 && IsTie(a, -d)) {
    // The expansion ends with the 5 right after the last decimal: exact.
    auto r = std::to_chars(buf, end, a, std::chars_format::fixed, d + 1);
    std::size_t len = std::size_t(r.ptr - buf) - 1;
    if (buf[len - 1] == '.') --len;
    return RoundUp(buf, len);
  }
  auto r = std::to_chars(buf, end, a, std::chars_format::fixed, d);
  return std::size_t(r.ptr - buf);
}

// The first n significant digits of a (> 0) into dig; returns the decimal
// exponent of the first digit.
int SignificantDigits(double a, int n, char* dig) {
  char buf[kMaxWidth + 32];
  char* end = buf + sizeof buf;
  auto take = [&](int precision) {
    auto r =
        std::to_chars(buf, end, a, std::chars_format::scientific, precision);
    const char* p = buf;
    int k = 0;
    dig[k++] = *p++;
    if (*p == '.') {
      ++p;
      while (*p != 'e') dig[k++] = *p++;
    }
    ++p;  // 'e'
    int exp10 = 0;
    std::from_chars(*p == '+' ? p + 1 : p, r.ptr, exp10);
    return exp10;
  };
  int exp10 = take(n - 1);
  if (IsTie(a, exp10 - n + 1)) {
    // A tie has exactly n + 1 significant digits; rounding up never came
    // from to_chars here, as a carry would have moved exp10.
    exp10 = take(n);
    if (RoundUp(dig, std::size_t(n)) > std::size_t(n)) ++exp10;
  }
  return exp10;
}

void PutStars(std::string& out, int w) { out.append(w > 0 ? w : 1, '*'); }

// Right-aligns body in w columns; w == 0 means no padding.
void PutField(std::string& out, int w, std::string_view body) {
  if (w > 0) {
    if (body.size() > std::size_t(w)) return PutStars(out, w);
    out.append(std::size_t(w) - body.size(), ' ');
  }
  out.append(body);
}

bool PutSpecial(std::string& out, int w, double x) {
  if (std::isnan(x)) {
    PutField(out, w, "NaN");
  } else if (std::isinf(x)) {
    PutField(out, w, x < 0 ? "-Inf" : "Inf");
  } else {
    return false;
  }
  return true;
}

void PutFixed(std::string& out, const Item& item, double x) {
  if (PutSpecial(out, item.width, x)) return;
  const int w = item.width, d = item.decimals;
  const bool negative = x < 0;  // -0.0 is written without its sign
  const double a = std::fabs(x);
  // Anything from 10^w up has no room; skip printing hundreds of digits.
  if (w > 0 && w < 308 && a >= std::pow(10.0, w)) return PutStars(out, w);

  char buf[kFixedBuf];
  buf[0] = '-';
  char* digits = buf + 1;
  std::size_t len = FixedDigits(a, d, digits);
  if (d == 0) digits[len++] = '.';
  const char* body = negative ? buf : digits;
  std::size_t size = len + (negative ? 1 : 0);
  if (w > 0 && size > std::size_t(w) && d > 0 && digits[0] == '0') {
    // The zero before the point is optional; drop it for room by writing
    // the sign over it.
    digits[0] = '-';
    body = negative ? digits : digits + 1;
    --size;
  }
  PutField(out, w, std::string_view(body, size));
}

void PutExp(std::string& out, const Item& item, double x, int scale) {
  if (PutSpecial(out, item.width, x)) return;
  const int w = item.width, d = item.decimals, k = scale;
  // Fortran's bounds on the scale factor: -d < k < d + 2.
  if (k <= -d || k >= d + 2) return PutStars(out, w);
  const int n = k > 0 ? d + 1 : d + k;
  const bool negative = x < 0;
  const double a = std::fabs(x);

  char dig[kMaxWidth + 8];
  int exponent = 0;
  if (a == 0) {
    std::fill(dig, dig + n, '0');
  } else {
    exponent = SignificantDigits(a, n, dig) + 1 - k;
  }

  char buf[2 * kMaxWidth + 32];
  std::size_t len = 0;
  if (negative) buf[len++] = '-';
  const std::size_t zero_at = len;
  if (k <= 0) {
    buf[len++] = '0';
    buf[len++] = '.';
    for (int z = 0; z < -k; ++z) buf[len++] = '0';
    std::memcpy(buf + len, dig, std::size_t(n));
    len += std::size_t(n);
  } else {
    std::memcpy(buf + len, dig, std::size_t(k));
    len += std::size_t(k);
    buf[len++] = '.';
    std::memcpy(buf + len, dig + k, std::size_t(n - k));
    len += std::size_t(n - k);
  }
  int e = exponent < 0 ? -exponent : exponent;
  if (e > 999) return PutStars(out, w);
  if (e <= 99) buf[len++] = item.letter;  // three digits take its place
  buf[len++] = exponent < 0 ? '-' : '+';
  if (e > 99) buf[len++] = char('0' + e / 100);
  buf[len++] = char('0' + e / 10 % 10);
  buf[len++] = char('0' + e % 10);

  std::string_view body(buf, len);
  if (len > std::size_t(w) && k <= 0) {
    std::memmove(buf + zero_at, buf + zero_at + 1, len - zero_at - 1);
    body = std::string_view(buf, len - 1);
  }
  PutField(out, w, body);
}

void PutInt(std::string& out, const Item& item, const LayoutValue& v) {
  const int w = item.width;
  unsigned long long mag = 0;
  bool negative = false;
  switch (v.kind()) {
    case LayoutValue::Kind::Text:
      return PutStars(out, w);
    case LayoutValue::Kind::Real: {
      double r = std::round(v.AsReal());  // half away from zero
      if (!(std::fabs(r) < 9223372036854775808.0)) return PutStars(out, w);
      long long n = static_cast<long long>(r);
      negative = n < 0;
      mag = negative ? 0ULL - static_cast<unsigned long long>(n)
                     : static_cast<unsigned long long>(n);
      break;
    }
    default: {
      long long n = v.AsInt();
      negative = n < 0;
      mag = negative ? 0ULL - static_cast<unsigned long long>(n)
                     : static_cast<unsigned long long>(n);
      break;
    }
  }
  char digits[32];
  std::size_t len = std::size_t(
      std::to_chars(digits, digits + sizeof digits, mag).ptr - digits);
  const int m = item.extra;
  if (m == 0 && mag == 0) {
    // Fortran: Iw.0 writes zero as blanks.
    out.append(std::size_t(w), ' ');
    return;
  }
  std::size_t zeros = m > 0 && std::size_t(m) > len ? std::size_t(m) - len : 0;
  std::size_t size = (negative ? 1 : 0) + zeros + len;
  if (w > 0) {
    if (size > std::size_t(w)) return PutStars(out, w);
    out.append(std::size_t(w) - size, ' ');
  }
  if (negative) out += '-';
  out.append(zeros, '0');
  out.append(digits, len);
}

double AsNumber(const LayoutValue& v) {
  return v.kind() == LayoutValue::Kind::Real ? v.AsReal()
                                             : static_cast<double>(v.AsInt());
}

void PutChars(std::string& out, const Item& item, const LayoutValue& v) {
  char buf[40];
  std::string_view text;
  switch (v.kind()) {
    case LayoutValue::Kind::Text:
      text = v.AsText();
      break;
    case LayoutValue::Kind::Logical:
      text = v.AsLogical() ? "T" : "F";
      break;
    case LayoutValue::Kind::Int: {
      auto r = std::to_chars(buf, buf + sizeof buf, v.AsInt());
      text = std::string_view(buf, std::size_t(r.ptr - buf));
      break;
    }
    case LayoutValue::Kind::Real: {
      double x = v.AsReal();
      if (std::isnan(x)) {
        text = "NaN";
      } else if (std::isinf(x)) {
        text = x < 0 ? "-Inf" : "Inf";
      } else {
        auto r = std::to_chars(buf, buf + sizeof buf, x);
        text = std::string_view(buf, std::size_t(r.ptr - buf));
      }
      break;
    }
  }
  const int w = item.width;
  if (w < 0) {
    out.append(text);
  } else if (text.size() >= std::size_t(w)) {
    out.append(text.substr(0, std::size_t(w)));
  } else {
    out.append(std::size_t(w) - text.size(), ' ');
    out.append(text);
  }
}

void PutValue(std::string& out, const Item& item, const LayoutValue& v,
              int scale) {
  const bool is_text = v.kind() == LayoutValue::Kind::Text;
  switch (item.kind) {
    case Kind::kInt:
      return PutInt(out, item, v);
    case Kind::kFixed:
      // Unlike Fortran, the scale factor leaves F items alone, so a 1P
      // meant for the E items of a line cannot shift the F values on it.
      if (is_text) return PutStars(out, item.width);
      return PutFixed(out, item, AsNumber(v));
    case Kind::kExp:
      if (is_text) return PutStars(out, item.width);
      return PutExp(out, item, AsNumber(v), scale);
    case Kind::kLogical: {
      if (is_text) return PutStars(out, item.width);
      bool t = v.kind() == LayoutValue::Kind::Real ? v.AsReal() != 0
                                                   : v.AsInt() != 0;
      out.append(std::size_t(item.width - 1), ' ');
      out += t ? 'T' : 'F';
      return;
    }
    case Kind::kChars:
      return PutChars(out, item, v);
    default:
      return;
  }
}

}  // namespace

Layout::Layout(std::string_view text) {
  Parser parser(text, items_);
  reversion_start_ = parser.Parse();
}

Layout::~Layout() = default;
Layout::Layout(Layout&&) noexcept = default;
Layout& Layout::operator=(Layout&&) noexcept = default;

void Layout::Write(std::string& out,
                   std::span<const LayoutValue> values) const {
  std::array<int, kMaxDepth + 1> left{};  // passes left per open group
  int depth = 0;
  int scale = 0;
  std::size_t next = 0;
  std::size_t pos = 0;
  const std::size_t n = items_.size();
  for (;;) {
    if (pos == n) {
      // The size check covers a moved-from layout, which has no items.
      if (next >= values.size() || reversion_start_ < 0 ||
          std::size_t(reversion_start_) >= n) {
        break;
      }
      out += '\n';
      pos = std::size_t(reversion_start_);
      continue;
    }
    const Item& item = items_[pos];
    switch (item.kind) {
      case Kind::kGroupOpen:
        left[std::size_t(depth++)] = item.count;
        ++pos;
        break;
      case Kind::kGroupClose:
        if (--left[std::size_t(depth - 1)] > 0) {
          pos = std::size_t(item.count) + 1;
        } else {
          --depth;
          ++pos;
        }
        break;
      case Kind::kText:
        for (int r = 0; r < item.count; ++r) out += item.text;
        ++pos;
        break;
      case Kind::kBlanks:
        out.append(std::size_t(item.count), ' ');
        ++pos;
        break;
      case Kind::kSlash:
        out.append(std::size_t(item.count), '\n');
        ++pos;
        break;
      case Kind::kScale:
        scale = item.extra;
        ++pos;
        break;
      default:
        for (int r = 0; r < item.count; ++r) {
          if (next >= values.size()) {
            out += '\n';
            return;
          }
          PutValue(out, item, values[next++], scale);
        }
        ++pos;
        break;
    }
  }
  out += '\n';
}

std::string Layout::Format(std::initializer_list<LayoutValue> values) const {
  std::string out;
  Write(out, std::span<const LayoutValue>(values.begin(), values.size()));
  return out;
}

std::string FormatLayout(std::string_view layout,
                         std::initializer_list<LayoutValue> values) {
  return Layout(layout).Format(values);
}

void WriteLayout(std::ostream& os, std::string_view layout,
                 std::initializer_list<LayoutValue> values) {
  os << FormatLayout(layout, values);
}

}  // namespace kestra
