#include "compose_fixture.h"

#include <utility>

namespace wrimple::testing {

PictureBlock MakePicture(int w, int h, const std::function<Bgr(int, int)>& color) {
  std::optional<PictureBlock> block = AllocateDib(24, w, h);
  EXPECT_TRUE(block.has_value());
  std::uint8_t* bits = block->bits();
  for (int row = 0; row < h; ++row)
    for (int x = 0; x < w; ++x)
      WritePixel(bits + std::size_t(row) * RowLength24(w) + 3 * std::size_t(x), color(x, row));
  return std::move(*block);
}

Bgr StoredPixel(const PictureBlock& picture, int x, int row) {
  return ReadPixel(picture.bits() + std::size_t(row) * RowLength24(picture.width()) + 3 * std::size_t(x));
}

void LoadSource(State& st, int n, PictureBlock picture) {
  SourceImage& s = st.doc.Source(n);
  s.SourcePicture = std::move(picture);
  s.SourceKind = kKindImageFile;
  s.file_path = n == 1 ? "C:\\pictures\\one.bmp" : "C:\\pictures\\two.bmp";
  if (st.SourceCount < n) st.SourceCount = n;
}

void FillPlane(State& st, int n, const Bgr& color) {
  const Plane plane = st.doc.Source(n).plane();
  for (int y = 0; y < st.TargetHeight(); ++y)
    for (int x = 0; x < st.TargetWidth(); ++x) WritePixel(plane.pixel(x, y), color);
}

Bgr PlanePixel(const State& st, int n, int x, int y) { return ReadPixel(st.doc.Source(n).plane().pixel(x, y)); }

Bgr TargetPixel(const State& st, int x, int y) { return ReadPixel(st.Target().pixel(x, y)); }

std::vector<std::uint8_t> PlaneRegion(const State& st, int n) {
  std::vector<std::uint8_t> bytes;
  const ConstPlane plane = st.doc.Source(n).plane();
  for (int y = 0; y < st.TargetHeight(); ++y)
    bytes.insert(bytes.end(), plane.row(y), plane.row(y) + 3 * st.TargetWidth());
  return bytes;
}

std::vector<std::uint8_t> TargetBytes(const State& st) {
  const ConstTargetImage t = st.Target();
  return std::vector<std::uint8_t>(t.bits(), t.bits() + t.byte_size());
}

}  // namespace wrimple::testing
