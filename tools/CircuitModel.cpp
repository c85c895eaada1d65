// Centre line, curvature and speed limits of the generated circuits.
#include "tools/CircuitModel.h"

#include <algorithm>
#include <cmath>

namespace samplegen {

namespace {

constexpr double kPi = 3.141592653589793;
constexpr int kDensePoints = 20000;

// A star-shaped outline (so it never crosses itself) with bends of several
// radii, some of them turning the other way, traced clockwise.
std::vector<CircuitModel::Point> KartOutline() {
  std::vector<CircuitModel::Point> dense(kDensePoints);
  for (int j = 0; j < kDensePoints; ++j) {
    const double phi = -2.0 * kPi * j / kDensePoints;
    const double r = 1.0 + 0.25 * std::cos(2.0 * phi + 0.3) + 0.20 * std::cos(3.0 * phi + 1.1) +
                     0.10 * std::cos(4.0 * phi + 2.0) + 0.08 * std::cos(6.0 * phi + 0.5) +
                     0.05 * std::cos(8.0 * phi + 1.7);
    dense[j] = {1.35 * r * std::cos(phi), r * std::sin(phi)};
  }
  return dense;
}

std::vector<CircuitModel::Point> StadiumOutline(double length) {
  const double radius = length / 40.0;  // bends tight enough to brake for
  const double straight = (length - 2.0 * kPi * radius) / 2.0;
  const double half = straight / 2.0;
  const double bend = kPi * radius;
  std::vector<CircuitModel::Point> dense(kDensePoints);
  for (int j = 0; j < kDensePoints; ++j) {
    double u = length * j / kDensePoints;
    if (u < straight) {
      dense[j] = {-half + u, radius};
    } else if ((u -= straight) < bend) {
      const double a = kPi / 2.0 - u / radius;
      dense[j] = {half + radius * std::cos(a), radius * std::sin(a)};
    } else if ((u -= bend) < straight) {
      dense[j] = {half - u, -radius};
    } else {
      u -= straight;
      const double a = -kPi / 2.0 - u / radius;
      dense[j] = {-half + radius * std::cos(a), radius * std::sin(a)};
    }
  }
  return dense;
}

std::vector<CircuitModel::Point> CircleOutline(double length) {
  const double radius = length / (2.0 * kPi);
  std::vector<CircuitModel::Point> dense(kDensePoints);
  for (int j = 0; j < kDensePoints; ++j) {
    const double phi = -2.0 * kPi * j / kDensePoints;
    dense[j] = {radius * std::cos(phi), radius * std::sin(phi)};
  }
  return dense;
}

}  // namespace

double CircuitModel::WrapAngle(double angle) {
  while (angle > kPi) {
    angle -= 2.0 * kPi;
  }
  while (angle <= -kPi) {
    angle += 2.0 * kPi;
  }
  return angle;
}

double CircuitModel::DriveLimit(double speed) { return 6.0 * (1.0 - 0.75 * speed / kTopSpeed); }

// Laps are at least 100 m; a longer lap than its lap line can time is still driven (see EmitPosition).
CircuitModel::CircuitModel(CircuitShape shape, double length) : m_length(std::max(length, 100.0)) {
  switch (shape) {
    case CircuitShape::Stadium:
      Resample(StadiumOutline(m_length));
      break;
    case CircuitShape::Circle:
      Resample(CircleOutline(m_length));
      break;
    case CircuitShape::KartTrack:
    default:
      Resample(KartOutline());
      break;
  }
  ComputeCurvature();
  if (shape == CircuitShape::Circle) {
    // Numerical noise would make the speed wander on a circle.
    const double curvature = -2.0 * kPi / m_length;
    std::fill(m_curvature.begin(), m_curvature.end(), curvature);
  }
  MoveStartToStraight();
  ComputeSpeedLimits();
}

void CircuitModel::Resample(const std::vector<Point>& dense) {
  const std::size_t count = dense.size();
  std::vector<double> cumulative(count + 1, 0.0);
  for (std::size_t j = 0; j < count; ++j) {
    const Point& a = dense[j];
    const Point& b = dense[(j + 1) % count];
    cumulative[j + 1] = cumulative[j] + std::hypot(b.east - a.east, b.north - a.north);
  }
  const double scale = m_length / cumulative[count];
  const auto points = static_cast<std::size_t>(std::llround(m_length / 0.5));
  m_spacing = m_length / static_cast<double>(points);
  m_east.resize(points);
  m_north.resize(points);
  std::size_t j = 0;
  for (std::size_t k = 0; k < points; ++k) {
    const double target = static_cast<double>(k) * m_spacing / scale;
    while (j + 1 < count && cumulative[j + 1] <= target) {
      ++j;
    }
    const double span = cumulative[j + 1] - cumulative[j];
    const double f = span > 0.0 ? (target - cumulative[j]) / span : 0.0;
    const Point& a = dense[j];
    const Point& b = dense[(j + 1) % count];
    m_east[k] = (a.east + f * (b.east - a.east)) * scale;
    m_north[k] = (a.north + f * (b.north - a.north)) * scale;
  }
}

void CircuitModel::ComputeCurvature() {
  const std::size_t n = m_east.size();
  constexpr std::size_t kReach = 4;
  std::vector<double> raw(n);
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t back = (i + n - kReach) % n;
    const std::size_t ahead = (i + kReach) % n;
    const double h1 = std::atan2(m_north[i] - m_north[back], m_east[i] - m_east[back]);
    const double h2 = std::atan2(m_north[ahead] - m_north[i], m_east[ahead] - m_east[i]);
    raw[i] = WrapAngle(h2 - h1) / (static_cast<double>(kReach) * m_spacing);
  }
  m_curvature.assign(n, 0.0);
  constexpr std::size_t kSmooth = 4;
  for (std::size_t i = 0; i < n; ++i) {
    double sum = 0.0;
    for (std::size_t k = 0; k <= 2 * kSmooth; ++k) {
      sum += raw[(i + n + k - kSmooth) % n];
    }
    m_curvature[i] = sum / static_cast<double>(2 * kSmooth + 1);
  }
}

