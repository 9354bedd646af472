#include "excel_export.h"

#include <locale.h>
#include <stdlib.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>
#include <utility>

#include "number_text.h"
#include "plot_geometry.h"
#include "safe_file.h"
#include "zip_parts.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;

// Rows and columns as the sheets number them from 1.
constexpr int kNameRow = 4, kAxisRow = 5, kFirstDataRow = 6;
constexpr int kMaxRows = 1048576;
// Two letters name at most column 702: 351 curves of two columns.
constexpr int kMaxCurves = 351;

// Blanks as the index headings carry them.
constexpr std::array<const char*, 5> kHeadings = {
    "     N    ",
    "                             Plot Name                             ",
    "  Sheet Name  ",
    "  Chart Name  ",
    "          Status          ",
};

// Written files hold finished graphs only, so every index row ends here.
constexpr char kComplete[] = "Complete";

// The legend's black border and white interior, which the workbook library
// has no setting for; patched into each chart part afterwards.
constexpr char kLegendShape[] =
    "<c:spPr><a:solidFill><a:srgbClr val=\"FFFFFF\"/></a:solidFill>"
    "<a:ln><a:solidFill><a:srgbClr val=\"000000\"/></a:solidFill></a:ln>"
    "</c:spPr>";

class ExportError : public std::exception {
 public:
  explicit ExportError(std::string what) : what_(std::move(what)) {}
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  std::string what_;
};

void Check(lxw_error result, const std::string& where) {
  if (result != LXW_NO_ERROR) throw ExportError(where + ": " + lxw_strerror(result));
}

template <typename T>
T* Made(T* object, const std::string& what) {
  if (!object) throw ExportError("Cannot create " + what + ".");
  return object;
}

// What the spreadsheet would keep of a value typed as text: a number of 15
// significant digits. Values a cell cannot hold (infinite, not a number,
// beyond double range) give nothing and leave the cell empty.
std::optional<double> CellNumber(long double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const DecimalResult r = ParseDecimal(FormatGeneral(value, 15));
  if (r.status != DecimalStatus::kOk) return std::nullopt;
  const double d = static_cast<double>(r.value);
  if (!std::isfinite(d)) return std::nullopt;
  return d;
}

// Column width, in widths of the digit 0 of the default font, that shows
// the text whole: blanks are narrow, bold letters a little wider.
double FittedWidth(const std::string& text, bool bold) {
  double width = 0.0;
  for (const char c : text) width += c == ' ' ? 0.43 : bold ? 1.1 : 1.0;
  return width + 1.0;
}

std::string PageName(int k) { return "Page_" + std::to_string(k); }
std::string PlotName(int k) { return "Plot_" + std::to_string(k); }

lxw_row_t Row(int row) { return static_cast<lxw_row_t>(row - 1); }
lxw_col_t Col(int column) { return static_cast<lxw_col_t>(column - 1); }

void WriteText(lxw_worksheet* sheet, int row, int column, const std::string& text,
               lxw_format* format = nullptr) {
  Check(worksheet_write_string(sheet, Row(row), Col(column), text.c_str(), format),
        "Cell " + ColumnName(column) + std::to_string(row));
}

void WriteLink(lxw_worksheet* sheet, int row, int column, const std::string& target,
               const std::string& text) {
  const std::string url = "internal:" + target;
  Check(worksheet_write_url_opt(sheet, Row(row), Col(column), url.c_str(), nullptr,
                                text.c_str(), nullptr),
        "Link " + ColumnName(column) + std::to_string(row));
}

// Names given as text; one that starts with "=" would be read as a cell
// reference, so it refers to the cell holding the same text instead.
void NameSeries(lxw_chart_series* series, const std::string& name,
                const std::string& sheet, int row, int column) {
  if (name.starts_with('=')) {
    chart_series_set_name_range(series, sheet.c_str(), Row(row), Col(column));
  } else {
    chart_series_set_name(series, name.c_str());
  }
}

void NameAxis(lxw_chart_axis* axis, const std::string& title, const std::string& sheet,
              int row, int column) {
  if (title.empty()) return;
  if (title.starts_with('=')) {
    chart_axis_set_name_range(axis, sheet.c_str(), Row(row), Col(column));
  } else {
    chart_axis_set_name(axis, title.c_str());
  }
}

int CurveCount(const TGraphPlot& graph) { return graph.LineCount(CurveGroup::Lines); }

