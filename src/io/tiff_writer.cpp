// TIFF output through libtiff: one image of 8-bit RGB, uncompressed,
// contiguous samples, strips of about 8 KiB (libtiff's default strip size).
#include <tiffio.h>

#include <vector>

#include "io/imaging.h"
#include "io/tiff_quiet.h"

namespace wrimple {

namespace {

// libtiff's client procedures over an open C stream the caller owns.
std::FILE* Stream(thandle_t h) { return static_cast<std::FILE*>(h); }
tmsize_t ReadProc(thandle_t h, void* buffer, tmsize_t size) {
  return tmsize_t(std::fread(buffer, 1, std::size_t(size), Stream(h)));
}
tmsize_t WriteProc(thandle_t h, void* buffer, tmsize_t size) {
  return tmsize_t(std::fwrite(buffer, 1, std::size_t(size), Stream(h)));
}
toff_t SeekProc(thandle_t h, toff_t offset, int whence) {
  if (std::fseek(Stream(h), long(offset), whence) != 0) return toff_t(-1);
  return toff_t(std::ftell(Stream(h)));
}
int CloseProc(thandle_t) { return 0; }
toff_t SizeProc(thandle_t h) {
  const long here = std::ftell(Stream(h));
  std::fseek(Stream(h), 0, SEEK_END);
  const long size = std::ftell(Stream(h));
  std::fseek(Stream(h), here, SEEK_SET);
  return toff_t(size);
}
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
  TIFF* tif = TIFFClientOpen("wrimple", "w", file, ReadProc, WriteProc, SeekProc, CloseProc, SizeProc,
                             MapProc, UnmapProc);
  if (!tif) return false;
  const bool written = WriteFields(tif, rows) && WriteLines(tif, rows) && TIFFFlush(tif);
  TIFFClose(tif);
  return written && std::fflush(file) == 0 && !std::ferror(file);
}

}  // namespace wrimple
