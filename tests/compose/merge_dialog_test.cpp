// The command "Merge two sources" and the merge dialog it runs.
#include <gtest/gtest.h>

#include "compose/merge_command.h"
#include "compose/merge_dialog.h"
#include "compose/reference_color_dialog.h"
#include "compose_fixture.h"

namespace wrimple {
namespace {

using testing::LoadSource;
using testing::MakePicture;
using testing::RecordedMessage;
using testing::TargetBytes;
using testing::TargetPixel;
using testing::TestPlatform;

class MergeCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    st.SetTargetSize(4, 2);
    Load({200, 100, 50}, {0, 10, 20});
  }
  void Load(Bgr one, Bgr two) {
    LoadSource(st, 1, MakePicture(4, 2, [one](int, int) { return one; }));
    LoadSource(st, 2, MakePicture(4, 2, [two](int, int) { return two; }));
  }
  // Runs the command with the dialog driven by `drive`, which must end it.
  MergeCommandOutcome Run(const std::function<void(mergepix&)>& drive) {
    return MergeTwoSources(st, tp, [&](mergepix& dialog) {
      ASSERT_EQ(st.ActiveMergeDialog, &dialog);
      drive(dialog);
      EXPECT_TRUE(dialog.ended());
    });
  }
  Bgr Target() const { return TargetPixel(st, 3, 1); }

  State st;
  TestPlatform tp;
};

TEST_F(MergeCommandTest, OpeningShowsTheAverageAtBias127) {
  st.MergeMethod = 2;
  st.ContrastMode = 1;
  st.MergeBias = 3;
  const auto outcome = Run([&](mergepix& d) {
    EXPECT_EQ(st.MergeMethod, 6);
    EXPECT_EQ(st.ContrastMode, 0);
    EXPECT_EQ(st.MergeBias, 127);
    EXPECT_EQ(d.bias_position(), 127);
    EXPECT_EQ(d.threshold_position(), 50);
    EXPECT_EQ(d.threshold_percent(), 50);
    EXPECT_EQ(st.ContrastThreshold, 127);
    EXPECT_TRUE(d.method_checked(6));
    EXPECT_TRUE(d.contrast_checked(0));
    EXPECT_FALSE(d.method_checked(0));
    // (200 * 128 + 0 * 127) >> 8, (100 * 128 + 10 * 127) >> 8, (50 * 128 + 20 * 127) >> 8
    EXPECT_EQ(Target(), (Bgr{100, 54, 34}));
    EXPECT_EQ(d.description(1), DescribeSource(st.doc, 1));
    EXPECT_EQ(d.description(2), DescribeSource(st.doc, 2));
    EXPECT_EQ(d.method_caption(7), "If 1 > Ref. then 1 else 2");
    EXPECT_EQ(d.method_caption(10), "If 2 > Ref. then 2 else 1");
    EXPECT_TRUE(d.OnOK());
  });
  EXPECT_EQ(outcome, MergeCommandOutcome::DialogClosed);
  EXPECT_EQ(st.ActiveMergeDialog, nullptr);
  EXPECT_TRUE(tp.messages.log.empty());
}

TEST_F(MergeCommandTest, BiasSliderEndsFavourOneSourceAt255Over256) {
  Run([&](mergepix& d) {
    d.MoveBiasSlider(0);
    EXPECT_EQ(st.MergeBias, 0);
    EXPECT_EQ(Target(), (Bgr{199, 99, 49}));
    d.MoveBiasSlider(255);
    EXPECT_EQ(Target(), (Bgr{0, 9, 19}));
    d.OnOK();
  });
  EXPECT_EQ(st.MergeBias, 255);
}

TEST_F(MergeCommandTest, ContrastButtonPutsTheBiasBackToTheMiddle) {
  Load({255, 0, 255}, {255, 0, 0});
  Run([&](mergepix& d) {
    d.MoveBiasSlider(40);
    d.OnContrastButton(2);
    EXPECT_EQ(st.MergeBias, 127);
    EXPECT_EQ(d.bias_position(), 127);
    EXPECT_EQ(st.ContrastMode, 2);
    EXPECT_TRUE(d.contrast_checked(2));
    EXPECT_FALSE(d.contrast_checked(0));
    // The average (254, 0, 127) against 127 channel by channel.
    EXPECT_EQ(Target(), (Bgr{255, 0, 0}));
    d.OnOK();
  });
}

