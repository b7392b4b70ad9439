#include "io_fixtures.h"

#include <fstream>
#include <iterator>
#include <random>

#include "io/imaging.h"

namespace wrimple::testing {

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<std::uint8_t> DecodeAll(const std::string& path, int& w, int& h) {
  std::unique_ptr<ImageFileReader> reader = OpenImageFileReader(path);
  if (!reader) return {};
  w = reader->width();
  h = reader->height();
  std::vector<std::uint8_t> out(std::size_t(3 * w * h));
  if (!reader->ReadRows(out.data(), 3 * w)) return {};
  return out;
}

Bgr PatternPixel(int x, int y) {
  return Bgr{std::uint8_t(x * 7 + y * 3 + 1), std::uint8_t(x * 5 + y * 11 + 3), std::uint8_t(x * 13 + y * 2 + 7)};
}

namespace {

void Put16(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x) {
  v[at] = std::uint8_t(x);
  v[at + 1] = std::uint8_t(x >> 8);
}
void Put32(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x) {
  Put16(v, at, x & 0xffff);
  Put16(v, at + 2, x >> 16);
}

}  // namespace

std::vector<std::uint8_t> PatternBmp(int width, int height) {
  const std::size_t row = std::size_t(3 * width + (width % 4));
  std::vector<std::uint8_t> f(54 + row * height, 0);
  f[0] = 'B';
  f[1] = 'M';
  Put32(f, 2, std::uint32_t(f.size()));
  Put32(f, 10, 54);
  Put32(f, 14, 40);
  Put32(f, 18, std::uint32_t(width));
  Put32(f, 22, std::uint32_t(height));
  Put16(f, 26, 1);
  Put16(f, 28, 24);
  Put32(f, 34, std::uint32_t(row * height));
  Put32(f, 38, 3780);
  Put32(f, 42, 3780);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const Bgr p = PatternPixel(x, y);
      std::copy(p.begin(), p.end(), f.begin() + std::ptrdiff_t(54 + (height - 1 - y) * row + 3 * x));
    }
  return f;
}

std::vector<std::uint8_t> PatternTga(int width, int height) {
  std::vector<std::uint8_t> f(18, 0);
  f[2] = 2;
  Put16(f, 12, std::uint32_t(width));
  Put16(f, 14, std::uint32_t(height));
  f[16] = 24;
  for (int y = height - 1; y >= 0; --y)
    for (int x = 0; x < width; ++x) {
      const Bgr p = PatternPixel(x, y);
      f.insert(f.end(), p.begin(), p.end());
    }
  return f;
}

::testing::AssertionResult TargetShowsPattern(const State& st) {
  const ConstTargetImage t = st.Target();
  for (int y = 0; y < t.height(); ++y)
    for (int x = 0; x < t.width(); ++x)
      if (ReadPixel(t.pixel(x, y)) != PatternPixel(x, y))
        return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") differs";
  return ::testing::AssertionSuccess();
}

void TempFolder::SetUp() {
  std::random_device seed;
  folder_ = std::filesystem::temp_directory_path() / ("wrimple-io-" + std::to_string(seed()));
  std::filesystem::create_directories(folder_);
}

void TempFolder::TearDown() { std::filesystem::remove_all(folder_); }

}  // namespace wrimple::testing
