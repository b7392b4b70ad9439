#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "effects/pencil_draw.h"
#include "special_effects_fixture.h"

namespace wrimple::testing {
namespace {

constexpr int kModelDx[16] = {3, 1, 2, 2, 2, 2, 2, 1, 3, -1, -2, -2, -2, -2, -2, -1};
constexpr int kModelDy[16] = {2, 2, 2, 1, 3, -1, -2, -2, -2, -2, -2, -1, 3, 1, 2, 2};

// The strokes walked point by point with a bounds test at every step.
void ModelPencil(ConstTargetImage in, TargetImage out, RandomGenerator& random) {
  const int w = in.width(), h = in.height();
  int t = 0;
  auto inside = [&](int x, int y) { return x >= 0 && x < w && y >= 0 && y < h; };
  for (int row = 0; row < h; ++row)
    for (int stroke = 0; stroke < w; ++stroke) {
      const int x0 = (random.Rand() * w) >> 15;
      const int y0 = (random.Rand() * h) >> 15;
      const Bgr c0 = ReadPixel(in.pixel(x0, y0));
      const int s = c0[0] + c0[1] + c0[2];
      int e = 0;
      if ((c0[1] & 192) == 128) e = 1;
      if ((c0[2] & 192) == 64) e = 2;
      if ((s & 192) == 192) e = 3;
      if ((c0[1] & 48) == 32) e += 4;
      if ((c0[2] & 48) == 16) e += 8;
      if ((s & 48) == 48) e += 12;
      const int dx = kModelDx[e % 16], dy = kModelDy[e % 16];
      int n = 0, sum[3] = {0, 0, 0};
      for (int x = x0 + dx, y = y0 + dy; n < 500 && inside(x, y); x += dx, y += dy) {
        const Bgr c = ReadPixel(in.pixel(x, y));
        bool similar = true;
        for (int k = 0; k < 3; ++k) similar = similar && std::abs(c[k] - c0[k]) <= t;
        if (!similar) break;
        for (int k = 0; k < 3; ++k) sum[k] += c[k];
        ++n;
      }
      if (n > 10 && t > 0)
        --t;
      else
        ++t;
      if (n == 0) continue;
      Bgr colour;
      for (int k = 0; k < 3; ++k) colour[k] = std::uint8_t(((sum[k] / n) & 224) + 31);
      for (int i = 0, x = x0, y = y0; i < n && inside(x, y); ++i, x += dx, y += dy)
        WritePixel(out.pixel(x, y), colour);
    }
}

class PencilDrawTest : public SpecialEffectsTest {};

TEST_F(PencilDrawTest, UniformPictureTakesTheQuantisedColour) {
  UseTarget(60, 40);
  FillUniform(st.Target(), Bgr{200, 100, 31});
  PencilDraw(st, tp);
  int redrawn = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x) {
      const Bgr p = ReadPixel(st.Target().pixel(x, y));
      if (p == Bgr{200, 100, 31}) continue;
      ASSERT_EQ(p, (Bgr{223, 127, 31})) << x << "," << y;
      ++redrawn;
    }
  EXPECT_GT(redrawn, 60 * 40 / 2);
  EXPECT_EQ(ReadPixel(st.Backup().pixel(5, 5)), (Bgr{200, 100, 31})) << "the snapshot is kept";
  EXPECT_TRUE(st.TargetModified);
  EXPECT_EQ(tp.view.redraws, 1);
}

// Two colours that differ by 1: a stroke walks across them only while the
// tolerance is 1, so every stroke's length depends on the alternation.
TEST_F(PencilDrawTest, ToleranceCarriesFromStrokeToStroke) {
  UseTarget(48, 36);
  for (int y = 0; y < 36; ++y)
    for (int x = 0; x < 48; ++x) {
      const std::uint8_t v = std::uint8_t(((x / 5 + y / 3) & 1) ? 201 : 200);
      WritePixel(st.Target().pixel(x, y), Bgr{v, v, v});
    }
  State model;
  model.SetTargetSize(48, 36);
  SnapshotTarget(st);
  std::memcpy(model.TargetBuffer.data(), st.TargetBuffer.data(), st.Target().byte_size());
  RandomGenerator model_random([] { return 0u; });
  ModelPencil(st.Backup(), model.Target(), model_random);
  PencilDraw(st, tp);
  EXPECT_EQ(TargetPixels(), PixelsOf(model.Target()));
}

TEST_F(PencilDrawTest, OnePixelWideTargetRedrawsNothing) {
  UseTarget(1, 50);
  const auto before = TargetPixels();
  PencilDraw(st, tp);
  EXPECT_EQ(TargetPixels(), before);
  RandomGenerator model([] { return 0u; });
  for (int i = 0; i < 2 * 50; ++i) model.Rand();
  EXPECT_EQ(tp.random.Rand(), model.Rand()) << "every stroke still draws its start";
}

TEST_F(PencilDrawTest, ProgressGoesGreyThenRowByRowThenGrey) {
  UseTarget(20, 7);
  PencilDraw(st, tp);
  const auto& fills = tp.progress.fills;
  ASSERT_EQ(fills.size(), 7u + 2u);
  EXPECT_EQ(fills.front(), std::make_pair(kProgressIdle, 100));
  for (int k = 0; k < 7; ++k) EXPECT_EQ(fills[std::size_t(k) + 1], std::make_pair(kProgressWorking, 100 * k / 7));
  EXPECT_EQ(fills.back(), std::make_pair(kProgressIdle, 100));
}

struct PencilCase {
  const char* name;
  int width, height;
  bool photo;
};
class PencilAgainstModel : public SpecialEffectsTest,
                           public ::testing::WithParamInterface<PencilCase> {};

TEST_P(PencilAgainstModel, MatchesThePlainWalkByteForByte) {
  const PencilCase& c = GetParam();
  UseTarget(c.width, c.height);
  if (c.photo) FillPhotoLike(st.Target());
  State model;
  model.SetTargetSize(c.width, c.height);
  std::memcpy(model.TargetBuffer.data(), st.TargetBuffer.data(), st.Target().byte_size());
  tp.random.Srand(4242);
  RandomGenerator model_random([] { return 0u; });
  model_random.Srand(4242);
  PencilDraw(st, tp);
  ModelPencil(st.Backup(), model.Target(), model_random);
  EXPECT_EQ(TargetPixels(), PixelsOf(model.Target()));
}

INSTANTIATE_TEST_SUITE_P(Pictures, PencilAgainstModel,
                         ::testing::Values(PencilCase{"PhotoLike", 90, 70, true},
                                           PencilCase{"Pattern", 33, 45, false},
                                           PencilCase{"OneRow", 64, 1, true},
                                           PencilCase{"TwoColumns", 2, 40, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wrimple::testing
