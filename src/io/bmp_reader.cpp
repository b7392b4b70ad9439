// BMP files through the codec family's BMP decoder, widened to 24 bits.
#include "io/codec_image.h"
#include "io/imaging.h"
#include "io/indexed_rows.h"

namespace wrimple {

namespace {

class BmpReader : public ImageFileReader {
 public:
  explicit BmpReader(CodecImage image) : image_(std::move(image)) {
    SetStoredSize(int(image_.width()), int(image_.height()));
  }

  bool ReadStoredRows(std::uint8_t* first_row, std::ptrdiff_t stride) override {
    for (int y = 0; y < height(); ++y)
      ExpandCodecRow(image_, std::uint32_t(height() - 1 - y), first_row + y * stride);
    return true;
  }

 private:
  CodecImage image_;
};

}  // namespace

std::unique_ptr<ImageFileReader> OpenBmpReader(const std::string& path) {
  CodecImage image;
  if (!image.Load(path, kCodecBmp) || image.format() != kCodecBmp) return nullptr;
  if (!ExpandableCodecDepth(image) || !AcceptableDecodeSize(image.width(), image.height()))
    return nullptr;
  return std::make_unique<BmpReader>(std::move(image));
}

}  // namespace wrimple
