#include "tools/CircuitModel.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace samplegen;

constexpr double kTurn = -2.0 * 3.141592653589793;  // once round, clockwise

class CircuitModelTest : public ::testing::TestWithParam<CircuitShape> {};

TEST_P(CircuitModelTest, ClosedClockwiseLapOfTheAskedLengthWithinTheGrip) {
  const CircuitModel circuit(GetParam(), 1200.0);
  ASSERT_DOUBLE_EQ(circuit.Length(), 1200.0);
  double length = 0.0;
  double turn = 0.0;
  double curvatureTurn = 0.0;
  auto here = circuit.PointAt(0.0);
  const auto before = circuit.PointAt(-0.5);
  double heading = std::atan2(here.north - before.north, here.east - before.east);
  for (double s = 0.5; s <= 1200.0; s += 0.5) {
    const auto next = circuit.PointAt(s);
    const double nextHeading = std::atan2(next.north - here.north, next.east - here.east);
    length += std::hypot(next.east - here.east, next.north - here.north);
    turn += CircuitModel::WrapAngle(nextHeading - heading);
    curvatureTurn += circuit.CurvatureAt(s) * 0.5;
    heading = nextHeading;
    here = next;
    const double v = circuit.SpeedLimitAt(s);
    ASSERT_TRUE(v > 5.0 && v <= CircuitModel::kTopSpeed + 1e-9) << s;
    ASSERT_LE(v * v * std::fabs(circuit.CurvatureAt(s)), CircuitModel::kLateralLimit * 1.05) << s;
  }
  EXPECT_NEAR(here.east, circuit.PointAt(0.0).east, 1e-9) << "closed";
  EXPECT_NEAR(here.north, circuit.PointAt(0.0).north, 1e-9) << "closed";
  EXPECT_NEAR(length, 1200.0, 1.0);
  EXPECT_NEAR(turn, kTurn, 1e-6);
  EXPECT_NEAR(curvatureTurn, kTurn, 0.05);
  EXPECT_LT(std::fabs(circuit.CurvatureAt(0.0)), 0.01) << "the line lies on a straight";
}

INSTANTIATE_TEST_SUITE_P(Shapes, CircuitModelTest,
                         ::testing::Values(CircuitShape::KartTrack, CircuitShape::Stadium, CircuitShape::Circle));

TEST(CircuitModelLengthTest, LapsOfAnyLengthFromAHundredMetres) {
  EXPECT_DOUBLE_EQ(CircuitModel(CircuitShape::Circle, 10.0).Length(), 100.0);
  EXPECT_DOUBLE_EQ(CircuitModel(CircuitShape::KartTrack, 50000.0).Length(), 50000.0);
}

}  // namespace
