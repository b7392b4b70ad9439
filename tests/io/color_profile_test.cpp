// Pictures with an embedded colour profile load in sRGB, as LittleCMS's own
// transform gives them (within one level), from PNG, JPEG and TIFF; the fast
// row loop gives the plain loop's bytes for every colour.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>
#include <lcms2.h>
#include <png.h>
#include <tiffio.h>

#include <vector>

#include "io/color_profile.h"
#include "io/imaging.h"
#include "io_fixtures.h"

namespace wrimple::testing {
namespace {

using Icc = std::vector<std::uint8_t>;

Icc SaveProfile(cmsHPROFILE profile) {
  cmsUInt32Number size = 0;
  cmsSaveProfileToMem(profile, nullptr, &size);
  Icc bytes(size);
  cmsSaveProfileToMem(profile, bytes.data(), &size);
  cmsCloseProfile(profile);
  return bytes;
}

// Display P3 as phones write it: P3 primaries, D65 white, the sRGB curve.
Icc DisplayP3() {
  const cmsCIExyY white{0.3127, 0.3290, 1.0};
  const cmsCIExyYTRIPLE primaries{{0.680, 0.320, 1.0}, {0.265, 0.690, 1.0}, {0.150, 0.060, 1.0}};
  const cmsFloat64Number srgb_curve[5] = {2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045};
  cmsToneCurve* curve = cmsBuildParametricToneCurve(nullptr, 4, srgb_curve);
  cmsToneCurve* curves[3] = {curve, curve, curve};
  Icc icc = SaveProfile(cmsCreateRGBProfile(&white, &primaries, curves));
  cmsFreeToneCurve(curve);
  return icc;
}

// Adobe RGB (1998): its primaries, D65 white, gamma 563/256.
Icc AdobeRgb() {
  const cmsCIExyY white{0.3127, 0.3290, 1.0};
  const cmsCIExyYTRIPLE primaries{{0.640, 0.330, 1.0}, {0.210, 0.710, 1.0}, {0.150, 0.060, 1.0}};
  cmsToneCurve* curve = cmsBuildGamma(nullptr, 563.0 / 256.0);
  cmsToneCurve* curves[3] = {curve, curve, curve};
  Icc icc = SaveProfile(cmsCreateRGBProfile(&white, &primaries, curves));
  cmsFreeToneCurve(curve);
  return icc;
}

// LittleCMS's own transform of blue-green-red pixels to sRGB, perceptual.
std::vector<std::uint8_t> LittleCmsToSrgb(const Icc& icc, std::vector<std::uint8_t> bgr) {
  cmsHPROFILE in = cmsOpenProfileFromMem(icc.data(), cmsUInt32Number(icc.size()));
  cmsHPROFILE out = cmsCreate_sRGBProfile();
  cmsHTRANSFORM t = cmsCreateTransform(in, TYPE_BGR_8, out, TYPE_BGR_8, INTENT_PERCEPTUAL, 0);
  cmsDoTransform(t, bgr.data(), bgr.data(), cmsUInt32Number(bgr.size() / 3));
  cmsDeleteTransform(t);
  cmsCloseProfile(in);
  cmsCloseProfile(out);
  return bgr;
}

::testing::AssertionResult WithinOneLevel(const std::vector<std::uint8_t>& got, const std::vector<std::uint8_t>& want) {
  if (got.size() != want.size()) return ::testing::AssertionFailure() << "sizes differ";
  for (std::size_t i = 0; i < got.size(); ++i)
    if (std::abs(int(got[i]) - int(want[i])) > 1)
      return ::testing::AssertionFailure() << "byte " << i << ": " << int(got[i]) << " for " << int(want[i]);
  return ::testing::AssertionSuccess();
}

constexpr int kWidth = 40, kHeight = 25;  // 1000 colours

// Levels that reach the dark end, where the curves are steepest, and both ends.
std::vector<std::uint8_t> TestColours() {
  const int levels[10] = {0, 1, 3, 9, 30, 64, 128, 200, 250, 255};
  std::vector<std::uint8_t> bgr;
  for (int b : levels)
    for (int g : levels)
      for (int r : levels) bgr.insert(bgr.end(), {std::uint8_t(b), std::uint8_t(g), std::uint8_t(r)});
  return bgr;
}

// The same pixels in red, green, blue order, as the files store them.
std::vector<std::uint8_t> SwapRedBlue(std::vector<std::uint8_t> v) {
  for (std::size_t i = 0; i < v.size(); i += 3) std::swap(v[i], v[i + 2]);
  return v;
}

void WritePngWithProfile(const std::string& path, const std::vector<std::uint8_t>& rgb, const Icc& icc) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_init_io(png, f);
  png_set_IHDR(png, info, kWidth, kHeight, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (!icc.empty()) png_set_iCCP(png, info, "test", 0, icc.data(), png_uint_32(icc.size()));
  png_write_info(png, info);
  for (int y = 0; y < kHeight; ++y) png_write_row(png, &rgb[std::size_t(3 * kWidth * y)]);
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  std::fclose(f);
}

void WriteTiffWithProfile(const std::string& path, const std::vector<std::uint8_t>& rgb, const Icc& icc) {
  TIFF* t = TIFFOpen(path.c_str(), "w");
  TIFFSetField(t, TIFFTAG_IMAGEWIDTH, kWidth);
  TIFFSetField(t, TIFFTAG_IMAGELENGTH, kHeight);
  TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, 3);
  TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
  TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(t, TIFFTAG_ICCPROFILE, std::uint32_t(icc.size()), icc.data());
  for (int y = 0; y < kHeight; ++y)
    TIFFWriteScanline(t, const_cast<std::uint8_t*>(&rgb[std::size_t(3 * kWidth * y)]), std::uint32_t(y), 0);
  TIFFClose(t);
}

void WriteJpegWithProfile(const std::string& path, const std::vector<std::uint8_t>& rgb, const Icc& icc) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  jpeg_compress_struct c{};
  jpeg_error_mgr e{};
  c.err = jpeg_std_error(&e);
  jpeg_create_compress(&c);
  jpeg_stdio_dest(&c, f);
  c.image_width = kWidth;
  c.image_height = kHeight;
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 95, TRUE);
  jpeg_start_compress(&c, TRUE);
  if (!icc.empty()) jpeg_write_icc_profile(&c, icc.data(), unsigned(icc.size()));
  for (int y = 0; y < kHeight; ++y) {
    JSAMPROW row = const_cast<std::uint8_t*>(&rgb[std::size_t(3 * kWidth * y)]);
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  std::fclose(f);
}

