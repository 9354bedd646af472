// The wall geometry side view without a display: the world rectangle of the
// wall, the fit of the view to a window, the mapping both ways, the depth
// read-out, and the whole drawing as a list of device primitives, built for
// a window's client area or for a printed page, so that both draw the same.
//
// World coordinates: x across the section, the wall centred on x = 0 with
// the backfill to the left; y downward, in the project's length unit
// (inches for English units). The wall top lies at y = 0.1 L and the tip at
// y = 1.1 L, L being the wall length.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "number_text.h"

namespace kestra {

class InputTables;
class TGridTable;
class TProgramData;

namespace side_view {

struct WorldRect {
  Extended xmin = -10, xmax = 10, ymin = 0, ymax = 10;
  // Zero (or not finite) width or height: nothing is fitted, drawn or read.
  bool Degenerate() const;
};

struct WorldPoint {
  Extended x = 0, y = 0;
};

using WallOutline = std::array<WorldPoint, 4>;

// What activation builds from the project.
struct SideGeometry {
  WorldRect data;  // the default rectangle while there is no wall
  std::vector<WallOutline> outlines;
  Extended top = 0;  // y of the wall top (0.1 L): depth zero
};

SideGeometry BuildGeometry(const TProgramData& data, const InputTables& tables);

// Where the drawing goes: a window's client area, or a printed page whose
// world drawing takes the middle 80 % of the height and whose fractions of
// the width run from 0.1 to 0.9 of the page.
struct Device {
  double width = 0, height = 0;
  bool page = false;
  double dot = 1;  // device units per screen pixel, for fixed pixel offsets
  // Pen widths of lines, of the restraint and p-y symbols, of springs.
  double thin = 1, symbol = 2, spring = 5;

  static Device Screen(int width, int height);
  static Device Page(int width, int height, double dots_per_inch);
  // The height the world is mapped onto.
  double MapHeight() const { return page ? 0.8 * height : height; }
};

// Widens the data rectangle about zero to the device's proportions (x for a
// wide device, y for a tall one), so the wall stays centred and both axes
// share one scale. A degenerate rectangle or device is returned unchanged.
WorldRect FitView(const WorldRect& data, double width, double height);
WorldRect FitView(const WorldRect& data, const Device& device);

// World to device and back for one view on one device. Window coordinates
// are rounded to whole pixels.
class ViewMap {
 public:
  ViewMap(const WorldRect& view, const Device& device)
      : view_(view), device_(device) {}

  double X(Extended x) const;
  double Y(Extended y) const;
  Extended WorldX(double device_x) const;
  Extended WorldY(double device_y) const;
  // A fraction of the drawing's width as a device x.
  double Across(double fraction) const;
  // The drawing's width in device units.
  double Span() const;
  // Device units per world unit.
  double ScaleX() const;
  double ScaleY() const;

 private:
  WorldRect view_;
  Device device_;
};

// "  Depth: " and the depth below the wall top, one decimal.
std::string DepthCaption(Extended depth);
// The caption for a mouse at `device_y`; nothing when the view is degenerate.
std::optional<std::string> DepthReadout(const SideGeometry& geometry,
                                        const WorldRect& view,
                                        const Device& device, double device_y);

// Device primitives. Texts are placed by the top-left corner of their first
// line; `line` counts text lines below it.
struct DevicePoint {
  double x = 0, y = 0;
};
struct Line {
  DevicePoint from, to;
};
struct FilledPolygon {  // filled with the text colour
  std::vector<DevicePoint> corners;
};
struct Ellipse {
  DevicePoint centre;
  double rx = 0, ry = 0;
};
struct Text {
  DevicePoint at;
  int line = 0;
  std::string text;  // UTF-8
};

struct Primitive {
  double pen = 1;
  std::variant<Line, FilledPolygon, Ellipse, Text> shape;
};

// In drawing order.
struct Drawing {
  std::vector<Primitive> items;
};

// The whole drawing of the project's input in `view` on `device`; empty
// when the geometry's data rectangle, the view or the device is degenerate.
Drawing BuildDrawing(const TProgramData& data, const InputTables& tables,
                     const SideGeometry& geometry, const WorldRect& view,
                     const Device& device);

// A soil layer's two text lines: the type's name, and the parameters at
// the bottom of the layer ("c= 20; gamma= 18"); both empty for an unknown
// type, the second also without a parameter table.
std::string SoilTypeName(int type);
std::string SoilParameterLine(int type, const TGridTable* parameters);

}  // namespace side_view
}  // namespace kestra
