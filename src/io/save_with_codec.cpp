#include <cstring>

#include "io/codec_image.h"
#include "io/saving.h"

namespace wrimple {

namespace {

constexpr std::int64_t kMaxCodecBlock = 100000000;

// A headerless 24-bit bitmap of the region: information header, then the rows
// bottom first, padded to 4 bytes.
std::optional<PictureBlock> RegionBitmap(const State& st, const TargetRegion& region) {
  std::optional<PictureBlock> block = AllocateDib(24, region.width, region.height);
  if (!block) return std::nullopt;
  const ConstTargetImage target = st.Target();
  const TargetImage out(block->bits(), region.width, region.height);
  for (int i = 0; i < region.height; ++i)
    std::memcpy(out.row(i), target.pixel(region.x0, region.y0 + i), 3 * std::size_t(region.width));
  return block;
}

}  // namespace

bool SaveWithCodec(State& st, Platform& pf, const std::string& path, int format, bool use_zone) {
  const TargetRegion region = SaveRegion(st, use_zone);
  const std::int64_t image_size = std::int64_t(RowLength24(region.width)) * region.height;
  if (image_size + 54 > kMaxCodecBlock) {
    pf.messages.ShowError("File too large to save?");
    return false;
  }
  const std::optional<PictureBlock> block = RegionBitmap(st, region);
  if (!block) {
    pf.messages.ShowInfo("Failed save ?");
    return false;
  }
  CodecImage image(block->data(), std::size_t(image_size) + 44, kCodecBmp);
  const bool written = image.IsValid() && WriteReplacing(path, [&](const std::string& temporary) {
                         return image.Save(temporary, format);
                       });
  if (!written) pf.messages.ShowError("Failed the file save!");
  return written;
}

}  // namespace wrimple
