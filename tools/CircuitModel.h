// The circuit a generated session is driven on: its centre line in metres
// east/north of the circuit's centre, its curvature and the speed a vehicle can
// carry at each point, all tabled every half metre along the lap.
#pragma once

#include <vector>

#include "tools/SampleSession.h"

namespace samplegen {

class CircuitModel {
 public:
  struct Point {
    double east = 0.0;
    double north = 0.0;
  };

  // The lap starts (distance 0) in the middle of the straightest part and is
  // driven clockwise.
  CircuitModel(CircuitShape shape, double length);

  double Length() const { return m_length; }

  // Distance along the lap, any value: it wraps round the circuit.
  Point PointAt(double distance) const;
  double CurvatureAt(double distance) const;   // 1/m, positive turning left
  double SpeedLimitAt(double distance) const;  // m/s at full pace
  double NominalLapSeconds() const { return m_nominalLapSeconds; }

  static constexpr double kTopSpeed = 31.0;       // m/s
  static constexpr double kLateralLimit = 14.0;   // m/s^2
  static constexpr double kBrakeLimit = 12.0;     // m/s^2
  static double DriveLimit(double speed);         // m/s^2 of forward acceleration at a speed
  static double WrapAngle(double angle);          // into (-pi, pi]

 private:
  void Resample(const std::vector<Point>& dense);
  void ComputeCurvature();
  void MoveStartToStraight();
  void ComputeSpeedLimits();
  double Interpolate(const std::vector<double>& table, double distance) const;

  double m_length = 0.0;
  double m_spacing = 0.5;
  std::vector<double> m_east;
  std::vector<double> m_north;
  std::vector<double> m_curvature;
  std::vector<double> m_speedLimit;
  double m_nominalLapSeconds = 0.0;
};

}  // namespace samplegen
