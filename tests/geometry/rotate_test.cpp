#include <gtest/gtest.h>

#include "compose/rotate.h"
#include "compose/wheel.h"
#include "geometry_fixture.h"

namespace wrimple::testing {
namespace {

struct AngleCase {
  const char* name;
  float shown, stored;
};
class StoredAngleRule : public ::testing::TestWithParam<AngleCase> {};

TEST_P(StoredAngleRule, ShownAnglesAbove179AreStoredNegative) {
  EXPECT_EQ(StoredAngle(GetParam().shown), GetParam().stored);
  EXPECT_EQ(ShownAngle(GetParam().stored), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Examples, StoredAngleRule,
                         ::testing::Values(AngleCase{"Zero", 0, 0}, AngleCase{"Ninety", 90, 90},
                                           AngleCase{"OneSeventyNine", 179, 179},
                                           AngleCase{"OneEighty", 180, -180}, AngleCase{"TwoSeventy", 270, -90},
                                           AngleCase{"ThreeFiftyNine", 359, -1}, AngleCase{"HalfDegree", 179.5f, -180.5f}),
                         [](const auto& info) { return std::string(info.param.name); });

class RotateTest : public GeometryTest {
 protected:
  RotateTest() { PutSource(st, 1, 80, 60); }
  // Runs "Rotate Source n" with the given dialog actions.
  void Rotate(int n, const std::function<void(rotate&)>& actions) { RotateSource(st, pf(), n, actions); }
};

TEST_F(RotateTest, DialogRunsOverTheSourcePreview) {
  st.doc.Source(1).Angle = -90;
  st.tips.PreviewTip.Fill(1, 1, 2, 2, "preview");
  bool ran = false;
  Rotate(1, [&](rotate& d) {
    ran = true;
    EXPECT_EQ(d.label(), "Selected Source 1");
    EXPECT_EQ(d.shown_angle(), 270.0f);
    EXPECT_EQ(d.angle_text(), "270");
    EXPECT_TRUE(st.SourcePreview);
    EXPECT_EQ(st.ActiveRotateDialog, &d);
    EXPECT_TRUE(d.Ok());
  });
  EXPECT_TRUE(ran);
  EXPECT_FALSE(st.SourcePreview);
  EXPECT_EQ(st.ActiveRotateDialog, nullptr);
  EXPECT_FALSE(st.tips.PreviewTip.occupied);
  EXPECT_EQ(st.doc.Source(1).Angle, -90.0f);
}

TEST_F(RotateTest, NoToTheOverwriteQuestionRunsNoDialog) {
  st.TargetModified = true;
  tp.messages.answers.push_back(false);
  Rotate(1, [](rotate&) { ADD_FAILURE() << "no dialog"; });
  EXPECT_TRUE(st.TargetModified);
  EXPECT_EQ(tp.messages.Texts(RecordedMessage::Question),
            std::vector<std::string>{"Rotating source 1 now will overwrite your previous changes to the "
                                     "Target.\nIs this OK ??"});
}

TEST_F(RotateTest, PresetTwoSeventyTurnsAQuarterCounterClockwise) {
  Rotate(1, [](rotate& d) {
    d.Preset(270);
    EXPECT_EQ(d.angle_text(), "270");
    d.Ok();
  });
  const SourceImage& s = st.doc.Source(1);
  EXPECT_EQ(s.Angle, -90.0f);
  EXPECT_EQ(s.PlacedWidth, 60);
  EXPECT_EQ(s.PlacedHeight, 80);
}

struct TypedAngle {
  const char* name;
  const char* text;
  float stored;        // after Apply and OK
  const char* refusal;  // "" when accepted
};
class RotateTyped : public RotateTest, public ::testing::WithParamInterface<TypedAngle> {};

TEST_P(RotateTyped, ApplyStoresTheTypedAngle) {
  const TypedAngle& c = GetParam();
  st.doc.Source(1).Angle = 30;
  const bool accepted = std::string(c.refusal).empty();
  Rotate(1, [&](rotate& d) {
    d.TypeAngle(c.text);
    EXPECT_EQ(d.LeaveEdit(), accepted);
    EXPECT_EQ(d.Apply(), accepted);
    EXPECT_EQ(st.doc.Source(1).Angle, c.stored) << "applied live";
    EXPECT_EQ(d.Ok(), accepted);
    EXPECT_EQ(d.closed(), accepted) << "a refused entry keeps the dialog open";
  });
  EXPECT_EQ(st.doc.Source(1).Angle, accepted ? c.stored : 30.0f) << "left open means cancelled";
  if (!accepted) {
    EXPECT_EQ(tp.messages.Texts(RecordedMessage::Error).front(), c.refusal);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Entries, RotateTyped,
    ::testing::Values(TypedAngle{"OneSeventyNine", "179", 179, ""}, TypedAngle{"OneEighty", "180", -180, ""},
                      TypedAngle{"Decimal", "45.5", 45.5f, ""},
                      TypedAngle{"ThreeSixty", "360", 30, "Enter a number between 0 and 359."},
                      TypedAngle{"Negative", "-10", 30, "Enter a number between 0 and 359."},
                      TypedAngle{"Text", "ten", 30, "Enter a number."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RotateTest, CancelRestoresTheAngleOfTheOpening) {
  st.doc.Source(1).Angle = -45;
  Rotate(1, [](rotate& d) {
    d.Preset(90);
    d.TypeAngle("10");
    d.Apply();
    d.Preset(180);
    EXPECT_EQ(d.saved_angle(), -45.0f);
    d.Cancel();
  });
  EXPECT_EQ(st.doc.Source(1).Angle, -45.0f);
}

TEST_F(RotateTest, DraggingOnTheWheelAppliesEachAngleInTheRing) {
  const Size wheel{200, 200};
  Rotate(1, [&](rotate& d) {
    d.WheelMove(wheel, 180, 100);
    EXPECT_EQ(d.shown_angle(), 0.0f) << "no drag without a press";
    d.WheelPress(wheel, 180, 100);
    EXPECT_EQ(d.shown_angle(), 90.0f);
    EXPECT_EQ(st.doc.Source(1).Angle, 90.0f);
    EXPECT_EQ(d.angle_text(), "90");
    d.WheelMove(wheel, 100, 100);  // the centre does nothing
    EXPECT_EQ(d.shown_angle(), 90.0f);
    d.WheelMove(wheel, 100, 180);
    EXPECT_NEAR(d.shown_angle(), 180.0f, 0.001);
    EXPECT_NEAR(st.doc.Source(1).Angle, -180.0f, 0.001);
    d.WheelRelease();
    d.WheelMove(wheel, 20, 100);
    EXPECT_NEAR(d.shown_angle(), 180.0f, 0.001);
    d.Ok();
  });
}

struct WheelPoint {
  const char* name;
  int x, y;
  bool counts;
  float angle;
};
class WheelRing : public ::testing::TestWithParam<WheelPoint> {};

// A 200 x 200 wheel: radius 100, ring from 50 (exclusive) to 100 (exclusive).
TEST_P(WheelRing, OnlyTheRingBetweenHalfAndFullRadiusCounts) {
  const WheelPoint& c = GetParam();
  const std::optional<float> a = WheelAngleAt({200, 200}, c.x, c.y);
  ASSERT_EQ(a.has_value(), c.counts);
  if (c.counts) {
    EXPECT_NEAR(*a, c.angle, 0.0002);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Points, WheelRing,
    ::testing::Values(WheelPoint{"Right", 180, 100, true, 90}, WheelPoint{"Bottom", 100, 170, true, 180.00008f},
                      WheelPoint{"Left", 30, 100, true, 270.00015f}, WheelPoint{"Top", 100, 30, true, 359.99992f},
                      WheelPoint{"Centre", 100, 100, false, 0}, WheelPoint{"HalfRadius", 150, 100, false, 0},
                      WheelPoint{"JustInside", 151, 100, true, 90}, WheelPoint{"FullRadius", 200, 100, false, 0},
                      WheelPoint{"Corner", 190, 190, false, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WheelNeedle, PointsUpAtZeroAndRightAtNinety) {
  // Length 3 x 200 / 8 = 75; sin and cos of the almost exact quarter turns
  // truncate to one pixel short.
  EXPECT_EQ(WheelNeedleEnd({200, 200}, 0).x, 100);
  EXPECT_EQ(WheelNeedleEnd({200, 200}, 0).y, 26);
  EXPECT_EQ(WheelNeedleEnd({200, 200}, 90).x, 174);
  EXPECT_EQ(WheelNeedleEnd({200, 200}, 90).y, 100);
  EXPECT_EQ(WheelNeedleEnd({200, 200}, 270).x, 26);
  EXPECT_EQ(WheelNeedleEnd({200, 200}, 270).y, 100);
}

}  // namespace
}  // namespace wrimple::testing
