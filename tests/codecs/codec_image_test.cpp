// CodecImage itself: Create and its limits, the dispatch of Decode and Encode,
// Load with its fallback to every decoder, Save, and the headerless block the
// target is saved from.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "codec_bytes.h"
#include "codec_bytes_fill.h"
#include "document/picture.h"

namespace wrimple::testing {
namespace {

struct CreateCase {
  const char* name;
  std::uint32_t bits;
  int rounded;
  std::uint32_t colors;
  std::uint32_t row_length;  // for a width of 5
};

class CodecCreate : public ::testing::TestWithParam<CreateCase> {};

TEST_P(CodecCreate, RoundsTheDepthAndSizesTheBlock) {
  CodecImage image;
  ASSERT_TRUE(image.Create(5, 3, GetParam().bits, kCodecTga));
  EXPECT_EQ(image.bits_per_pixel(), GetParam().rounded);
  EXPECT_EQ(image.colors_used(), GetParam().colors);
  EXPECT_EQ(image.row_length(), GetParam().row_length);
  EXPECT_EQ(image.compression(), 0u);
  EXPECT_EQ(image.format(), kCodecTga);
  EXPECT_EQ(image.bitmap_size(), 40 + 4 * GetParam().colors + 3 * GetParam().row_length);
  const std::uint8_t* head = image.bitmap();
  EXPECT_EQ(ReadLe32(head + dib::kSize), 40u);
  EXPECT_EQ(ReadLe16(head + dib::kPlanes), 1);
  EXPECT_EQ(ReadLe32(head + dib::kSizeImage), 3 * GetParam().row_length);
  EXPECT_EQ(ReadLe32(head + dib::kXPelsPerMeter), 3780u);
}

INSTANTIATE_TEST_SUITE_P(Depths, CodecCreate,
                         ::testing::Values(CreateCase{"Zero", 0, 1, 2, 4}, CreateCase{"One", 1, 1, 2, 4},
                                           CreateCase{"Two", 2, 4, 16, 4}, CreateCase{"Five", 5, 8, 256, 8},
                                           CreateCase{"Sixteen", 16, 24, 0, 16},
                                           CreateCase{"ThirtyTwo", 32, 24, 0, 16}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CodecCreate, FailureTexts) {
  CodecImage image;
  EXPECT_FALSE(image.Create(0, 5, 24, kCodecBmp));
  EXPECT_EQ(image.last_error(), "CodecImage::Create : width and height must be greater than zero");
  EXPECT_FALSE(image.Create(5, 0, 24, kCodecBmp));
  EXPECT_FALSE(image.IsValid());
  // 2^31 + 8 bits is the first size refused; one less fits.
  EXPECT_FALSE(image.Create((1u << 28) + 1, 1, 8, kCodecBmp));
  EXPECT_EQ(image.last_error(), "CODEC_MAX_MEMORY exceeded");
  EXPECT_FALSE(image.Create(65536, 65536, 24, kCodecBmp));
  EXPECT_EQ(image.last_error(), "CODEC_MAX_MEMORY exceeded");
  EXPECT_FALSE(image.Create(0xffffffffu, 0xffffffffu, 24, kCodecBmp));
  EXPECT_EQ(image.last_error(), "CODEC_MAX_MEMORY exceeded");
  // One pixel of 1 bit per row takes a padded row of 32 bits.
  EXPECT_FALSE(image.Create(1, 1u << 27, 1, kCodecBmp));
  EXPECT_EQ(image.last_error(), "CODEC_MAX_MEMORY exceeded");
}

TEST(CodecImageDpi, BelowOneCountsAsNinetySix) {
  CodecImage image = PatternImage(1, 1);
  image.SetXDpi(0);
  image.SetYDpi(300);
  EXPECT_EQ(image.x_dpi(), 96);
  EXPECT_EQ(ReadLe32(image.bitmap() + dib::kYPelsPerMeter), 11811u);
}

TEST(CodecDecode, DispatchFailures) {
  CodecImage image;
  EXPECT_FALSE(image.Decode(nullptr, kCodecTga));
  EXPECT_EQ(image.last_error(), "null file handler");
  const Bytes tga = TgaHeader(2, 1, 1, 8);
  CodecMemFile in(tga.data(), tga.size());
  EXPECT_FALSE(image.Decode(&in, 3));
  EXPECT_EQ(image.last_error(), "Decode: Unknown or wrong format");
  const Bytes junk(40, 0x55);
  CodecMemFile junk_in(junk.data(), junk.size());
  EXPECT_FALSE(image.Decode(&junk_in, kCodecUnknown));
  EXPECT_EQ(image.last_error(), "Decode: Unknown or wrong format");
}

TEST(CodecDecode, AutomaticRecognitionStartsEachTryAtTheSamePosition) {
  // Five bytes of something else, then a PCX file: BMP and TGA both fail on it.
  Bytes f = {1, 2, 3, 4, 5};
  Append(f, PcxHeader(8, 1, 1, 3, 1));
  Append(f, {7, 8, 9});
  CodecMemFile in(f.data(), f.size());
  in.Seek(5, SEEK_SET);
  CodecImage image;
  ASSERT_TRUE(image.Decode(&in, kCodecUnknown)) << image.last_error();
  EXPECT_EQ(image.format(), kCodecPcx);
  EXPECT_EQ(Pixel(image, 0, 0), (std::vector<int>{9, 8, 7}));
}

TEST(CodecEncode, UnknownFormat) {
  CodecImage image = PatternImage(1, 1);
  CodecMemFile out;
  out.Open();
  EXPECT_FALSE(image.Encode(&out, 2));
  EXPECT_EQ(image.last_error(), "Encode: Unknown format");
}

TEST(CodecEncode, BmpWritesAFileTheBmpDecoderReadsBack) {
  for (int bits : {24, 8, 4, 1}) {
    CodecImage image = PatternImage(7, 3, bits);
    const Bytes out = EncodeBytes(image, kCodecBmp);
    const CodecImage back = DecodeBytes(out, kCodecBmp);
    ASSERT_TRUE(back.IsValid()) << back.last_error();
    EXPECT_EQ(Bytes(back.bitmap(), back.bitmap() + back.bitmap_size()),
              Bytes(image.bitmap(), image.bitmap() + image.bitmap_size()))
        << bits;
  }
}

TEST(CodecMemoryBlock, HeaderlessTargetBlockDecodesAsBmp) {
  // The target is saved from a 40-byte header and bottom-up rows, given with a
  // length 4 bytes longer than header and bits.
  const std::uint32_t w = 3, h = 2, row = 12, s = row * h;
  Bytes block(s + 54, 0);
  WriteLe32(&block[0], 40);
  WriteLe32(&block[4], w);
  WriteLe32(&block[8], h);
  WriteLe16(&block[12], 1);
  WriteLe16(&block[14], 24);
  WriteLe32(&block[20], s);
  for (std::uint32_t i = 0; i < s; ++i) block[40 + i] = std::uint8_t(i % 12 < 9 ? i : 0);
  const CodecImage image(block.data(), s + 44, kCodecBmp);
  ASSERT_TRUE(image.IsValid()) << image.last_error();
  EXPECT_EQ(Bytes(image.bitmap() + 40, image.bitmap() + 40 + s), Bytes(block.begin() + 40, block.begin() + 40 + s));
}

class CodecFiles : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const Bytes& bytes) {
    const std::string path = ::testing::TempDir() + name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    written_.push_back(path);
    return path;
  }
  ~CodecFiles() override {
    for (const auto& p : written_) std::remove(p.c_str());
  }
  std::vector<std::string> written_;
};

TEST_F(CodecFiles, TgaNamedFileHoldingABmpLoadsThroughTheBmpDecoder) {
  CodecImage bmp = PatternImage(3, 2);
  const std::string path = Write("codec_holds_bmp.tga", EncodeBytes(bmp, kCodecBmp));
  const CodecImage image(path, kCodecTga);
  ASSERT_TRUE(image.IsValid()) << image.last_error();
  EXPECT_EQ(image.format(), kCodecBmp);
  EXPECT_EQ(Pixel(image, 2, 1), Pixel(bmp, 2, 1));
}

TEST_F(CodecFiles, UndecodableFileKeepsTheTextOfTheFormatAskedFor) {
  const std::string path = Write("codec_nothing.tga", Bytes(10, 3));
  const CodecImage tga(path, kCodecTga);
  EXPECT_FALSE(tga.IsValid());
  EXPECT_EQ(tga.last_error(), "Not a TGA");
  const CodecImage pcx(path, kCodecPcx);
  EXPECT_EQ(pcx.last_error(), "Can't read PCX image");
  const CodecImage any(path, kCodecUnknown);
  EXPECT_EQ(any.last_error(), "Decode: Unknown or wrong format");
}

TEST_F(CodecFiles, MissingFileFailsWithAnEmptyText) {
  const CodecImage image(::testing::TempDir() + "codec_no_such_file.pcx", kCodecPcx);
  EXPECT_FALSE(image.IsValid());
  EXPECT_EQ(image.last_error(), "");
}

TEST_F(CodecFiles, SaveAndLoadBack) {
  for (int format : {kCodecTga, kCodecPcx}) {
    CodecImage image = PatternImage(5, 4);
    const std::string path = ::testing::TempDir() + "codec_saved.img";
    written_.push_back(path);
    ASSERT_TRUE(image.Save(path, format)) << image.last_error();
    const CodecImage back(path, format);
    ASSERT_TRUE(back.IsValid()) << back.last_error();
    EXPECT_EQ(Bytes(back.bitmap() + 40, back.bitmap() + back.bitmap_size()),
              Bytes(image.bitmap() + 40, image.bitmap() + image.bitmap_size()));
  }
}

TEST_F(CodecFiles, SaveIntoAMissingFolderFails) {
  CodecImage image = PatternImage(2, 2);
  EXPECT_FALSE(image.Save(::testing::TempDir() + "no_such_folder/x.tga", kCodecTga));
}

TEST_F(CodecFiles, SaveToAFullDeviceFails) {
  CodecImage image = PatternImage(64, 64);
  EXPECT_FALSE(image.Save("/dev/full", kCodecTga));
}

}  // namespace
}  // namespace wrimple::testing