void CircuitModel::MoveStartToStraight() {
  const std::size_t n = m_east.size();
  const std::size_t window = std::min<std::size_t>(n / 4, static_cast<std::size_t>(80.0 / m_spacing));
  double sum = 0.0;
  for (std::size_t k = 0; k < window; ++k) {
    sum += std::fabs(m_curvature[k]);
  }
  double best = sum;
  std::size_t bestStart = 0;
  for (std::size_t i = 1; i < n; ++i) {
    sum += std::fabs(m_curvature[(i + window - 1) % n]) - std::fabs(m_curvature[i - 1]);
    if (sum < best - 1e-12) {
      best = sum;
      bestStart = i;
    }
  }
  const std::size_t start = (bestStart + window / 2) % n;
  std::rotate(m_east.begin(), m_east.begin() + static_cast<std::ptrdiff_t>(start), m_east.end());
  std::rotate(m_north.begin(), m_north.begin() + static_cast<std::ptrdiff_t>(start), m_north.end());
  std::rotate(m_curvature.begin(), m_curvature.begin() + static_cast<std::ptrdiff_t>(start), m_curvature.end());
  double meanEast = 0.0;
  double meanNorth = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    meanEast += m_east[i];
    meanNorth += m_north[i];
  }
  meanEast /= static_cast<double>(n);
  meanNorth /= static_cast<double>(n);
  for (std::size_t i = 0; i < n; ++i) {
    m_east[i] -= meanEast;
    m_north[i] -= meanNorth;
  }
}

void CircuitModel::ComputeSpeedLimits() {
  const std::size_t n = m_curvature.size();
  m_speedLimit.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    const double bend = std::max(std::fabs(m_curvature[i]), 1e-6);
    m_speedLimit[i] = std::min(kTopSpeed, std::sqrt(kLateralLimit / bend));
  }
  // Braking before and accelerating out of each bend; twice round so the
  // passes also settle across the start line.
  for (int pass = 0; pass < 2; ++pass) {
    for (std::size_t k = 1; k <= n; ++k) {
      const double before = m_speedLimit[k - 1];
      double& v = m_speedLimit[k % n];
      v = std::min(v, std::sqrt(before * before + 2.0 * DriveLimit(before) * m_spacing));
    }
    for (std::size_t k = n; k >= 1; --k) {
      const double after = m_speedLimit[k % n];
      double& v = m_speedLimit[k - 1];
      v = std::min(v, std::sqrt(after * after + 2.0 * kBrakeLimit * m_spacing));
    }
  }
  m_nominalLapSeconds = 0.0;
  for (double v : m_speedLimit) {
    m_nominalLapSeconds += m_spacing / v;
  }
}

double CircuitModel::Interpolate(const std::vector<double>& table, double distance) const {
  double u = std::fmod(distance, m_length);
  if (u < 0.0) {
    u += m_length;
  }
  const double x = u / m_spacing;
  auto i = static_cast<std::size_t>(x);
  const double f = x - static_cast<double>(i);
  const std::size_t n = table.size();
  i %= n;
  return table[i] + f * (table[(i + 1) % n] - table[i]);
}

CircuitModel::Point CircuitModel::PointAt(double distance) const {
  return {Interpolate(m_east, distance), Interpolate(m_north, distance)};
}

double CircuitModel::CurvatureAt(double distance) const { return Interpolate(m_curvature, distance); }

double CircuitModel::SpeedLimitAt(double distance) const { return Interpolate(m_speedLimit, distance); }

}  // namespace samplegen
