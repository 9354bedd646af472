#include "excel_export.h"

#include <gtest/gtest.h>
#include <locale.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "zip_parts.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;

TEST(ExcelExport, ColumnNames) {
  struct Row {
    int number;
    const char* name;
  };
  // clang-format off
  const Row rows[] = {
      {-1, ""}, {0, ""}, {1, "A"}, {2, "B"}, {26, "Z"}, {27, "AA"}, {28, "AB"},
      {52, "AZ"}, {53, "BA"}, {676, "YZ"}, {677, "ZA"}, {702, "ZZ"}, {703, ""},
      {100000, ""},
  };
  // clang-format on
  for (const Row& r : rows) EXPECT_EQ(ColumnName(r.number), r.name) << r.number;
}

// ---------------------------------------------------------------------------
// Reading the written workbook back: its parts, sheets by name, cells.

std::string Attribute(const std::string& element, const std::string& name) {
  const std::string key = " " + name + "=\"";
  const size_t at = element.find(key);
  if (at == std::string::npos) return {};
  const size_t begin = at + key.size();
  return element.substr(begin, element.find('"', begin) - begin);
}

std::string Unescape(std::string s) {
  const std::pair<const char*, const char*> entities[] = {
      {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
  for (const auto& [from, to] : entities) {
    for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + 1)) {
      s.replace(at, std::string(from).size(), to);
    }
  }
  return s;
}

// Every element `<tag ...>` (or `<tag .../>`) with its content.
std::vector<std::string> Elements(const std::string& xml, const std::string& tag) {
  std::vector<std::string> found;
  const std::string open = "<" + tag, close = "</" + tag + ">";
  for (size_t at = xml.find(open); at != std::string::npos; at = xml.find(open, at + 1)) {
    const char next = xml[at + open.size()];
    if (next != ' ' && next != '>' && next != '/') continue;
    const size_t tag_end = xml.find('>', at);
    size_t end = tag_end + 1;
    if (xml[tag_end - 1] != '/') end = xml.find(close, at) + close.size();
    found.push_back(xml.substr(at, end - at));
  }
  return found;
}

// The text between the first `<tag ...>` and its end.
std::string Inner(const std::string& xml, const std::string& tag) {
  const std::vector<std::string> e = Elements(xml, tag);
  if (e.empty()) return {};
  const size_t begin = e[0].find('>') + 1;
  const size_t end = e[0].rfind("</");
  return end == std::string::npos || end < begin ? std::string() : e[0].substr(begin, end - begin);
}

struct Cell {
  bool number = false;
  std::string text;  // the shared string, or the number as written
  std::string style;
};

class Workbook {
 public:
  explicit Workbook(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string archive(std::istreambuf_iterator<char>(in), {});
    std::vector<ZipPart> parts;
    std::string error;
    ok = ReadZipParts(archive, &parts, &error);
    EXPECT_TRUE(ok) << error;
    for (ZipPart& p : parts) parts_[p.Name] = std::move(p.Data);
    for (const std::string& si : Elements(Part("xl/sharedStrings.xml"), "si")) {
      strings_.push_back(Unescape(Inner(si, "t")));
    }
  }

  bool ok = false;

  std::string Part(const std::string& name) const {
    const auto it = parts_.find(name);
    return it == parts_.end() ? std::string() : it->second;
  }

  std::vector<std::string> SheetNames() const {
    std::vector<std::string> names;
    for (const std::string& s : Elements(Part("xl/workbook.xml"), "sheet")) {
      names.push_back(Attribute(s, "name"));
    }
    return names;
  }

  // The part of a sheet, through the workbook's relationships.
  std::string SheetPart(const std::string& name) const {
    for (const std::string& s : Elements(Part("xl/workbook.xml"), "sheet")) {
      if (Attribute(s, "name") == name) return Related("xl/workbook.xml", Attribute(s, "r:id"));
    }
    return {};
  }

  // The chart of a chart sheet: chart sheet -> drawing -> chart.
  std::string ChartOf(const std::string& sheet) const {
    const std::string chartsheet = SheetPart(sheet);
    const std::string drawing =
        Related(chartsheet, Attribute(Elements(Part(chartsheet), "drawing").at(0), "r:id"));
    return Part(Related(drawing, Attribute(Elements(Part(drawing), "c:chart").at(0), "r:id")));
  }

