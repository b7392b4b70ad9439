// Writing TGA: the header, rows without padding, 8-bit colour maps, round
// trips and the failure texts.
#include <gtest/gtest.h>

#include "codec_bytes.h"
#include "codec_bytes_fill.h"

namespace wrimple::testing {
namespace {

TEST(TgaEncode, ThreeWideRowsHaveNoPadding) {
  CodecImage image = PatternImage(3, 2);
  const Bytes out = EncodeBytes(image, kCodecTga);
  Bytes expected = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 2, 0, 24, 0};
  for (std::uint32_t y = 0; y < 2; ++y) expected.insert(expected.end(), image.row(y), image.row(y) + 9);
  EXPECT_EQ(out, expected);
}

TEST(TgaEncode, EightBitImagesCarryAFullColourMap) {
  CodecImage image = PatternImage(5, 1, 8);
  const Bytes out = EncodeBytes(image, kCodecTga);
  ASSERT_EQ(out.size(), 18u + 768 + 5);
  EXPECT_EQ(Bytes(out.begin(), out.begin() + 18),
            (Bytes{0, 1, 1, 0, 0, 0, 1, 24, 0, 0, 0, 0, 5, 0, 1, 0, 8, 0}));
  // Entry 10: blue, green, red.
  EXPECT_EQ(Bytes(out.begin() + 18 + 30, out.begin() + 18 + 33), (Bytes{70, 245, 10}));
  EXPECT_EQ(Bytes(out.end() - 5, out.end()), Bytes(image.row(0), image.row(0) + 5));
}

TEST(TgaEncode, AlphaPlaneMakesThirtyTwoBitPixels) {
  CodecImage image = PatternImage(2, 1);
  ASSERT_TRUE(image.CreateAlpha());
  image.alpha_row(0)[1] = 77;
  const Bytes out = EncodeBytes(image, kCodecTga);
  ASSERT_EQ(out.size(), 18u + 8);
  EXPECT_EQ(out[16], 32);
  EXPECT_EQ(out[18 + 7], 77);
  const CodecImage back = DecodeBytes(out, kCodecTga);
  ASSERT_TRUE(back.IsValid() && back.HasAlpha());
  EXPECT_EQ(back.alpha_row(0)[1], 77);
  EXPECT_EQ(Pixel(back, 1, 0), Pixel(image, 1, 0));
}

class TgaRoundTrip : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(TgaRoundTrip, GivesBackTheSameBitmap) {
  for (int bits : {24, 8}) {
    CodecImage image = PatternImage(GetParam(), 3, bits);
    const CodecImage back = DecodeBytes(EncodeBytes(image, kCodecTga), kCodecTga);
    ASSERT_TRUE(back.IsValid()) << back.last_error();
    ASSERT_EQ(back.bitmap_size(), image.bitmap_size());
    EXPECT_EQ(Bytes(back.bitmap(), back.bitmap() + back.bitmap_size()),
              Bytes(image.bitmap(), image.bitmap() + image.bitmap_size()))
        << bits;
  }
}

INSTANTIATE_TEST_SUITE_P(Widths, TgaRoundTrip, ::testing::Values(1u, 2u, 3u, 4u, 5u, 8u, 33u));

TEST(TgaEncode, FailureTexts) {
  CodecImage empty;
  CodecMemFile out;
  out.Open();
  EXPECT_FALSE(empty.Encode(&out, kCodecTga));
  EXPECT_EQ(empty.last_error(), "null image!!");

  CodecImage image = PatternImage(2, 2);
  EXPECT_FALSE(image.Encode(nullptr, kCodecTga));
  EXPECT_EQ(image.last_error(), "null file handler");

  CodecImage four_bits = PatternImage(2, 2, 4);
  EXPECT_FALSE(four_bits.Encode(&out, kCodecTga));
  EXPECT_EQ(four_bits.last_error(), "Bit depth must be 8 or 24");

  FailingFile full(18 + 6);
  EXPECT_FALSE(image.Encode(&full, kCodecTga));
  EXPECT_EQ(image.last_error(), "cannot write TGA data");
  EXPECT_TRUE(image.IsValid()) << "a failed write keeps the picture";
}

}  // namespace
}  // namespace wrimple::testing
