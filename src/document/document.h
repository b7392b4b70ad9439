// The image document: the two source slots, the font of text sources, the base
// colour, the save names and the first-time help picture.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "document/picture.h"
#include "document/pixels.h"
#include "document/zeroed_buffer.h"

namespace wrimple {

// How a slot was filled. Values 3 and 6 are never used.
enum SourceKindValue : std::int32_t {
  kKindTypedText = 0,
  kKindTargetSnapshot = 1,
  kKindImageFile = 2,
  kKindPasted = 4,
  kKindBlank = 5,
  kKindEmpty = 7,
};

// The platform's logical-font record, shared by both text sources.
struct FontRecord {
  std::int32_t height = -27;
  std::int32_t width = 0;
  std::int32_t escapement = 0;
  std::int32_t orientation = 0;
  std::int32_t weight = 400;
  std::uint8_t italic = 0;
  std::uint8_t underline = 0;
  std::uint8_t strike_out = 0;
  std::uint8_t char_set = 0;
  std::uint8_t out_precision = 0;
  std::uint8_t clip_precision = 0;
  std::uint8_t quality = 0;
  std::uint8_t pitch_and_family = 0;
  std::string face_name = "Times New Roman";  // at most 31 characters

  static constexpr std::size_t kMaxFaceName = 31;
};

// Longest path a slot or the last image path keeps (1024 characters with the
// terminator in the original record).
inline constexpr std::size_t kMaxPathLength = 1023;
// Longest stored text of a slot, terminator excluded.
inline constexpr std::size_t kMaxStoredText = 8191;

struct SourceImage {
  SourceImage();

  std::int32_t SourceKind = kKindEmpty;
  std::optional<PictureBlock> SourcePicture;
  std::string file_path;
  ZeroedBuffer SourcePlane;  // 4096 x 3072 pixels, top row first
  std::int32_t OffsetX = 0;
  std::int32_t OffsetY = 0;
  float ScaleXPercent = 100.0f;
  float ScaleYPercent = 100.0f;
  float Angle = 0.0f;
  std::uint8_t Flipped = 0;
  std::int32_t PlacedWidth = 0;
  std::int32_t PlacedHeight = 0;
  std::string text;  // typed text, lines separated by "\r\n"
  ColorRef TextColor = 0xffffff;

  Plane plane() { return Plane(SourcePlane.data()); }
  ConstPlane plane() const { return ConstPlane(SourcePlane.data()); }
};

class Cwrimple32Doc {
 public:
  Cwrimple32Doc() = default;
  Cwrimple32Doc(const Cwrimple32Doc&) = delete;
  Cwrimple32Doc& operator=(const Cwrimple32Doc&) = delete;

  // Source n, numbered 1 and 2 as everywhere in the program.
  SourceImage& Source(int n) { return sources_[std::size_t(n - 1)]; }
  const SourceImage& Source(int n) const { return sources_[std::size_t(n - 1)]; }

  std::string last_image_path;
  Bgr BaseColor{0, 0, 0};
  // The first-time help picture as read from a BMP file after its 14-byte file
  // header: information header, colour table if any, bits.
  std::optional<std::vector<std::uint8_t>> help_picture;
  std::string save_path;
  std::string save_extension;  // lower case, without the dot
  std::string save_stem;
  std::int32_t next_save_number = 0;
  FontRecord text_font;

 private:
  std::array<SourceImage, 2> sources_;
};

// Placement back to its defaults: 100 %, offset 0, not mirrored, not rotated.
void ResetPlacement(Cwrimple32Doc& doc, int n);

}  // namespace wrimple