  std::map<std::string, Cell> Cells(const std::string& sheet) const {
    std::map<std::string, Cell> cells;
    for (const std::string& c : Elements(Part(SheetPart(sheet)), "c")) {
      Cell cell;
      cell.style = Attribute(c, "s");
      const std::string v = Inner(c, "v");
      if (Attribute(c, "t") == "s") {
        cell.text = strings_.at(std::stoul(v));
      } else {
        cell.number = Attribute(c, "t").empty() && !v.empty();
        cell.text = v;
      }
      cells[Attribute(c, "r")] = cell;
    }
    return cells;
  }

  // Cell reference -> internal target of its hyperlink.
  std::map<std::string, std::string> Links(const std::string& sheet) const {
    std::map<std::string, std::string> links;
    for (const std::string& h : Elements(Part(SheetPart(sheet)), "hyperlink")) {
      links[Attribute(h, "ref")] = Attribute(h, "location");
    }
    return links;
  }

 private:
  std::string Related(const std::string& part, const std::string& id) const {
    const size_t slash = part.rfind('/');
    const std::string folder = part.substr(0, slash);
    const std::string rels = folder + "/_rels/" + part.substr(slash + 1) + ".rels";
    for (const std::string& r : Elements(Part(rels), "Relationship")) {
      if (Attribute(r, "Id") != id) continue;
      return fs::path(folder + "/" + Attribute(r, "Target")).lexically_normal().string();
    }
    return {};
  }

  std::map<std::string, std::string> parts_;
  std::vector<std::string> strings_;
};

double Number(const Cell& cell) { return std::stod(cell.text); }

class ExcelExportFile : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() /
             ("kestra_excel_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
              "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }

  std::string File(const std::string& name) const { return (folder / name).string(); }

  // Only the named files: no scratch file is left behind.
  std::vector<std::string> FolderContents() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path folder;
};

// 3 curves of 20 points; depth grows downward.
TGraphPlot DepthGraph() {
  TGraphPlot g("Deflection vs Depth", "Load #");
  g.XCaption = "Deflection";
  g.XUnits = "L";
  g.YCaption = "Depth (ft)";
  g.XOnTop = true;
  g.SetUnits(1);
  g.SetLineCount(CurveGroup::Lines, 3);
  for (int i = 0; i < 3; ++i) {
    TLine& line = g.Line(CurveGroup::Lines, i);
    for (int j = 0; j < 20; ++j) line.Points.push_back({0.5L * (i + 1) - j / 40.0L, 0.5L * j});
  }
  g.Line(CurveGroup::Lines, 2).Name = "Long-Term";
  g.Line(CurveGroup::Lines, 0).Points[1].X = 1.0L / 3.0L;
  return g;
}

// 14 p-y curves, the last in columns AA and AB.
TGraphPlot PyGraph() {
  TGraphPlot g("p-y Curves", "Depth ");
  g.XCaption = "y";
  g.XUnits = "L";
  g.YCaption = "p";
  g.YUnits = "F/L";
  g.SetUnits(2);
  g.SetLineCount(CurveGroup::Lines, 14);
  for (int i = 0; i < 14; ++i) {
    TLine& line = g.Line(CurveGroup::Lines, i);
    line.Value = 2.5L * (i + 1);
    line.Points = {{0, 0}, {0.01L, 10.0L * i}, {0.1L, 20.0L * i}};
  }
  return g;
}

