// Small builders of codec input for the tests: byte vectors assembled field by
// field, so that every test states the file it feeds.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "io/codec_image.h"
#include "io/codec_mem_file.h"

namespace wrimple::testing {

using Bytes = std::vector<std::uint8_t>;

inline void Append(Bytes& out, std::initializer_list<int> values) {
  for (int v : values) out.push_back(std::uint8_t(v));
}
inline void Append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }
inline void AppendLe16(Bytes& out, unsigned v) { Append(out, {int(v & 0xff), int(v >> 8 & 0xff)}); }
inline void AppendLe32(Bytes& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(std::uint8_t(v >> (8 * i)));
}

// An 18-byte TGA header.
inline Bytes TgaHeader(int image_type, int width, int height, int depth, int descriptor = 0,
                       int map_type = 0, int map_length = 0, int id_length = 0) {
  Bytes h;
  Append(h, {id_length, map_type, image_type});
  AppendLe16(h, 0);
  AppendLe16(h, unsigned(map_length));
  Append(h, {map_type ? 24 : 0});
  AppendLe16(h, 0);
  AppendLe16(h, 0);
  AppendLe16(h, unsigned(width));
  AppendLe16(h, unsigned(height));
  Append(h, {depth, descriptor});
  return h;
}

// A 128-byte PCX header.
inline Bytes PcxHeader(int bits, int width, int height, int planes, int bytes_per_line) {
  Bytes h(128, 0);
  h[0] = 10;
  h[1] = 5;
  h[2] = 1;
  h[3] = std::uint8_t(bits);
  h[8] = std::uint8_t(width - 1);
  h[9] = std::uint8_t((width - 1) >> 8);
  h[10] = std::uint8_t(height - 1);
  h[11] = std::uint8_t((height - 1) >> 8);
  h[12] = h[14] = 72;
  h[65] = std::uint8_t(planes);
  h[66] = std::uint8_t(bytes_per_line);
  h[67] = std::uint8_t(bytes_per_line >> 8);
  h[68] = 1;
  return h;
}

inline CodecImage DecodeBytes(const Bytes& bytes, int format) {
  return CodecImage(bytes.data(), bytes.size(), format);
}

// The bytes an image encodes to.
inline Bytes EncodeBytes(CodecImage& image, int format, bool* ok = nullptr) {
  CodecMemFile out;
  out.Open();
  const bool encoded = image.Encode(&out, format);
  if (ok != nullptr) *ok = encoded;
  return Bytes(out.data(), out.data() + out.Size());
}

// Pixel x of bitmap row y (y = 0 the bottom row) as blue, green, red.
inline std::vector<int> Pixel(const CodecImage& image, int x, int y) {
  const std::uint8_t* p = image.row(std::uint32_t(y)) + 3 * x;
  return {p[0], p[1], p[2]};
}

inline std::string Path(const std::string& name) {
  return std::string(WRIMPLE_TEST_DATA) + "/codecs/" + name;
}

}  // namespace wrimple::testing
