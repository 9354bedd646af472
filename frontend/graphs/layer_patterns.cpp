#include "layer_patterns.h"

#include <QPainter>
#include <QPainterPath>
#include <cstdint>
#include <functional>

#include "plot_layout.h"

namespace kestra {
namespace {

// Draws `shape` at every offset of one tile around the picture, so that what
// leaves one edge comes back in at the opposite one.
void Wrapped(QPainter& p, int w, int h, const std::function<void()>& shape) {
  for (int dy : {-h, 0, h}) {
    for (int dx : {-w, 0, w}) {
      p.save();
      p.translate(dx, dy);
      shape();
      p.restore();
    }
  }
}

// A repeatable sequence for scattering grains: the same picture every time.
class Scatter {
 public:
  explicit Scatter(std::uint32_t seed) : state_(seed) {}
  // 0 .. n-1
  int Next(int n) {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<int>((state_ >> 8) % static_cast<std::uint32_t>(n));
  }

 private:
  std::uint32_t state_;
};

QImage Blank(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

QPen Ink(double width) {
  QPen pen(Qt::black, width);
  pen.setCapStyle(Qt::FlatCap);
  return pen;
}

// Sand: scattered dots of two sizes.
QImage Sand(int s) {
  QImage image = Blank(s, s);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  Scatter r(7);
  const int grains = s * s / 60;
  for (int i = 0; i < grains; ++i) {
    const int x = r.Next(s), y = r.Next(s);
    const int d = r.Next(4) == 0 ? 3 : 2;
    Wrapped(p, s, s, [&] { p.drawEllipse(QRect(x, y, d, d)); });
  }
  return image;
}

// Silt: rows of short dashes alternating with rows of dots.
QImage Silt(int s) {
  QImage image = Blank(s, s);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  const int rows = s / 10;  // a whole number of rows per tile
  const double pitch = static_cast<double>(s) / rows;
  const int dash = s / 8, step = s / 4;
  for (int row = 0; row < rows; ++row) {
    const int y = static_cast<int>(row * pitch + pitch / 2);
    if (row % 2 == 0) {
      p.setPen(Ink(1));
      for (int x = (row / 2 % 2) * step / 2; x < s; x += step)
        Wrapped(p, s, s, [&] { p.drawLine(x, y, x + dash, y); });
    } else {
      p.setPen(Qt::NoPen);
      p.setBrush(Qt::black);
      for (int x = step / 4; x < s; x += step / 2)
        Wrapped(p, s, s, [&] { p.drawRect(x, y, 2, 2); });
    }
  }
  return image;
}

// Clay: staggered rows of long horizontal dashes.
QImage Clay(int s) {
  QImage image = Blank(s, s);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(Ink(s >= 64 ? 2 : 1));
  const int rows = s >= 64 ? 8 : 4;
  const int pitch = s / rows;
  const int dash = s / 2 - s / 8;
  for (int row = 0; row < rows; ++row) {
    const int y = row * pitch + pitch / 2;
    const int start = row % 2 == 0 ? 0 : s / 4;
    for (int x = start; x < start + s; x += s / 2)
      Wrapped(p, s, s, [&] { p.drawLine(x, y, x + dash, y); });
  }
  return image;
}

// Rock: courses of blocks with staggered joints; strong rock is crossed by
// diagonal hatching, weak rock broken by scattered dots.
QImage Rock(int s, bool strong) {
  QImage image = Blank(s, s);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  const int courses = 4;
  const int course = s / courses;
  const int block = s / 2;
  p.setPen(Ink(s >= 90 ? 2 : 1));
  for (int c = 0; c < courses; ++c) {
    const int y = c * course;
    Wrapped(p, s, s, [&] { p.drawLine(0, y, s, y); });
    const int offset = c % 2 == 0 ? 0 : block / 2;
    for (int x = offset; x < offset + s; x += block)
      Wrapped(p, s, s, [&] { p.drawLine(x, y, x, y + course); });
  }
  if (strong) {
    p.setPen(Ink(1));
    // Diagonals one tile apart join their neighbours across the edges.
    for (int k = 0; k < s; k += s / 4)
      Wrapped(p, s, s, [&] { p.drawLine(k, s, k + s, 0); });
  } else {
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    Scatter r(11);
    for (int i = 0; i < s / 3; ++i) {
      const int x = r.Next(s), y = r.Next(s);
      Wrapped(p, s, s, [&] { p.drawRect(x, y, 1, 1); });
    }
  }
  return image;
}

// Gravel: small open rounded stones.
QImage Gravel(int s) {
  QImage image = Blank(s, s);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Ink(1));
  p.setBrush(Qt::NoBrush);
  Scatter r(23);
  const int stones = s * s / 250;
  for (int i = 0; i < stones; ++i) {
    const int x = r.Next(s), y = r.Next(s);
    const int w = s / 12 + r.Next(s / 16 + 1), h = s / 16 + r.Next(s / 20 + 1);
    Wrapped(p, s, s, [&] { p.drawEllipse(QRect(x, y, w, h)); });
  }
  return image;
}

// Fill: an open cross-hatch.
QImage Fill(int s) {
  QImage image = Blank(s, s);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(Ink(1));
  for (int k = 0; k < s; k += s / 4) {
    Wrapped(p, s, s, [&] {
      p.drawLine(k, s, k + s, 0);
      p.drawLine(k, 0, k + s, s);
    });
  }
  return image;
}

}  // namespace

TLayerPatterns::TLayerPatterns() {
  // Small pictures of about 80 pixels (clay about 30), large ones 96 wide.
  images_ = {Sand(80),         Sand(96),          Silt(80),   Silt(96),
             Rock(80, true),   Rock(96, true),    Rock(80, false),
             Rock(96, false),  Gravel(80),        Gravel(96), Fill(80),
             Fill(96),         Clay(32),          Clay(96)};
}

const QImage& TLayerPatterns::Image(int number) const {
  const int i = number < 1 ? 0 : number > 14 ? 13 : number - 1;
  return images_[static_cast<size_t>(i)];
}

const QImage* TLayerPatterns::ForCode(int code, bool large) const {
  int small = 0;
  switch (code) {
    case kClayCode: small = 13; break;
    case kSandCode: small = 1; break;
    case kSiltCode: small = 3; break;
    case kStrongRockCode: small = 5; break;
    case kWeakRockCode: small = 7; break;
    default: return nullptr;
  }
  return &Image(large ? small + 1 : small);
}

}  // namespace kestra
