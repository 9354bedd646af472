#include "side_view_geometry.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>

#include "input_tables.h"
#include "program_data.h"
#include "units.h"

namespace kestra::side_view {

namespace {

// Far outside any device, yet safe for a painter's integer coordinates.
constexpr double kDeviceLimit = 1.0e7;

double Clamp(Extended value) {
  if (std::isnan(value)) return 0.0;
  return static_cast<double>(
      std::clamp<Extended>(value, -kDeviceLimit, kDeviceLimit));
}

bool Finite(Extended value) { return std::isfinite(value); }

Extended WallLength(const TProgramData& data) {
  return static_cast<Extended>(data.IncrementCount) * data.IncrementLength;
}

// The layer table's depths are in feet for English units, the drawing in
// inches.
Extended LayerDepth(const TProgramData& data, Extended depth) {
  return data.Units == kEnglishUnits ? depth * 12 : depth;
}

// Six significant digits, as a label on a drawing is read: a unit weight
// converted from a file's lbs/in^3 shows as 120, not 119.999999232.
std::string General(std::optional<Extended> value) {
  return FormatGeneral(value.value_or(0), 6);
}

// Builds the primitives in drawing order with the current pen.
class Painter {
 public:
  Painter(const ViewMap& map, Drawing& drawing) : map_(map), drawing_(drawing) {}

  void SetPen(double pen) { pen_ = pen; }
  void LineTo(DevicePoint from, DevicePoint to) { Add(Line{from, to}); }
  void Polygon(std::vector<DevicePoint> corners) {
    Add(FilledPolygon{std::move(corners)});
  }
  void Circle(DevicePoint centre, double rx, double ry) {
    Add(Ellipse{centre, rx, ry});
  }
  void TextAt(DevicePoint at, int line, std::string text) {
    if (text.empty()) return;
    Add(Text{at, line, std::move(text)});
  }

  // A horizontal line at world depth y between two fractions of the width.
  void Across(Extended y, double from, double to) {
    const double dy = map_.Y(y);
    LineTo({map_.Across(from), dy}, {map_.Across(to), dy});
  }

 private:
  // Built in place: moving a finished primitive into the list upsets the
  // compiler's uninitialised-use analysis of the variant.
  template <typename Shape>
  void Add(Shape shape) {
    Primitive& item = drawing_.items.emplace_back();
    item.pen = pen_;
    item.shape.emplace<Shape>(std::move(shape));
  }

  const ViewMap& map_;
  Drawing& drawing_;
  double pen_ = 1;
};

class DrawingBuilder {
 public:
  DrawingBuilder(const TProgramData& data, const InputTables& tables,
                 const SideGeometry& geometry, const ViewMap& map,
                 const Device& device, Drawing& drawing)
      : d_(data),
        t_(tables),
        g_(geometry),
        map_(map),
        device_(device),
        paint_(map, drawing),
        excavation_(geometry.top + data.FreeHeight) {}

  void Build() {
    paint_.SetPen(device_.thin);
    // The layers are drawn whenever the soil data are in use, trapezoidal
    // pressure of anchored walls included.
    if (d_.PressureOption > 1 || d_.PyCurveOption == 2) SoilLayers();
    Wall();
    GroundLines();
    paint_.SetPen(device_.symbol);
    if (d_.ApplyRestraints) Restraints();
    if (d_.ApplyExternalPY) ExternalPY();
    paint_.SetPen(device_.spring);
    if (d_.ApplySprings) Springs();
    paint_.SetPen(device_.symbol);
    if (d_.WidthActive > 0 && d_.WidthPY > 0) TopView();
  }

 private:
  Extended NodeY(int node) const {
    return static_cast<Extended>(node) * d_.IncrementLength + g_.top;
  }
  bool OnWall(int node) const { return node >= 0 && node <= d_.IncrementCount; }
  double Frac(double f) const { return map_.Across(f); }

