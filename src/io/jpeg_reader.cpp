// JPEG files through libjpeg-turbo, decoded straight to blue, green, red;
// grey pictures are widened and CMYK ones converted (Adobe's inverted form).
// jpeglib.h needs size_t and FILE declared before it.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "io/exif_orientation.h"
#include "io/imaging.h"
#include "io/jpeg_errors.h"

namespace wrimple {

namespace {

class JpegReader : public ImageFileReader {
 public:
  explicit JpegReader(UniqueFile file) : file_(std::move(file)) {
    info_.err = InstallJpegErrors(&errors_);
  }
  // Safe on a record that was never created: it is zero-filled then.
  ~JpegReader() override { jpeg_destroy_decompress(&info_); }

  bool Open() {
    if (setjmp(errors_.jump)) return false;
    jpeg_create_decompress(&info_);
    jpeg_stdio_src(&info_, file_.get());
    jpeg_save_markers(&info_, kExifMarker, 0xffff);
    jpeg_save_markers(&info_, kIccMarker, 0xffff);
    jpeg_read_header(&info_, TRUE);
    if (!AcceptableDecodeSize(info_.image_width, info_.image_height)) return false;
    row_width_ = int(info_.image_width);
    SetStoredSize(row_width_, int(info_.image_height));
    SetOrientation(StoredOrientation());
    ReadColorProfile();
    cmyk_ = info_.jpeg_color_space == JCS_CMYK || info_.jpeg_color_space == JCS_YCCK;
    info_.out_color_space = cmyk_ ? JCS_CMYK : JCS_EXT_BGR;
    if (cmyk_) cmyk_row_.resize(4 * std::size_t(row_width_));
    return true;
  }

  bool ReadStoredRows(std::uint8_t* first_row, std::ptrdiff_t stride) override {
    if (setjmp(errors_.jump)) return false;
    jpeg_start_decompress(&info_);
    while (info_.output_scanline < info_.output_height) {
      std::uint8_t* out = first_row + std::ptrdiff_t(info_.output_scanline) * stride;
      JSAMPROW row = cmyk_ ? cmyk_row_.data() : out;
      jpeg_read_scanlines(&info_, &row, 1);
      if (cmyk_) CmykToBgr(cmyk_row_.data(), out);
    }
    jpeg_finish_decompress(&info_);
    return true;
  }

 private:
  static constexpr int kExifMarker = JPEG_APP0 + 1;
  static constexpr int kIccMarker = JPEG_APP0 + 2;

  // The profile may be split over several markers; libjpeg joins them.
  void ReadColorProfile() {
    JOCTET* profile = nullptr;
    unsigned int size = 0;
    if (!jpeg_read_icc_profile(&info_, &profile, &size)) return;
    SetColorProfile(profile, size);
    std::free(profile);
  }

  // The orientation of the first EXIF marker, the one cameras write.
  int StoredOrientation() const {
    for (jpeg_saved_marker_ptr m = info_.marker_list; m != nullptr; m = m->next)
      if (m->marker == kExifMarker && m->data_length >= 6 && std::memcmp(m->data, "Exif", 5) == 0)
        return ExifOrientation(m->data, m->data_length);
    return 1;
  }

  // Adobe writes CMYK inverted: each stored byte is 255 minus the ink.
  void CmykToBgr(const std::uint8_t* in, std::uint8_t* out) const {
    for (int x = 0; x < row_width_; ++x, in += 4, out += 3) {
      const int k = in[3];
      out[0] = std::uint8_t(in[2] * k / 255);
      out[1] = std::uint8_t(in[1] * k / 255);
      out[2] = std::uint8_t(in[0] * k / 255);
    }
  }

  UniqueFile file_;
  JpegErrors errors_;
  jpeg_decompress_struct info_{};
  int row_width_ = 0;  // of the stored rows
  bool cmyk_ = false;
  std::vector<std::uint8_t> cmyk_row_;
};

}  // namespace

std::unique_ptr<ImageFileReader> OpenJpegReader(UniqueFile file) {
  if (!file) return nullptr;
  auto reader = std::make_unique<JpegReader>(std::move(file));
  if (!reader->Open()) return nullptr;
  return reader;
}

}  // namespace wrimple
