// TIFF and BigTIFF files through libtiff. Grey and RGB pictures of 8 or 16
// bits per sample are read block by block (strips or tiles, samples together
// or in planes); every other kind (palette, bilevel, CMYK, YCbCr, Lab) goes
// through libtiff's RGBA conversion. Both read the picture as stored and stop
// at the first block that cannot be decoded; the orientation is applied
// afterwards. Unassociated alpha is dropped and associated alpha divided out,
// so the colours are the same whatever the storage.
#include <tiffio.h>

#include <algorithm>
#include <vector>

#include "io/imaging.h"
#include "io/tiff_blocks.h"
#include "io/tiff_quiet.h"

namespace wrimple {

namespace {

struct TiffCloser {
  void operator()(TIFF* t) const { TIFFClose(t); }
};

// A TIFF file held in memory, read through libtiff's client callbacks.
struct MemoryTiff {
  const std::uint8_t* data = nullptr;
  toff_t size = 0;
  toff_t position = 0;
};

MemoryTiff& Source(thandle_t handle) { return *static_cast<MemoryTiff*>(handle); }

tmsize_t ReadMemory(thandle_t handle, void* buffer, tmsize_t n) {
  MemoryTiff& m = Source(handle);
  const toff_t left = m.position < m.size ? m.size - m.position : 0;
  const toff_t count = std::min<toff_t>(left, toff_t(n));
  std::copy_n(m.data + m.position, count, static_cast<std::uint8_t*>(buffer));
  m.position += count;
  return tmsize_t(count);
}
tmsize_t WriteNothing(thandle_t, void*, tmsize_t) { return 0; }
toff_t SeekMemory(thandle_t handle, toff_t offset, int whence) {
  MemoryTiff& m = Source(handle);
  const toff_t base = whence == SEEK_CUR ? m.position : whence == SEEK_END ? m.size : 0;
  m.position = base + offset;
  return m.position;
}
int CloseNothing(thandle_t) { return 0; }
toff_t MemorySize(thandle_t handle) { return Source(handle).size; }
int MapMemory(thandle_t handle, void** base, toff_t* size) {
  // libtiff only reads through the map of a file opened for reading.
  *base = const_cast<std::uint8_t*>(Source(handle).data);
  *size = Source(handle).size;
  return 1;
}
void UnmapNothing(thandle_t, void*, toff_t) {}

class TiffReader : public ImageFileReader {
 public:
  bool OpenFile(const std::string& path) {
    tif_.reset(TIFFOpen(path.c_str(), "r"));
    return Open();
  }

  bool OpenMemory(const std::uint8_t* data, std::size_t size) {
    memory_ = MemoryTiff{data, toff_t(size)};
    tif_.reset(TIFFClientOpen("memory", "r", &memory_, ReadMemory, WriteNothing, SeekMemory, CloseNothing,
                              MemorySize, MapMemory, UnmapNothing));
    return Open();
  }

 private:
  // Header validation: the size, the orientation and how the samples can be
  // read, before any pixel memory is taken.
  bool Open() {
    if (!tif_) return false;
    std::uint32_t w = 0, h = 0;
    if (!TIFFGetField(tif_.get(), TIFFTAG_IMAGEWIDTH, &w) ||
        !TIFFGetField(tif_.get(), TIFFTAG_IMAGELENGTH, &h) || !AcceptableDecodeSize(w, h))
      return false;
    SetStoredSize(int(w), int(h));
    std::uint16_t orientation = ORIENTATION_TOPLEFT;
    TIFFGetFieldDefaulted(tif_.get(), TIFFTAG_ORIENTATION, &orientation);
    stored_orientation_ = orientation;
    SetOrientation(ValidOrientation(orientation));
    associated_alpha_ = HasAssociatedAlpha();
    std::uint32_t profile_size = 0;
    void* profile = nullptr;
    if (TIFFGetField(tif_.get(), TIFFTAG_ICCPROFILE, &profile_size, &profile))
      SetColorProfile(static_cast<const std::uint8_t*>(profile), profile_size);
    blocks_ = DescribeSampleBlocks(tif_.get(), int(w), int(h));
    char message[1024];
    return blocks_.readable || TIFFRGBAImageOK(tif_.get(), message);
  }

  bool ReadStoredRows(std::uint8_t* first_row, std::ptrdiff_t stride) override {
    if (blocks_.readable) return ReadSampleBlocks(tif_.get(), blocks_, associated_alpha_, first_row, stride);
    return ReadRgba(first_row, stride);
  }

  bool HasAssociatedAlpha() const {
    std::uint16_t count = 0;
    const std::uint16_t* types = nullptr;
    return TIFFGetField(tif_.get(), TIFFTAG_EXTRASAMPLES, &count, &types) && count > 0 &&
           types[0] == EXTRASAMPLE_ASSOCALPHA;
  }

  // Asks for the file's own orientation, so that libtiff flips nothing, and
  // stops at the first block that cannot be decoded.
  bool ReadRgba(std::uint8_t* first_row, std::ptrdiff_t stride) {
    const int w = blocks_.width, h = blocks_.height;
    std::vector<std::uint32_t> raster(std::size_t(w) * std::size_t(h));
    if (!TIFFReadRGBAImageOriented(tif_.get(), std::uint32_t(w), std::uint32_t(h), raster.data(),
                                   stored_orientation_, 1))
      return false;
    const std::uint32_t* in = raster.data();
    for (int y = 0; y < h; ++y) {
      std::uint8_t* out = first_row + y * stride;
      for (int x = 0; x < w; ++x, ++in, out += 3) {
        const unsigned alpha = associated_alpha_ ? TIFFGetA(*in) : 255;
        out[0] = std::uint8_t(Unpremultiply(TIFFGetB(*in), alpha, 255));
        out[1] = std::uint8_t(Unpremultiply(TIFFGetG(*in), alpha, 255));
        out[2] = std::uint8_t(Unpremultiply(TIFFGetR(*in), alpha, 255));
      }
    }
    return true;
  }

  MemoryTiff memory_;  // outlives tif_, which reads from it
  std::unique_ptr<TIFF, TiffCloser> tif_;
  int stored_orientation_ = ORIENTATION_TOPLEFT;
  bool associated_alpha_ = false;
  SampleBlocks blocks_;
};

}  // namespace

std::unique_ptr<ImageFileReader> OpenTiffReader(const std::string& path) {
  SilenceTiffMessages();
  auto reader = std::make_unique<TiffReader>();
  if (!reader->OpenFile(path)) return nullptr;
  return reader;
}

std::unique_ptr<ImageFileReader> OpenTiffReader(const std::uint8_t* data, std::size_t size) {
  SilenceTiffMessages();
  auto reader = std::make_unique<TiffReader>();
  if (!reader->OpenMemory(data, size)) return nullptr;
  return reader;
}

}  // namespace wrimple
