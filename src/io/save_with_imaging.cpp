#include "io/imaging.h"
#include "io/messages.h"
#include "io/saving.h"

namespace wrimple {

namespace {

ImageContainer ContainerOf(const std::string& extension) {
  if (extension == "jpg") return ImageContainer::Jpeg;
  if (extension == "png") return ImageContainer::Png;
  if (extension == "tif") return ImageContainer::Tiff;
  return ImageContainer::Bmp;
}

}  // namespace

// The encoder reads the region straight from the target, top row first: the
// target keeps its rows bottom first, so the stride is negative. A failed
// write is reported, as on the codec path, so that no failure passes for a
// saved file.
bool SaveWithImaging(State& st, Platform& pf, const std::string& path, const std::string& extension,
                     bool use_zone) {
  const TargetRegion region = SaveRegion(st, use_zone);
  const ConstTargetImage target = st.Target();
  const BgrRows rows{.width = region.width,
                     .height = region.height,
                     .first_row = target.pixel(region.x0, region.y0),
                     .stride = -std::ptrdiff_t(target.row_length())};
  const bool written = WriteReplacing(path, [&](const std::string& temporary) {
    UniqueFile file(std::fopen(temporary.c_str(), "wb"));
    return file && WriteImageFile(file.get(), ContainerOf(extension), rows) &&
           std::fclose(file.release()) == 0;
  });
  if (!written) pf.messages.ShowError("Failed the file save!");
  return written;
}

}  // namespace wrimple
