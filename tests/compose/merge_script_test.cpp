// A whole script: two small BMP pictures opened, merged and saved by
// wrimple-batch, the saved picture checked against the operator's formula.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdlib.h>
#include <vector>

#include "batch/runner.h"
#include "document/picture.h"
#include "document/pixels.h"

namespace wrimple {
namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 102, kHeight = 100;  // the smallest target is 100 x 100

Bgr PixelOne(int x, int y) { return Bgr{std::uint8_t(40 * x), std::uint8_t(60 * y), std::uint8_t(200 - 9 * x)}; }
Bgr PixelTwo(int x, int y) { return Bgr{std::uint8_t(250 - 30 * y), std::uint8_t(17 * x), std::uint8_t(90 + 20 * y)}; }

// A 24-bit BMP file; pixel(x, y) with y counted from the top.
void WriteBmp(const fs::path& path, Bgr (*pixel)(int, int)) {
  const int row_length = RowLength24(kWidth);
  std::vector<std::uint8_t> file(54 + std::size_t(row_length) * kHeight, 0);
  file[0] = 'B';
  file[1] = 'M';
  WriteLe32(&file[2], std::uint32_t(file.size()));
  WriteLe32(&file[10], 54);
  std::uint8_t* info = &file[14];
  WriteLe32(info + dib::kSize, 40);
  WriteLe32(info + dib::kWidth, kWidth);
  WriteLe32(info + dib::kHeight, kHeight);
  WriteLe16(info + dib::kPlanes, 1);
  WriteLe16(info + dib::kBitCount, 24);
  WriteLe32(info + dib::kSizeImage, std::uint32_t(row_length * kHeight));
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      WritePixel(&file[54 + std::size_t(kHeight - 1 - y) * row_length + 3 * std::size_t(x)], pixel(x, y));
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
}

class MergeScript : public ::testing::Test {
 protected:
  void SetUp() override {
    // A folder of its own, so that test runs side by side never share files.
    std::string name = (fs::temp_directory_path() / "wrimple_merge_script_XXXXXX").string();
    ASSERT_NE(mkdtemp(name.data()), nullptr);
    dir = name;
    WriteBmp(dir / "one.bmp", PixelOne);
    WriteBmp(dir / "two.bmp", PixelTwo);
  }
  void TearDown() override { fs::remove_all(dir); }

  // Runs the script and reads the picture it saved.
  int Run(const std::string& script) {
    std::istringstream in(script);
    std::ostringstream out;
    const int status = batch::RunBatch({"-"}, in, out, err);
    std::ifstream file(dir / "out.bmp", std::ios::binary);
    saved.assign(std::istreambuf_iterator<char>(file), {});
    return status;
  }
  // Pixel (x, y) of the saved BMP, y from the top.
  Bgr Saved(int x, int y) const {
    EXPECT_GE(saved.size(), 54u + std::size_t(RowLength24(kWidth)) * kHeight);
    const std::size_t bits = ReadLe32(&saved[10]);
    return ReadPixel(&saved[bits + std::size_t(kHeight - 1 - y) * RowLength24(kWidth) + 3 * std::size_t(x)]);
  }
  std::string Script(const std::string& merge_line) {
    return "target-size 102 100\nopen \"" + (dir / "one.bmp").string() + "\"\nopen \"" +
           (dir / "two.bmp").string() + "\"\n" + merge_line + "\nsave-as \"" +
           (dir / "out.bmp").string() + "\"\n";
  }

  fs::path dir;
  std::ostringstream err;
  std::vector<std::uint8_t> saved;
};

TEST_F(MergeScript, SubtractWithABiasGivesTheFormulasPicture) {
  ASSERT_EQ(Run(Script("merge method=subtract21 bias=60")), batch::kExitOk) << err.str();
  // bias 60: a = 127 for source 1, b = 60 for source 2, then + 255 - 60.
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const Bgr one = PixelOne(x, y), two = PixelTwo(x, y);
      Bgr expected;
      for (int c = 0; c < 3; ++c) expected[c] = ClampByte(((60 * two[c] - 127 * one[c]) >> 7) + 195);
      ASSERT_EQ(Saved(x, y), expected) << x << "," << y;
    }
}

TEST_F(MergeScript, ComparisonWithTheReferenceColour) {
  ASSERT_EQ(Run("reference-color 0 0 0\n" + Script("merge method=comp12 contrast=rgb threshold=50")),
            batch::kExitOk)
      << err.str();
  // Against black every pixel of source 1 has a channel over 8, so counts as bright
  // (w = 255): (p1 * 255) >> 8; the contrast step then cuts at 127.
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const Bgr one = PixelOne(x, y);
      Bgr expected;
      for (int c = 0; c < 3; ++c) expected[c] = ((one[c] * 255) >> 8) > 127 ? 255 : 0;
      ASSERT_EQ(Saved(x, y), expected) << x << "," << y;
    }
}

}  // namespace
}  // namespace wrimple
