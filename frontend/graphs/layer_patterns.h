// The fill patterns of the soil-layer strip, drawn in code: each picture
// wraps at its edges, so that it tiles seamlessly as a brush.
#pragma once

#include <QImage>
#include <array>

namespace kestra {

class TLayerPatterns {
 public:
  TLayerPatterns();

  // Image1 .. Image14 by number: 1/2 sand, 3/4 silt, 5/6 strong rock,
  // 7/8 weak rock, 9/10 gravel, 11/12 fill, 13/14 clay; odd numbers are the
  // small screen variants, even ones the large print variants.
  const QImage& Image(int number) const;

  // The picture of a layer's pattern code (1 clay, 7 sand, 8 silt, 9 strong
  // rock, 10 weak rock); null for any other code.
  const QImage* ForCode(int code, bool large) const;

 private:
  std::array<QImage, 14> images_;
};

}  // namespace kestra
