#include <gtest/gtest.h>

#include "effects/apply_filter.h"
#include "effects_fixture.h"

namespace wrimple {
namespace {

using testing::CopyOf;
using testing::TargetPixel;

struct Mask {
  int k[9];
  int divisor;
  int offset;
};

struct Filter {
  const char* name;
  ConvolutionFilter filter;
  Mask mask;
};
void PrintTo(const Filter& f, std::ostream* os) { *os << f.name; }

const Filter kFilters[] = {
    {"Sharpen", ConvolutionFilter::Sharpen, {{-1, -1, -1, -1, 15, -1, -1, -1, -1}, 7, 0}},
    {"Emboss", ConvolutionFilter::Emboss, {{-1, 0, 0, 0, 0, 0, 0, 0, 1}, 0, 127}},
    {"Blur", ConvolutionFilter::Blur, {{1, 1, 1, 1, 1, 1, 1, 1, 1}, 9, 0}},
    {"Soften", ConvolutionFilter::Soften, {{1, 1, 1, 1, 8, 1, 1, 1, 1}, 16, 0}},
    {"Edge", ConvolutionFilter::Edge, {{-1, -1, -1, -1, 8, -1, -1, -1, -1}, 0, 0}},
};

// The filter written out window by window into a copy of the target bytes.
std::vector<std::uint8_t> ReferenceFilter(const State& st, const Mask& m) {
  std::vector<std::uint8_t> out = CopyOf(st.Target());
  const int w = st.TargetWidth(), h = st.TargetHeight();
  if (w <= 3 || h <= 3) return out;
  for (int y = 1; y <= h - 3; ++y)
    for (int x = 1; x <= w - 3; ++x)
      for (int c = 0; c < 3; ++c) {
        int sum = 0;
        for (int n = 0; n < 9; ++n) sum += m.k[n] * st.Backup().pixel(x - 1 + n % 3, y - 1 + n / 3)[c];
        if (m.divisor != 0) sum /= m.divisor;
        out[ConstTargetImage::Offset(x + 1, y + 1, w, h) + c] = ClampByte(sum + m.offset);
      }
  return out;
}

struct FilterOnSize {
  Filter filter;
  int width, height;
};
void PrintTo(const FilterOnSize& f, std::ostream* os) { *os << f.filter.name << ' ' << f.width << 'x' << f.height; }

class Convolution : public ::testing::TestWithParam<FilterOnSize> {};

TEST_P(Convolution, CommandMatchesTheWindowByWindowReference) {
  const FilterOnSize& p = GetParam();
  State st;
  testing::TestPlatform tp;
  testing::PrepareTarget(st, p.width, p.height, 3);
  // Strong contrasts so that the clamps and negative sums are reached.
  for (int y = 0; y < p.height; y += 2)
    for (int x = y % 4; x < p.width; x += 3) WritePixel(st.Target().pixel(x, y), {255, 0, 250});
  const auto before = CopyOf(st.Target());
  OnConvolutionFilter(st, tp, p.filter.filter);
  EXPECT_EQ(CopyOf(st.Backup()), before);
  EXPECT_EQ(CopyOf(st.Target()), ReferenceFilter(st, p.filter.mask));
  EXPECT_TRUE(st.TargetModified);
  EXPECT_EQ(tp.view.redraws, 1);
}

std::vector<FilterOnSize> FiltersOnSizes() {
  std::vector<FilterOnSize> cases;
  for (const Filter& f : kFilters)
    for (auto [w, h] : {std::pair{13, 9}, {4, 4}, {3, 7}, {7, 3}, {1, 1}}) cases.push_back({f, w, h});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(All, Convolution, ::testing::ValuesIn(FiltersOnSizes()), [](const auto& info) {
  return std::string(info.param.filter.name) + "_" + std::to_string(info.param.width) + "x" +
         std::to_string(info.param.height);
});

class ConvolutionThreads : public ::testing::TestWithParam<Filter> {};

TEST_P(ConvolutionThreads, TwoThreadsGiveTheSameBytesAsOne) {
  State st;
  testing::PrepareTarget(st, 131, 300, 9);
  SnapshotTarget(st);
  ApplyFilter(st.Backup(), st.Target(), GetParam().filter, 1);
  const auto one = CopyOf(st.Target());
  ASSERT_EQ(one, ReferenceFilter(st, GetParam().mask));
  RestoreFromSnapshot(st);
  ApplyFilter(st.Backup(), st.Target(), GetParam().filter, 2);
  EXPECT_EQ(CopyOf(st.Target()), one);
}

INSTANTIATE_TEST_SUITE_P(All, ConvolutionThreads, ::testing::ValuesIn(kFilters),
                         [](const auto& info) { return std::string(info.param.name); });

struct UniformResult {
  Filter filter;
  int expected;  // -1: the input value
};
void PrintTo(const UniformResult& u, std::ostream* os) { *os << u.filter.name; }

class UniformPicture : public ::testing::TestWithParam<UniformResult> {};

TEST_P(UniformPicture, ComputedPixelsTakeTheDocumentedValue) {
  State st;
  testing::TestPlatform tp;
  st.SetTargetSize(8, 6);
  st.SourceCount = 1;
  testing::FillUniform(st, {90, 140, 200});
  OnConvolutionFilter(st, tp, GetParam().filter.filter);
  const int e = GetParam().expected;
  const Bgr expected = e < 0 ? Bgr{90, 140, 200} : Bgr{std::uint8_t(e), std::uint8_t(e), std::uint8_t(e)};
  for (int y = 2; y <= 4; ++y)
    for (int x = 2; x <= 6; ++x) EXPECT_EQ(TargetPixel(st, x, y), expected);
}

INSTANTIATE_TEST_SUITE_P(Documented, UniformPicture,
                         ::testing::Values(UniformResult{kFilters[2], -1}, UniformResult{kFilters[4], 0},
                                           UniformResult{kFilters[1], 127}),
                         [](const auto& info) { return std::string(info.param.filter.name); });

TEST(Blur, BrightPixelSpreadsToTheBlockAround11_11) {
  State st;
  testing::TestPlatform tp;
  st.SetTargetSize(24, 20);
  st.SourceCount = 1;
  testing::FillUniform(st, {0, 0, 0});
  WritePixel(st.Target().pixel(10, 10), {255, 180, 90});
  OnConvolutionFilter(st, tp, ConvolutionFilter::Blur);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 24; ++x) {
      const bool in_block = x >= 10 && x <= 12 && y >= 10 && y <= 12;
      const Bgr expected = in_block ? Bgr{28, 20, 10} : Bgr{0, 0, 0};
      EXPECT_EQ(TargetPixel(st, x, y), expected) << x << ',' << y;
    }
}

}  // namespace
}  // namespace wrimple
