// PNG files through libpng: every colour type and depth is transformed to
// 8-bit blue, green, red (palette and grey expanded, 16-bit channels scaled,
// alpha dropped).
#include <png.h>

#include <vector>

#include "io/imaging.h"

namespace wrimple {

namespace {

// libpng reports errors through longjmp back into the calling function; the
// functions that call it keep no objects with destructors on their frames.
void QuietWarning(png_structp, png_const_charp) {}
// Errors end in longjmp without the library's own report on standard error.
[[noreturn]] void QuietError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

class PngReader : public ImageFileReader {
 public:
  explicit PngReader(UniqueFile file) : file_(std::move(file)) {}
  ~PngReader() override { png_destroy_read_struct(&png_, &info_, nullptr); }

  bool Open() {
    png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, QuietError, QuietWarning);
    if (!png_) return false;
    info_ = png_create_info_struct(png_);
    if (!info_) return false;
    if (setjmp(png_jmpbuf(png_))) return false;
    png_set_user_limits(png_, kMaxDecodedSide, kMaxDecodedSide);
    png_init_io(png_, file_.get());
    png_read_info(png_, info_);
    const png_uint_32 w = png_get_image_width(png_, info_);
    const png_uint_32 h = png_get_image_height(png_, info_);
    if (!AcceptableDecodeSize(w, h)) return false;
    SetStoredSize(int(w), int(h));
    png_charp name = nullptr;
    int compression = 0;
    png_bytep profile = nullptr;
    png_uint_32 profile_size = 0;
    if (png_get_iCCP(png_, info_, &name, &compression, &profile, &profile_size) != 0)
      SetColorProfile(profile, profile_size);
    SetTransforms();
    png_read_update_info(png_, info_);
    return png_get_rowbytes(png_, info_) == 3 * png_size_t(w);
  }

  bool ReadStoredRows(std::uint8_t* first_row, std::ptrdiff_t stride) override {
    rows_.resize(std::size_t(height()));
    for (int y = 0; y < height(); ++y) rows_[std::size_t(y)] = first_row + y * stride;
    return ReadImage();
  }

 private:
  void SetTransforms() {
    const int color_type = png_get_color_type(png_, info_);
    png_set_expand(png_);  // palette to RGB, grey below 8 bits to 8, tRNS to alpha
    png_set_scale_16(png_);
    if (color_type == PNG_COLOR_TYPE_GRAY || color_type == PNG_COLOR_TYPE_GRAY_ALPHA)
      png_set_gray_to_rgb(png_);
    png_set_strip_alpha(png_);
    png_set_bgr(png_);
    png_set_interlace_handling(png_);
  }

  bool ReadImage() {
    if (setjmp(png_jmpbuf(png_))) return false;
    png_read_image(png_, rows_.data());
    return true;
  }

  UniqueFile file_;
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
  std::vector<png_bytep> rows_;
};

}  // namespace

std::unique_ptr<ImageFileReader> OpenPngReader(UniqueFile file) {
  if (!file) return nullptr;
  auto reader = std::make_unique<PngReader>(std::move(file));
  if (!reader->Open()) return nullptr;
  return reader;
}

}  // namespace wrimple