// The data sheet: caption, axis titles, then each curve in a pair of
// columns.
void WriteDataSheet(lxw_worksheet* sheet, const TGraphPlot& graph,
                    const std::string& x_title, const std::string& y_title) {
  WriteLink(sheet, 1, 7, "Legend!A1", "Go to Legend Page");
  WriteText(sheet, 1, 1, graph.Caption);
  WriteText(sheet, 2, 1, "X");
  WriteText(sheet, 2, 2, x_title);
  WriteText(sheet, 3, 1, "Y");
  WriteText(sheet, 3, 2, y_title);
  for (int i = 1; i <= CurveCount(graph); ++i) {
    const TLine& line = graph.Line(CurveGroup::Lines, i - 1);
    const int x = 2 * i - 1, y = 2 * i;
    WriteText(sheet, kNameRow, x, graph.CurveLabel(line));
    WriteText(sheet, kAxisRow, x, "X");
    WriteText(sheet, kAxisRow, y, "Y");
    int row = kFirstDataRow;
    for (const TFloatPoint& p : line.Points) {
      for (const auto& [column, value] : {std::pair{x, p.X}, std::pair{y, p.Y}}) {
        if (const std::optional<double> number = CellNumber(value)) {
          Check(worksheet_write_number(sheet, Row(row), Col(column), *number, nullptr),
                "Cell " + ColumnName(column) + std::to_string(row));
        }
      }
      ++row;
    }
  }
}

std::string Range(const std::string& sheet, int column, int last_row) {
  const std::string c = ColumnName(column);
  return "=" + sheet + "!$" + c + "$" + std::to_string(kFirstDataRow) + ":$" + c +
         "$" + std::to_string(last_row);
}

lxw_chart* MakeChart(lxw_workbook* book, const TGraphPlot& graph, const std::string& page,
                     const std::string& x_title, const std::string& y_title) {
  lxw_chart* chart = Made(
      workbook_add_chart(book, LXW_CHART_SCATTER_STRAIGHT_WITH_MARKERS), "a chart");
  for (int i = 1; i <= CurveCount(graph); ++i) {
    const TLine& line = graph.Line(CurveGroup::Lines, i - 1);
    // A curve without points still gets its series, over one empty row.
    const int last = kFirstDataRow + std::max<int>(1, static_cast<int>(line.Points.size())) - 1;
    lxw_chart_series* series =
        Made(chart_add_series(chart, Range(page, 2 * i - 1, last).c_str(),
                              Range(page, 2 * i, last).c_str()),
             "a chart series");
    NameSeries(series, graph.CurveLabel(line), page, kNameRow, 2 * i - 1);
  }
  if (CurveCount(graph) == 0) {
    // A chart needs a series: an empty one, kept out of the legend.
    Made(chart_add_series(chart, Range(page, 1, kFirstDataRow).c_str(),
                          Range(page, 2, kFirstDataRow).c_str()),
         "a chart series");
    int16_t hidden[] = {0, -1};
    Check(chart_legend_delete_series(chart, hidden), "Chart legend");
  }
  chart_title_off(chart);
  NameAxis(chart->x_axis, x_title, page, 2, 2);
  NameAxis(chart->y_axis, y_title, page, 3, 2);
  chart_axis_major_gridlines_set_visible(chart->x_axis, LXW_TRUE);
  chart_axis_major_gridlines_set_visible(chart->y_axis, LXW_TRUE);
  // Depth grows downward, as in the graph window.
  if (graph.XOnTop) chart_axis_set_reverse(chart->y_axis);
  return chart;
}

void CheckSize(const TGraphPlot& graph, int k) {
  if (CurveCount(graph) > kMaxCurves) {
    throw ExportError(PageName(k) + " (" + graph.Caption + "): more than " +
                      std::to_string(kMaxCurves) + " curves cannot be exported.");
  }
  for (int i = 0; i < CurveCount(graph); ++i) {
    const size_t points = graph.Line(CurveGroup::Lines, i).Points.size();
    if (points > static_cast<size_t>(kMaxRows - kFirstDataRow + 1)) {
      throw ExportError(PageName(k) + " (" + graph.Caption +
                        "): a curve has more points than a sheet has rows.");
    }
  }
}

// The workbook library prints numbers with the C library, which follows
// the numeric locale the window toolkit took from the user. For the time of
// the export this thread alone formats numbers the C way, with ".".
class CNumbers {
 public:
  CNumbers() {
    const locale_t base = duplocale(LC_GLOBAL_LOCALE);
    if (base == locale_t{}) return;
    c_ = newlocale(LC_NUMERIC_MASK, "C", base);
    if (c_ == locale_t{}) {
      freelocale(base);
      return;
    }
    previous_ = uselocale(c_);
  }
  ~CNumbers() {
    if (c_ == locale_t{}) return;
    uselocale(previous_);
    freelocale(c_);
  }
  CNumbers(const CNumbers&) = delete;
  CNumbers& operator=(const CNumbers&) = delete;

 private:
  locale_t c_{};
  locale_t previous_{};
};