TEST_F(MergeCommandTest, ThresholdSliderEnds) {
  Load({255, 255, 255}, {0, 0, 1});
  Run([&](mergepix& d) {
    d.OnContrastButton(1);
    d.MoveThresholdSlider(0);
    EXPECT_EQ(d.threshold_percent(), 100);
    EXPECT_EQ(st.ContrastThreshold, 255);
    EXPECT_EQ(Target(), (Bgr{0, 0, 0}));
    d.OnMethodButton(1);  // source 2 alone: (0, 0, 1)
    d.MoveThresholdSlider(100);
    EXPECT_EQ(st.ContrastThreshold, 0);
    EXPECT_EQ(Target(), (Bgr{255, 255, 255}));
    d.OnContrastButton(2);
    EXPECT_EQ(Target(), (Bgr{0, 0, 255}));
    d.OnOK();
  });
}

TEST_F(MergeCommandTest, MethodButtonsFormOneGroup) {
  Run([&](mergepix& d) {
    d.OnMethodButton(4);
    EXPECT_EQ(st.MergeMethod, 4);
    for (int code = 0; code < mergepix::kMethodCount; ++code) EXPECT_EQ(d.method_checked(code), code == 4);
    EXPECT_TRUE(d.contrast_checked(0));
    d.OnOK();
  });
}

TEST_F(MergeCommandTest, TextSourcesRelabelTheComparisonButtons) {
  st.doc.Source(2).SourceKind = kKindTypedText;
  Run([&](mergepix& d) {
    EXPECT_EQ(d.method_caption(7), "If 1 > Ref. then 1 else 2");
    EXPECT_EQ(d.method_caption(8), "If 1 > Ref. then 2 else 1");
    EXPECT_EQ(d.method_caption(9), "If text(2) then 1 else 2");
    EXPECT_EQ(d.method_caption(10), "If text(2) then 2 else 1");
    d.OnCancel();
  });
  st.doc.Source(1).SourceKind = kKindTypedText;
  Run([&](mergepix& d) {
    EXPECT_EQ(d.method_caption(7), "If text(1) then 1 else 2");
    EXPECT_EQ(d.method_caption(8), "If text(1) then 2 else 1");
    d.OnCancel();
  });
}

TEST_F(MergeCommandTest, CancelKeepsTheLastMergeAndSettings) {
  Run([&](mergepix& d) {
    d.OnMethodButton(0);
    d.MoveBiasSlider(9);
    d.OnCancel();
  });
  EXPECT_EQ(Target(), (Bgr{200, 100, 50}));
  EXPECT_EQ(st.MergeMethod, 0);
  EXPECT_EQ(st.MergeBias, 9);
}

TEST_F(MergeCommandTest, DoneWithoutAMergeTypeKeepsTheDialogOpen) {
  Run([&](mergepix& d) {
    st.MergeMethod = kNoMergeMethod;
    const auto before = TargetBytes(st);
    d.MoveBiasSlider(3);
    EXPECT_EQ(st.MergeBias, 3);
    EXPECT_EQ(TargetBytes(st), before);
    EXPECT_FALSE(d.OnOK());
    EXPECT_FALSE(d.ended());
    EXPECT_EQ(tp.messages.Texts(RecordedMessage::Info),
              std::vector<std::string>{"Need to select a merge type:\nPlease press one of the left buttons"});
    d.OnMethodButton(1);
    EXPECT_TRUE(d.OnOK());
  });
  EXPECT_EQ(Target(), (Bgr{0, 10, 20}));
}

TEST_F(MergeCommandTest, DoneMergesOnceMoreWithTheDialogsThreshold) {
  Run([&](mergepix& d) {
    d.OnContrastButton(2);
    d.MoveThresholdSlider(80);  // threshold percent 20: 51
    st.ContrastThreshold = 250;
    EXPECT_TRUE(d.OnOK());
  });
  EXPECT_EQ(st.ContrastThreshold, 51);
  EXPECT_EQ(Target(), (Bgr{255, 255, 0}));  // average (100, 54, 34)
}

