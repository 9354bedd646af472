#include "py_models.h"

#include <algorithm>
#include <cmath>

namespace kestra {
namespace {

constexpr double kPi = 3.1416;  // the constant the criteria were coded with

double Table(const double (&xs)[10], const double (&vs)[10], int n, double x) {
  if (x <= xs[0]) return vs[0];
  for (int i = 1; i < n; ++i)
    if (x <= xs[i])
      return vs[i - 1] + (vs[i] - vs[i - 1]) * (x - xs[i - 1]) / (xs[i] - xs[i - 1]);
  // Beyond the table the last segment goes on.
  return vs[n - 2] + (vs[n - 1] - vs[n - 2]) * (x - xs[n - 2]) / (xs[n - 1] - xs[n - 2]);
}

bool WidthAndStrainOk(const PyPointInput& in, PyCurve& c) {
  if (!(in.b > 0.0)) {
    c.error = "THE WIDTH FOR SOIL RESISTANCE, WP, MUST BE POSITIVE";
    return false;
  }
  if (!(in.e50 > 0.0)) {
    c.error = "E50 MUST BE POSITIVE FOR A CLAY OR SILT LAYER";
    return false;
  }
  return true;
}

double ClayShift(const PyPointInput& in) {
  const double s = in.b * in.SIGV_LP - 2 * in.c * in.b;
  return s <= 1.0e-10 ? 0.0 : s;
}

bool ContinuousWall(const PyPointInput& in) { return in.RWA < 1.1; }

struct SandTerms {
  double pst, psd, Ka;
};

SandTerms SandResistance(const PyPointInput& in, double x) {
  const double phi = in.phi, alpha = phi / 2, beta = kPi / 4 + phi / 2;
  const double K0 = 0.4;
  const double Ka = std::pow(std::tan(kPi / 4 - phi / 2), 2);
  const double g = in.gamma, b = in.b;
  const double tb = std::tan(beta), tbp = std::tan(beta - phi);
  const double pst =
      g * x *
      (K0 * x * std::tan(phi) * std::sin(beta) / (tbp * std::cos(alpha)) +
       tb / tbp * (b + x * tb * std::tan(alpha)) +
       K0 * x * tb * (std::tan(phi) * std::sin(beta) - std::tan(alpha)) - Ka * b);
  const double psd = Ka * b * g * x * (std::pow(tb, 8) - 1) +
                     K0 * b * g * x * std::tan(phi) * std::pow(tb, 4);
  return {pst, psd, Ka};
}

// Passive resistance of a continuous wall with wall friction phi/2.
double ContinuousSand(const PyPointInput& in, double x) {
  const double phi = in.phi, d = phi / 2;
  const double root = std::sqrt(std::max(0.0, std::sin(phi + d) * std::sin(phi) / std::cos(d)));
  const double Kpc = std::pow(std::cos(phi), 2) / (std::cos(d) * std::pow(1 - root, 2));
  return in.b * Kpc * in.gamma * x;
}

}  // namespace

double SandFactorA(double r) {
  static const double xs[10] = {0, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0};
  static const double vs[10] = {2.83, 2.48, 2.11, 1.76, 1.48, 1.23, 1.06, 0.90, 0.88, 0.88};
  return Table(xs, vs, 10, r);
}

double SandFactorB(double r) {
  static const double xs[10] = {0, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0};
  static const double vs[10] = {2.14, 1.83, 1.54, 1.27, 1.05, 0.86, 0.71, 0.53, 0.50, 0.50};
  return Table(xs, vs, 10, r);
}

double StiffClayAs(double r) {
  static const double xs[10] = {0, 1, 2, 3, 4, 5};
  static const double vs[10] = {0.0, 0.223, 0.46, 0.55, 0.59, 0.6};
  return Table(xs, vs, 6, r);
}

PyCurve SoftClayCurve(const PyPointInput& in) {
  PyCurve cv;
  if (!WidthAndStrainOk(in, cv)) return cv;
  const double c = in.c, b = in.b, g = in.gamma;
  const double Np = c > 0 ? 3 + g * in.xe / c + 0.5 * in.xe / b : 0.0;
  double pu = std::min(Np, 9.0) * c * b;
  if (ContinuousWall(in)) pu = 2 * c * b + in.x * g * b;
  const double y50 = 2.5 * in.e50 * b;
  static const double f[kCurvePoints] = {0,    0.00025, 0.0025, 0.0075, 0.02, 0.04,
                                         0.06, 0.1,     0.15,   0.225,  0.3,  0.4,
                                         0.5,  0.65,    0.8,    1.0,    1.2};
  cv.K0 = 0.5 * pu * std::pow(y50 / 1.0e-14, 2.0 / 3.0) / y50;
  for (int k = 0; k < kCurvePoints; ++k) {
    const double y = 8 * y50 * f[k];
    cv.y[k] = y;
    if (y < 1.0e-14)
      cv.p[k] = y * cv.K0;
    else
      cv.p[k] = y <= 8 * y50 ? 0.5 * pu * std::cbrt(y / y50) : pu;
  }
  cv.pu = pu;
  cv.shift = ClayShift(in);
  return cv;
}

PyCurve StiffClayWithFreeWaterCurve(const PyPointInput& in) {
  PyCurve cv;
  if (!WidthAndStrainOk(in, cv)) return cv;
  const double c = in.c, ca = in.ca, b = in.b, g = in.gamma, x = in.x;
  const double pct = 2 * ca * b + g * b * x + 2.83 * ca * x;
  const double pcd = 11 * c * b;
  double pc = std::min(pct, pcd);
  if (ContinuousWall(in)) pc = x * g * b + 2 * c * b;
  const double As = StiffClayAs(x / b);
  const double y50 = in.e50 * b;
  static const double gk[kCurvePoints] = {0,   0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 3.5, 4.0,
                                          4.5, 5.0, 5.5, 6.0, 10,  14,  18,  200};
  const double kx = in.k * x;
  for (int k = 0; k < kCurvePoints; ++k) {
    const double y = As * y50 * gk[k];
    const double a = As * y50;
    double p;
    if (y <= a)
      p = 0.5 * pc * std::sqrt(y / y50);
    else if (y <= 6 * a)
      p = 0.5 * pc * std::sqrt(y / y50) - 0.055 * pc * std::pow(y / a - 1, 1.25);
    else if (y <= 18 * a)
      p = 0.5 * pc * std::sqrt(6 * As) - 0.411 * pc - 0.0625 / y50 * pc * (y - 6 * a);
    else
      p = 0.5 * pc * std::sqrt(6 * As) - 0.411 * pc - 0.75 * pc * As;
    cv.y[k] = y;
    // Never above the initial straight line; without a modulus there is none.
    cv.p[k] = kx > 0.0 ? std::min(p, kx * y) : p;
  }
  cv.pu = pc;
  cv.shift = ClayShift(in);
  return cv;
}

PyCurve StiffClayWithoutFreeWaterCurve(const PyPointInput& in) {
  PyCurve cv;
  if (!WidthAndStrainOk(in, cv)) return cv;
  const double c = in.c, ca = in.ca, b = in.b, g = in.gamma, x = in.x;
  double pu = std::min(3 * ca * b + g * b * x + 0.5 * ca * x, 9 * c * b);
  if (ContinuousWall(in)) pu = x * g * b + 2 * c * b;
  const double y50 = 2.5 * in.e50 * b;
  static const double h[15] = {0,     1.0e-5, 5.0e-5, 1.0e-4, 5.0e-4, 0.001, 0.005, 0.01,
                               0.025, 0.05,   0.075,  0.1,    0.25,   0.5,   1.0};
  for (int k = 0; k < kCurvePoints; ++k) {
    const double y = k < 15 ? 16 * y50 * h[k] : (k == 15 ? 18 : 20) * y50;
    cv.y[k] = y;
    cv.p[k] = y <= 16 * y50 ? 0.5 * pu * std::pow(y / y50, 0.25) : pu;
  }
  cv.pu = pu;
  cv.shift = ClayShift(in);
  return cv;
}

double SandUltimate(const PyPointInput& in, double x) {
  if (ContinuousWall(in)) return ContinuousSand(in, x);
  const SandTerms t = SandResistance(in, x);
  return SandFactorA(in.x / in.b) * std::min(t.pst, t.psd);
}

namespace {

// The sand construction: initial line k x y, parabola C y^(1/n) up to ym,
// straight to (yu, pu). `pm` is the resistance at ym.
void SandShape(double pu, double pm, double b, double kx, double x,
               PyCurve& cv) {
  double ym = b / 60, yu = 3 * b / 80;
  const double m = (pu - pm) / (yu - ym);
  const double n = m * ym != 0.0 ? pm / (m * ym) : 1.0;
  const double C = n != 0.0 ? pm / std::pow(ym, 1 / n) : 0.0;
  // Without an initial modulus the initial line sets no limit.
  const bool has_k = kx > 0.0;
  double yk = 2 * b;
  if (x > 0 && has_k && n != 1.0 && C > 0) yk = std::pow(C / kx, n / (n - 1));
  if (!has_k) yk = 0.0;
  if (has_k && yk > yu) {
    ym = ym / yu * (pu / kx);
    yu = pu / kx;
    yk = ym / 10;
  }
  const double yb = yk <= ym / 5 ? yk : ym / 10;
  double ys[kCurvePoints] = {0, yb / 2, yb};
  for (int j = 1; j <= 9; ++j) ys[2 + j] = yb + j * (ym - yb) / 10;
  ys[12] = ym;
  ys[13] = (2 * ym + yu) / 3;
  ys[14] = (ym + 2 * yu) / 3;
  ys[15] = yu;
  ys[16] = 1.2 * yu;
  for (int k = 0; k < kCurvePoints; ++k) {
    const double y = ys[k];
    double p;
    if (has_k && y <= yk && y < ym)
      p = kx * y;
    else if (y < ym)
      p = C * std::pow(y, 1 / n);
    else if (y < yu)
      p = pm + m * (y - ym);
    else
      p = pu;
    if (has_k) p = std::min(p, kx * y);
    cv.y[k] = y;
    cv.p[k] = p;
  }
}

bool FrictionOk(const PyPointInput& in, PyCurve& cv) {
  if (!(in.b > 0.0)) {
    cv.error = "THE WIDTH FOR SOIL RESISTANCE, WP, MUST BE POSITIVE";
    return false;
  }
  if (!(in.phi > 0.0)) {
    cv.error = "THE FRICTION ANGLE IS 0 FOR SAND ACCORING TO THE INPUT";
    return false;
  }
  return true;
}

}  // namespace

PyCurve SandCurve(const PyPointInput& in) {
  PyCurve cv;
  if (!FrictionOk(in, cv)) return cv;
  const SandTerms t = SandResistance(in, in.xe);
  cv.pst = t.pst;
  cv.psd = t.psd;
  double ps = std::min(t.pst, t.psd);
  if (ContinuousWall(in)) ps = ContinuousSand(in, in.xe);
  cv.A = SandFactorA(in.x / in.b);
  cv.B = SandFactorB(in.x / in.b);
  const double pu = cv.A * ps, pm = cv.B * ps;
  SandShape(pu, pm, in.b, in.k * in.x, in.x, cv);
  cv.pu = pu;
  cv.ps = ps;
  const double s = in.SIGV_LP * t.Ka * in.b;
  cv.shift = s < 1.0e-5 ? 0.0 : s;
  return cv;
}

PyCurve SiltCurve(const PyPointInput& in) {
  PyCurve cv;
  if (!(in.b > 0.0)) {
    cv.error = "THE WIDTH FOR SOIL RESISTANCE, WP, MUST BE POSITIVE";
    return cv;
  }
  const double b = in.b, c = in.c, g = in.gamma, x = in.x;
  double ps = 0.0, Ka = 0.0;
  if (in.phi > 0.0) {
    const SandTerms t = SandResistance(in, in.xe);
    ps = std::min(t.pst, t.psd);
    Ka = t.Ka;
    if (ContinuousWall(in)) ps = ContinuousSand(in, in.xe);
  }
  double pc = 0.0;
  if (c > 0) pc = c * std::min(3 + g * in.xe / c + 0.5 * in.xe / b, 9.0) * b;
  if (ContinuousWall(in)) pc = x * g * b + 2 * c * b;
  cv.A = SandFactorA(x / b);
  cv.B = SandFactorB(x / b);
  cv.pc = pc;
  cv.ps = ps;
  const double pu = cv.A * ps;
  const double pk = 1.5 * ps + pc;
  const double ym = b / 60, yu = 3 * b / 80;
  const double m = (pu - pk) / (yu - ym);
  const double n = m != 0.0 ? pk / (std::fabs(m) * ym) : 1.0;
  const double C = n != 0.0 ? pk / std::pow(ym, 1 / n) : 0.0;
  const double kx = in.k * x;
  double yk = 2 * b;
  if (x > 0 && kx > 0 && n != 1.0 && C > 0) yk = std::pow(C / kx, n / (n - 1));
  int arrangement = 1;
  double y2 = 0.0, y3 = 0.0;
  if (!(yk >= 0 && yk < ym) && kx > 0) {
    y2 = kx != m ? (pk - m * ym) / (kx - m) : -1.0;
    if (y2 >= ym && y2 < yu) {
      arrangement = 2;
    } else {
      y3 = pu / kx;
      if (y3 >= yu) arrangement = 3;
    }
  }
  if (arrangement == 1) {
    SandShape(pu, pk, b, kx, x, cv);
  } else if (arrangement == 2) {
    const double f[9] = {0, 1, 2, 3, 4, 5, 7, 8, 8};
    for (int k = 0; k < 9; ++k) cv.y[k] = y2 * f[k] / 8;
    for (int j = 1; j <= 5; ++j) cv.y[8 + j] = y2 + j * (yu - y2) / 6;
    cv.y[14] = yu;
    cv.y[15] = 1.1 * yu;
    cv.y[16] = 1.2 * yu;
    for (int k = 0; k < kCurvePoints; ++k) {
      const double y = cv.y[k];
      cv.p[k] = y <= y2 ? kx * y : y <= yu ? kx * y2 + m * (y - y2) : pu;
    }
  } else {
    for (int j = 0; j <= 11; ++j) cv.y[j] = j * y3 / 12;
    const double tail[5] = {1.0, 1.05, 1.1, 1.15, 1.2};
    for (int j = 0; j < 5; ++j) cv.y[12 + j] = tail[j] * y3;
    for (int k = 0; k < kCurvePoints; ++k)
      cv.p[k] = cv.y[k] <= y3 ? kx * cv.y[k] : pu;
  }
  if (kx > 0)
    for (int k = 0; k < kCurvePoints; ++k) cv.p[k] = std::min(cv.p[k], kx * cv.y[k]);
  cv.pu = pu;
  const double s = in.SIGV_LP * Ka * b - 2 * c * std::sqrt(Ka) * b;
  cv.shift = s < 1.0e-5 ? 0.0 : s;
  return cv;
}

PyCurve StrongRockCurve(const PyPointInput& in, double pm) {
  PyCurve cv;
  cv.multiplied = true;
  if (!(in.b > 0.0)) {
    cv.error = "THE WIDTH FOR SOIL RESISTANCE, WP, MUST BE POSITIVE";
    return cv;
  }
  const double su = in.c / 2;
  if (!(su > 1.0e-10)) {
    cv.error = "THE COHESIVE STRENGTH IS 0 FOR ROCK ACCORING TO THE INPUT";
    return cv;
  }
  const double Es = 2000 * su, y1 = 0.0004 * in.b, p1 = Es * y1, pu = su * in.b;
  const double y2 = (pu - p1) / (100 * su) + y1;
  for (int k = 0; k < kCurvePoints; ++k) {
    const double y = k * y2 / 15;
    cv.y[k] = y;
    if (y < y1)
      cv.p[k] = pm * Es * y;
    else if (y < y2)
      cv.p[k] = pm * (p1 + 100 * su * (y - y1));
    else
      cv.p[k] = 0.5 * in.gamma * in.b * in.x;  // residual, without multiplier
  }
  cv.su = su;
  cv.pu = pu;
  return cv;
}

PyCurve WeakRockCurve(const PyPointInput& in) {
  PyCurve cv;
  if (!(in.b > 0.0) || !(in.e50 > 0.0) || !(in.k > 0.0)) {
    cv.error = "KRM, THE ROCK MASS MODULUS AND WP MUST BE POSITIVE FOR WEAK ROCK";
    return cv;
  }
  const double b = in.b, qu = in.c;
  const double alpha = 1 - in.six * 0.006667;
  const double xr = in.x - in.layer_top + 1.0e-8;
  double pur, Kir;
  if (xr <= 3 * b) {
    pur = alpha * qu * (b + 1.4 * xr);
    Kir = in.k * (100 + (400 * xr / 3) / b);
  } else {
    pur = 5.2 * alpha * qu * b;
    Kir = 500 * in.k;
  }
  const double yrm = in.e50 * b;
  const double yA = std::pow(pur / (2 * std::pow(yrm, 0.25) * Kir), 1 / (1 - 0.25));
  static const double f[kCurvePoints] = {0.0005, 0.001, 0.003, 0.006, 0.009, 0.02,
                                         0.04,   0.06,  0.08,  0.1,   0.25,  0.5,
                                         0.75,   1.0,   4.0,   8.0,   12.0};
  for (int k = 0; k < kCurvePoints; ++k) {
    const double y = yrm * f[k];
    cv.y[k] = y;
    cv.p[k] = y < yA ? Kir * y : std::min(0.5 * pur * std::pow(y / yrm, 0.25), pur);
  }
  cv.pu = pur;
  const double s = b * (in.SIGV_LP - qu);
  cv.shift = s < 1.0e-5 ? 0.0 : s;
  return cv;
}

}  // namespace kestra
