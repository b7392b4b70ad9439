// The merge operators at hand-worked pixels.
#include <gtest/gtest.h>

#include <string>

#include "compose/pixel_operators.h"
#include "compose_fixture.h"

namespace wrimple {
namespace {

struct OperatorCase {
  std::string name;
  int method;
  Bgr p1, p2;
  int bias;
  Bgr reference;
  Bgr expected;
  bool text1 = false, text2 = false;
};
void PrintTo(const OperatorCase& c, std::ostream* os) { *os << c.name; }

class OperatorAtPixel : public ::testing::TestWithParam<OperatorCase> {};

TEST_P(OperatorAtPixel, GivesTheWorkedValue) {
  const OperatorCase& c = GetParam();
  State st;
  st.MergeBias = c.bias;
  st.ReferenceColor = c.reference;
  st.doc.BaseColor = {10, 20, 30};
  st.doc.Source(1).TextColor = MakeColorRef(200, 150, 100);  // pixel order 100, 150, 200
  st.doc.Source(2).TextColor = MakeColorRef(1, 2, 3);
  MergeOperators ops(st);
  pixel* op = ops.Choose(c.method, c.text1, c.text2);
  ASSERT_NE(op, nullptr);
  Bgr out{7, 7, 7};
  op->combine(c.p1, c.p2, &out[0], &out[1], &out[2]);
  EXPECT_EQ(out, c.expected);
}

constexpr Bgr kWhite{255, 255, 255}, kBlack{0, 0, 0}, kGrey{127, 127, 127};
constexpr Bgr kBase{10, 20, 30};

INSTANTIATE_TEST_SUITE_P(
    Worked, OperatorAtPixel,
    ::testing::Values(
        OperatorCase{"Picture1", 0, {1, 2, 3}, {4, 5, 6}, 127, kGrey, {1, 2, 3}},
        OperatorCase{"Picture2", 1, {1, 2, 3}, {4, 5, 6}, 127, kGrey, {4, 5, 6}},
        OperatorCase{"AverageWhiteOverBlack", 6, kWhite, kBlack, 127, kGrey, {127, 127, 127}},
        OperatorCase{"AverageBlackOverWhite", 6, kBlack, kWhite, 127, kGrey, {126, 126, 126}},
        OperatorCase{"AverageWhiteOverWhite", 6, kWhite, kWhite, 127, kGrey, {254, 254, 254}},
        OperatorCase{"AverageBiasZeroTakesSource1", 6, kWhite, {9, 9, 9}, 0, kGrey, {254, 254, 254}},
        OperatorCase{"Subtract12EqualPixels", 4, {200, 50, 0}, {200, 50, 0}, 127, kGrey, {127, 127, 127}},
        OperatorCase{"Subtract21EqualPixels", 5, {200, 50, 0}, {200, 50, 0}, 127, kGrey, {128, 128, 128}},
        // (0 - 127) >> 7 is -1: the shift rounds down, not towards zero.
        OperatorCase{"Subtract21ShiftRoundsDown", 5, {1, 1, 1}, {0, 0, 0}, 127, kGrey, {127, 127, 127}},
        // Above 127 the bias weakens source 1: a = 55, b = 127; clamped both ways.
        OperatorCase{"Subtract12HighBiasClamps", 4, {250, 0, 100}, {10, 255, 100}, 200, kGrey, {255, 0, 143}},
        OperatorCase{"LeastEqualPixelsTakesSource2", 3, {0, 0, 0}, {1, 1, 1}, 127, kGrey, {1, 1, 1}},
        OperatorCase{"MostEqualPixelsTakesSource1", 2, {0, 0, 0}, {1, 1, 1}, 127, kGrey, {0, 0, 0}},
        // Truncating each channel's product on its own makes these two tie
        // (11167 each); a sum truncated once would make source 1 darker.
        OperatorCase{"LeastTruncatesEachTerm", 3, {100, 50, 20}, {90, 49, 29}, 127, kGrey, {90, 49, 29}},
        OperatorCase{"MostTruncatesEachTerm", 2, {100, 50, 20}, {90, 49, 29}, 127, kGrey, {100, 50, 20}},
        OperatorCase{"LeastDarkerSource1", 3, {10, 10, 10}, {200, 200, 200}, 127, kGrey, {10, 10, 10}},
        // s = 0: w = 0, the output is (p2 * 255) >> 8.
        OperatorCase{"Comp12WeightZero", 7, kBlack, {255, 100, 1}, 127, kGrey, {254, 99, 0}},
        // All three comparisons at 1 give 367, limited to 255.
        OperatorCase{"Comp12WeightLimited", 7, kWhite, {0, 0, 0}, 127, kGrey, {254, 254, 254}},
        OperatorCase{"Comp12OneChannelAbove", 7, {255, 0, 0}, {100, 100, 100}, 127, kGrey, {254, 0, 0}},
        // d = 126 - 127 + 1 = 0: e = 0.5, s = 0.125, w = 127.
        OperatorCase{"Comp12Softened", 7, {126, 0, 0}, {200, 200, 200}, 127, kGrey, {162, 100, 100}},
        OperatorCase{"Comp21WeightFromSource1", 8, {126, 0, 0}, {200, 200, 200}, 127, kGrey, {162, 99, 99}},
        // Source 2 compares with d = p2 - R - 1 at bias 127: 128 is the middle.
        OperatorCase{"CompH12Softened", 9, {0, 0, 0}, {128, 0, 0}, 127, kGrey, {64, 0, 0}},
        OperatorCase{"CompH21Softened", 10, {0, 0, 0}, {128, 0, 0}, 127, kGrey, {63, 0, 0}},
        OperatorCase{"CompH12HighBiasCountsSource2Bright", 9, {80, 80, 80}, {0, 0, 0}, 255, {200, 200, 200}, {79, 79, 79}},
        OperatorCase{"TextComp12Background", 7, kBase, {4, 5, 6}, 127, kGrey, {4, 5, 6}, true},
        OperatorCase{"TextComp12EdgeCountsAsInk", 7, {11, 20, 30}, {4, 5, 6}, 127, kGrey, {100, 150, 200}, true},
        OperatorCase{"TextComp21Background", 8, kBase, {4, 5, 6}, 127, kGrey, kBase, true},
        OperatorCase{"TextComp21Ink", 8, {0, 0, 0}, {4, 5, 6}, 127, kGrey, {4, 5, 6}, true},
        OperatorCase{"TextCompH12Background", 9, {4, 5, 6}, kBase, 127, kGrey, kBase, false, true},
        OperatorCase{"TextCompH12Ink", 9, {4, 5, 6}, {10, 20, 31}, 127, kGrey, {4, 5, 6}, false, true},
        OperatorCase{"TextCompH21Background", 10, {4, 5, 6}, kBase, 127, kGrey, {4, 5, 6}, false, true},
        OperatorCase{"TextCompH21Ink", 10, {4, 5, 6}, {9, 20, 30}, 127, kGrey, {3, 2, 1}, false, true},
        // A typed-text source 2 leaves codes 7 and 8 comparing source 1.
        OperatorCase{"Comp12WithTextSource2", 7, kBlack, {255, 100, 1}, 127, kGrey, {254, 99, 0}, false, true}),
    [](const auto& info) { return info.param.name; });

TEST(MergeOperators, NoOperatorForCodesOutsideTheTable) {
  State st;
  MergeOperators ops(st);
  for (int method : {-1, 11, 12, 1000}) EXPECT_EQ(ops.Choose(method, false, false), nullptr) << method;
}

TEST(MergeOperators, ReadBiasAndReferenceWhenCalled) {
  State st;
  MergeOperators ops(st);
  pixel* avg = ops.Choose(6, false, false);
  Bgr out{};
  st.MergeBias = 255;
  avg->combine(kWhite, kBlack, &out[0], &out[1], &out[2]);
  EXPECT_EQ(out, kBlack);
  st.MergeBias = 0;
  avg->combine(kWhite, kBlack, &out[0], &out[1], &out[2]);
  EXPECT_EQ(out, (Bgr{254, 254, 254}));
}

TEST(MergeOperators, BasePixelWritesNothing) {
  pixel base;
  Bgr out{1, 2, 3};
  base.combine(kWhite, kWhite, &out[0], &out[1], &out[2]);
  EXPECT_EQ(out, (Bgr{1, 2, 3}));
}

}  // namespace
}  // namespace wrimple
