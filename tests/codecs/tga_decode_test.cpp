// Decoding TGA: pixel depths, row order, run-length packets across rows, colour
// maps and every failure text.
#include <gtest/gtest.h>

#include "codec_bytes.h"
#include "io/codec_image_tga.h"

namespace wrimple::testing {
namespace {

using P = std::vector<int>;

TEST(TgaDecode, RunPacketCrossingRowEndContinuesInNextRow) {
  // 4 x 2, 24 bits: 2 raw pixels, then a run of 5 starting 2 pixels before the
  // row end, then 1 raw pixel.
  Bytes f = TgaHeader(10, 4, 2, 24);
  Append(f, {0x01, 1, 2, 3, 4, 5, 6});
  Append(f, {0x84, 9, 8, 7});
  Append(f, {0x00, 40, 50, 60});
  const CodecImage image = DecodeBytes(f, kCodecTga);
  ASSERT_TRUE(image.IsValid()) << image.last_error();
  EXPECT_EQ(Pixel(image, 0, 0), (P{1, 2, 3}));
  EXPECT_EQ(Pixel(image, 1, 0), (P{4, 5, 6}));
  EXPECT_EQ(Pixel(image, 2, 0), (P{9, 8, 7}));
  EXPECT_EQ(Pixel(image, 3, 0), (P{9, 8, 7}));
  for (int x = 0; x < 3; ++x) EXPECT_EQ(Pixel(image, x, 1), (P{9, 8, 7})) << x;
  EXPECT_EQ(Pixel(image, 3, 1), (P{40, 50, 60}));
}

TEST(TgaDecode, RawPacketCrossingRowEndContinuesInNextRow) {
  Bytes f = TgaHeader(11, 2, 2, 8);
  Append(f, {0x02, 10, 20, 30, 0x00, 40});
  const CodecImage image = DecodeBytes(f, kCodecTga);
  ASSERT_TRUE(image.IsValid()) << image.last_error();
  EXPECT_EQ(image.row(0)[0], 10);
  EXPECT_EQ(image.row(0)[1], 20);
  EXPECT_EQ(image.row(1)[0], 30);
  EXPECT_EQ(image.row(1)[1], 40);
}

TEST(TgaDecode, RunLongerThanSeveralRowsOfANarrowPicture) {
  // A run of 7 over a 2-wide picture of 4 rows, then one raw pixel.
  Bytes f = TgaHeader(11, 2, 4, 8);
  Append(f, {0x86, 77, 0x00, 5});
  const CodecImage image = DecodeBytes(f, kCodecTga);
  ASSERT_TRUE(image.IsValid()) << image.last_error();
  for (int i = 0; i < 7; ++i) EXPECT_EQ(image.row(i / 2)[i % 2], 77) << i;
  EXPECT_EQ(image.row(3)[1], 5);
}

TEST(TgaDecode, TopFirstAndBottomFirstGiveTheSameBitmap) {
  Bytes bottom_first = TgaHeader(2, 3, 2, 24, 0);
  Append(bottom_first, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18});
  Bytes top_first = TgaHeader(2, 3, 2, 24, 0x20);
  Append(top_first, {10, 11, 12, 13, 14, 15, 16, 17, 18, 1, 2, 3, 4, 5, 6, 7, 8, 9});
  const CodecImage a = DecodeBytes(bottom_first, kCodecTga);
  const CodecImage b = DecodeBytes(top_first, kCodecTga);
  ASSERT_TRUE(a.IsValid() && b.IsValid());
  ASSERT_EQ(a.bitmap_size(), b.bitmap_size());
  EXPECT_EQ(Bytes(a.bitmap(), a.bitmap() + a.bitmap_size()), Bytes(b.bitmap(), b.bitmap() + b.bitmap_size()));
  EXPECT_EQ(Pixel(a, 0, 1), (P{10, 11, 12}));
}

TEST(TgaDecode, RightToLeftRowsAreMirrored) {
  Bytes f = TgaHeader(2, 3, 1, 24, 0x10);
  Append(f, {1, 2, 3, 4, 5, 6, 7, 8, 9});
  const CodecImage image = DecodeBytes(f, kCodecTga);
  ASSERT_TRUE(image.IsValid());
  EXPECT_EQ(Pixel(image, 0, 0), (P{7, 8, 9}));
  EXPECT_EQ(Pixel(image, 1, 0), (P{4, 5, 6}));
  EXPECT_EQ(Pixel(image, 2, 0), (P{1, 2, 3}));
}

struct SixteenBitCase {
  const char* name;
  unsigned value;
  std::vector<int> bgr;
};

class TgaSixteenBit : public ::testing::TestWithParam<SixteenBitCase> {};

TEST_P(TgaSixteenBit, ExpandsFiveBitChannels) {
  for (int depth : {15, 16}) {
    Bytes f = TgaHeader(2, 1, 1, depth);
    AppendLe16(f, GetParam().value);
    const CodecImage image = DecodeBytes(f, kCodecTga);
    ASSERT_TRUE(image.IsValid()) << image.last_error();
    EXPECT_EQ(image.bits_per_pixel(), 24);
    EXPECT_EQ(Pixel(image, 0, 0), GetParam().bgr) << depth;
  }
}

INSTANTIATE_TEST_SUITE_P(Values, TgaSixteenBit,
                         ::testing::Values(SixteenBitCase{"White", 0x7fff, {248, 248, 248}},
                                           SixteenBitCase{"Blue", 0x001f, {248, 0, 0}},
                                           SixteenBitCase{"Green", 0x03e0, {0, 248, 0}},
                                           SixteenBitCase{"RedWithTopBit", 0xfc00, {0, 0, 248}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TgaDecode, ThirtyTwoBitPixelsFillTheAlphaPlane) {
  Bytes f = TgaHeader(2, 2, 1, 32);
  Append(f, {1, 2, 3, 200, 4, 5, 6, 100});
  const CodecImage image = DecodeBytes(f, kCodecTga);
  ASSERT_TRUE(image.IsValid());
  ASSERT_TRUE(image.HasAlpha());
  EXPECT_EQ(image.bits_per_pixel(), 24);
  EXPECT_EQ(Pixel(image, 1, 0), (P{4, 5, 6}));
  EXPECT_EQ(image.alpha_row(0)[0], 200);
  EXPECT_EQ(image.alpha_row(0)[1], 100);
}

TEST(TgaDecode, ColourMapEntriesBecomeTheColourTable) {
  Bytes f = TgaHeader(1, 2, 1, 8, 0, 1, 2, 3);
  Append(f, {'a', 'b', 'c'});            // identification field, skipped
  Append(f, {10, 20, 30, 40, 50, 60});  // entries: blue, green, red
  Append(f, {1, 0});
  const CodecImage image = DecodeBytes(f, kCodecTga);
  ASSERT_TRUE(image.IsValid()) << image.last_error();
  EXPECT_EQ(image.bits_per_pixel(), 8);
  EXPECT_EQ(image.colors_used(), 256u);
  const std::uint8_t* table = image.color_table();
  EXPECT_EQ((P{table[4], table[5], table[6], table[7]}), (P{40, 50, 60, 0}));
  EXPECT_EQ(image.row(0)[0], 1);
  EXPECT_EQ(image.row(0)[1], 0);
}

TEST(TgaDecode, GreyImagesGetAGreyRamp) {
  for (int type : {3, 11}) {
    Bytes f = TgaHeader(type, 1, 1, 8);
    Append(f, type == 3 ? std::initializer_list<int>{7} : std::initializer_list<int>{0x80, 7});
    const CodecImage image = DecodeBytes(f, kCodecTga);
    ASSERT_TRUE(image.IsValid()) << image.last_error();
    const std::uint8_t* table = image.color_table();
    EXPECT_EQ((P{table[4 * 200], table[4 * 200 + 1], table[4 * 200 + 2]}), (P{200, 200, 200}));
    EXPECT_EQ(image.row(0)[0], 7);
  }
}

struct FailureCase {
  const char* name;
  Bytes file;
  const char* error;
};

Bytes WithData(Bytes head, std::initializer_list<int> data) {
  Append(head, data);
  return head;
}

class TgaDecodeFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(TgaDecodeFailure, ReportsItsText) {
  CodecImageTGA image;
  CodecMemFile in(GetParam().file.data(), GetParam().file.size());
  EXPECT_FALSE(image.Decode(&in));
  EXPECT_EQ(image.last_error(), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TgaDecodeFailure,
    ::testing::Values(
        FailureCase{"ShortHeader", Bytes(17, 0), "Not a TGA"},
        FailureCase{"UnknownType", TgaHeader(4, 1, 1, 24), "Unknown TGA image type"},
        FailureCase{"ZeroWidth", TgaHeader(2, 0, 1, 24), "bad TGA header"},
        FailureCase{"ZeroHeight", TgaHeader(2, 1, 0, 24), "bad TGA header"},
        FailureCase{"ZeroDepth", TgaHeader(2, 1, 1, 0), "bad TGA header"},
        FailureCase{"OddDepth", TgaHeader(2, 1, 1, 12), "bad TGA header"},
        FailureCase{"ColourMapAbove256", TgaHeader(1, 1, 1, 8, 0, 1, 257), "bad TGA header"},
        FailureCase{"TooLargeToCreate", TgaHeader(2, 65535, 65535, 24), "TGA Create failed"},
        FailureCase{"NoPixelData", TgaHeader(2, 2, 2, 24), "corrupted TGA"},
        FailureCase{"RowCutShort", WithData(TgaHeader(2, 2, 1, 24), {1, 2, 3, 4}), "corrupted TGA"},
        FailureCase{"SecondRowMissing", WithData(TgaHeader(2, 1, 2, 8), {1}), "corrupted TGA"},
        FailureCase{"RunValueMissing", WithData(TgaHeader(10, 2, 1, 24), {0x81, 1}), "corrupted TGA"},
        FailureCase{"ColourMapCutShort", WithData(TgaHeader(1, 1, 1, 8, 0, 1, 4), {1, 2, 3}), "corrupted TGA"},
        FailureCase{"IdentificationCutShort", WithData(TgaHeader(2, 1, 1, 8, 0, 0, 0, 9), {1}),
                    "corrupted TGA"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wrimple::testing
