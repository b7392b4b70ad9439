#include <gtest/gtest.h>

#include "compose/align.h"
#include "compose/recompose.h"
#include "geometry_fixture.h"

namespace wrimple::testing {
namespace {

class AlignTest : public GeometryTest {
 protected:
  AlignTest() {
    PutSource(st, 1, 80, 60);
    st.doc.Source(1).OffsetX = -20;
    st.doc.Source(1).OffsetY = -10;
    RecomposeTarget(st, pf());
  }
  enum GrabBoxIndex { kTopLeft, kBottomRight, kTopRight, kBottomLeft, kMiddle };
  const GrabBox& Box(GrabBoxIndex i) const { return st.GrabBoxes[std::size_t(i)]; }
};

TEST_F(AlignTest, AligningPutsTheFiveBoxesOnTheCornersAndTheCentre) {
  st.zone = {5, 5, 50, 50};
  tp.view.scroll = {3, 4};
  SetAligning(st, pf(), 1);
  EXPECT_EQ(st.AligningSource, 1);
  EXPECT_EQ(st.zone.X1, -1) << "zone cleared";
  // The placed box covers target columns 20..100 and rows 10..70.
  const int expected[5][2] = {{20, 10}, {100, 70}, {100, 10}, {20, 70}, {60, 40}};
  for (int i = 0; i < 5; ++i) {
    EXPECT_TRUE(st.GrabBoxes[std::size_t(i)].exists);
    EXPECT_EQ(st.GrabBoxes[std::size_t(i)].left, expected[i][0] - 3 - 10) << i;
    EXPECT_EQ(st.GrabBoxes[std::size_t(i)].top, expected[i][1] - 4 - 10) << i;
  }
  EXPECT_FALSE(st.tips.AlignTip.occupied) << "tips are off";
}

TEST_F(AlignTest, AlignTipAppearsWhenTipsAreOn) {
  st.FlyingTipsEnabled = true;
  SetAligning(st, pf(), 1);
  const TipSlot& tip = st.tips.AlignTip;
  EXPECT_TRUE(tip.occupied);
  EXPECT_EQ(tip.text, "Use the LMB anywhere on the image to drag it to a new position.");
  EXPECT_EQ(tip.left, 100);
  EXPECT_EQ(tip.bottom, 200);
  EXPECT_TRUE(tp.messages.log.empty()) << "the picture is visible";
  SetAligning(st, pf(), 0);
  EXPECT_FALSE(st.tips.AlignTip.occupied);
  EXPECT_EQ(st.AligningSource, 0);
  for (const GrabBox& b : st.GrabBoxes) EXPECT_FALSE(b.exists);
}

TEST_F(AlignTest, AligningTheSameSourceAgainChangesNothing) {
  SetAligning(st, pf(), 1);
  st.GrabBoxes[0].mode = 2;
  const int redraws = tp.view.redraws;
  SetAligning(st, pf(), 1);
  EXPECT_EQ(tp.view.redraws, redraws);
  EXPECT_EQ(st.GrabBoxes[0].mode, 2) << "boxes not rebuilt";
}

TEST_F(AlignTest, NoToTheOverwriteQuestionKeepsTheMode) {
  st.TargetModified = true;
  tp.messages.answers.push_back(false);
  SetAligning(st, pf(), 1);
  EXPECT_EQ(st.AligningSource, 0);
  EXPECT_TRUE(st.TargetModified);
  EXPECT_EQ(tp.messages.Texts(RecordedMessage::Question),
            std::vector<std::string>{"Aligning (repositioning) any source image now will overwrite your "
                                     "previous changes to the Target.\nIs this OK ??"});
}

struct OffsideCase {
  const char* name;
  int offset_x, offset_y;
  bool offside;
};
class AlignOffside : public AlignTest, public ::testing::WithParamInterface<OffsideCase> {};

TEST_P(AlignOffside, APictureOutsideTheViewIsReported) {
  st.FlyingTipsEnabled = true;
  st.doc.Source(1).OffsetX = GetParam().offset_x;
  st.doc.Source(1).OffsetY = GetParam().offset_y;
  SetAligning(st, pf(), 1);
  const std::vector<std::string> infos = tp.messages.Texts(RecordedMessage::Info);
  if (GetParam().offside)
    EXPECT_EQ(infos, std::vector<std::string>{"Image is offside and not visible but within the target "
                                              "dimensions.\nYou may wish to bring into view with the "
                                              "scrollbars."});
  else
    EXPECT_TRUE(infos.empty());
}

// The view is 1024 x 768; the picture 80 x 60.
INSTANTIATE_TEST_SUITE_P(Positions, AlignOffside,
                         ::testing::Values(OffsideCase{"Visible", -20, -10, false},
                                           OffsideCase{"RightOfTheView", -1025, 0, true},
                                           OffsideCase{"AtTheRightEdge", -1024, 0, false},
                                           OffsideCase{"BelowTheView", 0, -769, true},
                                           OffsideCase{"LeftOfTheView", 81, 0, true},
                                           OffsideCase{"AboveTheView", 0, 61, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AlignTest, DraggingMovesThePictureByTheDragAndStopsAtTheTargetEdge) {
  SetAligning(st, pf(), 1);
  MoveAlignedSource(st, pf(), 10, 10, 40, 25);
  EXPECT_EQ(st.doc.Source(1).OffsetX, -50);
  EXPECT_EQ(st.doc.Source(1).OffsetY, -25);
  EXPECT_EQ(Box(kTopLeft).left, 50 - 10) << "boxes follow";
  for (int i = 0; i < 2; ++i) MoveAlignedSource(st, pf(), 0, 0, 159, 119);
  EXPECT_EQ(st.doc.Source(1).OffsetX, -160);
  EXPECT_EQ(st.doc.Source(1).OffsetY, -120);
}

TEST_F(AlignTest, DraggingWhileNotAligningDoesNothing) {
  MoveAlignedSource(st, pf(), 0, 0, 30, 30);
  EXPECT_EQ(st.doc.Source(1).OffsetX, -20);
}

}  // namespace
}  // namespace wrimple::testing
