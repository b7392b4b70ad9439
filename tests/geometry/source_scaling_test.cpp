#include <gtest/gtest.h>

#include "compose/source_scaling.h"
#include "geometry_fixture.h"

namespace wrimple::testing {
namespace {

using C = ScalingControl;

class SourceScalingTest : public GeometryTest {
 protected:
  SourceScalingTest() { PutSource(st, 1, 80, 60); }
  std::unique_ptr<source_scaling> Open() {
    auto d = OpenSourceScaling(st, pf());
    EXPECT_NE(d, nullptr);
    return d;
  }
  std::vector<std::string> Errors() const { return tp.messages.Texts(RecordedMessage::Error); }
};

TEST_F(SourceScalingTest, NoToTheOverwriteQuestionLeavesEverything) {
  st.TargetModified = true;
  tp.messages.answers.push_back(false);
  EXPECT_EQ(OpenSourceScaling(st, pf()), nullptr);
  EXPECT_TRUE(st.TargetModified);
  EXPECT_FALSE(st.ScalingDialogOpen);
  ASSERT_EQ(tp.messages.log.size(), 1u);
  EXPECT_EQ(tp.messages.log[0].text,
            "Changing source sizes will overwrite your previous changes to the Target.\nIs this OK ??");
}

TEST_F(SourceScalingTest, OpenUntilClosedAndOnlyOnce) {
  st.TargetModified = true;
  st.tips.AlignTip.Fill(1, 2, 3, 4, "tip");
  auto d = Open();
  EXPECT_FALSE(st.TargetModified);
  EXPECT_TRUE(st.ScalingDialogOpen);
  EXPECT_EQ(st.ActiveScalingDialog, d.get());
  EXPECT_FALSE(st.tips.AlignTip.occupied);
  EXPECT_EQ(OpenSourceScaling(st, pf()), nullptr) << "a second dialog";
  EXPECT_TRUE(d->Click(C::Ok));
  EXPECT_FALSE(st.ScalingDialogOpen);
  EXPECT_EQ(st.ActiveScalingDialog, nullptr);
  d.reset();
  auto again = Open();
  again.reset();  // destroyed without OK or Cancel, as when the main window closes it
  EXPECT_FALSE(st.ScalingDialogOpen);
  EXPECT_EQ(st.ActiveScalingDialog, nullptr);
}

TEST_F(SourceScalingTest, LockedTargetIsNotAskedAboutAndItsSizeControlsAreDisabled) {
  st.TargetLock = true;
  st.TargetModified = true;
  auto d = Open();
  EXPECT_TRUE(tp.messages.log.empty());
  EXPECT_TRUE(st.TargetModified);
  for (C c : {C::TargetWidth, C::TargetHeight, C::TargetApply, C::WindowSize, C::Size1920x1080, C::SizeOther})
    EXPECT_FALSE(d->IsEnabled(c)) << int(c);
  EXPECT_FALSE(d->Click(C::TargetApply));
  EXPECT_TRUE(d->IsEnabled(C::WidthPercent1));
}

TEST_F(SourceScalingTest, AbsentAndBlankSourcesHaveNoControls) {
  {
    auto d = Open();
    for (C c : {C::WidthPercent2, C::HeightPercent2, C::WidthPixels2, C::HeightPixels2, C::Reset2,
                C::StepDown2, C::StepUp2})
      EXPECT_FALSE(d->IsEnabled(c)) << int(c);
    EXPECT_TRUE(d->IsEnabled(C::StepUp1));
    EXPECT_FALSE(d->Click(C::StepUp2));
    EXPECT_EQ(st.doc.Source(2).ScaleXPercent, 100.0f);
  }
  PutSource(st, 2, 20, 20);
  st.doc.Source(1).SourceKind = kKindBlank;
  auto d = Open();
  EXPECT_FALSE(d->IsEnabled(C::WidthPercent1));
  EXPECT_FALSE(d->IsEnabled(C::Reset1));
  EXPECT_TRUE(d->IsEnabled(C::WidthPercent2));
}

TEST_F(SourceScalingTest, WidthPercentWithAspectLockHalvesBothSidesAtOnce) {
  auto d = Open();
  EXPECT_TRUE(d->IsChecked(C::PreserveAspect));
  EXPECT_EQ(d->Text(C::WidthPixels1), "80");
  d->Type(C::WidthPercent1, "50");
  EXPECT_TRUE(d->LeaveEdit(C::WidthPercent1));
  EXPECT_EQ(st.doc.Source(1).ScaleXPercent, 50.0f);
  EXPECT_EQ(st.doc.Source(1).ScaleYPercent, 50.0f);
  EXPECT_EQ(d->Text(C::HeightPercent1), "50");
  EXPECT_EQ(d->Text(C::WidthPixels1), "40");
  EXPECT_EQ(d->Text(C::HeightPixels1), "30");
  EXPECT_EQ(st.doc.Source(1).PlacedWidth, 40) << "recomposed at once";
  EXPECT_EQ(st.doc.Source(1).PlacedHeight, 30);
}

TEST_F(SourceScalingTest, PixelCommitWithoutAspectLockChangesOneSide) {
  auto d = Open();
  EXPECT_TRUE(d->Click(C::PreserveAspect));
  EXPECT_FALSE(d->IsChecked(C::PreserveAspect));
  d->Type(C::WidthPixels1, "120");
  EXPECT_TRUE(d->LeaveEdit(C::WidthPixels1));
  EXPECT_EQ(st.doc.Source(1).ScaleXPercent, 150.0f);
  EXPECT_EQ(st.doc.Source(1).ScaleYPercent, 100.0f);
  EXPECT_EQ(d->Text(C::WidthPercent1), "150");
  EXPECT_EQ(d->Text(C::HeightPixels1), "60");
}

TEST_F(SourceScalingTest, PercentWithDecimalsIsShownWithSixDigits) {
  auto d = Open();
  d->Type(C::HeightPercent1, "33.3333333");
  EXPECT_TRUE(d->LeaveEdit(C::HeightPercent1));
  EXPECT_EQ(d->Text(C::WidthPercent1), "33.3333");
  EXPECT_EQ(st.doc.Source(1).ScaleXPercent, 33.3333333f);
  EXPECT_EQ(d->Text(C::WidthPixels1), "26");  // 80 x 33.33 / 100 = 26.7
}

struct RefusedEntry {
  const char* name;
  C edit;
  const char* text;
  const char* message;
};
class SourceScalingRefuses : public SourceScalingTest, public ::testing::WithParamInterface<RefusedEntry> {};

// A scale of zero or below never reaches the document: the entry is refused
// with a message and the previous value comes back into the edit.
TEST_P(SourceScalingRefuses, KeepsThePreviousValue) {
  const RefusedEntry& c = GetParam();
  auto d = Open();
  d->Type(C::WidthPercent1, "50");
  ASSERT_TRUE(d->LeaveEdit(C::WidthPercent1));
  const std::string before = d->Text(c.edit);
  d->Type(c.edit, c.text);
  EXPECT_FALSE(d->LeaveEdit(c.edit));
  EXPECT_EQ(Errors(), std::vector<std::string>{c.message});
  EXPECT_EQ(st.doc.Source(1).ScaleXPercent, 50.0f);
  EXPECT_EQ(st.doc.Source(1).ScaleYPercent, 50.0f);
  EXPECT_EQ(d->Text(c.edit), before);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, SourceScalingRefuses,
    ::testing::Values(RefusedEntry{"ZeroPercent", C::WidthPercent1, "0", "Enter a number between 0.001 and 1000000."},
                      RefusedEntry{"NegativePercent", C::HeightPercent1, "-20",
                                   "Enter a number between 0.001 and 1000000."},
                      RefusedEntry{"HugePercent", C::WidthPercent1, "1e9", "Enter a number between 0.001 and 1000000."},
                      RefusedEntry{"NotANumber", C::WidthPercent1, "abc", "Enter a number."},
                      RefusedEntry{"ZeroPixels", C::WidthPixels1, "0", "Enter an integer between 1 and 800000."},
                      RefusedEntry{"FractionalPixels", C::HeightPixels1, "2.5", "Enter an integer."}),
    [](const auto& info) { return std::string(info.param.name); });

// A tiny scale shows 0 pixels; that may stand in the edit, but committing 0
// pixels is refused.
TEST_F(SourceScalingTest, ZeroPixelsShownForATinyScaleDoNotBlockOtherEntries) {
  auto d = Open();
  d->Type(C::WidthPercent1, "1");
  ASSERT_TRUE(d->LeaveEdit(C::WidthPercent1));
  EXPECT_EQ(d->Text(C::HeightPixels1), "0");
  d->Type(C::WidthPercent1, "2.5");
  EXPECT_TRUE(d->LeaveEdit(C::WidthPercent1));
  EXPECT_EQ(d->Text(C::WidthPixels1), "2");
  EXPECT_EQ(d->Text(C::HeightPixels1), "1");
  d->Type(C::HeightPixels1, "0");
  EXPECT_FALSE(d->LeaveEdit(C::HeightPixels1));
  EXPECT_EQ(d->Text(C::HeightPixels1), "1");
  EXPECT_EQ(st.doc.Source(1).ScaleYPercent, 2.5f);
  EXPECT_EQ(Errors(), std::vector<std::string>{"Enter an integer between 1 and 600000."});
}

TEST_F(SourceScalingTest, StepDownFromHundredKeepsThePointUnderTheMiddle) {
  st.doc.Source(1).OffsetX = -600;  // picture starts at column 600, past the middle (512)
  st.doc.Source(1).OffsetY = 10;    // bottom edge at 50, above the middle (384)
  auto d = Open();
  EXPECT_TRUE(d->Click(C::StepDown1));
  const SourceImage& s = st.doc.Source(1);
  EXPECT_EQ(s.ScaleXPercent, 90.0f);
  EXPECT_EQ(s.ScaleYPercent, 90.0f);
  EXPECT_EQ(s.OffsetX, -600) << "near edge kept: max(0, 512 - 600) = 0";
  EXPECT_EQ(s.OffsetY, 10 + int(54.0f * -10.0f / 90.0f)) << "far edge kept";
  EXPECT_EQ(d->Text(C::WidthPixels1), "72");
  EXPECT_EQ(s.PlacedWidth, 72);
}

TEST_F(SourceScalingTest, HundredPercentIgnoresTheAspectLockAndSteppingStopsAtTheLimits) {
  st.doc.Source(1).ScaleXPercent = 1000;
  st.doc.Source(1).ScaleYPercent = 40;
  auto d = Open();
  EXPECT_TRUE(d->Click(C::Reset1));
  EXPECT_EQ(st.doc.Source(1).ScaleXPercent, 100.0f);
  EXPECT_EQ(st.doc.Source(1).ScaleYPercent, 100.0f);
  for (int i = 0; i < 12; ++i) d->Click(C::StepDown1);
  EXPECT_EQ(st.doc.Source(1).ScaleXPercent, 10.0f);
  for (int i = 0; i < 120; ++i) d->Click(C::StepUp1);
  EXPECT_EQ(st.doc.Source(1).ScaleYPercent, 1000.0f);
}

struct FitCase {
  const char* name;
  bool aspect;
  float width_percent, height_percent;
};
class FitToTarget : public GeometryTest, public ::testing::WithParamInterface<FitCase> {};

// A 400 x 200 picture turned a quarter turn is 200 wide and 400 high.
TEST_P(FitToTarget, QuarterTurnedPictureFillsTheTarget) {
  const FitCase& c = GetParam();
  st.SetTargetSize(1000, 1000);
  PutSource(st, 1, 400, 200);
  st.doc.Source(1).Angle = 90;
  st.doc.Source(1).OffsetX = 77;
  auto d = OpenSourceScaling(st, pf());
  if (!c.aspect) d->Click(C::PreserveAspect);
  EXPECT_TRUE(d->Click(C::FitToTarget));
  const SourceImage& s = st.doc.Source(1);
  EXPECT_NEAR(s.ScaleXPercent, c.width_percent, 0.01);
  EXPECT_NEAR(s.ScaleYPercent, c.height_percent, 0.01);
  EXPECT_NEAR(s.PlacedWidth, 200 * c.width_percent / 100, 1);
  EXPECT_NEAR(s.PlacedHeight, 400 * c.height_percent / 100, 1);
  EXPECT_EQ(s.OffsetX, (s.PlacedWidth - 1000) / 2) << "centred";
  EXPECT_EQ(s.OffsetY, (s.PlacedHeight - 1000) / 2);
}

INSTANTIATE_TEST_SUITE_P(Example, FitToTarget,
                         ::testing::Values(FitCase{"AspectFree", false, 500, 250}, FitCase{"AspectLocked", true, 250, 250}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SourceScalingTest, FitWithoutAnySourceLeavesTheScalesAlone) {
  st.doc.Source(1).SourcePicture.reset();
  st.SourceCount = 0;
  auto d = Open();
  EXPECT_TRUE(d->Click(C::FitToTarget));
  EXPECT_EQ(st.doc.Source(1).ScaleXPercent, 100.0f);
  EXPECT_EQ(st.doc.Source(1).OffsetX, 0);
}

struct TargetEntry {
  const char* name;
  const char* width;
  const char* height;
  int applied_width, applied_height;
  const char* message;  // "" for none
};
class TargetSizeApply : public SourceScalingTest, public ::testing::WithParamInterface<TargetEntry> {};

TEST_P(TargetSizeApply, LimitsTheSizeAfterTheMessage) {
  const TargetEntry& c = GetParam();
  auto d = Open();
  d->Type(C::TargetWidth, c.width);
  d->Type(C::TargetHeight, c.height);
  EXPECT_EQ(d->Click(C::TargetApply), std::string(c.message).empty());
  EXPECT_EQ(st.TargetWidth(), c.applied_width);
  EXPECT_EQ(st.TargetHeight(), c.applied_height);
  EXPECT_EQ(d->Text(C::TargetWidth), std::to_string(c.applied_width));
  EXPECT_EQ(tp.view.scroll_size.width, c.applied_width);
  if (std::string(c.message).empty())
    EXPECT_TRUE(Errors().empty());
  else
    EXPECT_EQ(Errors(), std::vector<std::string>{c.message});
}

INSTANTIATE_TEST_SUITE_P(
    Entries, TargetSizeApply,
    ::testing::Values(TargetEntry{"InRange", "300", "200", 300, 200, ""},
                      TargetEntry{"WidthAboveMaximum", "5000", "200", 4096, 200,
                                  "Enter an integer between 100 and 4096."},
                      TargetEntry{"HeightBelowMinimum", "300", "50", 300, 100,
                                  "Enter an integer between 100 and 3072."},
                      TargetEntry{"NotAnInteger", "3x", "200", 160, 200, "Enter an integer."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SourceScalingTest, CommonSizesFixTheTargetUntilOther) {
  auto d = Open();
  EXPECT_TRUE(d->IsChecked(C::SizeOther));
  EXPECT_TRUE(d->Click(C::Size1280x800));
  EXPECT_EQ(st.TargetWidth(), 1280);
  EXPECT_EQ(st.TargetHeight(), 800);
  EXPECT_TRUE(d->IsChecked(C::Size1280x800));
  EXPECT_FALSE(d->IsEnabled(C::TargetWidth));
  EXPECT_FALSE(d->IsEnabled(C::WindowSize));
  EXPECT_TRUE(d->Click(C::SizeOther));
  EXPECT_TRUE(d->IsEnabled(C::TargetApply));
  EXPECT_EQ(st.TargetWidth(), 1280);
}

TEST_F(SourceScalingTest, WindowSizeTakesTheClientArea) {
  tp.view.client = {300, 90};
  auto d = Open();
  EXPECT_TRUE(d->Click(C::WindowSize));
  EXPECT_EQ(st.TargetWidth(), 300);
  EXPECT_EQ(st.TargetHeight(), 90);
  EXPECT_EQ(d->Text(C::TargetHeight), "90");
}

TEST_F(SourceScalingTest, OkPullsBackAPicturePushedPastTheTargetWithoutRecomposing) {
  SourceImage& s = st.doc.Source(1);
  s.OffsetX = -170;  // the picture starts 10 columns right of the 160-wide target
  s.OffsetY = -50;
  auto d = Open();
  const int redraws = tp.view.redraws;
  EXPECT_TRUE(d->Click(C::Ok));
  EXPECT_EQ(s.OffsetX, 0);
  EXPECT_EQ(s.OffsetY, -50);
  EXPECT_EQ(tp.view.redraws, redraws);
  EXPECT_TRUE(d->closed());
}

TEST_F(SourceScalingTest, OkStaysOpenOnARefusedEntry) {
  auto d = Open();
  d->Type(C::TargetWidth, "99");
  EXPECT_FALSE(d->Click(C::Ok));
  EXPECT_FALSE(d->closed());
  EXPECT_TRUE(st.ScalingDialogOpen);
  EXPECT_EQ(st.TargetWidth(), 160);
}

TEST_F(SourceScalingTest, CancelRestoresWhatWasInForceWhenTheDialogOpened) {
  PutSource(st, 2, 30, 20);
  st.doc.Source(1).OffsetX = 5;
  st.doc.Source(2).ScaleYPercent = 70;
  auto d = Open();
  d->Type(C::WidthPercent1, "250");
  d->LeaveEdit(C::WidthPercent1);
  d->Click(C::StepUp2);
  d->Click(C::FitToTarget);
  d->Type(C::TargetWidth, "400");
  d->Click(C::TargetApply);
  ASSERT_EQ(st.TargetWidth(), 400);
  const int redraws = tp.view.redraws;
  EXPECT_TRUE(d->Click(C::Cancel));
  EXPECT_TRUE(d->closed());
  EXPECT_FALSE(st.ScalingDialogOpen);
  EXPECT_EQ(st.TargetWidth(), 160);
  EXPECT_EQ(st.TargetHeight(), 120);
  EXPECT_EQ(st.doc.Source(1).ScaleXPercent, 100.0f);
  EXPECT_EQ(st.doc.Source(1).OffsetX, 5);
  EXPECT_EQ(st.doc.Source(2).ScaleXPercent, 100.0f);
  EXPECT_EQ(st.doc.Source(2).ScaleYPercent, 70.0f);
  EXPECT_EQ(st.doc.Source(2).OffsetY, 0);
  EXPECT_GT(tp.view.redraws, redraws) << "recomposed";
  EXPECT_EQ(st.doc.Source(1).PlacedWidth, 80);
}

}  // namespace
}  // namespace wrimple::testing
