// The imaging adapter's readers over a file held in memory, as the fuzz
// targets drive them: the same picture as from the file, and nothing at all
// from an empty or cut buffer. Inputs that once broke a reader are kept under
// tests/data/imaging/ with the name of what they hold.
#include "io/imaging.h"
#include "io_fixtures.h"

namespace wrimple::testing {
namespace {

std::string Fixture(const std::string& name) { return std::string(WRIMPLE_TEST_DATA) + "/imaging/" + name; }

enum class Format { Png, Jpeg, Tiff };

std::unique_ptr<ImageFileReader> OpenFromMemory(Format f, const std::vector<std::uint8_t>& bytes) {
  switch (f) {
    case Format::Png: return OpenPngReader(MemoryFile(bytes.data(), bytes.size()));
    case Format::Jpeg: return OpenJpegReader(MemoryFile(bytes.data(), bytes.size()));
    case Format::Tiff: return OpenTiffReader(bytes.data(), bytes.size());
  }
  return nullptr;
}

std::vector<std::uint8_t> ReadAll(ImageFileReader& reader) {
  std::vector<std::uint8_t> rows(std::size_t(3 * reader.width() * reader.height()));
  if (!reader.ReadRows(rows.data(), 3 * reader.width())) return {};
  return rows;
}

struct MemoryCase {
  const char* file;
  Format format;
};

class MemoryReading : public ::testing::TestWithParam<MemoryCase> {};

TEST_P(MemoryReading, GivesThePictureOfTheFile) {
  const std::vector<std::uint8_t> bytes = ReadBytes(Fixture(GetParam().file));
  int w = 0, h = 0;
  const std::vector<std::uint8_t> from_file = DecodeAll(Fixture(GetParam().file), w, h);
  std::unique_ptr<ImageFileReader> reader = OpenFromMemory(GetParam().format, bytes);
  ASSERT_TRUE(reader);
  EXPECT_EQ(reader->width(), w);
  EXPECT_EQ(ReadAll(*reader), from_file);
}

// An empty buffer once reached libjpeg as a null stream.
TEST_P(MemoryReading, EmptyBufferGivesNoReader) { EXPECT_EQ(OpenFromMemory(GetParam().format, {}), nullptr); }

// A TIFF cut in half is refused, from memory as from a file. (libjpeg ends a
// cut JPEG with grey rows and a warning, as other viewers show it.)
TEST(MemoryReading, TiffCutInHalfIsRefused) {
  std::vector<std::uint8_t> bytes = ReadBytes(Fixture("tiff_rgb_tiles_orientation_8.tif"));
  bytes.resize(bytes.size() / 2);
  std::unique_ptr<ImageFileReader> cut = OpenFromMemory(Format::Tiff, bytes);
  EXPECT_TRUE(!cut || ReadAll(*cut).empty());
}

INSTANTIATE_TEST_SUITE_P(Fixtures, MemoryReading,
                         ::testing::Values(MemoryCase{"jpeg_exif_orientation_6.jpg", Format::Jpeg},
                                           MemoryCase{"tiff_rgb_tiles_orientation_8.tif", Format::Tiff},
                                           MemoryCase{"bigtiff_big_endian_tiles.tif", Format::Tiff}),
                         [](const auto& info) {
                           std::string name = info.param.file;
                           return name.substr(0, name.find('.'));
                         });

TEST(MemoryReading, EmptyPngGivesNoReader) { EXPECT_EQ(OpenFromMemory(Format::Png, {}), nullptr); }

}  // namespace
}  // namespace wrimple::testing
