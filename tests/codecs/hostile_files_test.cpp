// Files that once broke a decoder, kept under tests/data/codecs/: each must
// load to the picture it holds or fail with its text.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <iterator>

#include "codec_bytes.h"

namespace wrimple::testing {
namespace {

struct HostileFile {
  const char* file;
  int format;
  const char* error;  // empty: the file holds a picture
};

class HostileFiles : public ::testing::TestWithParam<HostileFile> {};

Bytes ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST_P(HostileFiles, LoadWithoutHarmFromFileAndFromMemory) {
  const std::string path = Path(GetParam().file);
  const Bytes bytes = ReadWhole(path);
  ASSERT_FALSE(bytes.empty()) << path;
  const CodecImage from_file(path, GetParam().format);
  const CodecImage from_memory(bytes.data(), bytes.size(), GetParam().format);
  for (const CodecImage* image : {&from_file, &from_memory}) {
    EXPECT_EQ(image->last_error(), GetParam().error);
    EXPECT_EQ(image->IsValid(), std::string(GetParam().error).empty());
  }
}

std::string Name(const ::testing::TestParamInfo<HostileFile>& info) {
  std::string name;
  for (const char* c = info.param.file; *c != '\0' && *c != '.'; ++c) name += std::isalnum(*c) ? *c : '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(
    Regressions, HostileFiles,
    ::testing::Values(
        // An empty colour table was copied from a null pointer.
        HostileFile{"bmp_16_bit_empty_colour_table.bmp", kCodecBmp, ""},
        // 24 bits per plane and no planes were taken for a 24-bit picture and
        // read three planes from an empty row.
        HostileFile{"pcx_24_bits_per_plane.pcx", kCodecPcx,
                    "PCX_PlanesToPixels: more than 4 planes or more than 1 bit per pixel"},
        // One pixel wide, 2^29 rows: 64 MiB of pixel bits but 2 GiB of padded rows.
        HostileFile{"bmp_narrow_rows_padded_past_the_limit.bmp", kCodecBmp, "CODEC_MAX_MEMORY exceeded"},
        // 2^31 - 1 pixels per metre, found by the fuzzer: the resolution turned
        // back into pixels per metre did not fit the header field.
        HostileFile{"bmp_resolution_beyond_the_header_field.bmp", kCodecBmp, ""}),
    Name);

}  // namespace
}  // namespace wrimple::testing
