// Decoding BMP: with and without file header, core and information headers,
// every depth, run-length data, bit fields, row order and the failure texts.
#include <gtest/gtest.h>

#include "codec_bytes.h"
#include "io/codec_image_bmp.h"

namespace wrimple::testing {
namespace {

using P = std::vector<int>;

Bytes Info40(std::int32_t w, std::int32_t h, int bits, std::uint32_t compression = 0,
             std::uint32_t colors = 0) {
  Bytes b;
  AppendLe32(b, 40);
  AppendLe32(b, std::uint32_t(w));
  AppendLe32(b, std::uint32_t(h));
  AppendLe16(b, 1);
  AppendLe16(b, unsigned(bits));
  AppendLe32(b, compression);
  AppendLe32(b, 0);
  AppendLe32(b, 3780);  // 96 dots per inch
  AppendLe32(b, 2835);  // 72
  AppendLe32(b, colors);
  AppendLe32(b, 0);
  return b;
}

// A file: file header, header, colour table (and masks) then bits.
Bytes WithFileHeader(const Bytes& info, const Bytes& table, const Bytes& bits) {
  Bytes f = {'B', 'M'};
  AppendLe32(f, std::uint32_t(14 + info.size() + table.size() + bits.size()));
  AppendLe32(f, 0);
  AppendLe32(f, std::uint32_t(14 + info.size() + table.size()));
  Append(f, info);
  Append(f, table);
  Append(f, bits);
  return f;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) Append(out, p);
  return out;
}

const Bytes kRows24 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 11, 12, 13, 14, 15, 16, 17, 18, 19, 0, 0, 0};

TEST(BmpDecode, TwentyFourBitsWithAndWithoutFileHeaderAgree) {
  const CodecImage with = DecodeBytes(WithFileHeader(Info40(3, 2, 24), {}, kRows24), kCodecBmp);
  const CodecImage without = DecodeBytes(Concat({Info40(3, 2, 24), kRows24}), kCodecBmp);
  ASSERT_TRUE(with.IsValid()) << with.last_error();
  ASSERT_TRUE(without.IsValid()) << without.last_error();
  EXPECT_EQ(Bytes(with.bitmap(), with.bitmap() + with.bitmap_size()),
            Bytes(without.bitmap(), without.bitmap() + without.bitmap_size()));
  EXPECT_EQ(Pixel(with, 2, 1), (P{17, 18, 19}));
  EXPECT_EQ(with.x_dpi(), 96);
  EXPECT_EQ(with.y_dpi(), 72);
  EXPECT_EQ(with.bitmap_size(), 40u + 24);
}

TEST(BmpDecode, TopFirstRowsAreFlipped) {
  const CodecImage image = DecodeBytes(Concat({Info40(3, -2, 24), kRows24}), kCodecBmp);
  ASSERT_TRUE(image.IsValid()) << image.last_error();
  EXPECT_EQ(image.height(), 2u);
  EXPECT_EQ(Pixel(image, 0, 1), (P{1, 2, 3}));
  EXPECT_EQ(Pixel(image, 0, 0), (P{11, 12, 13}));
}

TEST(BmpDecode, FileHeaderOffsetLocatesTheBits) {
  Bytes f = WithFileHeader(Info40(1, 1, 24), {}, {});
  Append(f, {9, 9, 9, 9, 9, 9, 1, 2, 3, 0});
  f[10] = std::uint8_t(f[10] + 6);
  const CodecImage image = DecodeBytes(f, kCodecBmp);
  ASSERT_TRUE(image.IsValid()) << image.last_error();
  EXPECT_EQ(Pixel(image, 0, 0), (P{1, 2, 3}));
}

TEST(BmpDecode, IndexedDepthsKeepTheirColourTable) {
  const Bytes table = {10, 20, 30, 99, 40, 50, 60, 99};
  const CodecImage image = DecodeBytes(WithFileHeader(Info40(9, 1, 1, 0, 2), table, {0xAA, 0x80, 0, 0}), kCodecBmp);
  ASSERT_TRUE(image.IsValid()) << image.last_error();
  EXPECT_EQ(image.bits_per_pixel(), 1);
  EXPECT_EQ(image.row(0)[0], 0xAA);
  EXPECT_EQ(image.row(0)[1], 0x80);
  const std::uint8_t* t = image.color_table();
  EXPECT_EQ((P{t[0], t[1], t[2], t[3], t[4], t[5], t[6], t[7]}), (P{10, 20, 30, 0, 40, 50, 60, 0}));
}

TEST(BmpDecode, CoreHeaderHasThreeByteColourEntries) {
  Bytes core;
  AppendLe32(core, 12);
  AppendLe16(core, 2);
  AppendLe16(core, 1);
  AppendLe16(core, 1);
  AppendLe16(core, 4);
  Bytes table;
  for (int i = 0; i < 16; ++i) Append(table, {i, 2 * i, 3 * i});
  const CodecImage image = DecodeBytes(WithFileHeader(core, table, {0x5F, 0, 0, 0}), kCodecBmp);
  ASSERT_TRUE(image.IsValid()) << image.last_error();
  EXPECT_EQ(image.bits_per_pixel(), 4);
  const std::uint8_t* entry = image.color_table() + 4 * 15;
  EXPECT_EQ((P{entry[0], entry[1], entry[2], entry[3]}), (P{15, 30, 45, 0}));
  EXPECT_EQ(image.row(0)[0], 0x5F);
}

