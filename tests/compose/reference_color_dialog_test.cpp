// The reference colour dialog: sliders, the level rule, the buttons, and the
// live re-merge while the merge dialog is open.
#include <gtest/gtest.h>

#include "compose/merge_command.h"
#include "compose/merge_dialog.h"
#include "compose/reference_color_dialog.h"
#include "compose_fixture.h"

namespace wrimple {
namespace {

using Slider = blush::Slider;
using testing::TargetBytes;
using testing::TargetPixel;
using testing::TestPlatform;

class ReferenceColorTest : public ::testing::Test {
 protected:
  void TearDown() override { CloseReferenceColorDialog(st); }
  State st;
  TestPlatform tp;
};

TEST_F(ReferenceColorTest, OpensOnceAndLoadsTheReferenceColour) {
  st.ReferenceColor = {30, 20, 10};  // blue, green, red
  blush* d = SetupReferenceColor(st, tp);
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(st.ReferenceColorDialog, d);
  EXPECT_EQ(d->position(Slider::Red), 10);
  EXPECT_EQ(d->position(Slider::Green), 20);
  EXPECT_EQ(d->position(Slider::Blue), 30);
  EXPECT_EQ(d->position(Slider::Level), 127);
  EXPECT_EQ(d->swatch(), MakeColorRef(10, 20, 30));
  d->MoveSlider(Slider::Red, 90);
  EXPECT_EQ(SetupReferenceColor(st, tp), d) << "at most one dialog";
  EXPECT_EQ(d->position(Slider::Red), 90) << "the open dialog is left as it is";
  CloseReferenceColorDialog(st);
  EXPECT_EQ(st.ReferenceColorDialog, nullptr);
}

TEST_F(ReferenceColorTest, ChannelSlidersSetTheReferenceInPixelOrder) {
  blush* d = SetupReferenceColor(st, tp);
  d->MoveSlider(Slider::Red, 200);
  d->MoveSlider(Slider::Green, 100);
  d->MoveSlider(Slider::Blue, 300);  // held at 255 by the slider's range
  EXPECT_EQ(st.ReferenceColor, (Bgr{255, 100, 200}));
  EXPECT_EQ(d->swatch(), MakeColorRef(200, 100, 255));
  EXPECT_EQ(d->red(), 200);
}

TEST_F(ReferenceColorTest, LevelSliderMovesAllThreeChannels) {
  blush* d = SetupReferenceColor(st, tp);
  d->MoveSlider(Slider::Red, 10);
  d->MoveSlider(Slider::Level, 60);
  EXPECT_EQ(st.ReferenceColor, (Bgr{60, 60, 60}));
  EXPECT_EQ(d->last_level(), 60);
  d->MoveSlider(Slider::Green, 5);  // the level stands still: channels move alone
  EXPECT_EQ(st.ReferenceColor, (Bgr{60, 5, 60}));
}

TEST_F(ReferenceColorTest, GrayLeavesTheLastLevelSoTheNextMoveResetsOnce) {
  blush* d = SetupReferenceColor(st, tp);
  d->MoveSlider(Slider::Level, 60);
  d->OnGray();
  EXPECT_EQ(st.ReferenceColor, (Bgr{127, 127, 127}));
  EXPECT_EQ(d->last_level(), 60);
  d->MoveSlider(Slider::Red, 200);  // the level slider reads 127, not 60
  EXPECT_EQ(st.ReferenceColor, (Bgr{127, 127, 127}));
  EXPECT_EQ(d->last_level(), 127);
  d->MoveSlider(Slider::Red, 200);
  EXPECT_EQ(st.ReferenceColor, (Bgr{127, 127, 200}));
}

TEST_F(ReferenceColorTest, BlackAndWhiteLeaveTheLevelSlider) {
  blush* d = SetupReferenceColor(st, tp);
  d->MoveSlider(Slider::Level, 40);
  d->OnBlack();
  EXPECT_EQ(st.ReferenceColor, (Bgr{0, 0, 0}));
  EXPECT_EQ(d->position(Slider::Level), 40);
  d->OnWhite();
  EXPECT_EQ(st.ReferenceColor, (Bgr{255, 255, 255}));
  EXPECT_EQ(d->swatch(), MakeColorRef(255, 255, 255));
}

TEST_F(ReferenceColorTest, SyncShowsASweptColour) {
  blush* d = SetupReferenceColor(st, tp);
  st.ReferenceColor = {1, 2, 3};
  d->SyncFromReference();
  EXPECT_EQ(d->position(Slider::Blue), 1);
  EXPECT_EQ(d->position(Slider::Red), 3);
  EXPECT_EQ(d->swatch(), MakeColorRef(3, 2, 1));
}

TEST_F(ReferenceColorTest, NoMergeWithoutTheMergeDialog) {
  st.SetTargetSize(8, 4);
  st.SourceCount = 2;
  st.MergeMethod = 7;
  testing::FillTargetPattern(st);
  const auto before = TargetBytes(st);
  SetupReferenceColor(st, tp)->OnBlack();
  EXPECT_EQ(TargetBytes(st), before);
}

class LiveRemergeTest : public ReferenceColorTest {
 protected:
  void SetUp() override {
    st.SetTargetSize(3, 2);
    testing::LoadSource(st, 1, testing::MakePicture(3, 2, [](int, int) { return Bgr{100, 100, 100}; }));
    testing::LoadSource(st, 2, testing::MakePicture(3, 2, [](int, int) { return Bgr{0, 0, 0}; }));
  }
};

TEST_F(LiveRemergeTest, ComparisonFollowsTheReferenceWhileMerging) {
  MergeTwoSources(st, tp, [&](mergepix& merge) {
    merge.OnMethodButton(7);  // source 1 where it is above the reference
    merge.MoveThresholdSlider(70);
    st.ContrastThreshold = 0;
    blush* d = merge.OnChangeRefColor();
    d->OnBlack();  // 100 well above 0: w = 255, (100 * 255) >> 8
    EXPECT_EQ(TargetPixel(st, 2, 1), (Bgr{99, 99, 99}));
    EXPECT_EQ(st.ContrastThreshold, 30 * 255 / 100);
    d->OnWhite();  // 100 well below 255: w = 0, source 2
    EXPECT_EQ(TargetPixel(st, 2, 1), (Bgr{0, 0, 0}));
    st.MergeMethod = kNoMergeMethod;
    const auto before = TargetBytes(st);
    d->OnBlack();
    EXPECT_EQ(TargetBytes(st), before);
    EXPECT_EQ(st.ReferenceColor, (Bgr{0, 0, 0}));
    merge.OnMethodButton(7);
    merge.OnOK();
  });
  EXPECT_EQ(st.ReferenceColorDialog, nullptr);
}

}  // namespace
}  // namespace wrimple
