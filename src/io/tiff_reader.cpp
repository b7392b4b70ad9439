// TIFF files through libtiff. 8-bit RGB and grey strips are read line by
// line; every other kind (palette, 16-bit, CMYK, YCbCr, tiles, planar) goes
// through libtiff's RGBA conversion.
#include <tiffio.h>

#include <vector>

#include "io/imaging.h"
#include "io/tiff_quiet.h"

namespace wrimple {

namespace {

struct TiffCloser {
  void operator()(TIFF* t) const { TIFFClose(t); }
};

class TiffReader : public ImageFileReader {
 public:
  bool Open(const std::string& path) {
    SilenceTiffMessages();
    tif_.reset(TIFFOpen(path.c_str(), "r"));
    if (!tif_) return false;
    std::uint32_t w = 0, h = 0;
    if (!TIFFGetField(tif_.get(), TIFFTAG_IMAGEWIDTH, &w) ||
        !TIFFGetField(tif_.get(), TIFFTAG_IMAGELENGTH, &h) || !AcceptableDecodeSize(w, h))
      return false;
    width_ = int(w);
    height_ = int(h);
    samples_ = LineByLineSamples();
    char message[1024];
    return samples_ != 0 || TIFFRGBAImageOK(tif_.get(), message);
  }

  bool ReadRows(std::uint8_t* first_row, std::ptrdiff_t stride) override {
    return samples_ != 0 ? ReadLines(first_row, stride) : ReadRgba(first_row, stride);
  }

 private:
  // Samples per pixel when the picture can be read line by line as 8-bit
  // grey or RGB (with any extra samples after them), else 0.
  int LineByLineSamples() const {
    std::uint16_t bits = 0, samples = 0, planar = 0, photometric = 0;
    TIFFGetFieldDefaulted(tif_.get(), TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tif_.get(), TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetFieldDefaulted(tif_.get(), TIFFTAG_PLANARCONFIG, &planar);
    if (!TIFFGetField(tif_.get(), TIFFTAG_PHOTOMETRIC, &photometric)) return 0;
    if (bits != 8 || planar != PLANARCONFIG_CONTIG || TIFFIsTiled(tif_.get())) return 0;
    if (photometric == PHOTOMETRIC_RGB && samples >= 3) return samples;
    if (photometric == PHOTOMETRIC_MINISBLACK && samples >= 1) return -samples;
    return 0;
  }

  bool ReadLines(std::uint8_t* first_row, std::ptrdiff_t stride) {
    const int samples = samples_ < 0 ? -samples_ : samples_;
    const tmsize_t line_size = TIFFScanlineSize(tif_.get());
    if (line_size < tmsize_t(samples) * width_) return false;
    std::vector<std::uint8_t> line(static_cast<std::size_t>(line_size));
    for (int y = 0; y < height_; ++y) {
      if (TIFFReadScanline(tif_.get(), line.data(), std::uint32_t(y), 0) < 0) return false;
      std::uint8_t* out = first_row + y * stride;
      const std::uint8_t* in = line.data();
      if (samples_ > 0) {
        for (int x = 0; x < width_; ++x, in += samples, out += 3)
          out[0] = in[2], out[1] = in[1], out[2] = in[0];
      } else {
        for (int x = 0; x < width_; ++x, in += samples, out += 3) out[0] = out[1] = out[2] = in[0];
      }
    }
    return true;
  }

  bool ReadRgba(std::uint8_t* first_row, std::ptrdiff_t stride) {
    std::vector<std::uint32_t> raster(std::size_t(width_) * std::size_t(height_));
    if (!TIFFReadRGBAImageOriented(tif_.get(), std::uint32_t(width_), std::uint32_t(height_),
                                   raster.data(), ORIENTATION_TOPLEFT, 0))
      return false;
    const std::uint32_t* in = raster.data();
    for (int y = 0; y < height_; ++y) {
      std::uint8_t* out = first_row + y * stride;
      for (int x = 0; x < width_; ++x, ++in, out += 3) {
        out[0] = std::uint8_t(TIFFGetB(*in));
        out[1] = std::uint8_t(TIFFGetG(*in));
        out[2] = std::uint8_t(TIFFGetR(*in));
      }
    }
    return true;
  }

  std::unique_ptr<TIFF, TiffCloser> tif_;
  int samples_ = 0;  // > 0 RGB, < 0 grey, 0 through the RGBA conversion
};

}  // namespace

std::unique_ptr<ImageFileReader> OpenTiffReader(const std::string& path) {
  auto reader = std::make_unique<TiffReader>();
  if (!reader->Open(path)) return nullptr;
  return reader;
}

}  // namespace wrimple