TEST(BmpDecode, ColoursBeyondTheTableAreSteppedOverWithoutFileHeader) {
  // 300 entries declared for an 8-bit picture: the bits follow all of them.
  Bytes table(300 * 4, 7);
  const CodecImage image = DecodeBytes(Concat({Info40(1, 1, 8, 0, 300), table, {42, 0, 0, 0}}), kCodecBmp);
  ASSERT_TRUE(image.IsValid()) << image.last_error();
  EXPECT_EQ(image.row(0)[0], 42);
}

TEST(BmpDecode, RunLength8WithEscapes) {
  // 4 x 3: a run of 3, end of line, a move right by 1, an absolute run of 3
  // (padded), end of line, a run of 9 that is clipped at the row end, end.
  const Bytes data = {3, 1, 0, 0, 0, 2, 1, 0, 0, 3, 4, 5, 6, 0, 0, 0, 9, 7, 0, 1};
  const CodecImage image = DecodeBytes(WithFileHeader(Info40(4, 3, 8, 1, 8), Bytes(32, 0), data), kCodecBmp);
  ASSERT_TRUE(image.IsValid()) << image.last_error();
  const std::uint8_t* r0 = image.row(0);
  const std::uint8_t* r1 = image.row(1);
  const std::uint8_t* r2 = image.row(2);
  EXPECT_EQ((P{r0[0], r0[1], r0[2], r0[3]}), (P{1, 1, 1, 0}));
  EXPECT_EQ((P{r1[0], r1[1], r1[2], r1[3]}), (P{0, 4, 5, 6}));
  EXPECT_EQ((P{r2[0], r2[1], r2[2], r2[3]}), (P{7, 7, 7, 7}));
}

TEST(BmpDecode, RunLength4AlternatesNibbles) {
  // 5 x 2: a run of 5 of the nibbles 1 and 2, end of line, an absolute run of
  // 3 nibbles in 2 bytes, end of bitmap.
  const Bytes data = {5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 1};
  const CodecImage image = DecodeBytes(WithFileHeader(Info40(5, 2, 4, 2, 16), Bytes(64, 0), data), kCodecBmp);
  ASSERT_TRUE(image.IsValid()) << image.last_error();
  P row0, row1;
  for (std::uint32_t x = 0; x < 5; ++x) {
    row0.push_back(PackedIndex(image.row(0), x, 4));
    row1.push_back(PackedIndex(image.row(1), x, 4));
  }
  EXPECT_EQ(row0, (P{1, 2, 1, 2, 1}));
  EXPECT_EQ(row1, (P{3, 4, 5, 0, 0}));
}

TEST(BmpDecode, RunLengthMovesOutsideThePictureAreDropped) {
  // A move 200 right and 1 up, a run there (dropped), a move 5 rows up (past
  // the top: the picture ends), then data that must not be read.
  const Bytes data = {2, 9, 0, 2, 200, 1, 4, 8, 0, 2, 0, 5, 3, 3};
  const CodecImage image = DecodeBytes(WithFileHeader(Info40(2, 2, 8, 1, 16), Bytes(64, 0), data), kCodecBmp);
  ASSERT_TRUE(image.IsValid()) << image.last_error();
  EXPECT_EQ((P{image.row(0)[0], image.row(0)[1], image.row(1)[0], image.row(1)[1]}), (P{9, 9, 0, 0}));
}

TEST(BmpDecode, SixteenBitsWithDefaultAndGivenMasks) {
  Bytes pixels;
  AppendLe16(pixels, 0x7fff);
  AppendLe16(pixels, 0x001f);
  const CodecImage plain = DecodeBytes(WithFileHeader(Info40(2, 1, 16), {}, pixels), kCodecBmp);
  ASSERT_TRUE(plain.IsValid()) << plain.last_error();
  EXPECT_EQ(plain.bits_per_pixel(), 24);
  // Each channel's high bits are repeated into its low ones: 5 bits of 1 give 255.
  EXPECT_EQ(Pixel(plain, 0, 0), (P{255, 255, 255}));
  EXPECT_EQ(Pixel(plain, 1, 0), (P{255, 0, 0}));

  Bytes masks;
  AppendLe32(masks, 0xF800);
  AppendLe32(masks, 0x07E0);
  AppendLe32(masks, 0x001F);
  Bytes rgb565;
  AppendLe16(rgb565, 0x07E0);
  AppendLe16(rgb565, 0xF81F);
  const CodecImage fields = DecodeBytes(WithFileHeader(Info40(2, 1, 16, 3), masks, rgb565), kCodecBmp);
  ASSERT_TRUE(fields.IsValid()) << fields.last_error();
  EXPECT_EQ(Pixel(fields, 0, 0), (P{0, 255, 0}));
  EXPECT_EQ(Pixel(fields, 1, 0), (P{255, 0, 255}));
}

