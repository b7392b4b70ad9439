// Where the target lands on a printed page, against hand-computed rectangles.
#include <gtest/gtest.h>

#include "document/print_layout.h"

namespace wrimple {
namespace {

struct PlacementCase {
  const char* name;
  int target_width, target_height;
  PrinterPage page;
  int layout;
  PageRect expected;
};

class PrintPlacement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(PrintPlacement, GivesTheDestinationRectangle) {
  const PlacementCase& c = GetParam();
  const auto dest = PrintDestination(c.target_width, c.target_height, c.page, c.layout);
  ASSERT_TRUE(dest.has_value());
  EXPECT_EQ(*dest, c.expected);
}

// An A4 page at 600 dpi: 4961 x 7016 printer pixels.
constexpr PrinterPage kPortrait{4961, 7016, 600, 600};
constexpr PrinterPage kLandscape{7016, 4961, 600, 600};

INSTANTIATE_TEST_SUITE_P(
    Layouts, PrintPlacement,
    ::testing::Values(
        // h = 768 * 4961 / 1024 = 3720.75 -> 3720.
        PlacementCase{"WideTargetAtTop", 1024, 768, kPortrait, kAlignToTop, {0, 0, 4961, 3720}},
        PlacementCase{"WideTargetInTheMiddle", 1024, 768, kPortrait, kAlignToMiddle,
                      {0, 1648, 4961, 5368}},
        PlacementCase{"WideTargetAtTheBottom", 1024, 768, kPortrait, kAlignToBottom,
                      {0, 3296, 4961, 7016}},
        PlacementCase{"StretchFillsThePage", 1024, 768, kPortrait, kStretchVertically,
                      {0, 0, 4961, 7016}},
        // h = 3000 * 7016 / 1000 = 21048 > 4961: w = 4961 * 7016 / 21048 = 1653.
        PlacementCase{"TallTargetOnLandscapeIsCentredWhateverTheLayout", 1000, 3000, kLandscape,
                      kAlignToBottom, {2681, 0, 4334, 4961}},
        PlacementCase{"TallTargetIgnoresStretch", 1000, 3000, kLandscape, kStretchVertically,
                      {2681, 0, 4334, 4961}},
        // 1200 dpi across, 600 down: h = 500 * 4800 * 600 / (1000 * 1200) = 1200.
        PlacementCase{"UnequalResolutionsKeepTheAspect", 1000, 500, {4800, 3000, 1200, 600},
                      kAlignToTop, {0, 0, 4800, 1200}},
        // 4096 x 3072 on a 2400 dpi plotter: the products exceed 32 bits.
        PlacementCase{"LargeProductsDoNotOverflow", 4096, 3072, {19843, 28063, 2400, 2400},
                      kAlignToTop, {0, 0, 19843, 14882}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PrintPlacement, NothingIsPlacedOnAPageWithoutMetrics) {
  EXPECT_FALSE(PrintDestination(1024, 768, PrinterPage{4961, 7016, 0, 600}, kAlignToTop));
  EXPECT_FALSE(PrintDestination(1024, 768, PrinterPage{0, 0, 600, 600}, kAlignToTop));
  EXPECT_FALSE(PrintDestination(0, 768, kPortrait, kAlignToTop));
}

TEST(PrintLayoutChoice, TakesTheLastCheckedButtonOfStretchBottomMiddle) {
  EXPECT_EQ(LayoutFromChoice(false, false, false), kAlignToTop);
  EXPECT_EQ(LayoutFromChoice(true, false, false), kAlignToMiddle);
  EXPECT_EQ(LayoutFromChoice(false, true, false), kAlignToBottom);
  EXPECT_EQ(LayoutFromChoice(true, true, true), kStretchVertically);
  EXPECT_EQ(LayoutFromWord("middle"), kAlignToMiddle);
  EXPECT_FALSE(LayoutFromWord("sideways"));
}

}  // namespace
}  // namespace wrimple