TEST_F(ExcelExportFile, IndexSheetAndSheetOrder) {
  const TGraphPlot depth = DepthGraph(), py = PyGraph();
  std::string error;
  ASSERT_TRUE(ExportGraphsToExcel({&depth, &py}, File("plots.xlsx"), &error)) << error;
  EXPECT_EQ(FolderContents(), std::vector<std::string>{"plots.xlsx"});
  const Workbook book(File("plots.xlsx"));
  ASSERT_TRUE(book.ok);

  EXPECT_EQ(book.SheetNames(),
            (std::vector<std::string>{"Legend", "Page_1", "Plot_1", "Page_2", "Plot_2"}));
  EXPECT_NE(book.SheetPart("Page_1").find("worksheets/"), std::string::npos);
  EXPECT_NE(book.SheetPart("Plot_1").find("chartsheets/"), std::string::npos);
  // The index is the sheet in front.
  EXPECT_EQ(Attribute(Elements(book.Part(book.SheetPart("Legend")), "sheetView").at(0),
                      "tabSelected"),
            "1");
  const std::string active = Attribute(Elements(book.Part("xl/workbook.xml"), "workbookView").at(0),
                                       "activeTab");
  EXPECT_TRUE(active.empty() || active == "0") << active;

  const auto cells = book.Cells("Legend");
  // clang-format off
  const std::map<std::string, std::string> texts = {
      {"B2", "     N    "},
      {"C2", "                             Plot Name                             "},
      {"D2", "  Sheet Name  "}, {"E2", "  Chart Name  "},
      {"F2", "          Status          "},
      {"C3", "Deflection vs Depth"}, {"D3", "Page_1"}, {"E3", "Plot_1"}, {"F3", "Complete"},
      {"C4", "p-y Curves"},          {"D4", "Page_2"}, {"E4", "Plot_2"}, {"F4", "Complete"},
  };
  // clang-format on
  for (const auto& [ref, text] : texts) {
    ASSERT_EQ(cells.count(ref), 1u) << ref;
    EXPECT_EQ(cells.at(ref).text, text) << ref;
  }
  EXPECT_TRUE(cells.at("B3").number);
  EXPECT_EQ(Number(cells.at("B3")), 1);
  EXPECT_EQ(Number(cells.at("B4")), 2);
  EXPECT_EQ(book.Links("Legend"), (std::map<std::string, std::string>{
                                      {"D3", "Page_1!A1"}, {"D4", "Page_2!A1"}}));

  // The headings are bold and vertically centred.
  const std::string styles = book.Part("xl/styles.xml");
  const std::vector<std::string> formats = Elements(Inner(styles, "cellXfs"), "xf");
  const std::vector<std::string> fonts = Elements(Inner(styles, "fonts"), "font");
  for (const char* ref : {"B2", "C2", "D2", "E2", "F2"}) {
    const std::string& xf = formats.at(std::stoul(cells.at(ref).style));
    EXPECT_NE(xf.find("vertical=\"center\""), std::string::npos) << ref;
    EXPECT_NE(fonts.at(std::stoul(Attribute(xf, "fontId"))).find("<b/>"), std::string::npos)
        << ref;
  }
  // Columns B to F are sized to their texts: the wide heading of C gets
  // the widest column, none is left at the default.
  std::map<int, double> widths;
  for (const std::string& col : Elements(book.Part(book.SheetPart("Legend")), "col")) {
    for (int c = std::stoi(Attribute(col, "min")); c <= std::stoi(Attribute(col, "max")); ++c) {
      widths[c] = std::stod(Attribute(col, "width"));
    }
  }
  ASSERT_EQ(widths.size(), 5u);
  for (int c = 2; c <= 6; ++c) EXPECT_LE(widths[c], widths[3]) << c;
  EXPECT_GT(widths[3], 20);
  EXPECT_GT(widths[6], widths[4]);
}

TEST_F(ExcelExportFile, DataSheet) {
  const TGraphPlot depth = DepthGraph();
  std::string error;
  ASSERT_TRUE(ExportGraphsToExcel({&depth}, File("plots.xlsx"), &error)) << error;
  const Workbook book(File("plots.xlsx"));
  const auto cells = book.Cells("Page_1");

  // clang-format off
  const std::map<std::string, std::string> texts = {
      {"G1", "Go to Legend Page"}, {"A1", "Deflection vs Depth"},
      {"A2", "X"}, {"B2", "Deflection (in)"}, {"A3", "Y"}, {"B3", "Depth (ft)"},
      {"A4", "Load #1"}, {"C4", "Load #2"}, {"E4", "Long-Term"},
      {"A5", "X"}, {"B5", "Y"}, {"C5", "X"}, {"D5", "Y"}, {"E5", "X"}, {"F5", "Y"},
  };
  // clang-format on
  for (const auto& [ref, text] : texts) {
    ASSERT_EQ(cells.count(ref), 1u) << ref;
    EXPECT_FALSE(cells.at(ref).number) << ref;
    EXPECT_EQ(cells.at(ref).text, text) << ref;
  }
  EXPECT_EQ(book.Links("Page_1"), (std::map<std::string, std::string>{{"G1", "Legend!A1"}}));

  // The points fill A6:F25 as numbers, and nothing else is written.
  for (int row = 6; row <= 25; ++row) {
    for (int column = 1; column <= 6; ++column) {
      const std::string ref = ColumnName(column) + std::to_string(row);
      ASSERT_EQ(cells.count(ref), 1u) << ref;
      EXPECT_TRUE(cells.at(ref).number) << ref;
    }
  }
  EXPECT_EQ(cells.size(), texts.size() + 20 * 6);
  EXPECT_DOUBLE_EQ(Number(cells.at("F25")), 9.5);
  EXPECT_DOUBLE_EQ(Number(cells.at("E25")), 1.5 - 19 / 40.0);
  // A value keeps the 15 significant digits a typed text would.
  EXPECT_EQ(Number(cells.at("A7")), 0.333333333333333);
}

