// Decoding PCX: every plane and bit combination, runs, the colour tables and
// every failure text.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "codec_bytes.h"
#include "io/codec_byte_reader.h"
#include "io/codec_image_pcx.h"
#include "io/codec_pcx_packing.h"

namespace wrimple::testing {
namespace {

using P = std::vector<int>;

Bytes Pcx(Bytes head, std::initializer_list<int> data) {
  Append(head, data);
  return head;
}

TEST(PcxDecode, ThreePlanesMakeBlueGreenRedPixels) {
  // 3 x 2, bytes per line 4; the top file row becomes the top bitmap row.
  const Bytes f = Pcx(PcxHeader(8, 3, 2, 3, 4),
                      {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0,
                       0xC3, 200, 0, 0xC4, 100, 0xC1, 0xC5, 0xC3, 0x10, 0});
  const CodecImage image = DecodeBytes(f, kCodecPcx);
  ASSERT_TRUE(image.IsValid()) << image.last_error();
  EXPECT_EQ(image.bits_per_pixel(), 24);
  EXPECT_EQ(image.width(), 3u);
  EXPECT_EQ(image.height(), 2u);
  EXPECT_EQ(Pixel(image, 0, 1), (P{7, 4, 1}));
  EXPECT_EQ(Pixel(image, 2, 1), (P{9, 6, 3}));
  EXPECT_EQ(Pixel(image, 0, 0), (P{0xC5, 100, 200}));
  EXPECT_EQ(Pixel(image, 2, 0), (P{0x10, 100, 200}));
  EXPECT_EQ(image.x_dpi(), 72);
}

TEST(PcxDecode, ByteC0IsARunOfNothing) {
  const Bytes f = Pcx(PcxHeader(8, 2, 1, 3, 2), {0xC0, 9, 1, 2, 0xC0, 0, 3, 4, 5, 6});
  const CodecImage image = DecodeBytes(f, kCodecPcx);
  ASSERT_TRUE(image.IsValid()) << image.last_error();
  EXPECT_EQ(Pixel(image, 0, 0), (P{5, 3, 1}));
  EXPECT_EQ(Pixel(image, 1, 0), (P{6, 4, 2}));
}

TEST(PcxDecode, RunContinuesAcrossRows) {
  // One run fills both rows of a 2 x 2 single-plane picture.
  Bytes f = Pcx(PcxHeader(8, 2, 2, 1, 2), {0xC4, 7, 12});
  Append(f, Bytes(768, 0));
  const CodecImage image = DecodeBytes(f, kCodecPcx);
  ASSERT_TRUE(image.IsValid()) << image.last_error();
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) EXPECT_EQ(image.row(y)[x], 7);
}

TEST(PcxDecode, FourPlanesFillTheAlphaPlane) {
  const Bytes f = Pcx(PcxHeader(8, 1, 1, 4, 1), {1, 2, 3, 99});
  const CodecImage image = DecodeBytes(f, kCodecPcx);
  ASSERT_TRUE(image.IsValid()) << image.last_error();
  ASSERT_TRUE(image.HasAlpha());
  EXPECT_EQ(Pixel(image, 0, 0), (P{3, 2, 1}));
  EXPECT_EQ(image.alpha_row(0)[0], 99);
}

TEST(PcxDecode, EightBitPaletteFollowsTheData) {
  Bytes f = Pcx(PcxHeader(8, 3, 1, 1, 4), {0, 1, 2, 0, 12});
  for (int i = 0; i < 256; ++i) Append(f, {i, 255 - i, i / 2});
  const CodecImage image = DecodeBytes(f, kCodecPcx);
  ASSERT_TRUE(image.IsValid()) << image.last_error();
  EXPECT_EQ(image.bits_per_pixel(), 8);
  EXPECT_EQ(image.row(0)[2], 2);
  const std::uint8_t* entry = image.color_table() + 4 * 200;
  EXPECT_EQ((P{entry[0], entry[1], entry[2], entry[3]}), (P{100, 55, 200, 0}));
}

TEST(PcxDecode, OneBitSinglePlaneIsBlackAndWhite) {
  // 10 pixels, bytes per line 2: 1010101011, then 6 unused bits.
  const Bytes f = Pcx(PcxHeader(1, 10, 1, 1, 2), {0xAA, 0xC1, 0xFF});
  const CodecImage image = DecodeBytes(f, kCodecPcx);
  ASSERT_TRUE(image.IsValid()) << image.last_error();
  EXPECT_EQ(image.bits_per_pixel(), 1);
  const std::uint8_t* table = image.color_table();
  EXPECT_EQ((P{table[0], table[1], table[2], table[4], table[5], table[6]}), (P{0, 0, 0, 255, 255, 255}));
  EXPECT_EQ(image.row(0)[0], 0xAA);
  EXPECT_EQ(image.row(0)[1], 0xC0);
}

// What unpacking `rows` rows of `row` bytes gives: the whole rows filled,
// the error text (empty on success) and the bytes of data used.
struct Unpacked {
  Bytes rows;
  std::string error;
  std::size_t used = 0;
  bool operator==(const Unpacked&) const = default;
};

// The unpacking rule one byte at a time.
Unpacked ModelUnpack(const Bytes& data, std::size_t row, std::size_t rows) {
  Unpacked result;
  Bytes bytes;
  std::uint64_t wanted = std::uint64_t(row) * rows;
  std::size_t run_left = 0;
  std::uint8_t value = 0;
  std::size_t& at = result.used;
  auto fail = [&](const char* text) {
    result.error = text;
    bytes.resize(bytes.size() / row * row);
    result.rows = bytes;
    return result;
  };
  while (bytes.size() < row * rows) {
    if (run_left > 0) {
      bytes.push_back(value);
      --run_left;
      continue;
    }
    if (at == data.size()) return fail("corrupted PCX");
    const std::uint8_t c = data[at++];
    if (c <= 191) {
      bytes.push_back(c);
      --wanted;
      continue;
    }
    if (at == data.size()) return fail("corrupted PCX");
    value = data[at++];
    if ((c & 63u) > wanted) return fail("repeat count spans end of image");
    wanted -= c & 63u;
    run_left = c & 63u;
  }
  result.rows = bytes;
  return result;
}

Unpacked Unpack(const Bytes& data, std::size_t row, std::size_t rows) {
  Unpacked result;
  CodecMemFile stream(data.data(), data.size());
  {
    CodecByteReader in(stream);
    PcxUnpacker unpacker(in, std::uint64_t(row) * rows);
    Bytes one(row);
    for (std::size_t y = 0; y < rows && result.error.empty(); ++y) {
      if (const char* error = unpacker.Unpack(one.data(), row)) {
        result.error = error;
      } else {
        Append(result.rows, one);
      }
    }
  }
  // The reader gives back what it did not use, so the stream is where the
  // unpacking stopped (a stream over no memory at all has no position).
  result.used = data.empty() ? 0 : std::size_t(stream.Tell());
  return result;
}

struct UnpackCase {
  const char* name;
  Bytes data;
  std::size_t row;
  std::size_t rows;
  Bytes expected;  // the rows, when short enough to state
};

class PcxUnpacking : public ::testing::TestWithParam<UnpackCase> {};

TEST_P(PcxUnpacking, AgreesWithThePlainRule) {
  const UnpackCase& c = GetParam();
  const Unpacked model = ModelUnpack(c.data, c.row, c.rows);
  EXPECT_EQ(Unpack(c.data, c.row, c.rows), model);
  if (!c.expected.empty()) {
    EXPECT_EQ(model.rows, c.expected);
  }
}

Bytes Literals(std::size_t count) {
  Bytes b(count);
  for (std::size_t i = 0; i < count; ++i) b[i] = std::uint8_t(i * 7 % 192);
  return b;
}

Bytes Then(Bytes first, std::initializer_list<int> more) {
  Append(first, more);
  return first;
}

INSTANTIATE_TEST_SUITE_P(
    Streams, PcxUnpacking,
    ::testing::Values(
        UnpackCase{"LiteralsOverOddRows", Literals(39), 13, 3, Literals(39)},
        UnpackCase{"CountsAmidLiterals", {1, 2, 0xC1, 0xC9, 3, 4, 5, 6, 7, 8, 9, 0xC2, 0xFF, 10}, 13, 1,
                   {1, 2, 0xC9, 3, 4, 5, 6, 7, 8, 9, 0xFF, 0xFF, 10}},
        // Three planes of 4 bytes: one run ends the red plane and starts the green.
        UnpackCase{"RunAcrossPlanes", {1, 2, 0xC4, 9, 3, 4, 5, 6, 7, 8}, 12, 1, {1, 2, 9, 9, 9, 9, 3, 4, 5, 6, 7, 8}},
        UnpackCase{"RunAcrossRows", {1, 0xC5, 0xD0, 2, 3, 4, 5}, 5, 2, {1, 0xD0, 0xD0, 0xD0, 0xD0, 0xD0, 2, 3, 4, 5}},
        UnpackCase{"SixtyThreeThenOne", {0xFF, 6, 0xC1, 6}, 64, 1, Bytes(64, 6)},
        UnpackCase{"ZeroLengthRuns", {0xC0, 1, 0xC0, 0xC0, 2, 0xC0, 3, 4}, 2, 1, {2, 4}},
        UnpackCase{"CountAsLastByteOfABlock", Then(Literals(65535), {0xC3, 7, 1}), 65539, 1, {}},
        UnpackCase{"ValueAsFirstByteOfABlock", Then(Literals(65534), {0xC3, 7, 1}), 65538, 1, {}},
        UnpackCase{"CountAsLastByteOfTheData", Then(Literals(65535), {0xC3}), 65538, 1, {}},
        UnpackCase{"RunPastTheLastRow", {1, 2, 0xC3, 4}, 2, 2, {}},
        UnpackCase{"DataCutShort", Literals(20), 7, 3, {}},
        UnpackCase{"DataLeftOver", Then(Literals(16), {12, 0xC1}), 8, 2, Literals(16)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PcxUnpackingStreams, AgreeWithThePlainRuleOnRandomAndCutData) {
  std::mt19937 random(5);
  for (int trial = 0; trial < 400; ++trial) {
    // Literals, lone counts and runs of every length, some past the end.
    Bytes data;
    std::size_t produced = 0;
    const std::size_t tokens = 1 + random() % 120;
    for (std::size_t t = 0; t < tokens; ++t) {
      if (random() % 2 == 0) {
        data.push_back(std::uint8_t(random() % 192));
        ++produced;
      } else {
        const std::uint8_t count = std::uint8_t(192 + (random() % 4 == 0 ? random() % 64 : 1));
        Append(data, {count, int(random() % 256)});
        produced += count & 63u;
      }
    }
    const std::size_t row = 1 + random() % 40;
    const std::size_t rows = std::max<std::size_t>(1, (produced + random() % 3) / row);
    const Bytes cut(data.begin(), data.begin() + std::ptrdiff_t(random() % 4 == 0 ? random() % data.size() : data.size()));
    ASSERT_EQ(Unpack(cut, row, rows), ModelUnpack(cut, row, rows)) << trial;
  }
}

struct IndexCase {
  const char* name;
  int bits;
  int planes;
  int bytes_per_line;
  std::vector<int> data;
  std::vector<int> indices;  // of the pixels of the one row
};

class PcxIndexedDecode : public ::testing::TestWithParam<IndexCase> {};

TEST_P(PcxIndexedDecode, GivesOneIndexPerPixelAndTheHeaderPalette) {
  const IndexCase& c = GetParam();
  Bytes head = PcxHeader(c.bits, int(c.indices.size()), 1, c.planes, c.bytes_per_line);
  for (int i = 0; i < 48; ++i) head[16 + i] = std::uint8_t(i + 1);
  for (int v : c.data) head.push_back(std::uint8_t(v));
  const CodecImage image = DecodeBytes(head, kCodecPcx);
  ASSERT_TRUE(image.IsValid()) << image.last_error();
  ASSERT_EQ(image.bits_per_pixel(), 4);
  for (std::size_t x = 0; x < c.indices.size(); ++x)
    EXPECT_EQ(PackedIndex(image.row(0), std::uint32_t(x), 4), c.indices[x]) << x;
  const std::uint8_t* entry = image.color_table() + 4 * 15;
  EXPECT_EQ((P{entry[0], entry[1], entry[2]}), (P{48, 47, 46}));
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, PcxIndexedDecode,
    ::testing::Values(
        IndexCase{"TwoBitsPacked", 2, 1, 2, {0x1B, 0xC1, 0xE4}, {0, 1, 2, 3, 3, 2, 1, 0}},
        IndexCase{"FourBitsPacked", 4, 1, 2, {0x1F, 0xA0}, {1, 15, 10}},
        // Plane p gives bit p: planes F0, CC, AA, 01 over 8 pixels.
        IndexCase{"FourPlanesOfOneBit", 1, 4, 1, {0xC1, 0xF0, 0xC1, 0xCC, 0xAA, 0x01}, {7, 3, 5, 1, 6, 2, 4, 8}},
        IndexCase{"ThreePlanesOfOneBit", 1, 3, 1, {0xC1, 0xF0, 0xC1, 0xCC, 0xAA}, {7, 3, 5, 1, 6, 2, 4, 0}},
        IndexCase{"TwoPlanesOfOneBit", 1, 2, 1, {0xC1, 0xF0, 0xC1, 0xCC}, {3, 3, 1, 1, 2, 2, 0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

struct FailureCase {
  const char* name;
  Bytes file;
  const char* error;
};

Bytes WithByte(Bytes b, std::size_t at, int value) {
  b[at] = std::uint8_t(value);
  return b;
}

class PcxDecodeFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(PcxDecodeFailure, ReportsItsText) {
  CodecImagePCX image;
  CodecMemFile in(GetParam().file.data(), GetParam().file.size());
  EXPECT_FALSE(image.Decode(&in));
  EXPECT_EQ(image.last_error(), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PcxDecodeFailure,
    ::testing::Values(
        FailureCase{"ShortHeader", Bytes(127, 10), "Can't read PCX image"},
        FailureCase{"WrongManufacturer", WithByte(PcxHeader(8, 1, 1, 3, 2), 0, 11), "Error: Not a PCX file"},
        FailureCase{"WrongEncoding", WithByte(PcxHeader(8, 1, 1, 3, 2), 2, 0), "PCX file has unknown encoding scheme"},
        FailureCase{"FivePlanes", PcxHeader(8, 1, 1, 5, 2), "Can't handle image with more than 4 planes"},
        FailureCase{"NoData", PcxHeader(8, 2, 2, 3, 2), "corrupted PCX"},
        FailureCase{"DataCutShort", Pcx(PcxHeader(8, 2, 1, 3, 2), {1, 2, 3, 4, 5}), "corrupted PCX"},
        FailureCase{"RunValueMissing", Pcx(PcxHeader(8, 2, 1, 3, 2), {1, 2, 3, 4, 5, 0xC1}), "corrupted PCX"},
        FailureCase{"RunPastTheEnd", Pcx(PcxHeader(8, 2, 1, 3, 2), {1, 2, 3, 4, 0xC3, 5}),
                    "repeat count spans end of image"},
        FailureCase{"PaletteSignature", Pcx(PcxHeader(8, 1, 1, 1, 1), {5, 13}), "bad color map signature"},
        FailureCase{"PaletteMissing", Pcx(PcxHeader(8, 1, 1, 1, 1), {5}), "bad color map signature"},
        FailureCase{"PaletteCutShort", Pcx(PcxHeader(8, 1, 1, 1, 1), {5, 12, 1, 2, 3}), "corrupted PCX"},
        FailureCase{"SinglePlaneOfThreeBits", Pcx(PcxHeader(3, 1, 1, 1, 1), {0}),
                    "PCX_UnpackPixels: Can't handle packed pixels with more than 1 plane"},
        FailureCase{"TwoPlanesOfEightBits", Pcx(PcxHeader(8, 1, 1, 2, 1), {0, 0}),
                    "PCX_PlanesToPixels: more than 4 planes or more than 1 bit per pixel"},
        FailureCase{"FourPlanesOfTwoBits", Pcx(PcxHeader(2, 1, 1, 4, 1), {0, 0, 0, 0}),
                    "PCX_PlanesToPixels: more than 4 planes or more than 1 bit per pixel"},
        FailureCase{"ThreePlanesOfTwentyFourBits", Pcx(PcxHeader(24, 1, 1, 3, 3), {0, 0, 0, 0, 0, 0, 0, 0, 0}),
                    "PCX_PlanesToPixels: more than 4 planes or more than 1 bit per pixel"},
        FailureCase{"NoPlanes", PcxHeader(8, 1, 1, 0, 1), "PCX_PlanesToPixels: more than 4 planes or more than 1 bit per pixel"},
        FailureCase{"BytesPerLineBelowWidth", Pcx(PcxHeader(8, 5, 1, 3, 4), {0xC0}),
                    "PCX bytes per line too small for the image width"},
        FailureCase{"BitsPerLineBelowWidth", Pcx(PcxHeader(1, 17, 1, 1, 2), {0xC0}),
                    "PCX bytes per line too small for the image width"},
        FailureCase{"MaxBelowMin", WithByte(PcxHeader(8, 1, 1, 3, 2), 4, 5), "CODEC_MAX_MEMORY exceeded"},
        FailureCase{"TooLarge", WithByte(WithByte(PcxHeader(8, 0xffff, 0xffff, 3, 2), 66, 0xff), 67, 0xff),
                    "CODEC_MAX_MEMORY exceeded"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wrimple::testing