  void SoilLayers() {
    const TGridTable& layers = t_.NewSoil;
    Extended top = 0;
    for (int r = 0; r < layers.RowCount(); ++r) {
      const Extended bottom = LayerDepth(
          d_, layers.CellFloat(soil_columns::kBottomDepth, r).value_or(0));
      const Extended y_top = top + g_.top;
      const Extended y_bottom = bottom + g_.top;
      if (r == 0) BackfillSurface();
      // Boundaries above the excavation lie in the backfill only.
      paint_.Across(y_bottom, 0.0, y_bottom >= excavation_ ? 1.0 : 0.5);
      const int type = layers.CellInteger(soil_columns::kSoilType, r).value_or(0);
      const DevicePoint at{Frac(0.0), map_.Y(y_top)};
      paint_.TextAt(at, 0, SoilTypeName(type));
      paint_.TextAt(at, 1,
                    SoilParameterLine(type, layers.SubTable(soil_columns::kParameters, r)));
      top = bottom;
    }
  }

  // The ground at the wall top on the backfill side, with its slope or, on
  // level ground, hatch marks.
  void BackfillSurface() {
    paint_.Across(g_.top, 0.0, 0.5);
    const double y0 = map_.Y(g_.top);
    const Extended beta = d_.BackfillSlope;
    if (beta != 0 && Finite(beta)) {
      // A slope falling away from the wall (negative) is drawn too.
      const Extended rise =
          0.25L * map_.Span() * std::tan(beta * std::numbers::pi_v<Extended> / 180);
      paint_.LineTo({Frac(0.5), y0}, {Frac(0.25), Clamp(y0 - rise)});
      return;
    }
    const double left = Frac(0.0);
    const double dot = device_.dot;
    for (int k = 1; k <= 5; ++k) {
      paint_.LineTo({left + dot * (20 * k + 100), y0},
                    {left + dot * (20 * k + 115), y0 + dot * 5});
    }
  }

  void Wall() {
    for (const WallOutline& outline : g_.outlines) {
      std::vector<DevicePoint> corners;
      for (const WorldPoint& p : outline) corners.push_back({map_.X(p.x), map_.Y(p.y)});
      paint_.Polygon(std::move(corners));
    }
  }

  void GroundLines() {
    paint_.Across(g_.top, 0.0, 0.5);
    paint_.Across(excavation_, 0.5, 1.0);
  }

  // Arrowheads pointing at the wall from the excavation side.
  void Restraints() {
    const TGridTable& rows = t_.SoilLayer;
    const double barb = 0.01 * map_.Span();
    for (int r = 0; r < rows.RowCount(); ++r) {
      const int node = rows.CellInteger(1, r).value_or(-1);
      if (!OnWall(node)) continue;
      const double y = map_.Y(NodeY(node));
      const DevicePoint tip{Frac(0.5), y};
      paint_.LineTo(tip, {Frac(0.52), y});
      paint_.LineTo(tip, {Frac(0.52), y - barb});
      paint_.LineTo(tip, {Frac(0.52), y + barb});
    }
  }

  // A broken arrow on the backfill side pointing away from the wall.
  void ExternalPY() {
    const TGridTable& sets = t_.PYCurves2;
    const double barb = 0.01 * map_.Span();
    for (int r = 0; r < sets.RowCount(); ++r) {
      const int node = sets.CellInteger(0, r).value_or(-1);
      if (!OnWall(node)) continue;
      const double y = map_.Y(NodeY(node));
      paint_.LineTo({Frac(0.5), y}, {Frac(0.45), y});
      paint_.LineTo({Frac(0.43), y}, {Frac(0.38), y});
      const DevicePoint tip{Frac(0.38), y};
      paint_.LineTo(tip, {Frac(0.40), y - barb});
      paint_.LineTo(tip, {Frac(0.40), y + barb});
    }
  }