TEST_F(ExcelExportFile, Charts) {
  const TGraphPlot depth = DepthGraph(), py = PyGraph();
  std::string error;
  ASSERT_TRUE(ExportGraphsToExcel({&depth, &py}, File("plots.xlsx"), &error)) << error;
  const Workbook book(File("plots.xlsx"));

  struct Expect {
    const char* sheet;
    size_t series;
    const char* last_name;
    const char* last_x;
    const char* last_y;
    const char* x_title;
    const char* y_title;
    bool reversed;
  };
  // clang-format off
  const Expect expects[] = {
      {"Plot_1", 3, "Long-Term", "Page_1!$E$6:$E$25", "Page_1!$F$6:$F$25",
       "Deflection (in)", "Depth (ft)", true},
      {"Plot_2", 14, "Depth 35", "Page_2!$AA$6:$AA$8", "Page_2!$AB$6:$AB$8",
       "y (m)", "p (kN/m)", false},
  };
  // clang-format on
  for (const Expect& e : expects) {
    SCOPED_TRACE(e.sheet);
    const std::string chart = book.ChartOf(e.sheet);
    ASSERT_FALSE(chart.empty());
    EXPECT_NE(book.Part(book.SheetPart(e.sheet)).find("orientation=\"landscape\""),
              std::string::npos);
    EXPECT_NE(chart.find("<c:scatterStyle val=\"lineMarker\"/>"), std::string::npos);
    EXPECT_NE(chart.find("<c:autoTitleDeleted val=\"1\"/>"), std::string::npos);

    const std::vector<std::string> series = Elements(chart, "c:ser");
    ASSERT_EQ(series.size(), e.series);
    EXPECT_EQ(Inner(Inner(series.back(), "c:tx"), "c:v"), e.last_name);
    EXPECT_EQ(Inner(Inner(series.back(), "c:xVal"), "c:f"), e.last_x);
    EXPECT_EQ(Inner(Inner(series.back(), "c:yVal"), "c:f"), e.last_y);

    // The category (X) axis first, then the value (Y) axis.
    const std::vector<std::string> axes = Elements(chart, "c:valAx");
    ASSERT_EQ(axes.size(), 2u);
    EXPECT_EQ(Inner(axes[0], "a:t"), e.x_title);
    EXPECT_EQ(Inner(axes[1], "a:t"), e.y_title);
    for (const std::string& axis : axes) {
      EXPECT_NE(axis.find("<c:majorGridlines"), std::string::npos);
    }
    EXPECT_NE(axes[0].find("<c:orientation val=\"minMax\"/>"), std::string::npos);
    EXPECT_NE(axes[1].find(e.reversed ? "<c:orientation val=\"maxMin\"/>"
                                      : "<c:orientation val=\"minMax\"/>"),
              std::string::npos);

    const std::string legend = Inner(chart, "c:legend");
    EXPECT_EQ(Attribute(Elements(Inner(legend, "c:spPr"), "a:srgbClr").at(0), "val"), "FFFFFF");
    EXPECT_EQ(Attribute(Elements(Inner(legend, "a:ln"), "a:srgbClr").at(0), "val"), "000000");
  }
  // The series of the first chart in column pairs.
  const std::vector<std::string> series = Elements(book.ChartOf("Plot_1"), "c:ser");
  const char* const x_ranges[] = {"Page_1!$A$6:$A$25", "Page_1!$C$6:$C$25", "Page_1!$E$6:$E$25"};
  const char* const y_ranges[] = {"Page_1!$B$6:$B$25", "Page_1!$D$6:$D$25", "Page_1!$F$6:$F$25"};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(Inner(Inner(series[i], "c:xVal"), "c:f"), x_ranges[i]);
    EXPECT_EQ(Inner(Inner(series[i], "c:yVal"), "c:f"), y_ranges[i]);
  }
}

