// Files as cameras, phones and other programs write them, kept small under
// tests/data/imaging/ (see make_fixtures.py there): orientations, damaged
// TIFFs, alpha in every TIFF storage, BigTIFF, 16-bit BMPs and the TGA kinds
// with grey alpha and wide colour map entries.
#include "io/codec_image.h"
#include "io/loading.h"
#include "io/messages.h"
#include "io_fixtures.h"
#include "support/scripted_platform.h"

namespace wrimple::testing {
namespace {

std::string Fixture(const std::string& name) { return std::string(WRIMPLE_TEST_DATA) + "/imaging/" + name; }

// The stored 3 x 2 picture of the TIFF fixtures, as blue, green, red.
constexpr Bgr A{30, 30, 200}, B{30, 200, 30}, C{200, 30, 30}, D{10, 250, 250}, E{250, 250, 10}, F{250, 10, 250};

// Grey fixtures keep the red channel of the stored picture.
constexpr Bgr Grey(Bgr p) { return Bgr{p[2], p[2], p[2]}; }

std::vector<std::uint8_t> Flatten(const std::vector<Bgr>& pixels) {
  std::vector<std::uint8_t> bytes;
  for (const Bgr& p : pixels) bytes.insert(bytes.end(), p.begin(), p.end());
  return bytes;
}

struct UprightCase {
  const char* file;
  int width, height;
  std::vector<Bgr> pixels;  // top row first
};

class Upright : public ::testing::TestWithParam<UprightCase> {};

TEST_P(Upright, LoadsAsMeantToBeShown) {
  int w = 0, h = 0;
  const std::vector<std::uint8_t> got = DecodeAll(Fixture(GetParam().file), w, h);
  ASSERT_FALSE(got.empty());
  EXPECT_EQ(w, GetParam().width);
  EXPECT_EQ(h, GetParam().height);
  EXPECT_EQ(got, Flatten(GetParam().pixels));
}

std::string FileName(const char* file) {
  std::string name;
  for (const char* c = file; *c != '\0' && *c != '.'; ++c) name += std::isalnum(*c) ? *c : '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, Upright,
    ::testing::Values(
        // Stored rows A B C / D E F.
        UprightCase{"tiff_rgb_strips_orientation_6.tif", 2, 3, {D, A, E, B, F, C}},
        UprightCase{"tiff_rgb_tiles_orientation_8.tif", 2, 3, {C, F, B, E, A, D}},
        UprightCase{"tiff_grey_orientation_5.tif", 2, 3, {Grey(A), Grey(D), Grey(B), Grey(E), Grey(C), Grey(F)}},
        UprightCase{"tiff_palette_orientation_7.tif", 2, 3, {F, C, E, B, D, A}},
        UprightCase{"bigtiff_strips.tif", 3, 2, {A, B, C, D, E, F}},
        UprightCase{"bigtiff_big_endian_tiles.tif", 3, 2, {A, B, C, D, E, F}},
        // (200, 100, 50) at alpha 0, 128 and 255: unassociated alpha leaves it.
        UprightCase{"tiff_unassociated_alpha_strips.tif", 3, 1, {{50, 100, 200}, {50, 100, 200}, {50, 100, 200}}},
        UprightCase{"tiff_unassociated_alpha_tiles.tif", 3, 1, {{50, 100, 200}, {50, 100, 200}, {50, 100, 200}}},
        UprightCase{"tiff_unassociated_alpha_16.tif", 3, 1, {{50, 100, 200}, {50, 100, 200}, {50, 100, 200}}},
        // Stored premultiplied: alpha 0 keeps no colour, alpha 128 gives the
        // colour back to within the rounding of the stored values.
        UprightCase{"tiff_associated_alpha.tif", 3, 1, {{0, 0, 0}, {50, 100, 199}, {50, 100, 200}}},
        // White, 0x4210 / 0x8410 (the middle of each channel), red, green, blue:
        // the channels' high bits repeated into the low ones.
        UprightCase{"bmp_16_555.bmp", 5, 1, {{255, 255, 255}, {132, 132, 132}, {0, 0, 255}, {0, 255, 0}, {255, 0, 0}}},
        UprightCase{
            "bmp_16_565_bit_fields.bmp", 5, 1, {{255, 255, 255}, {132, 130, 132}, {0, 0, 255}, {0, 255, 0}, {255, 0, 0}}}),
    [](const auto& info) { return FileName(info.param.file); });

TEST(JpegOrientation, PortraitPhotoLoadsUpright) {
  // Stored 300 x 200: red left half, blue right half, green along the top.
  // Turned a quarter clockwise: red on top, blue below, green on the right.
  int w = 0, h = 0;
  const std::vector<std::uint8_t> got = DecodeAll(Fixture("jpeg_exif_orientation_6.jpg"), w, h);
  ASSERT_EQ(w, 200);
  ASSERT_EQ(h, 300);
  const auto near = [&](int x, int y, Bgr want) {
    const std::uint8_t* p = &got[std::size_t(3 * (y * w + x))];
    for (int c = 0; c < 3; ++c)
      if (std::abs(int(p[c]) - int(want[std::size_t(c)])) > 12) return false;
    return true;
  };
  EXPECT_TRUE(near(60, 40, Bgr{20, 20, 220}));
  EXPECT_TRUE(near(60, 260, Bgr{220, 20, 20}));
  EXPECT_TRUE(near(190, 40, Bgr{0, 200, 0}));
  EXPECT_TRUE(near(190, 260, Bgr{0, 200, 0}));
}

class DamagedTiff : public ::testing::TestWithParam<const char*> {};

TEST_P(DamagedTiff, IsRefused) {
  int w = 0, h = 0;
  EXPECT_TRUE(DecodeAll(Fixture(GetParam()), w, h).empty());
}

TEST_P(DamagedTiff, LoadingChangesNothing) {
  State st;
  TestPlatform tp;
  st.ImagingAvailable = true;
  st.SetTargetSize(64, 48);
  st.first_update = false;
  ASSERT_TRUE(OnOpenDocument(st, tp, Fixture("bigtiff_strips.tif")));
  ASSERT_TRUE(OnOpenDocument(st, tp, Fixture("tiff_rgb_strips_orientation_6.tif")));
  const auto bytes = [&] {
    const PictureBlock& p = *st.doc.Source(1).SourcePicture;
    return std::vector<std::uint8_t>(p.data(), p.data() + p.size());
  };
  const std::vector<std::uint8_t> before = bytes();
  tp.replace.answers = {1};
  EXPECT_FALSE(OnOpenDocument(st, tp, Fixture(GetParam())));
  EXPECT_EQ(tp.messages.Texts(RecordedMessage::Kind::Error), std::vector<std::string>{text::kCannotOpenImage});
  EXPECT_EQ(st.SourceCount, 2);
  ASSERT_TRUE(st.doc.Source(1).SourcePicture);
  EXPECT_EQ(bytes(), before);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, DamagedTiff,
                         ::testing::Values("tiff_palette_cut_short.tif", "tiff_broken_lzw_strip.tif",
                                           "tiff_tiles_cut_short.tif"),
                         [](const auto& info) { return FileName(info.param); });

struct TgaCase {
  const char* file;
  std::vector<Bgr> pixels;  // the one row
};

class TgaKinds : public ::testing::TestWithParam<TgaCase> {};

TEST_P(TgaKinds, DecodeToTheirColours) {
  const CodecImage image(Fixture(GetParam().file), kCodecTga);
  ASSERT_TRUE(image.IsValid()) << image.last_error();
  ASSERT_EQ(image.width(), GetParam().pixels.size());
  std::vector<Bgr> got;
  for (std::uint32_t x = 0; x < image.width(); ++x) {
    const std::uint8_t* p = image.bits_per_pixel() == 8 ? image.color_table() + 4 * image.row(0)[x]
                                                        : image.row(0) + 3 * x;
    got.push_back(Bgr{p[0], p[1], p[2]});
  }
  EXPECT_EQ(got, GetParam().pixels);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, TgaKinds,
    ::testing::Values(
        // (grey, alpha) pairs: the grey byte, alpha left out.
        TgaCase{"tga_grey_alpha_16.tga", {{0, 0, 0}, {64, 64, 64}, {128, 128, 128}, {255, 255, 255}}},
        TgaCase{"tga_grey_alpha_16_rle.tga", {{200, 200, 200}, {200, 200, 200}, {10, 10, 10}, {250, 250, 250}}},
        // Indices 2, 1, 0 into 5-5-5 entries red, green, blue (8 per step,
        // as 16-bit TGA pixels) and into 4-byte entries.
        TgaCase{"tga_colour_map_16.tga", {{248, 0, 0}, {0, 248, 0}, {0, 0, 248}}},
        TgaCase{"tga_colour_map_32.tga", {{70, 80, 90}, {40, 50, 60}, {10, 20, 30}}}),
    [](const auto& info) { return FileName(info.param.file); });

}  // namespace
}  // namespace wrimple::testing