  // Only springs in the open excavation: below it the soil carries the wall.
  void Springs() {
    const TGridTable& rows = t_.SoilStrength;
    for (int r = 0; r < rows.RowCount(); ++r) {
      const int node = rows.CellInteger(1, r).value_or(-1);
      if (!OnWall(node)) continue;
      const Extended y = NodeY(node);
      if (!(y < excavation_)) continue;
      paint_.Across(y, 0.5, 0.6);
    }
  }

  // A plan of five piles at twice their size: width Wp as radius, spacing
  // Wa as half the distance between centres. It stands in the open
  // excavation below its label, at the drawing's scale.
  void TopView() {
    const double cx = Frac(0.8);
    const double rx = Clamp(std::abs(d_.WidthPY) * map_.ScaleX());
    const double ry = Clamp(std::abs(d_.WidthPY) * map_.ScaleY());
    for (int i = 0; i < 5; ++i) {
      const Extended y = g_.top + d_.WidthPY + 2 * d_.WidthActive * i;
      paint_.Circle({cx, map_.Y(y)}, rx, ry);
    }
    const double label_y = 5 * device_.dot;
    paint_.TextAt({cx + 0.1 * 2 * rx, label_y}, 0, "top view");
    paint_.TextAt({Frac(0.5), label_y}, 0, "side view");
  }

  const TProgramData& d_;
  const InputTables& t_;
  const SideGeometry& g_;
  const ViewMap& map_;
  const Device& device_;
  Painter paint_;
  Extended excavation_;
};

}  // namespace

bool WorldRect::Degenerate() const {
  for (Extended v : {xmin, xmax, ymin, ymax}) {
    if (!Finite(v)) return true;
  }
  return xmax == xmin || ymax == ymin || !Finite(xmax - xmin) || !Finite(ymax - ymin);
}

SideGeometry BuildGeometry(const TProgramData& data, const InputTables& tables) {
  SideGeometry g;
  const Extended length = WallLength(data);
  g.top = 0.1L * length;
  if (tables.PileSect.RowCount() == 0) return g;

  // Half the drawn thickness. A wall without free height still gets one, or
  // the whole view would collapse to nothing.
  Extended a = std::abs(data.FreeHeight) / 40;
  if (!(a > 0)) a = std::abs(length) / 80;
  const Extended tip = 1.1L * length;
  g.outlines.push_back({WorldPoint{-a, g.top}, WorldPoint{a, g.top},
                        WorldPoint{a, tip}, WorldPoint{-a, tip}});

  WorldRect r{0, 0, 0, 0};
  for (const WallOutline& outline : g.outlines) {
    for (const WorldPoint& p : outline) {
      r.xmin = std::min(r.xmin, p.x);
      r.xmax = std::max(r.xmax, p.x);
      r.ymin = std::min(r.ymin, p.y);
      r.ymax = std::max(r.ymax, p.y);
    }
  }
  g.data = {r.xmin * 1.05L, r.xmax * 1.05L, r.ymin * 1.05L, r.ymax * 1.05L};
  return g;
}

Device Device::Screen(int width, int height) {
  Device d;
  d.width = width;
  d.height = height;
  return d;
}

Device Device::Page(int width, int height, double dots_per_inch) {
  Device d;
  d.width = width;
  d.height = height;
  d.page = true;
  // Screen pixels are taken at 96 per inch.
  d.dot = dots_per_inch > 0 ? dots_per_inch / 96.0 : 1.0;
  d.thin = 12;
  d.symbol = 15;
  d.spring = 35;
  return d;
}

WorldRect FitView(const WorldRect& data, double width, double height) {
  if (data.Degenerate() || !(width > 0) || !(height > 0)) return data;
  const Extended r = (static_cast<Extended>(width) / height) /
                     ((data.xmax - data.xmin) / (data.ymax - data.ymin));
  if (!Finite(r) || !(r > 0)) return data;
  WorldRect view = data;
  if (r >= 1) {
    view.xmin *= r;
    view.xmax *= r;
  } else {
    view.ymin /= r;
    view.ymax /= r;
  }
  return view.Degenerate() ? data : view;
}

WorldRect FitView(const WorldRect& data, const Device& device) {
  return FitView(data, device.width, device.MapHeight());
}

double ViewMap::X(Extended x) const {
  const Extended t = (x - view_.xmin) / (view_.xmax - view_.xmin);
  if (device_.page) return Clamp(device_.width * t);
  return Clamp(std::round(device_.width * t));
}

double ViewMap::Y(Extended y) const {
  const Extended t = (y - view_.ymin) / (view_.ymax - view_.ymin);
  if (device_.page) return Clamp(device_.MapHeight() * t + 0.1 * device_.height);
  return Clamp(std::round(device_.height * t));
}

Extended ViewMap::WorldX(double device_x) const {
  return view_.xmin + (view_.xmax - view_.xmin) * device_x / device_.width;
}

Extended ViewMap::WorldY(double device_y) const {
  if (device_.page) device_y -= 0.1 * device_.height;
  return view_.ymin + (view_.ymax - view_.ymin) * device_y / device_.MapHeight();
}

double ViewMap::Across(double fraction) const {
  if (device_.page) return (0.1 + 0.8 * fraction) * device_.width;
  return fraction * device_.width;
}

double ViewMap::ScaleX() const {
  return Clamp(device_.width / (view_.xmax - view_.xmin));
}

double ViewMap::ScaleY() const {
  return Clamp(device_.MapHeight() / (view_.ymax - view_.ymin));
}

double ViewMap::Span() const { return device_.page ? 0.8 * device_.width : device_.width; }

std::string DepthCaption(Extended depth) {
  std::string number;
  // More than six digits before the point read better in exponent form.
  if (!Finite(depth) || std::abs(depth) >= 999999.95L) {
    number = FormatGeneral(depth, 6);
  } else {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer,
                                      static_cast<double>(depth),
                                      std::chars_format::fixed, 1);
    number.assign(buffer, result.ptr);
    if (number == "-0.0") number = "0.0";
  }
  return "  Depth: " + number;
}