// Values a cell cannot hold, a graph without curves, a curve without points
// and a name that looks like a reference still give a readable workbook.
TEST_F(ExcelExportFile, OddGraphs) {
  TGraphPlot odd = DepthGraph();
  odd.Line(CurveGroup::Lines, 0).Points[3] = {std::numeric_limits<long double>::quiet_NaN(),
                                              std::numeric_limits<long double>::infinity()};
  odd.Line(CurveGroup::Lines, 1).Points.clear();
  odd.Line(CurveGroup::Lines, 2).Name = "=SUM(A1)";
  TGraphPlot empty("Earth Pressure Combined", "Curve #");
  std::string error;
  ASSERT_TRUE(ExportGraphsToExcel({&odd, &empty}, File("odd.xlsx"), &error)) << error;
  const Workbook book(File("odd.xlsx"));
  ASSERT_TRUE(book.ok);
  const auto cells = book.Cells("Page_1");
  EXPECT_EQ(cells.count("A9"), 0u);
  EXPECT_EQ(cells.count("B9"), 0u);
  EXPECT_EQ(cells.count("C6"), 0u);
  EXPECT_EQ(cells.at("E4").text, "=SUM(A1)");

  const std::vector<std::string> series = Elements(book.ChartOf("Plot_1"), "c:ser");
  ASSERT_EQ(series.size(), 3u);
  EXPECT_EQ(Inner(Inner(series[1], "c:xVal"), "c:f"), "Page_1!$C$6:$C$6");
  // The name shows the cell that holds it rather than being taken as a formula.
  EXPECT_EQ(Inner(Inner(series[2], "c:tx"), "c:f"), "Page_1!$E$4");
  EXPECT_FALSE(book.ChartOf("Plot_2").empty());
}

// A failed export leaves the file that was there, and no scratch file.
TEST_F(ExcelExportFile, FailureKeepsTheExistingFile) {
  TGraphPlot too_many("p-y Curves", "Depth ");
  too_many.SetLineCount(CurveGroup::Lines, 352);
  TGraphPlot long_caption = DepthGraph();
  long_caption.Caption = std::string(40000, 'x');  // longer than a cell holds
  const TGraphPlot fine = DepthGraph();

  struct Row {
    const char* name;
    const TGraphPlot* second;
  };
  const Row rows[] = {{"curves beyond column ZZ", &too_many},
                      {"failure while writing", &long_caption}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const std::string target = File("plots.xlsx");
    { std::ofstream(target, std::ios::binary) << "the user's workbook"; }
    std::string error;
    EXPECT_FALSE(ExportGraphsToExcel({&fine, r.second}, target, &error));
    EXPECT_FALSE(error.empty());
    std::ifstream in(target, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "the user's workbook");
    EXPECT_EQ(FolderContents(), std::vector<std::string>{"plots.xlsx"});
  }

  std::string error;
  EXPECT_FALSE(ExportGraphsToExcel({&fine}, File("missing/plots.xlsx"), &error));
  EXPECT_FALSE(error.empty());
}

// Numbers in the workbook use "." whatever the user's numeric locale.
TEST_F(ExcelExportFile, DecimalPointInAnyLocale) {
  const std::string previous = setlocale(LC_NUMERIC, nullptr);
  bool comma = false;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE"}) {
    if (setlocale(LC_NUMERIC, name)) {
      comma = true;
      break;
    }
  }
  if (!comma) GTEST_SKIP() << "no locale with a decimal comma installed";
  const TGraphPlot depth = DepthGraph();
  std::string error;
  const bool written = ExportGraphsToExcel({&depth}, File("plots.xlsx"), &error);
  setlocale(LC_NUMERIC, previous.c_str());
  ASSERT_TRUE(written) << error;
  const Workbook book(File("plots.xlsx"));
  EXPECT_EQ(book.Cells("Page_1").at("B7").text, "0.5");
}

}  // namespace
}  // namespace kestra
