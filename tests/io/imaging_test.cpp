// The imaging adapter: every kind of PNG, TIFF, JPEG and BMP decodes to
// blue-green-red rows that match a model of the file's content, and the
// encoders' files decode back to what they were given.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>
#include <png.h>
#include <tiffio.h>
#include <zlib.h>

#include <functional>
#include <vector>

#include "io/imaging.h"
#include "io_fixtures.h"

namespace wrimple::testing {
namespace {

// A picture as a test expects it: top row first, 3 bytes per pixel.
struct Expected {
  int width = 0, height = 0;
  std::vector<std::uint8_t> bgr;
  void Set(int x, int y, Bgr p) { std::copy(p.begin(), p.end(), bgr.begin() + 3 * (y * width + x)); }
};

Expected MakeExpected(int w, int h, const std::function<Bgr(int, int)>& pixel) {
  Expected e{w, h, std::vector<std::uint8_t>(std::size_t(3 * w * h))};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) e.Set(x, y, pixel(x, y));
  return e;
}

void ExpectDecodes(const std::string& path, const Expected& e) {
  int w = 0, h = 0;
  const std::vector<std::uint8_t> got = DecodeAll(path, w, h);
  ASSERT_FALSE(got.empty()) << path;
  EXPECT_EQ(w, e.width);
  EXPECT_EQ(h, e.height);
  EXPECT_EQ(got, e.bgr);
}

// ---- PNG files of every colour type, written with libpng ----

struct PngKind {
  const char* name;
  int color_type;
  int bit_depth;
  bool interlaced;
};

// One sample of channel c at (x, y) of the file: 0..255, stored scaled to the
// depth (c * 257 for 16 bits, so both halves agree).
int Sample(int x, int y, int c) { return (x * 29 + y * 13 + c * 71) & 255; }

void WritePng(const std::string& path, const PngKind& k, int w, int h) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_init_io(png, f);
  png_set_IHDR(png, info, w, h, k.bit_depth, k.color_type, k.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (k.color_type == PNG_COLOR_TYPE_PALETTE) {
    png_color palette[4] = {{10, 20, 30}, {200, 100, 0}, {0, 255, 7}, {99, 98, 97}};
    png_set_PLTE(png, info, palette, 4);
  }
  png_write_info(png, info);
  const int passes = png_set_interlace_handling(png);
  const int channels = png_get_channels(png, info);
  std::vector<std::uint8_t> row(std::size_t(w * channels * 2 + 8), 0);
  for (int pass = 0; pass < passes; ++pass)
    for (int y = 0; y < h; ++y) {
      std::fill(row.begin(), row.end(), 0);
      for (int x = 0; x < w; ++x)
        for (int c = 0; c < channels; ++c) {
          const int v = Sample(x, y, c);
          if (k.bit_depth == 16) {
            row[std::size_t(2 * (x * channels + c))] = std::uint8_t(v);
            row[std::size_t(2 * (x * channels + c) + 1)] = std::uint8_t(v);
          } else if (k.bit_depth == 8) {
            row[std::size_t(x * channels + c)] = std::uint8_t(v);
          } else {  // 1 or 2 bits, one channel
            const int levels = (1 << k.bit_depth) - 1;
            const int per_byte = 8 / k.bit_depth;
            const int shift = 8 - k.bit_depth * (x % per_byte + 1);
            row[std::size_t(x / per_byte)] |= std::uint8_t((v & levels) << shift);
          }
        }
      png_write_row(png, row.data());
    }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  std::fclose(f);
}

Bgr PngModel(const PngKind& k, int x, int y) {
  static const Bgr kPalette[4] = {{30, 20, 10}, {0, 100, 200}, {7, 255, 0}, {97, 98, 99}};
  const auto grey = [](int g) { return Bgr{std::uint8_t(g), std::uint8_t(g), std::uint8_t(g)}; };
  if (k.color_type == PNG_COLOR_TYPE_PALETTE) return kPalette[Sample(x, y, 0) & 3];
  if (k.color_type == PNG_COLOR_TYPE_GRAY || k.color_type == PNG_COLOR_TYPE_GRAY_ALPHA) {
    if (k.bit_depth < 8) {
      const int levels = (1 << k.bit_depth) - 1;
      return grey((Sample(x, y, 0) & levels) * 255 / levels);
    }
    return grey(Sample(x, y, 0));
  }
  return Bgr{std::uint8_t(Sample(x, y, 2)), std::uint8_t(Sample(x, y, 1)), std::uint8_t(Sample(x, y, 0))};
}

class PngDecoding : public TempFolder, public ::testing::WithParamInterface<PngKind> {};

TEST_P(PngDecoding, MatchesTheModel) {
  const PngKind k = GetParam();
  const int w = 13, h = 7;
  WritePng(Path("p.png"), k, w, h);
  ExpectDecodes(Path("p.png"), MakeExpected(w, h, [&](int x, int y) { return PngModel(k, x, y); }));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, PngDecoding,
    ::testing::Values(PngKind{"Rgb8", PNG_COLOR_TYPE_RGB, 8, false}, PngKind{"Rgb16", PNG_COLOR_TYPE_RGB, 16, false},
                      PngKind{"Rgba8", PNG_COLOR_TYPE_RGB_ALPHA, 8, false},
                      PngKind{"Rgba16", PNG_COLOR_TYPE_RGB_ALPHA, 16, false},
                      PngKind{"Grey8", PNG_COLOR_TYPE_GRAY, 8, false}, PngKind{"Grey1", PNG_COLOR_TYPE_GRAY, 1, false},
                      PngKind{"Grey2", PNG_COLOR_TYPE_GRAY, 2, false},
                      PngKind{"GreyAlpha16", PNG_COLOR_TYPE_GRAY_ALPHA, 16, false},
                      PngKind{"Palette2", PNG_COLOR_TYPE_PALETTE, 2, false},
                      PngKind{"InterlacedRgb8", PNG_COLOR_TYPE_RGB, 8, true}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- TIFF files of several layouts, written with libtiff ----

struct TiffKind {
  const char* name;
  int bits;
  int samples;  // 1 grey or palette, 3 RGB
  int photometric;
  int compression;
  bool tiled;
  bool planes = false;  // one plane per sample
};

void WriteTiff(const std::string& path, const TiffKind& k, int w, int h, int orientation = ORIENTATION_TOPLEFT) {
  TIFF* t = TIFFOpen(path.c_str(), "w");
  TIFFSetField(t, TIFFTAG_ORIENTATION, orientation);
  TIFFSetField(t, TIFFTAG_IMAGEWIDTH, w);
  TIFFSetField(t, TIFFTAG_IMAGELENGTH, h);
  TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, k.bits);
  TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, k.samples);
  TIFFSetField(t, TIFFTAG_PHOTOMETRIC, k.photometric);
  TIFFSetField(t, TIFFTAG_PLANARCONFIG, k.planes ? PLANARCONFIG_SEPARATE : PLANARCONFIG_CONTIG);
  TIFFSetField(t, TIFFTAG_COMPRESSION, k.compression);
  std::vector<std::uint16_t> map[3];
  if (k.photometric == PHOTOMETRIC_PALETTE) {
    for (int c = 0; c < 3; ++c) {
      map[c].resize(256);
      for (int i = 0; i < 256; ++i) map[c][std::size_t(i)] = std::uint16_t(((i * (c + 3)) & 255) * 257);
    }
    TIFFSetField(t, TIFFTAG_COLORMAP, map[0].data(), map[1].data(), map[2].data());
  }
  const int bytes = k.bits / 8;
  // Samples first to last of pixel (x, y), or only sample `plane` when the
  // samples lie in planes.
  auto fill = [&](std::vector<std::uint8_t>& buf, int x, int y, std::size_t at, int plane) {
    const int first = k.planes ? plane : 0, last = k.planes ? plane : k.samples - 1;
    for (int c = first; c <= last; ++c)
      for (int b = 0; b < bytes; ++b) buf[at + std::size_t((c - first) * bytes + b)] = std::uint8_t(Sample(x, y, c));
  };
  const std::size_t pixel = std::size_t((k.planes ? 1 : k.samples) * bytes);
  for (int plane = 0; plane < (k.planes ? k.samples : 1); ++plane) {
    const auto sample = std::uint16_t(plane);
    if (k.tiled) {
      TIFFSetField(t, TIFFTAG_TILEWIDTH, 16);
      TIFFSetField(t, TIFFTAG_TILELENGTH, 16);
      std::vector<std::uint8_t> tile(16 * 16 * pixel, 0);
      for (int ty = 0; ty < h; ty += 16)
        for (int tx = 0; tx < w; tx += 16) {
          std::fill(tile.begin(), tile.end(), 0);
          for (int y = ty; y < std::min(h, ty + 16); ++y)
            for (int x = tx; x < std::min(w, tx + 16); ++x)
              fill(tile, x, y, ((y - ty) * 16 + (x - tx)) * pixel, plane);
          TIFFWriteTile(t, tile.data(), std::uint32_t(tx), std::uint32_t(ty), 0, sample);
        }
    } else {
      TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, 3);
      std::vector<std::uint8_t> line(std::size_t(w) * pixel);
      for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) fill(line, x, y, std::size_t(x) * pixel, plane);
        TIFFWriteScanline(t, line.data(), std::uint32_t(y), sample);
      }
    }
  }
  TIFFClose(t);
}

