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

Bytes Run(std::size_t length, std::uint8_t value) { return Bytes(length, value); }

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) Append(all, part);
  return all;
}

struct PackCase {
  const char* name;
  Bytes values;
  int trailing;
  Bytes packed;
};

class PcxPackingCase : public ::testing::TestWithParam<PackCase> {};

TEST_P(PcxPackingCase, GivesTheExpectedBytesAndAgreesWithThePlainModel) {
  const PackCase& c = GetParam();
  EXPECT_EQ(Pack(c.values, c.trailing), c.packed);
  EXPECT_EQ(ModelPack(c.values, c.trailing), c.packed);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, PcxPackingCase,
    ::testing::Values(
        PackCase{"SixtyThreeLow", Run(63, 0x20), -1, {0xFF, 0x20}},
        PackCase{"SixtyThreeHigh", Run(63, 0xD0), -1, {0xFF, 0xD0}},
        PackCase{"SixtyFiveLow", Run(65, 0x20), -1, {0xFF, 0x20, 0xC2, 0x20}},
        PackCase{"HundredTwentySixOfC0", Run(126, 0xC0), -1, {0xFF, 0xC0, 0xFF, 0xC0}},
        PackCase{"HundredTwentySevenHigh", Run(127, 0xFE), -2, {0xFF, 0xFE, 0xFF, 0xFE, 0xC1, 0xFE, 0}},
        PackCase{"SixtyFourThenOther", Join({Run(64, 7), {8}}), -1, {0xFF, 7, 7, 8}},
        // Nine and more lone values, some of which read as counts.
        PackCase{"LoneValuesAroundC0", {0xBE, 0xBF, 0xC0, 0xC1, 0x00, 0xFF, 0x10, 0xC7, 0x11, 0x12}, -1,
                 {0xBE, 0xBF, 0xC1, 0xC0, 0xC1, 0xC1, 0x00, 0xC1, 0xFF, 0x10, 0xC1, 0xC7, 0x11, 0x12}},
        PackCase{"LoneValuesThenARunAtTheEighth", {1, 2, 3, 4, 5, 6, 7, 9, 9, 10}, -1, {1, 2, 3, 4, 5, 6, 7, 0xC2, 9, 10}},
        PackCase{"RunEndingOneBeforeTheEnd", {4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 5}, -2, {0xCA, 4, 5, 0}},
        PackCase{"AllLoneOddLength", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 0xF0}, -2,
                 {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 0xC1, 0xF0, 0}},
        PackCase{"OneHighValuePadded", {0xC0}, -2, {0xC1, 0xC0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PcxPacking, MatchesThePlainModelOnNoisyRows) {
  // Short runs over the whole byte range, as in photographs, at every length
  // up to a few words, so that word steps end at every position.
  std::mt19937 random(11);
  for (int trial = 0; trial < 2000; ++trial) {
    Bytes values(1 + trial % 70);
    std::uint8_t v = std::uint8_t(random());
    for (auto& b : values) {
      if (random() % 3 != 0) v = std::uint8_t(random() % 2 == 0 ? 192 + random() % 64 : random());
      b = v;
    }
    const int trailing = trial % 3 == 0 ? -2 : -1;
    ASSERT_EQ(Pack(values, trailing), ModelPack(values, trailing)) << trial;
  }
}

// A 24-bit image of grain, large enough that its packed rows fill several
// write blocks; the file must be the header and then, top row first, the
// model packing of each row's red, green and blue values.
TEST(PcxEncode, LargeImageIsTheModelPackingOfEveryPlaneRow) {
  const std::uint32_t w = 1001, h = 300;
  CodecImage image;
  ASSERT_TRUE(image.Create(w, h, 24, kCodecBmp));
  std::mt19937 random(3);
  for (std::uint32_t y = 0; y < h; ++y)
    for (std::uint32_t x = 0; x < 3 * w; ++x) image.row(y)[x] = std::uint8_t(random() % 5 == 0 ? 0xC5 : random());
  const Bytes out = EncodeBytes(image, kCodecPcx);
  Bytes expected(out.begin(), out.begin() + std::min<std::size_t>(out.size(), 128));
  for (std::uint32_t y = h; y-- > 0;) {
    for (int channel = 2; channel >= 0; --channel) {
      Bytes plane(w);
      for (std::uint32_t x = 0; x < w; ++x) plane[x] = image.row(y)[3 * x + std::uint32_t(channel)];
      Append(expected, ModelPack(plane, -2));
    }
  }
  ASSERT_GT(expected.size(), 3u * 256 * 1024);
  EXPECT_EQ(out, expected);

  FailingFile after_first_block(128 + 300 * 1024);
  EXPECT_FALSE(image.Encode(&after_first_block, kCodecPcx));
  EXPECT_EQ(image.last_error(), "cannot write PCX data");
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
