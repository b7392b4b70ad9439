// Small files and folders for the loading and saving tests, written byte by
// byte here so that the tests do not depend on the code they check.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "document/pixels.h"
#include "document/state.h"

namespace wrimple::testing {

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// A pixel of the test pattern, blue-green-red, at column x of row y from the top.
Bgr PatternPixel(int x, int y);

// A 24-bit BMP file of the pattern: file header, 40-byte header, bottom-up rows.
std::vector<std::uint8_t> PatternBmp(int width, int height);

// A 24-bit TGA file of the pattern, bottom row first, uncompressed.
std::vector<std::uint8_t> PatternTga(int width, int height);

// Every pixel of an image file through the imaging adapter, blue-green-red,
// top row first, with its size; empty when the file cannot be decoded.
std::vector<std::uint8_t> DecodeAll(const std::string& path, int& w, int& h);

// Whether the target shows the pattern pixel for pixel.
::testing::AssertionResult TargetShowsPattern(const State& st);

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }
  std::filesystem::path folder_;
};

}  // namespace wrimple::testing