Bgr TiffModel(const TiffKind& k, int x, int y) {
  if (k.photometric == PHOTOMETRIC_PALETTE) {
    const int i = Sample(x, y, 0);
    return Bgr{std::uint8_t((i * 5) & 255), std::uint8_t((i * 4) & 255), std::uint8_t((i * 3) & 255)};
  }
  if (k.samples == 1) {
    const auto g = std::uint8_t(Sample(x, y, 0));
    return Bgr{g, g, g};
  }
  return Bgr{std::uint8_t(Sample(x, y, 2)), std::uint8_t(Sample(x, y, 1)), std::uint8_t(Sample(x, y, 0))};
}

class TiffDecoding : public TempFolder, public ::testing::WithParamInterface<TiffKind> {};

TEST_P(TiffDecoding, MatchesTheModel) {
  const TiffKind k = GetParam();
  const int w = 21, h = 18;
  WriteTiff(Path("t.tif"), k, w, h);
  ExpectDecodes(Path("t.tif"), MakeExpected(w, h, [&](int x, int y) { return TiffModel(k, x, y); }));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, TiffDecoding,
    ::testing::Values(TiffKind{"Rgb8", 8, 3, PHOTOMETRIC_RGB, COMPRESSION_NONE, false},
                      TiffKind{"Rgb8Lzw", 8, 3, PHOTOMETRIC_RGB, COMPRESSION_LZW, false},
                      TiffKind{"Rgb16", 16, 3, PHOTOMETRIC_RGB, COMPRESSION_NONE, false},
                      TiffKind{"Grey8", 8, 1, PHOTOMETRIC_MINISBLACK, COMPRESSION_NONE, false},
                      TiffKind{"Palette8", 8, 1, PHOTOMETRIC_PALETTE, COMPRESSION_NONE, false},
                      TiffKind{"TiledRgb8", 8, 3, PHOTOMETRIC_RGB, COMPRESSION_DEFLATE, true},
                      TiffKind{"Rgb8Planes", 8, 3, PHOTOMETRIC_RGB, COMPRESSION_NONE, false, true},
                      TiffKind{"TiledGrey16Planes", 16, 1, PHOTOMETRIC_MINISBLACK, COMPRESSION_LZW, true, true},
                      TiffKind{"TiledPalette8", 8, 1, PHOTOMETRIC_PALETTE, COMPRESSION_NONE, true}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Orientation, whatever the storage ----

// Bilevel, Group 4 fax coded, black where the pattern's lowest bit is set.
void WriteBilevelTiff(const std::string& path, int w, int h, int orientation) {
  TIFF* t = TIFFOpen(path.c_str(), "w");
  TIFFSetField(t, TIFFTAG_IMAGEWIDTH, w);
  TIFFSetField(t, TIFFTAG_IMAGELENGTH, h);
  TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 1);
  TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, 1);
  TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE);
  TIFFSetField(t, TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX4);
  TIFFSetField(t, TIFFTAG_ORIENTATION, orientation);
  TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, h);
  std::vector<std::uint8_t> line(std::size_t((w + 7) / 8));
  for (int y = 0; y < h; ++y) {
    std::fill(line.begin(), line.end(), 0);
    for (int x = 0; x < w; ++x) line[std::size_t(x / 8)] |= std::uint8_t((Sample(x, y, 0) & 1) << (7 - x % 8));
    TIFFWriteScanline(t, line.data(), std::uint32_t(y), 0);
  }
  TIFFClose(t);
}

