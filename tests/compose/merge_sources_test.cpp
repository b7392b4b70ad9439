// MergeSources: the fast merge against the plain operator objects, and what a
// merge does to the rest of the state.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "compose/merge_planes.h"
#include "compose/recompose.h"
#include "compose_fixture.h"

namespace wrimple {
namespace {

using testing::FillPlane;
using testing::TargetBytes;
using testing::TargetPixel;
using testing::TestPlatform;

constexpr Bgr kBase{10, 20, 30};
constexpr Bgr kReference{120, 60, 200};

// Planes where every operator has work: full-range bytes, bytes within a few
// levels of the reference (the softened comparisons), and pixels equal to the
// base colour or one level off it (text backgrounds and their edges).
void FillMixedPlane(State& st, int n, std::uint32_t seed) {
  const Plane plane = st.doc.Source(n).plane();
  std::uint32_t r = seed;
  auto next = [&r] { return (r = r * 1103515245u + 12345u) >> 16; };
  for (int y = 0; y < st.TargetHeight(); ++y)
    for (int x = 0; x < st.TargetWidth(); ++x) {
      std::uint8_t* p = plane.pixel(x, y);
      const unsigned kind = next() % 4;
      for (int c = 0; c < 3; ++c) {
        if (kind == 0) p[c] = std::uint8_t(next());
        if (kind == 1) p[c] = std::uint8_t(kReference[c] + int(next() % 25) - 12);
        if (kind == 2) p[c] = kBase[c];
        if (kind == 3) p[c] = std::uint8_t(kBase[c] + (c == int(next() % 3) ? 1 : 0));
      }
    }
}

struct MergeSetup {
  int method;
  int contrast;
  int bias;
  int threshold;
  bool text1;
  bool text2;
};

void Prepare(State& st, const MergeSetup& m, int width, int height) {
  st.SetTargetSize(width, height);
  st.doc.BaseColor = kBase;
  st.ReferenceColor = kReference;
  st.MergeMethod = m.method;
  st.ContrastMode = m.contrast;
  st.MergeBias = m.bias;
  st.ContrastThreshold = m.threshold;
  st.doc.Source(1).SourceKind = m.text1 ? kKindTypedText : kKindImageFile;
  st.doc.Source(2).SourceKind = m.text2 ? kKindTypedText : kKindImageFile;
  st.doc.Source(1).TextColor = MakeColorRef(250, 5, 77);
  st.doc.Source(2).TextColor = MakeColorRef(3, 190, 41);
  FillMixedPlane(st, 1, 11);
  FillMixedPlane(st, 2, 29);
}

using FastCase = std::tuple<int, int, int>;  // method, contrast, text sources

class FastMerge : public ::testing::TestWithParam<FastCase> {};

std::string FastCaseName(const ::testing::TestParamInfo<FastCase>& info) {
  static const char* const kTexts[] = {"Pictures", "Text1", "Text2", "TextBoth"};
  return "Method" + std::to_string(std::get<0>(info.param)) + "_Contrast" +
         std::to_string(std::get<1>(info.param)) + "_" + kTexts[std::get<2>(info.param)];
}

TEST_P(FastMerge, MatchesThePlainOperatorsByteForByte) {
  const auto [method, contrast, texts] = GetParam();
  State plain, fast;
  for (int bias : {0, 1, 126, 127, 128, 200, 255})
    for (int threshold : {0, 100, 254, 255}) {
      const MergeSetup setup{method, contrast, bias, threshold, (texts & 1) != 0, (texts & 2) != 0};
      Prepare(plain, setup, 37, 23);
      Prepare(fast, setup, 37, 23);
      MergePlanesPlain(plain);
      for (int threads : {1, 3}) {
        testing::FillTargetPattern(fast, unsigned(threads));
        MergePlanesFast(fast, threads);
        ASSERT_EQ(TargetBytes(fast), TargetBytes(plain))
            << "bias " << bias << ", threshold " << threshold << ", " << threads << " threads";
      }
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllOperators, FastMerge,
    ::testing::Combine(::testing::Range(0, 11), ::testing::Values(0, 1, 2), ::testing::Values(0, 1, 2, 3)),
    FastCaseName);

TEST(FastMerge, WideTargetAcrossThreads) {
  State plain, fast;
  const MergeSetup setup{9, 1, 90, 127, false, false};
  Prepare(plain, setup, 301, 64);
  Prepare(fast, setup, 301, 64);
  MergePlanesPlain(plain);
  MergePlanesFast(fast, 2);
  EXPECT_EQ(TargetBytes(fast), TargetBytes(plain));
}

// Smooth planes that pass through the reference colour: most blocks of pixels
// lie well away from it, where the comparing operators take their weights
// without the table, and some lie across it.
void FillGradientPlane(State& st, int n, int slope) {
  const Plane plane = st.doc.Source(n).plane();
  for (int y = 0; y < st.TargetHeight(); ++y)
    for (int x = 0; x < st.TargetWidth(); ++x)
      for (int c = 0; c < 3; ++c) plane.pixel(x, y)[c] = std::uint8_t(kReference[c] - 90 + (slope * x + 7 * y) / 4 + c);
}

class ComparingOnGradients : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(ComparingOnGradients, MatchesThePlainOperators) {
  const auto [method, contrast] = GetParam();
  for (int bias : {0, 100, 127, 255}) {
    State plain, fast;
    for (State* st : {&plain, &fast}) {
      Prepare(*st, {method, contrast, bias, 127, false, false}, 301, 12);
      FillGradientPlane(*st, 1, 3);
      FillGradientPlane(*st, 2, -2);
    }
    MergePlanesPlain(plain);
    MergePlanesFast(fast, 1);
    ASSERT_EQ(TargetBytes(fast), TargetBytes(plain)) << "bias " << bias;
  }
}

INSTANTIATE_TEST_SUITE_P(CompOperators, ComparingOnGradients,
                         ::testing::Combine(::testing::Range(7, 11), ::testing::Values(0, 1)));

class MergeSourcesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    st.SetTargetSize(6, 4);
    st.SourceCount = 2;
    st.doc.Source(1).SourceKind = kKindImageFile;
    st.doc.Source(2).SourceKind = kKindImageFile;
  }
  State st;
  TestPlatform tp;
};

struct ContrastCase {
  std::string name;
  int mode;
  int threshold;
  Bgr merged;  // picture1 output before the contrast step
  Bgr expected;
};
void PrintTo(const ContrastCase& c, std::ostream* os) { *os << c.name; }
class ContrastStepTest : public ::testing::TestWithParam<ContrastCase> {};

TEST_P(ContrastStepTest, TurnsTheMergedPixel) {
  const ContrastCase& c = GetParam();
  State st;
  TestPlatform tp;
  st.SetTargetSize(3, 2);
  st.SourceCount = 2;
  FillPlane(st, 1, c.merged);
  FillPlane(st, 2, {9, 9, 9});
  st.MergeMethod = 0;
  st.ContrastMode = c.mode;
  st.ContrastThreshold = c.threshold;
  MergeSources(st, tp);
  EXPECT_EQ(TargetPixel(st, 2, 1), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Thresholds, ContrastStepTest,
    ::testing::Values(ContrastCase{"Normal", 0, 127, {1, 200, 128}, {1, 200, 128}},
                      ContrastCase{"BlackWhiteSum381IsBlack", 1, 127, {127, 127, 127}, {0, 0, 0}},
                      ContrastCase{"BlackWhiteSum382IsWhite", 1, 127, {127, 127, 128}, {255, 255, 255}},
                      ContrastCase{"BlackWhiteThreshold255AllBlack", 1, 255, {255, 255, 255}, {0, 0, 0}},
                      ContrastCase{"BlackWhiteThreshold0NotBlackIsWhite", 1, 0, {0, 1, 0}, {255, 255, 255}},
                      ContrastCase{"BlackWhiteThreshold0BlackStays", 1, 0, {0, 0, 0}, {0, 0, 0}},
                      ContrastCase{"RgbPerChannel", 2, 127, {127, 128, 0}, {0, 255, 0}},
                      ContrastCase{"RgbThreshold0", 2, 0, {1, 0, 255}, {255, 0, 255}}),
    [](const auto& info) { return info.param.name; });

TEST_F(MergeSourcesTest, NoMergeTypeShowsTheMessageAndChangesNothing) {
  for (int method : {11, -1, 12}) {
    testing::FillTargetPattern(st);
    st.TargetModified = true;
    st.MergeMethod = method;
    const auto before = TargetBytes(st);
    MergeSources(st, tp);
    EXPECT_EQ(TargetBytes(st), before);
    EXPECT_TRUE(st.TargetModified);
  }
  EXPECT_EQ(tp.messages.Texts(testing::RecordedMessage::Info),
            std::vector<std::string>(3, "Need to select a merge type before combining pictures.\n "
                                        "Press the white/green 'M'."));
  EXPECT_EQ(tp.view.redraws, 0);
}

TEST_F(MergeSourcesTest, ClearsModifiedRedrawsAndLeavesTheWorkingCopy) {
  FillPlane(st, 1, {255, 255, 255});
  FillPlane(st, 2, {0, 0, 0});
  std::fill(st.TargetBackup.data(), st.TargetBackup.data() + 64, std::uint8_t(77));
  st.TargetModified = true;
  MergeSources(st, tp);
  EXPECT_FALSE(st.TargetModified);
  EXPECT_EQ(tp.view.redraws, 1);
  EXPECT_EQ(TargetPixel(st, 0, 0), (Bgr{127, 127, 127}));
  EXPECT_EQ(TargetPixel(st, 5, 3), (Bgr{127, 127, 127}));
  for (int i = 0; i < 64; ++i) ASSERT_EQ(st.TargetBackup.data()[i], 77) << i;
  EXPECT_TRUE(tp.messages.log.empty());
}

TEST_F(MergeSourcesTest, WritesOnlyTheTargetRowsAndKeepsTheirPadding) {
  testing::FillPlanePattern(st, 1, 3);
  testing::FillPlanePattern(st, 2, 8);
  std::fill(st.TargetBuffer.data(), st.TargetBuffer.data() + 200, std::uint8_t(0xAB));
  MergeSources(st, tp);
  const TargetImage t = st.Target();
  for (int y = 0; y < 4; ++y) {
    EXPECT_EQ(t.row(y)[18], 0xAB) << "padding of row " << y;
    EXPECT_EQ(t.row(y)[19], 0xAB) << "padding of row " << y;
  }
  EXPECT_EQ(st.TargetBuffer.data()[t.byte_size()], 0xAB);
}

}  // namespace
}  // namespace wrimple
