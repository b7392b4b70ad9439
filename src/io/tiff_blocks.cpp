#include "io/tiff_blocks.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "io/imaging.h"

namespace wrimple {

namespace {

// A block larger than this, and than four times the picture's samples, is a
// damaged header rather than a picture.
constexpr std::uint64_t kLeastBlockLimit = std::min<std::uint64_t>(std::uint64_t(16) << 20, kMaxDecodedBytes);

int ColourSamples(std::uint16_t photometric, std::uint16_t samples) {
  if (photometric == PHOTOMETRIC_RGB && samples >= 3) return 3;
  if ((photometric == PHOTOMETRIC_MINISBLACK || photometric == PHOTOMETRIC_MINISWHITE) && samples >= 1) return 1;
  return 0;
}

bool SetBlockShape(TIFF* tif, SampleBlocks& b) {
  if (b.tiled) {
    std::uint32_t tile_width = 0, tile_height = 0;
    if (!TIFFGetField(tif, TIFFTAG_TILEWIDTH, &tile_width) || !TIFFGetField(tif, TIFFTAG_TILELENGTH, &tile_height))
      return false;
    if (tile_width == 0 || tile_height == 0 || tile_width > 65536 || tile_height > 65536) return false;
    b.block_width = int(tile_width);
    b.block_height = int(tile_height);
    b.block_row_bytes = std::size_t(TIFFTileRowSize(tif));
    return true;
  }
  std::uint32_t rows_per_strip = 0;
  TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &rows_per_strip);
  if (rows_per_strip == 0) return false;
  b.block_width = b.width;
  b.block_height = int(std::min<std::uint32_t>(rows_per_strip, std::uint32_t(b.height)));
  b.block_row_bytes = std::size_t(TIFFScanlineSize(tif));
  return true;
}

// Whether the blocks hold exactly the rows their shape says, within a size
// the picture can need.
bool SoundBlockSize(const SampleBlocks& b) {
  const int per_block = b.planes ? 1 : b.samples;
  const std::uint64_t row = std::uint64_t(b.block_width) * std::uint64_t(per_block) * std::uint64_t(b.sample_bytes);
  if (b.block_row_bytes != row) return false;
  const std::uint64_t picture = std::uint64_t(b.width) * std::uint64_t(b.height) * std::uint64_t(b.samples) *
                                std::uint64_t(b.sample_bytes);
  return row * std::uint64_t(b.block_height) <= std::max(kLeastBlockLimit, 4 * picture);
}

}  // namespace

SampleBlocks DescribeSampleBlocks(TIFF* tif, int width, int height) {
  SampleBlocks b;
  b.width = width;
  b.height = height;
  std::uint16_t bits = 0, samples = 0, planar = 0, format = 0, photometric = 0;
  TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bits);
  TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &samples);
  TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &planar);
  TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLEFORMAT, &format);
  if (!TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &photometric)) return b;
  if ((bits != 8 && bits != 16) || format != SAMPLEFORMAT_UINT) return b;
  b.colours = ColourSamples(photometric, samples);
  if (b.colours == 0) return b;
  b.sample_bytes = bits / 8;
  b.samples = samples;
  b.planes = planar == PLANARCONFIG_SEPARATE;
  b.white_is_zero = photometric == PHOTOMETRIC_MINISWHITE;
  b.tiled = TIFFIsTiled(tif) != 0;
  b.readable = SetBlockShape(tif, b) && SoundBlockSize(b);
  return b;
}