const TiffKind kBilevel{"BilevelG4", 1, 1, PHOTOMETRIC_MINISWHITE, COMPRESSION_CCITTFAX4, false};

Bgr StoredModel(const TiffKind& k, int x, int y) {
  if (k.bits == 1) return Sample(x, y, 0) & 1 ? Bgr{0, 0, 0} : Bgr{255, 255, 255};
  return TiffModel(k, x, y);
}

// The stored pixel that orientation o shows at (x, y), for a stored w x h.
std::pair<int, int> StoredPosition(int o, int x, int y, int w, int h) {
  switch (o) {
    case 2: return {w - 1 - x, y};
    case 3: return {w - 1 - x, h - 1 - y};
    case 4: return {x, h - 1 - y};
    case 5: return {y, x};
    case 6: return {y, h - 1 - x};
    case 7: return {w - 1 - y, h - 1 - x};
    case 8: return {w - 1 - y, x};
    default: return {x, y};
  }
}

class TiffOrientation : public TempFolder, public ::testing::WithParamInterface<std::tuple<TiffKind, int>> {};

TEST_P(TiffOrientation, LoadsAsMeantToBeShown) {
  const auto [k, o] = GetParam();
  const int w = 21, h = 18;
  if (k.bits == 1)
    WriteBilevelTiff(Path("o.tif"), w, h, o);
  else
    WriteTiff(Path("o.tif"), k, w, h, o);
  const bool swap = o >= 5;
  ExpectDecodes(Path("o.tif"), MakeExpected(swap ? h : w, swap ? w : h, [&](int x, int y) {
                  const auto [sx, sy] = StoredPosition(o, x, y, w, h);
                  return StoredModel(k, sx, sy);
                }));
}

