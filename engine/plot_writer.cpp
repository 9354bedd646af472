#include "plot_writer.h"

#include <charconv>

#include "layout.h"

namespace kestra {

void WriteFreeFormatLine(std::string& out,
                         std::initializer_list<PlotToken> values) {
  char buf[40];
  for (const PlotToken& v : values) {
    auto r = v.is_int ? std::to_chars(buf, buf + sizeof buf, v.i)
                      : std::to_chars(buf, buf + sizeof buf, v.d);
    out += ' ';
    for (char* p = buf; p != r.ptr; ++p) out += *p == 'e' ? 'E' : *p;
  }
  out += '\n';
}

void WritePlotCurveCount(std::string& out, int IUNIT, int count) {
  WriteFreeFormatLine(out, {IUNIT, count});
}

void WritePlotResults(std::string& out, int NBLK, int IUNIT,
                      std::span<const StationResult> rows) {
  WriteFreeFormatLine(out, {NBLK, static_cast<int>(rows.size()), IUNIT});
  static const Layout kRow("(5(1X,E13.4))");
  for (const StationResult& r : rows) {
    const LayoutValue values[] = {r.x, r.deflection, r.moment, r.shear,
                                  r.reaction};
    kRow.Write(out, values);
  }
}

}  // namespace kestra