std::optional<std::string> DepthReadout(const SideGeometry& geometry,
                                        const WorldRect& view,
                                        const Device& device, double device_y) {
  if (geometry.data.Degenerate() || view.Degenerate() || !(device.MapHeight() > 0)) {
    return std::nullopt;
  }
  return DepthCaption(ViewMap(view, device).WorldY(device_y) - geometry.top);
}

std::string SoilTypeName(int type) {
  switch (type) {
    case 1: return "Soft clay";
    case 2: return "Stiff clay w/free water";
    case 3: return "Stiff clay w/o free water";
    case 4: return "Sand";
    case 5: return "Silt";
    case 6: return "Rock";
    case 7: return "Weak Rock";
    default: return {};
  }
}

std::string SoilParameterLine(int type, const TGridTable* parameters) {
  if (!parameters || parameters->RowCount() < 2) return {};
  const auto v = [parameters](int col) { return General(parameters->CellFloat(col, 1)); };
  // Every parameter table starts with the total unit weight.
  const std::string gamma = "; gamma= " + v(0);
  switch (type) {
    case 1:
    case 2:
    case 3: return "c= " + v(1) + gamma;
    case 4: return "\u00f8= " + v(1) + gamma;
    case 5: return "\u00f8= " + v(1) + "; c= " + v(2) + gamma;
    case 6:
    case 7: return "compressive strength= " + v(1) + gamma;
    default: return {};
  }
}

Drawing BuildDrawing(const TProgramData& data, const InputTables& tables,
                     const SideGeometry& geometry, const WorldRect& view,
                     const Device& device) {
  Drawing drawing;
  if (geometry.data.Degenerate() || view.Degenerate() || !(device.width > 0) ||
      !(device.height > 0)) {
    return drawing;
  }
  const ViewMap map(view, device);
  DrawingBuilder(data, tables, geometry, map, device, drawing).Build();
  return drawing;
}

}  // namespace kestra::side_view