// Builds the workbook into `file` with the workbook library.
void BuildWorkbook(const std::vector<const TGraphPlot*>& graphs, const std::string& file) {
  const CNumbers c_numbers;
  for (size_t k = 0; k < graphs.size(); ++k) CheckSize(*graphs[k], static_cast<int>(k + 1));

  lxw_workbook* book = Made(workbook_new(file.c_str()), "the workbook");
  // Closing writes and frees the workbook; it must run on every path.
  bool closed = false;
  struct Closer {
    lxw_workbook* book;
    bool& closed;
    ~Closer() {
      if (!closed) workbook_close(book);
    }
  } closer{book, closed};

  lxw_worksheet* legend = Made(workbook_add_worksheet(book, "Legend"), "sheet Legend");
  lxw_format* heading = Made(workbook_add_format(book), "a cell format");
  format_set_bold(heading);
  format_set_align(heading, LXW_ALIGN_VERTICAL_CENTER);

  std::array<double, kHeadings.size()> widths{};
  const auto fit = [&widths](int column, const std::string& text, bool bold) {
    double& w = widths[static_cast<size_t>(column - 2)];
    w = std::max(w, FittedWidth(text, bold));
  };
  for (int c = 0; c < static_cast<int>(kHeadings.size()); ++c) {
    WriteText(legend, 2, c + 2, kHeadings[static_cast<size_t>(c)], heading);
    fit(c + 2, kHeadings[static_cast<size_t>(c)], true);
  }

  for (size_t index = 0; index < graphs.size(); ++index) {
    const TGraphPlot& graph = *graphs[index];
    const int k = static_cast<int>(index + 1);
    const int row = k + 2;
    const std::string page = PageName(k), plot = PlotName(k);
    const std::string x_title = AxisTitle(graph.XCaption, graph.XUnits, graph.Units());
    const std::string y_title = AxisTitle(graph.YCaption, graph.YUnits, graph.Units());

    Check(worksheet_write_number(legend, Row(row), Col(2), k, nullptr), "Legend");
    WriteText(legend, row, 3, graph.Caption);
    WriteLink(legend, row, 4, page + "!A1", page);
    WriteText(legend, row, 5, plot);
    WriteText(legend, row, 6, kComplete);
    fit(2, std::to_string(k), false);
    fit(3, graph.Caption, false);
    fit(4, page, false);
    fit(5, plot, false);
    fit(6, kComplete, false);

    lxw_worksheet* data = Made(workbook_add_worksheet(book, page.c_str()), "sheet " + page);
    WriteDataSheet(data, graph, x_title, y_title);
    lxw_chartsheet* chart_sheet =
        Made(workbook_add_chartsheet(book, plot.c_str()), "sheet " + plot);
    Check(chartsheet_set_chart(chart_sheet, MakeChart(book, graph, page, x_title, y_title)),
          plot);
    // A chart sheet prints across the page, as the spreadsheet's own do.
    chartsheet_set_landscape(chart_sheet);
  }
  for (int c = 0; c < static_cast<int>(widths.size()); ++c) {
    Check(worksheet_set_column(legend, Col(c + 2), Col(c + 2),
                               widths[static_cast<size_t>(c)], nullptr),
          "Legend");
  }
  worksheet_activate(legend);

  closed = true;
  Check(workbook_close(book), "Cannot write the workbook");
}

// The legend settings go into every chart part of the archive.
std::string WithLegendShapes(const std::string& archive) {
  std::vector<ZipPart> parts;
  std::string error;
  if (!ReadZipParts(archive, &parts, &error)) throw ExportError("Workbook: " + error);
  for (ZipPart& part : parts) {
    if (!part.Name.starts_with("xl/charts/chart")) continue;
    const size_t begin = part.Data.find("<c:legend>");
    const size_t end = part.Data.find("</c:legend>", begin);
    if (begin == std::string::npos || end == std::string::npos) continue;
    // The shape comes before the legend's text properties, if any.
    const size_t text = part.Data.find("<c:txPr>", begin);
    part.Data.insert(text < end ? text : end, kLegendShape);
  }
  std::string out;
  if (!WriteZipParts(parts, &out, &error)) throw ExportError("Workbook: " + error);
  return out;
}

std::string ReadWhole(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::string text(std::istreambuf_iterator<char>(in), {});
  if (!in && !in.eof()) throw ExportError("Cannot read \"" + file + "\".");
  return text;
}

// A scratch file beside the target, removed however the export ends.
class ScratchFile {
 public:
  explicit ScratchFile(const std::string& target) {
    const fs::path t(target);
    std::string pattern =
        (t.parent_path() / ("." + t.filename().string() + ".XXXXXX")).string();
    const int fd = mkstemp(pattern.data());
    if (fd < 0) {
      throw ExportError("Cannot write file \"" + target +
                        "\": " + std::system_category().message(errno));
    }
    close(fd);
    path_ = pattern;
  }
  ~ScratchFile() { unlink(path_.c_str()); }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace

std::string ColumnName(int number) {
  if (number < 1 || number > 26 * 27) return {};
  const auto letter = [](int n) { return static_cast<char>('A' + n); };
  if (number <= 26) return std::string(1, letter(number - 1));
  return {letter((number - 1) / 26 - 1), letter((number - 1) % 26)};
}

bool ExportGraphsToExcel(const std::vector<const TGraphPlot*>& graphs,
                         const std::string& path, std::string* error) {
  try {
    std::string contents;
    {
      const ScratchFile scratch(path);
      BuildWorkbook(graphs, scratch.Path());
      contents = WithLegendShapes(ReadWhole(scratch.Path()));
    }
    WriteFileReplacing(path, contents);
    return true;
  } catch (const std::exception& e) {
    if (error) *error = e.what();
    return false;
  }
}

}  // namespace kestra