INSTANTIATE_TEST_SUITE_P(
    Storages, TiffOrientation,
    ::testing::Combine(::testing::Values(TiffKind{"Rgb8", 8, 3, PHOTOMETRIC_RGB, COMPRESSION_NONE, false},
                                         TiffKind{"TiledRgb8", 8, 3, PHOTOMETRIC_RGB, COMPRESSION_DEFLATE, true},
                                         TiffKind{"Grey8", 8, 1, PHOTOMETRIC_MINISBLACK, COMPRESSION_NONE, false},
                                         TiffKind{"Rgb16", 16, 3, PHOTOMETRIC_RGB, COMPRESSION_NONE, false},
                                         TiffKind{"Palette8", 8, 1, PHOTOMETRIC_PALETTE, COMPRESSION_NONE, false},
                                         TiffKind{"TiledPalette8", 8, 1, PHOTOMETRIC_PALETTE, COMPRESSION_NONE, true},
                                         kBilevel),
                       ::testing::Range(1, 9)),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).name) + "_" + std::to_string(std::get<1>(info.param));
    });

// ---- The encoders ----

std::string ContainerName(const ::testing::TestParamInfo<ImageContainer>& info) {
  static const char* const kNames[] = {"Bmp", "Jpeg", "Png", "Tiff"};
  return kNames[int(info.param)];
}

class Encoding : public TempFolder, public ::testing::WithParamInterface<ImageContainer> {};

// A bottom-up padded picture like the target, handed over top row first.
struct BottomUpPattern {
  explicit BottomUpPattern(int w, int h) : bits(std::size_t(RowLength24(w)) * h, 0xee), image(bits.data(), w, h) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) WritePixel(image.pixel(x, y), PatternPixel(x, y));
  }
  BgrRows rows() const {
    return {image.width(), image.height(), image.row(0), -std::ptrdiff_t(image.row_length())};
  }
  std::vector<std::uint8_t> bits;
  TargetImage image;
};

bool Encode(const std::string& path, ImageContainer c, const BgrRows& rows) {
  UniqueFile f(std::fopen(path.c_str(), "wb"));
  return WriteImageFile(f.get(), c, rows);
}

TEST_P(Encoding, DecodesBackToThePicture) {
  const BottomUpPattern picture(19, 11);
  ASSERT_TRUE(Encode(Path("e"), GetParam(), picture.rows()));
  int w = 0, h = 0;
  const std::vector<std::uint8_t> got = DecodeAll(Path("e"), w, h);
  ASSERT_EQ(got.size(), std::size_t(3 * 19 * 11));
  const Expected want = MakeExpected(19, 11, PatternPixel);
  if (GetParam() != ImageContainer::Jpeg) {
    EXPECT_EQ(got, want.bgr);
    return;
  }
  long error = 0;
  for (std::size_t i = 0; i < got.size(); ++i) error += std::abs(int(got[i]) - int(want.bgr[i]));
  EXPECT_LT(double(error) / double(got.size()), 12.0) << "quality 90 keeps the picture close";
}

INSTANTIATE_TEST_SUITE_P(Containers, Encoding,
                         ::testing::Values(ImageContainer::Bmp, ImageContainer::Png, ImageContainer::Tiff,
                                           ImageContainer::Jpeg),
                         ContainerName);

using ImagingFiles = TempFolder;

TEST_F(ImagingFiles, BmpWriterKeepsRowPaddingZero) {
  const BottomUpPattern picture(5, 3);
  ASSERT_TRUE(Encode(Path("p.bmp"), ImageContainer::Bmp, picture.rows()));
  EXPECT_EQ(ReadBytes(Path("p.bmp")), PatternBmp(5, 3));
}

