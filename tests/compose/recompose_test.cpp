// RecomposeTarget: the one-source copy, the two-source merge and the lock.
#include <gtest/gtest.h>

#include "compose/recompose.h"
#include "compose_fixture.h"

namespace wrimple {
namespace {

using testing::LoadSource;
using testing::MakePicture;
using testing::PlanePixel;
using testing::TargetBytes;
using testing::TargetPixel;
using testing::TestPlatform;

Bgr Solid(int, int) { return Bgr{200, 100, 50}; }
Bgr Dark(int, int) { return Bgr{0, 10, 20}; }

class RecomposeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    st.SetTargetSize(6, 5);
    st.doc.BaseColor = {9, 8, 7};
  }
  State st;
  TestPlatform tp;
};

TEST_F(RecomposeTest, NoSourcesDoesNothing) {
  testing::FillTargetPattern(st);
  const auto before = TargetBytes(st);
  RecomposeTarget(st, tp);
  EXPECT_EQ(TargetBytes(st), before);
  EXPECT_EQ(tp.view.redraws, 0);
}

TEST_F(RecomposeTest, OneSourceCopiesItsPlaneAndKeepsTheModifiedFlag) {
  LoadSource(st, 1, MakePicture(4, 2, Solid));
  st.TargetModified = true;
  RecomposeTarget(st, tp);
  EXPECT_EQ(TargetPixel(st, 0, 0), (Bgr{200, 100, 50}));
  EXPECT_EQ(TargetPixel(st, 3, 1), (Bgr{200, 100, 50}));
  EXPECT_EQ(TargetPixel(st, 4, 0), (Bgr{9, 8, 7}));
  EXPECT_EQ(TargetPixel(st, 0, 2), (Bgr{9, 8, 7}));
  EXPECT_EQ(TargetPixel(st, 5, 4), (Bgr{9, 8, 7}));
  EXPECT_TRUE(st.TargetModified);
  EXPECT_EQ(tp.view.redraws, 1);
}

TEST_F(RecomposeTest, TwoSourcesMergeWithTheLastSettings) {
  LoadSource(st, 1, MakePicture(6, 5, Solid));
  LoadSource(st, 2, MakePicture(6, 5, Dark));
  st.MergeMethod = 1;
  st.TargetModified = true;
  RecomposeTarget(st, tp);
  EXPECT_EQ(TargetPixel(st, 4, 3), (Bgr{0, 10, 20}));
  EXPECT_FALSE(st.TargetModified);
}

TEST_F(RecomposeTest, LockedTargetRebuildsOnlyThePlanes) {
  LoadSource(st, 1, MakePicture(2, 2, Solid));
  LoadSource(st, 2, MakePicture(2, 2, Dark));
  testing::FillTargetPattern(st);
  testing::FillPlanePattern(st, 1);
  testing::FillPlanePattern(st, 2);
  const auto before = TargetBytes(st);
  st.TargetLock = true;
  RecomposeTarget(st, tp);
  EXPECT_EQ(TargetBytes(st), before);
  EXPECT_EQ(PlanePixel(st, 1, 1, 1), (Bgr{200, 100, 50}));
  EXPECT_EQ(PlanePixel(st, 2, 0, 0), (Bgr{0, 10, 20}));
  EXPECT_EQ(PlanePixel(st, 2, 3, 3), (Bgr{9, 8, 7}));
  EXPECT_EQ(tp.view.redraws, 1);
}

TEST_F(RecomposeTest, OversizedTargetIsHeldAtTheLimit) {
  st.SetTargetSize(5000, 4000);
  EXPECT_EQ(st.TargetWidth(), 4096);
  EXPECT_EQ(st.TargetHeight(), 3072);
  LoadSource(st, 1, MakePicture(2, 2, Solid));
  RecomposeTarget(st, tp);
  EXPECT_EQ(st.TargetWidth(), 4096);
  EXPECT_EQ(st.TargetHeight(), 3072);
  EXPECT_EQ(TargetPixel(st, 1, 1), (Bgr{200, 100, 50}));
  EXPECT_EQ(TargetPixel(st, 4095, 3071), (Bgr{9, 8, 7}));
}

}  // namespace
}  // namespace wrimple