TEST(BmpDecode, ThirtyTwoBitsKeepTheFourthByteAsAlphaUnlessBitFields) {
  const CodecImage plain = DecodeBytes(WithFileHeader(Info40(1, 1, 32), {}, {1, 2, 3, 4}), kCodecBmp);
  ASSERT_TRUE(plain.IsValid()) << plain.last_error();
  EXPECT_EQ(Pixel(plain, 0, 0), (P{1, 2, 3}));
  ASSERT_TRUE(plain.HasAlpha());
  EXPECT_EQ(plain.alpha_row(0)[0], 4);

  Bytes masks;
  AppendLe32(masks, 0xFF);      // red in the low byte
  AppendLe32(masks, 0xFF00);
  AppendLe32(masks, 0xFF0000);  // blue
  const CodecImage fields = DecodeBytes(WithFileHeader(Info40(1, 1, 32, 3), masks, {1, 2, 3, 4}), kCodecBmp);
  ASSERT_TRUE(fields.IsValid()) << fields.last_error();
  EXPECT_EQ(Pixel(fields, 0, 0), (P{3, 2, 1}));
  EXPECT_FALSE(fields.HasAlpha());
}

struct FailureCase {
  const char* name;
  Bytes file;
  const char* error;
};

class BmpDecodeFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(BmpDecodeFailure, ReportsItsText) {
  CodecImageBMP image;
  CodecMemFile in(GetParam().file.data(), GetParam().file.size());
  EXPECT_FALSE(image.Decode(&in));
  EXPECT_EQ(image.last_error(), GetParam().error);
}

Bytes Truncated(Bytes b, std::size_t size) {
  b.resize(size);
  return b;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, BmpDecodeFailure,
    ::testing::Values(
        FailureCase{"ShorterThanAFileHeader", Bytes(13, 'B'), "Not a BMP"},
        FailureCase{"InfoCutShort", Truncated(WithFileHeader(Info40(1, 1, 24), {}, {}), 30), "Error reading BMP info"},
        FailureCase{"UnknownHeaderSize", Concat({{20, 0, 0, 0}, Bytes(40, 1)}), "Error reading BMP info"},
        FailureCase{"ColourTableCutShort", Truncated(WithFileHeader(Info40(1, 1, 8), Bytes(1024, 0), {0, 0, 0, 0}), 100),
                    "Error reading BMP info"},
        FailureCase{"MasksCutShort", Truncated(WithFileHeader(Info40(1, 1, 16, 3), {}, {}), 60), "Error reading BMP info"},
        FailureCase{"ZeroWidth", WithFileHeader(Info40(0, 1, 24), {}, {}),
                    "CodecImage::Create : width and height must be greater than zero"},
        FailureCase{"NegativeWidth", WithFileHeader(Info40(-3, 1, 24), {}, {}), "CODEC_MAX_MEMORY exceeded"},
        FailureCase{"LowestHeight", WithFileHeader(Info40(1, INT32_MIN, 24), {}, {}), "CODEC_MAX_MEMORY exceeded"},
        FailureCase{"Rle4On8Bits", WithFileHeader(Info40(1, 1, 8, 2), Bytes(1024, 0), {0, 1}),
                    "compression type not supported"},
        FailureCase{"BitFieldsOn8Bits", WithFileHeader(Info40(1, 1, 8, 3), Bytes(1024, 0), {0, 0, 0, 0}),
                    "compression type not supported"},
        FailureCase{"Rle24", WithFileHeader(Info40(1, 1, 24, 1), {}, {0, 0, 0, 0}), "unknown compression"},
        FailureCase{"Rle32", WithFileHeader(Info40(1, 1, 32, 1), {}, {0, 0, 0, 0}), "unknown compression"},
        FailureCase{"TwoBits", WithFileHeader(Info40(1, 1, 2), Bytes(16, 0), {0, 0, 0, 0}), "BMP bit depth not supported"},
        FailureCase{"RowsCutShort", WithFileHeader(Info40(3, 2, 24), {}, Bytes(kRows24.begin(), kRows24.end() - 1)),
                    "corrupted BMP"},
        FailureCase{"HugeDeclaredSize", WithFileHeader(Info40(5000, 5000, 24), {}, kRows24), "corrupted BMP"},
        FailureCase{"RunLengthWithoutEnd", WithFileHeader(Info40(2, 2, 8, 1), Bytes(1024, 0), {2, 1, 0, 0}),
                    "corrupted BMP"},
        FailureCase{"AbsoluteRunCutShort", WithFileHeader(Info40(4, 1, 8, 1), Bytes(1024, 0), {0, 4, 1, 2}),
                    "corrupted BMP"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wrimple::testing