using Writer = void (*)(const std::string&, const std::vector<std::uint8_t>&, const Icc&);

struct ProfileCase {
  const char* name;
  Writer write;
  Icc (*profile)();
};

class ProfileLoading : public TempFolder, public ::testing::WithParamInterface<ProfileCase> {};

// The file is written twice, with and without the profile: the one without
// loads as stored, the one with loads as LittleCMS converts those pixels
// (for JPEG the stored pixels are what its decoder gives).
TEST_P(ProfileLoading, GivesLittleCmsColours) {
  const std::vector<std::uint8_t> colours = TestColours();
  const Icc icc = GetParam().profile();
  GetParam().write(Path("plain"), SwapRedBlue(colours), {});
  GetParam().write(Path("profiled"), SwapRedBlue(colours), icc);
  int w = 0, h = 0;
  const std::vector<std::uint8_t> plain = DecodeAll(Path("plain"), w, h);
  const std::vector<std::uint8_t> profiled = DecodeAll(Path("profiled"), w, h);
  ASSERT_EQ(plain.size(), colours.size());
  if (GetParam().write != WriteJpegWithProfile) {
    EXPECT_EQ(plain, colours);
  }
  const std::vector<std::uint8_t> want = LittleCmsToSrgb(icc, plain);
  EXPECT_NE(want, plain) << "the profile changes the colours";
  EXPECT_TRUE(WithinOneLevel(profiled, want));
}

INSTANTIATE_TEST_SUITE_P(Files, ProfileLoading,
                         ::testing::Values(ProfileCase{"PngDisplayP3", WritePngWithProfile, DisplayP3},
                                           ProfileCase{"PngAdobeRgb", WritePngWithProfile, AdobeRgb},
                                           ProfileCase{"TiffAdobeRgb", WriteTiffWithProfile, AdobeRgb},
                                           ProfileCase{"JpegDisplayP3", WriteJpegWithProfile, DisplayP3}),
                         [](const auto& info) { return std::string(info.param.name); });

// Every one of the 2^24 colours: the vector loop and the plain loop agree,
// and both stay within a level of LittleCMS.
TEST(ColourTables, FastLoopMatchesPlainLoopAndLittleCms) {
  for (const Icc& icc : {DisplayP3(), AdobeRgb()}) {
    const std::unique_ptr<MatrixShaperTables> tables = MatrixShaperTablesFor(icc.data(), icc.size());
    ASSERT_TRUE(tables);
    std::vector<std::uint8_t> all(std::size_t(3) << 24);
    for (std::size_t i = 0; i < all.size() / 3; ++i) {
      all[3 * i] = std::uint8_t(i);
      all[3 * i + 1] = std::uint8_t(i >> 8);
      all[3 * i + 2] = std::uint8_t(i >> 16);
    }
    std::vector<std::uint8_t> plain = all, fast = all;
    ConvertRowPlain(*tables, plain.data(), 1 << 24);
    ConvertRowFast(*tables, fast.data(), 1 << 24);
    EXPECT_EQ(plain, fast);
    EXPECT_TRUE(WithinOneLevel(fast, LittleCmsToSrgb(icc, all)));
  }
}

TEST(ColourTables, OnlyRgbProfilesConvert) {
  cmsToneCurve* curve = cmsBuildGamma(nullptr, 2.2);
  const Icc grey = SaveProfile(cmsCreateGrayProfile(cmsD50_xyY(), curve));
  cmsFreeToneCurve(curve);
  EXPECT_EQ(SrgbConversion::FromProfile(grey.data(), grey.size()), nullptr);
  const std::uint8_t garbage[200] = {1, 2, 3};
  EXPECT_EQ(SrgbConversion::FromProfile(garbage, sizeof garbage), nullptr);
  const Icc p3 = DisplayP3();
  EXPECT_NE(SrgbConversion::FromProfile(p3.data(), p3.size()), nullptr);
}

}  // namespace
}  // namespace wrimple::testing
