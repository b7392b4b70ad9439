// Writing PCX: the header, the run-length packing (against a plain model of
// the packing steps), the pad byte of odd widths, round trips and failures.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "codec_bytes.h"
#include "codec_bytes_fill.h"
#include "io/codec_pcx_packing.h"

namespace wrimple::testing {
namespace {

// The packing steps one value at a time: a pending value and count, flushed
// when a different value arrives, written as 255 and the value at 63.
Bytes ModelPack(const Bytes& values, int trailing) {
  Bytes out;
  int c = 0;
  int n = 0;
  std::vector<int> all(values.begin(), values.end());
  all.push_back(trailing);
  for (int v : all) {
    if (v != c && n > 0) {
      if (n == 1 && c < 192) {
        out.push_back(std::uint8_t(c));
      } else {
        out.push_back(std::uint8_t(192 + n));
        out.push_back(std::uint8_t(c));
      }
      n = 0;
    }
    if (n == 63) {
      out.push_back(255);
      out.push_back(std::uint8_t(c));
      n = 0;
    }
    if (v == -2) out.push_back(0);
    c = std::uint8_t(v);
    n = n + 1;
  }
  return out;
}

Bytes Pack(const Bytes& values, int trailing) {
  Bytes out(PcxPackedCapacity(values.size()));
  out.resize(PcxPackPlaneRow(values.data(), values.size(), trailing, out.data()));
  return out;
}

TEST(PcxPacking, LiteralAbove191IsWrittenAsARunOfOne) {
  EXPECT_EQ(Pack({0xC5}, -1), (Bytes{0xC1, 0xC5}));
  EXPECT_EQ(Pack({0xBF}, -1), (Bytes{0xBF}));
}

TEST(PcxPacking, SixtyFourEqualBytes) {
  EXPECT_EQ(Pack(Bytes(64, 0xD0), -1), (Bytes{0xFF, 0xD0, 0xC1, 0xD0}));
  EXPECT_EQ(Pack(Bytes(64, 0x20), -1), (Bytes{0xFF, 0x20, 0x20}));
}

TEST(PcxPacking, OddRowsEndWithAPadByte) {
  EXPECT_EQ(Pack({1, 2, 2}, -2), (Bytes{1, 0xC2, 2, 0}));
}

TEST(PcxPacking, MatchesThePlainModelOnRandomRows) {
  std::mt19937 random(7);
  for (int trial = 0; trial < 300; ++trial) {
    Bytes values(1 + random() % 300);
    // Long runs of few values, so that runs of 63 and more occur.
    const int spread = 1 + int(random() % 4);
    std::uint8_t v = std::uint8_t(random());
    for (auto& b : values) {
      if (random() % 40 == 0) v = std::uint8_t(185 + random() % spread * 7);
      b = v;
    }
    const int trailing = trial % 2 == 0 ? -1 : -2;
    ASSERT_EQ(Pack(values, trailing), ModelPack(values, trailing)) << trial;
  }
}

TEST(PcxEncode, ThreeByOneTargetHasFourBytesPerLineAndAPadByte) {
  CodecImage image;
  ASSERT_TRUE(image.Create(3, 1, 24, kCodecBmp));
  const std::uint8_t pixels[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};  // blue, green, red
  std::memcpy(image.row(0), pixels, 9);
  const Bytes out = EncodeBytes(image, kCodecPcx);
  ASSERT_EQ(out.size(), 128u + 12);
  Bytes head(128, 0);
  head[0] = 10, head[1] = 5, head[2] = 1, head[3] = 8;
  head[8] = 2, head[12] = 96, head[14] = 96, head[65] = 3, head[66] = 4, head[68] = 1;
  EXPECT_EQ(Bytes(out.begin(), out.begin() + 128), head);
  EXPECT_EQ(Bytes(out.begin() + 128, out.end()), (Bytes{3, 6, 9, 0, 2, 5, 8, 0, 1, 4, 7, 0}));
}

TEST(PcxEncode, RowsGoTopFirstAndEvenWidthsHaveNoPad) {
  CodecImage image;
  ASSERT_TRUE(image.Create(2, 2, 24, kCodecBmp));
  std::memset(image.row(1), 0xC5, 6);  // top row
  std::memset(image.row(0), 7, 6);
  const Bytes out = EncodeBytes(image, kCodecPcx);
  EXPECT_EQ(out[66], 2);
  EXPECT_EQ(Bytes(out.begin() + 128, out.end()),
            (Bytes{0xC2, 0xC5, 0xC2, 0xC5, 0xC2, 0xC5, 0xC2, 7, 0xC2, 7, 0xC2, 7}));
}

class PcxRoundTrip : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(PcxRoundTrip, GivesBackTheSameBitmap) {
  for (int bits : {24, 8, 4, 1}) {
    CodecImage image = PatternImage(GetParam(), 3, bits);
    const CodecImage back = DecodeBytes(EncodeBytes(image, kCodecPcx), kCodecPcx);
    ASSERT_TRUE(back.IsValid()) << back.last_error() << " " << bits;
    ASSERT_EQ(back.bits_per_pixel(), bits);
    ASSERT_EQ(back.bitmap_size(), image.bitmap_size());
    EXPECT_EQ(Bytes(back.bitmap(), back.bitmap() + back.bitmap_size()),
              Bytes(image.bitmap(), image.bitmap() + image.bitmap_size()))
        << bits;
  }
}

INSTANTIATE_TEST_SUITE_P(Widths, PcxRoundTrip, ::testing::Values(1u, 2u, 3u, 4u, 5u, 9u, 64u, 131u));

TEST(PcxEncode, BelowEightBitsHeaderLayout) {
  CodecImage sixteen = PatternImage(9, 1, 4);
  const Bytes a = EncodeBytes(sixteen, kCodecPcx);
  EXPECT_EQ((Bytes{a[3], a[65], a[66]}), (Bytes{1, 4, 2}));
  // Colour 1 in the header palette: red, green, blue.
  EXPECT_EQ(Bytes(a.begin() + 19, a.begin() + 22), (Bytes{1, 254, 7}));
  CodecImage two = PatternImage(9, 1, 1);
  const Bytes b = EncodeBytes(two, kCodecPcx);
  EXPECT_EQ((Bytes{b[3], b[65], b[66]}), (Bytes{1, 1, 2}));
}

TEST(PcxEncode, EightBitsHaveBytesPerLineWidthAndATrailingPalette) {
  CodecImage image = PatternImage(3, 1, 8);
  const Bytes out = EncodeBytes(image, kCodecPcx);
  EXPECT_EQ((Bytes{out[3], out[65], out[66]}), (Bytes{8, 1, 3}));
  ASSERT_GE(out.size(), 128u + 769);
  const std::size_t palette = out.size() - 769;
  EXPECT_EQ(out[palette], 12);
  EXPECT_EQ(Bytes(out.begin() + palette + 1 + 30, out.begin() + palette + 34), (Bytes{10, 245, 70}));
}

TEST(PcxEncode, FailureTexts) {
  CodecImage empty;
  CodecMemFile out;
  out.Open();
  EXPECT_FALSE(empty.Encode(&out, kCodecPcx));
  EXPECT_EQ(empty.last_error(), "null image!!");

  CodecImage image = PatternImage(2, 2);
  EXPECT_FALSE(image.Encode(nullptr, kCodecPcx));
  EXPECT_EQ(image.last_error(), "null file handler");

  FailingFile no_room(100);
  EXPECT_FALSE(image.Encode(&no_room, kCodecPcx));
  EXPECT_EQ(image.last_error(), "cannot write PCX header");

  FailingFile header_only(128);
  EXPECT_FALSE(image.Encode(&header_only, kCodecPcx));
  EXPECT_EQ(image.last_error(), "cannot write PCX data");
}

}  // namespace
}  // namespace wrimple::testing