TEST_F(MergeCommandTest, OpeningAndClosingCloseTheReferenceColourDialog) {
  int closes = 0;
  SetupReferenceColor(st, tp)->on_close = [&closes] { ++closes; };
  Run([&](mergepix& d) {
    EXPECT_EQ(st.ReferenceColorDialog, nullptr);
    EXPECT_EQ(closes, 1);
    blush* reopened = d.OnChangeRefColor();
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(st.ReferenceColorDialog, reopened);
    d.OnOK();
  });
  EXPECT_EQ(st.ReferenceColorDialog, nullptr);
}

TEST_F(MergeCommandTest, NextSlideRunsTheNumberedSave) {
  Run([&](mergepix& d) {
    EXPECT_TRUE(d.OnNextSlide());  // nothing saved yet: the Save As dialog, cancelled
    EXPECT_EQ(tp.files.requests.size(), 1u);
    d.OnOK();
  });
}

TEST_F(MergeCommandTest, LockedTargetAnsweredNoChangesNothing) {
  st.TargetLock = true;
  st.TargetModified = true;
  testing::FillTargetPattern(st);
  const auto before = TargetBytes(st);
  tp.messages.answers = {false};
  EXPECT_EQ(Run([](mergepix&) { ADD_FAILURE() << "no dialog"; }), MergeCommandOutcome::Declined);
  EXPECT_TRUE(st.TargetLock);
  EXPECT_TRUE(st.TargetModified);
  EXPECT_EQ(TargetBytes(st), before);
  EXPECT_EQ(tp.messages.Texts(RecordedMessage::Question),
            std::vector<std::string>{
                "Target lock is on but merging now will update the target with any new "
                "positioning/sizing of the source(s) and undo any previous changes to the "
                "target\n\nIs this OK?"});
}

TEST_F(MergeCommandTest, LockedTargetAnsweredYesUnlocksWithoutTheSecondQuestion) {
  st.TargetLock = true;
  st.TargetModified = true;
  EXPECT_EQ(Run([](mergepix& d) { d.OnOK(); }), MergeCommandOutcome::DialogClosed);
  EXPECT_FALSE(st.TargetLock);
  EXPECT_FALSE(st.TargetModified);
  EXPECT_EQ(tp.messages.Texts(RecordedMessage::Question).size(), 1u);
}

TEST_F(MergeCommandTest, ChangedTargetAsksBeforeOverwriting) {
  st.TargetModified = true;
  tp.messages.answers = {false};
  EXPECT_EQ(Run([](mergepix&) { ADD_FAILURE() << "no dialog"; }), MergeCommandOutcome::Declined);
  EXPECT_TRUE(st.TargetModified);
  EXPECT_EQ(tp.messages.Texts(RecordedMessage::Question),
            std::vector<std::string>{"Merging now will overwrite your previous changes to the Target.\n\nIs this OK?"});
}

TEST_F(MergeCommandTest, OneSourceIsToldAfterTheLockWentOff) {
  st.SourceCount = 1;
  st.TargetLock = true;
  st.TargetModified = true;
  EXPECT_EQ(Run([](mergepix&) { ADD_FAILURE() << "no dialog"; }), MergeCommandOutcome::NeedsTwoSources);
  EXPECT_FALSE(st.TargetLock);
  EXPECT_FALSE(st.TargetModified);
  EXPECT_EQ(tp.messages.Texts(RecordedMessage::Info),
            std::vector<std::string>{"Two source images need to be present before they can be merged."});
}

TEST_F(MergeCommandTest, PlacesBothSourcesWithTheirCurrentGeometry) {
  st.doc.Source(2).OffsetX = -2;
  Run([](mergepix& d) {
    d.OnMethodButton(1);
    d.OnOK();
  });
  EXPECT_EQ(TargetPixel(st, 1, 0), st.doc.BaseColor);
  EXPECT_EQ(TargetPixel(st, 2, 0), (Bgr{0, 10, 20}));
}

}  // namespace
}  // namespace wrimple
