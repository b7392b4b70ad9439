// TIFF output through libtiff: one image of 8-bit RGB, uncompressed,
// contiguous samples, strips of about 8 KiB (libtiff's default strip size).
#include <tiffio.h>

#include <algorithm>
#include <vector>

#include "io/imaging.h"
#include "io/tiff_quiet.h"

namespace wrimple {

namespace {

// libtiff's client procedures over an open C stream the caller owns. libtiff
// seeks to the end before every strip it writes; the writes are gathered here
// and a seek to where the stream already is skipped, so that the file is
// written in large pieces instead of a seek, a flush and a write per strip.
class GatheredStream {
 public:
  explicit GatheredStream(std::FILE* file) : file_(file) {
    pending_.reserve(kGather);
    position_ = toff_t(std::ftell(file_));
    std::fseek(file_, 0, SEEK_END);
    size_ = toff_t(std::ftell(file_));
    std::fseek(file_, long(position_), SEEK_SET);
  }

  tmsize_t Write(const void* bytes, tmsize_t size) {
    const auto* b = static_cast<const std::uint8_t*>(bytes);
    if (pending_.size() + std::size_t(size) > kGather && !Flush()) return 0;
    std::size_t written = std::size_t(size);
    if (written >= kGather) {
      written = std::fwrite(b, 1, written, file_);
      position_ += written;
    } else {
      pending_.insert(pending_.end(), b, b + size);
    }
    size_ = std::max(size_, Logical());
    return tmsize_t(written);
  }
  tmsize_t Read(void* bytes, tmsize_t size) {
    if (!Flush()) return 0;
    const std::size_t n = std::fread(bytes, 1, std::size_t(size), file_);
    position_ += n;
    return tmsize_t(n);
  }
  toff_t Seek(toff_t offset, int whence) {
    const toff_t target = whence == SEEK_SET ? offset : (whence == SEEK_CUR ? Logical() : size_) + offset;
    if (target == Logical()) return target;
    if (!Flush() || std::fseek(file_, long(target), SEEK_SET) != 0) return toff_t(-1);
    position_ = target;
    return target;
  }
  toff_t Size() const { return size_; }
  // Writes what is gathered; false when the stream refused it.
  bool Flush() {
    if (pending_.empty()) return true;
    const std::size_t n = std::fwrite(pending_.data(), 1, pending_.size(), file_);
    const bool whole = n == pending_.size();
    position_ += n;
    pending_.clear();
    return whole;
  }

 private:
  static constexpr std::size_t kGather = std::size_t(1) << 20;
  toff_t Logical() const { return position_ + pending_.size(); }

  std::FILE* file_;
  toff_t position_ = 0;  // of the stream itself
  toff_t size_ = 0;      // of the file with the gathered bytes written
  std::vector<std::uint8_t> pending_;
};

GatheredStream& Stream(thandle_t h) { return *static_cast<GatheredStream*>(h); }
tmsize_t ReadProc(thandle_t h, void* buffer, tmsize_t size) { return Stream(h).Read(buffer, size); }
tmsize_t WriteProc(thandle_t h, void* buffer, tmsize_t size) { return Stream(h).Write(buffer, size); }
toff_t SeekProc(thandle_t h, toff_t offset, int whence) { return Stream(h).Seek(offset, whence); }
int CloseProc(thandle_t) { return 0; }
toff_t SizeProc(thandle_t h) { return Stream(h).Size(); }
int MapProc(thandle_t, void**, toff_t*) { return 0; }
void UnmapProc(thandle_t, void*, toff_t) {}

bool WriteFields(TIFF* tif, const BgrRows& rows) {
  return TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, std::uint32_t(rows.width)) &&
         TIFFSetField(tif, TIFFTAG_IMAGELENGTH, std::uint32_t(rows.height)) &&
         TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8) && TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3) &&
         TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB) &&
         TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
         TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_NONE) &&
         TIFFSetField(tif, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT) &&
         TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tif, 0));
}

bool WriteLines(TIFF* tif, const BgrRows& rows) {
  std::vector<std::uint8_t> line(3 * std::size_t(rows.width));
  for (int y = 0; y < rows.height; ++y) {
    const std::uint8_t* in = rows.row(y);
    std::uint8_t* out = line.data();
    for (int x = 0; x < rows.width; ++x, in += 3, out += 3) out[0] = in[2], out[1] = in[1], out[2] = in[0];
    if (TIFFWriteScanline(tif, line.data(), std::uint32_t(y), 0) < 0) return false;
  }
  return true;
}

}  // namespace

bool WriteTiff(std::FILE* file, const BgrRows& rows) {
  SilenceTiffMessages();
  GatheredStream stream(file);
  TIFF* tif = TIFFClientOpen("wrimple", "w", &stream, ReadProc, WriteProc, SeekProc, CloseProc, SizeProc,
                             MapProc, UnmapProc);
  if (!tif) return false;
  const bool written = WriteFields(tif, rows) && WriteLines(tif, rows) && TIFFFlush(tif);
  TIFFClose(tif);
  return written && stream.Flush() && std::fflush(file) == 0 && !std::ferror(file);
}

}  // namespace wrimple
