#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "compose/flip_source.h"
#include "compose/recompose.h"
#include "geometry_fixture.h"

namespace wrimple::testing {
namespace {

class FlipSourceTest : public GeometryTest {
 protected:
  FlipSourceTest() {
    st.SetTargetSize(16, 12);
    st.doc.BaseColor = {1, 2, 3};
    PutSource(st, 1, 8, 6);
    RecomposeTarget(st, pf());
  }
  std::vector<std::uint8_t> TargetBytes() const {
    return {st.TargetBuffer.data(), st.TargetBuffer.data() + st.Target().byte_size()};
  }
};

// Mirrored at 100 % and angle 0 with an even width, target column X shows
// picture column w - X: the first column keeps the base colour.
TEST_F(FlipSourceTest, MirroredPictureStartsOneColumnRight) {
  FlipSource(st, pf(), 1);
  EXPECT_EQ(st.doc.Source(1).Flipped, 1);
  const ConstTargetImage t = st.Target();
  for (int y : {0, 3, 5}) {
    EXPECT_EQ(ReadPixel(t.pixel(0, y)), (Bgr{1, 2, 3})) << y;
    for (int x : {1, 4, 7, 8}) EXPECT_EQ(ReadPixel(t.pixel(x, y)), PicturePixel(8 - x, 5 - y)) << x << "," << y;
    EXPECT_EQ(ReadPixel(t.pixel(9, y)), (Bgr{1, 2, 3}));
  }
}

TEST_F(FlipSourceTest, FlippingTwiceGivesBackTheUnmirroredPicture) {
  const std::vector<std::uint8_t> before = TargetBytes();
  FlipSource(st, pf(), 1);
  EXPECT_NE(TargetBytes(), before);
  FlipSource(st, pf(), 1);
  EXPECT_EQ(st.doc.Source(1).Flipped, 0);
  EXPECT_EQ(TargetBytes(), before);
}

TEST_F(FlipSourceTest, NoToTheQuestionLeavesTheMirror) {
  st.TargetModified = true;
  tp.messages.answers.push_back(false);
  FlipSource(st, pf(), 1);
  EXPECT_EQ(st.doc.Source(1).Flipped, 0);
  EXPECT_TRUE(st.TargetModified);
  EXPECT_EQ(tp.messages.Texts(RecordedMessage::Question),
            std::vector<std::string>{"Flipping source 1 now will overwrite your previous changes to the "
                                     "Target.\nIs this OK ??"});
}

struct LockedFlip {
  const char* name;
  int source;
  bool modified_after;
};
class FlipLockedTarget : public FlipSourceTest, public ::testing::WithParamInterface<LockedFlip> {};

// With the target locked nothing is asked, the planes follow and the target stays.
TEST_P(FlipLockedTarget, RebuildsOnlyThePlanes) {
  PutSource(st, 2, 4, 4);
  RecomposeTarget(st, pf());
  st.TargetLock = true;
  st.TargetModified = true;
  const std::vector<std::uint8_t> before = TargetBytes();
  FlipSource(st, pf(), GetParam().source);
  EXPECT_TRUE(tp.messages.log.empty());
  EXPECT_EQ(TargetBytes(), before);
  EXPECT_EQ(st.TargetModified, GetParam().modified_after);
  const ConstPlane plane = std::as_const(st.doc).Source(GetParam().source).plane();
  EXPECT_EQ(ReadPixel(plane.pixel(0, 0)), (Bgr{1, 2, 3})) << "mirrored plane";
}

INSTANTIATE_TEST_SUITE_P(Sources, FlipLockedTarget,
                         ::testing::Values(LockedFlip{"SourceOneClearsTheFlag", 1, false},
                                           LockedFlip{"SourceTwoLeavesTheFlag", 2, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wrimple::testing