namespace {

// Where each channel of one block row starts, and the samples from one pixel
// to the next.
struct ChannelRow {
  const std::uint8_t* channel[4];
  std::size_t step;
};

template <typename Sample>
unsigned Load(const std::uint8_t* at) {
  Sample v;
  std::memcpy(&v, at, sizeof v);
  return v;
}

inline std::uint8_t To8(unsigned v, int sample_bytes) {
  // Rounded, as libtiff's own conversion of 16-bit samples.
  return std::uint8_t(sample_bytes == 1 ? v : (v + 128) / 257);
}

// The common case: 8-bit RGB with nothing to divide out.
void CopyRgb8(const ChannelRow& in, int count, std::uint8_t* out) {
  const std::uint8_t* p = in.channel[0];
  for (int x = 0; x < count; ++x, p += in.step, out += 3) {
    out[0] = p[2];
    out[1] = p[1];
    out[2] = p[0];
  }
}

template <typename Sample>
void ConvertRow(const ChannelRow& in, int count, const SampleBlocks& b, bool associated_alpha, std::uint8_t* out) {
  const unsigned max = (1u << (8 * sizeof(Sample))) - 1;
  for (int x = 0; x < count; ++x, out += 3) {
    const std::size_t at = std::size_t(x) * in.step * sizeof(Sample);
    unsigned v[3] = {0, 0, 0};
    for (int c = 0; c < b.colours; ++c) v[c] = Load<Sample>(in.channel[c] + at);
    if (associated_alpha) {
      const unsigned alpha = Load<Sample>(in.channel[b.colours] + at);
      for (int c = 0; c < b.colours; ++c) v[c] = Unpremultiply(v[c], alpha, max);
    }
    if (b.white_is_zero) v[0] = max - v[0];
    if (b.colours == 1) v[1] = v[2] = v[0];
    out[0] = To8(v[2], b.sample_bytes);
    out[1] = To8(v[1], b.sample_bytes);
    out[2] = To8(v[0], b.sample_bytes);
  }
}

void WriteRow(const ChannelRow& in, int count, const SampleBlocks& b, bool associated_alpha, std::uint8_t* out) {
  if (b.sample_bytes == 2) return ConvertRow<std::uint16_t>(in, count, b, associated_alpha, out);
  if (b.colours == 3 && !b.planes && !associated_alpha) return CopyRgb8(in, count, out);
  ConvertRow<std::uint8_t>(in, count, b, associated_alpha, out);
}

}  // namespace

bool ReadSampleBlocks(TIFF* tif, const SampleBlocks& b, bool associated_alpha, std::uint8_t* first_row,
                      std::ptrdiff_t stride) {
  associated_alpha = associated_alpha && b.samples > b.colours;
  const int planes = b.planes ? b.colours + (associated_alpha ? 1 : 0) : 1;
  const std::size_t block_bytes = b.block_row_bytes * std::size_t(b.block_height);
  std::vector<std::uint8_t> buffer(block_bytes * std::size_t(planes));
  for (int by = 0; by < b.height; by += b.block_height) {
    const int rows = std::min(b.block_height, b.height - by);
    for (int bx = 0; bx < b.width; bx += b.block_width) {
      const int columns = std::min(b.block_width, b.width - bx);
      for (int p = 0; p < planes; ++p) {
        std::uint8_t* plane = buffer.data() + std::size_t(p) * block_bytes;
        const auto sample = std::uint16_t(p);
        const tmsize_t wanted = tmsize_t(b.tiled ? block_bytes : b.block_row_bytes * std::size_t(rows));
        const tmsize_t got =
            b.tiled ? TIFFReadEncodedTile(tif, TIFFComputeTile(tif, std::uint32_t(bx), std::uint32_t(by), 0, sample),
                                          plane, wanted)
                    : TIFFReadEncodedStrip(tif, TIFFComputeStrip(tif, std::uint32_t(by), sample), plane, wanted);
        if (got < wanted) return false;
      }
      for (int r = 0; r < rows; ++r) {
        ChannelRow in{};
        const std::size_t row_start = std::size_t(r) * b.block_row_bytes;
        for (int c = 0; c < 4; ++c)
          in.channel[c] = b.planes ? buffer.data() + std::size_t(std::min(c, planes - 1)) * block_bytes + row_start
                                   : buffer.data() + row_start + std::size_t(c * b.sample_bytes);
        in.step = b.planes ? 1 : std::size_t(b.samples);
        WriteRow(in, columns, b, associated_alpha, first_row + (by + r) * stride + 3 * std::ptrdiff_t(bx));
      }
    }
  }
  return true;
}

}  // namespace wrimple
