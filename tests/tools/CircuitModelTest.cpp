#include "tools/CircuitModel.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace samplegen;

class CircuitModelTest : public ::testing::TestWithParam<CircuitShape> {};

TEST_P(CircuitModelTest, CentreLineIsClosedAndAsLongAsAsked) {
  const CircuitModel circuit(GetParam(), 1200.0);
  EXPECT_DOUBLE_EQ(circuit.Length(), 1200.0);
  const auto start = circuit.PointAt(0.0);
  const auto end = circuit.PointAt(1200.0);
  EXPECT_NEAR(start.east, end.east, 1e-9);
  EXPECT_NEAR(start.north, end.north, 1e-9);
  double length = 0.0;
  auto previous = start;
  for (double s = 0.25; s <= 1200.0; s += 0.25) {
    const auto p = circuit.PointAt(s);
    length += std::hypot(p.east - previous.east, p.north - previous.north);
    previous = p;
  }
  EXPECT_NEAR(length, 1200.0, 1.0);
}

TEST_P(CircuitModelTest, DrivenClockwiseOnce) {
  const CircuitModel circuit(GetParam(), 1200.0);
  double turn = 0.0;
  double heading = 0.0;
  auto previous = circuit.PointAt(-1.0);
  auto here = circuit.PointAt(0.0);
  double lastHeading = std::atan2(here.north - previous.north, here.east - previous.east);
  for (double s = 1.0; s <= 1200.0; s += 1.0) {
    const auto next = circuit.PointAt(s);
    heading = std::atan2(next.north - here.north, next.east - here.east);
    turn += CircuitModel::WrapAngle(heading - lastHeading);
    lastHeading = heading;
    here = next;
  }
  EXPECT_NEAR(turn, -2.0 * 3.141592653589793, 1e-6);
  double curvatureTurn = 0.0;
  for (double s = 0.0; s < 1200.0; s += 0.5) {
    curvatureTurn += circuit.CurvatureAt(s) * 0.5;
  }
  EXPECT_NEAR(curvatureTurn, -2.0 * 3.141592653589793, 0.05);
}

TEST_P(CircuitModelTest, SpeedKeepsWithinTheGripAndTheLineIsOnAStraight) {
  const CircuitModel circuit(GetParam(), 1200.0);
  for (double s = 0.0; s < 1200.0; s += 0.5) {
    const double v = circuit.SpeedLimitAt(s);
    ASSERT_GT(v, 5.0);
    ASSERT_LE(v, CircuitModel::kTopSpeed + 1e-9);
    ASSERT_LE(v * v * std::fabs(circuit.CurvatureAt(s)), CircuitModel::kLateralLimit * 1.05) << s;
  }
  EXPECT_LT(std::fabs(circuit.CurvatureAt(0.0)), 0.01);
  EXPECT_GE(circuit.NominalLapSeconds(), 1200.0 / CircuitModel::kTopSpeed - 1e-6);
}

TEST(CircuitModelShapeTest, LengthIsKeptWithinWhatALapTimeCanHold) {
  EXPECT_DOUBLE_EQ(CircuitModel(CircuitShape::Circle, 10.0).Length(), 100.0);
  EXPECT_DOUBLE_EQ(CircuitModel(CircuitShape::KartTrack, 50000.0).Length(), 10000.0);
  EXPECT_LT(CircuitModel(CircuitShape::KartTrack, 50000.0).NominalLapSeconds() / 0.85, 650.0);
}

TEST(CircuitModelShapeTest, KartTrackHasTightBendsBothWaysAndCircleHasOneRadius) {
  const CircuitModel kart(CircuitShape::KartTrack, 1200.0);
  double tightest = 0.0;
  bool turnsLeft = false;
  for (double s = 0.0; s < 1200.0; s += 0.5) {
    tightest = std::max(tightest, std::fabs(kart.CurvatureAt(s)));
    turnsLeft = turnsLeft || kart.CurvatureAt(s) > 0.005;
  }
  EXPECT_GT(tightest, 1.0 / 25.0);
  EXPECT_TRUE(turnsLeft);
  const CircuitModel circle(CircuitShape::Circle, 1200.0);
  const auto p = circle.PointAt(123.0);
  EXPECT_NEAR(std::hypot(p.east, p.north), 1200.0 / (2.0 * 3.141592653589793), 0.05);
}

INSTANTIATE_TEST_SUITE_P(Shapes, CircuitModelTest,
                         ::testing::Values(CircuitShape::KartTrack, CircuitShape::Stadium, CircuitShape::Circle));

}  // namespace
