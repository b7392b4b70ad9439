// Pictures that carry an ICC colour profile (Display P3 from phones, Adobe
// RGB from cameras) converted to sRGB on load with LittleCMS, perceptual
// intent. A profile made of three tone curves and a colour matrix, the kind
// such pictures carry, is converted through tables LittleCMS fills; any
// other RGB profile goes through a LittleCMS transform pixel by pixel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace wrimple {

class SrgbConversion {
 public:
  // The conversion from the picture's profile, or null when the profile is
  // not an RGB profile LittleCMS can read (the pixels then stay as stored).
  static std::unique_ptr<SrgbConversion> FromProfile(const std::uint8_t* icc, std::size_t size);
  virtual ~SrgbConversion() = default;

  // Converts a row of blue-green-red pixels in place.
  virtual void ConvertRow(std::uint8_t* bgr, int width) const = 0;
};

// The matrix and curve tables of a conversion between two profiles of tone
// curves and a colour matrix: each input channel's linear light times a
// matrix column, in units of 1 / kLinearOne, and the sRGB encoding of every
// linear value 0..kLinearOne.
struct MatrixShaperTables {
  static constexpr int kLinearOne = 1 << 14;
  // contribution[c][v]: red, green, blue and a zero lane of input channel c
  // (0 red, 1 green, 2 blue) at level v.
  alignas(16) std::int32_t contribution[3][256][4];
  std::uint8_t encode[kLinearOne + 1];
};

// The tables for an RGB profile of tone curves and a colour matrix to sRGB;
// null for any other profile.
std::unique_ptr<MatrixShaperTables> MatrixShaperTablesFor(const std::uint8_t* icc, std::size_t size);

// The two row loops over the tables: the plain one, one pixel at a time, and
// the one the program uses, which gives the same bytes.
void ConvertRowPlain(const MatrixShaperTables& tables, std::uint8_t* bgr, int width);
void ConvertRowFast(const MatrixShaperTables& tables, std::uint8_t* bgr, int width);

}  // namespace wrimple
