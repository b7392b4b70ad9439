#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "batch/runner.h"
#include "geometry_fixture.h"

namespace wrimple::testing {
namespace {

// A 24-bit BMP file of PicturePixel colours (shifted by `tint` in blue).
void WriteBmp(const std::filesystem::path& path, int w, int h, int tint) {
  const int row_length = RowLength24(w);
  std::vector<std::uint8_t> file(54 + std::size_t(row_length) * h, 0);
  file[0] = 'B';
  file[1] = 'M';
  WriteLe32(&file[2], std::uint32_t(file.size()));
  WriteLe32(&file[10], 54);
  WriteLe32(&file[14 + dib::kSize], 40);
  WriteLe32(&file[14 + dib::kWidth], std::uint32_t(w));
  WriteLe32(&file[14 + dib::kHeight], std::uint32_t(h));
  WriteLe16(&file[14 + dib::kPlanes], 1);
  WriteLe16(&file[14 + dib::kBitCount], 24);
  for (int row = 0; row < h; ++row)
    for (int x = 0; x < w; ++x) {
      Bgr p = PicturePixel(x, row);
      p[0] = std::uint8_t(p[0] + tint);
      WritePixel(&file[54 + std::size_t(row) * row_length + 3 * x], p);
    }
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
}

// Reads back the 24-bit BMP the runner saved: pixel (x, y), y from the top.
Bgr SavedPixel(const std::vector<std::uint8_t>& file, int x, int y) {
  const int w = int(ReadLe32(&file[18])), h = int(ReadLe32(&file[22]));
  const std::size_t at = ReadLe32(&file[10]) + std::size_t(h - 1 - y) * RowLength24(w) + 3 * std::size_t(x);
  return ReadPixel(&file[at]);
}

// Two pictures placed, mirrored, scaled, aligned with grab boxes and averaged.
TEST(GeometryEndToEnd, PlacedMirroredScaledAndAveragedPictures) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("wrimple_geometry_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  WriteBmp(dir / "a.bmp", 8, 6, 0);
  WriteBmp(dir / "b.bmp", 8, 6, 50);
  const std::string script = "target-size 100 100\n"
                             "open " + (dir / "a.bmp").string() + "\n"
                             "open " + (dir / "b.bmp").string() + "\n"
                             "scale 1 100 100\n"
                             "scale 2 200 200\n"
                             "align 1\ngrab top_left move\n"
                             "align 2\ngrab top_left move\n"
                             "align off\n"
                             "flip-source 1\n"
                             "merge method=average\n"
                             "save-as " + (dir / "out.bmp").string() + "\n";
  std::istringstream in(script);
  std::ostringstream out, err;
  ASSERT_EQ(batch::RunBatch({"-"}, in, out, err), batch::kExitOk) << err.str();
  std::ifstream saved(dir / "out.bmp", std::ios::binary);
  const std::vector<std::uint8_t> file((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
  ASSERT_GT(file.size(), 54u);
  // Source 1 mirrored at 100 %: column X shows picture column 8 - X. Source 2 at
  // 200 %: even columns and rows show picture pixel (X / 2, 5 - Y / 2).
  for (int y : {0, 2, 4})
    for (int x : {2, 4, 6}) {
      const Bgr p1 = PicturePixel(8 - x, 5 - y);
      Bgr p2 = PicturePixel(x / 2, 5 - y / 2);
      p2[0] = std::uint8_t(p2[0] + 50);
      Bgr expected;
      for (int c = 0; c < 3; ++c) expected[std::size_t(c)] = std::uint8_t((p1[std::size_t(c)] * 128 + p2[std::size_t(c)] * 127) >> 8);
      EXPECT_EQ(SavedPixel(file, x, y), expected) << x << "," << y;
    }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace wrimple::testing