TEST_F(ImagingFiles, JpegOfAGreyPictureDecodesToEqualChannels) {
  std::FILE* f = std::fopen(Path("g.jpg").c_str(), "wb");
  jpeg_compress_struct c{};
  jpeg_error_mgr e{};
  c.err = jpeg_std_error(&e);
  jpeg_create_compress(&c);
  jpeg_stdio_dest(&c, f);
  c.image_width = 8;
  c.image_height = 8;
  c.input_components = 1;
  c.in_color_space = JCS_GRAYSCALE;
  jpeg_set_defaults(&c);
  jpeg_start_compress(&c, TRUE);
  std::uint8_t row[8];
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) row[x] = std::uint8_t(x * 30);
    JSAMPROW r = row;
    jpeg_write_scanlines(&c, &r, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  std::fclose(f);
  int w = 0, h = 0;
  const std::vector<std::uint8_t> got = DecodeAll(Path("g.jpg"), w, h);
  ASSERT_EQ(got.size(), 3u * 64);
  for (std::size_t i = 0; i < got.size(); i += 3) {
    EXPECT_EQ(got[i], got[i + 1]);
    EXPECT_EQ(got[i], got[i + 2]);
  }
  EXPECT_NEAR(got[3 * 7], 210, 8);
}

TEST_F(ImagingFiles, BmpOfEightBitsGoesThroughItsColourTable) {
  // 2 x 1, 8 bits, a two-entry colour table.
  std::vector<std::uint8_t> f = PatternBmp(1, 1);
  f.resize(54 + 8 + 4, 0);
  f[10] = 62;
  f[28] = 8;
  f[46] = 2;  // colours used
  f[18] = 2;  // width 2
  const std::uint8_t table[8] = {1, 2, 3, 0, 40, 50, 60, 0};
  std::copy(table, table + 8, f.begin() + 54);
  f[62] = 1;
  f[63] = 0;
  f[2] = std::uint8_t(f.size());
  WriteBytes(Path("i.bmp"), f);
  int w = 0, h = 0;
  EXPECT_EQ(DecodeAll(Path("i.bmp"), w, h), (std::vector<std::uint8_t>{40, 50, 60, 1, 2, 3}));
}

struct BadFile {
  const char* name;
  std::vector<std::uint8_t> bytes;
};

class UnreadableFiles : public TempFolder, public ::testing::WithParamInterface<BadFile> {};

// Refused before any pixel is read, or failing while reading: never a crash.
TEST_P(UnreadableFiles, FailWithoutCrashing) {
  WriteBytes(Path("bad"), GetParam().bytes);
  int w = 0, h = 0;
  EXPECT_TRUE(DecodeAll(Path("bad"), w, h).empty());
}

std::vector<std::uint8_t> PngHeaderOnly(std::uint32_t width, std::uint32_t height) {
  std::vector<std::uint8_t> v = {0x89, 'P', 'N', 'G', 0x0d, 0x0a, 0x1a, 0x0a, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  for (std::uint32_t x : {width, height})
    for (int s = 24; s >= 0; s -= 8) v.push_back(std::uint8_t(x >> s));
  v.insert(v.end(), {8, 2, 0, 0, 0});
  const std::uint32_t crc = std::uint32_t(crc32(0, v.data() + 12, 17));
  for (int s = 24; s >= 0; s -= 8) v.push_back(std::uint8_t(crc >> s));
  return v;
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnreadableFiles,
    ::testing::Values(BadFile{"Empty", {}}, BadFile{"Garbage", {1, 2, 3, 4, 5, 6, 7, 8, 9}},
                      BadFile{"PngSignatureOnly", {0x89, 'P', 'N', 'G', 0x0d, 0x0a, 0x1a, 0x0a}},
                      BadFile{"PngTooWide", PngHeaderOnly(30000, 1)},
                      BadFile{"PngWithoutPixels", PngHeaderOnly(10, 10)},
                      BadFile{"JpegMarkerOnly", {0xff, 0xd8, 0xff, 0xe0, 0, 2}},
                      BadFile{"TiffHeaderOnly", {'I', 'I', 42, 0, 8, 0, 0, 0}},
                      BadFile{"BmpHeaderOnly", {'B', 'M', 0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ImagingFiles, MissingFileHasNoReader) { EXPECT_EQ(OpenImageFileReader(Path("none.png")), nullptr); }

}  // namespace
}  // namespace wrimple::testing
