// The lane helpers the pixel loops share: the block layout of 32 pixels and the
// integer brightness, against their plain definitions.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "document/brightness64.h"
#include "document/pixel_runs.h"

namespace wrimple {
namespace {

using pixel_runs::kBlockPixels;
using pixel_runs::kPixelSets;
using pixel_runs::kSetPixels;

using Block = std::array<std::uint8_t, 3 * kBlockPixels>;

Block DistinctBytes() {
  Block block;
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = std::uint8_t(255 - 2 * i);
  return block;
}

TEST(PixelRuns, SetsHoldEveryFourthPixelChannelByChannel) {
  const Block block = DistinctBytes();
  const pixel_runs::BlockRuns runs = pixel_runs::LoadRuns(block.data());
  for (int set = 0; set < kPixelSets; ++set) {
    const pixel_runs::SetLanes lanes = pixel_runs::LoadSet(runs, set);
    for (int c = 0; c < 3; ++c)
      for (int i = 0; i < kSetPixels; ++i)
        ASSERT_EQ(lanes.channel[c][i], block[std::size_t(3 * (set + kPixelSets * i) + c)])
            << "set " << set << ", channel " << c << ", lane " << i;
  }
}

TEST(PixelRuns, WriterPutsChangedSetsBackInPixelOrder) {
  const Block block = DistinctBytes();
  const pixel_runs::BlockRuns runs = pixel_runs::LoadRuns(block.data());
  pixel_runs::RunWriter writer;
  for (int set = 0; set < kPixelSets; ++set) {
    pixel_runs::SetLanes lanes = pixel_runs::LoadSet(runs, set);
    lanes.channel[1] = 255 - lanes.channel[1];  // a change that shows a misplaced byte
    writer.Put(set, lanes);
  }
  Block written{};
  writer.Store(written.data());
  for (std::size_t i = 0; i < block.size(); ++i)
    ASSERT_EQ(written[i], i % 3 == 1 ? 255 - block[i] : block[i]) << "byte " << i;
}

// Each channel's share alone, for every value a byte raised by up to 255 takes.
TEST(Brightness64, EqualsTheTruncatedProductsUpTo510) {
  constexpr double kWeights[3] = {7.04, 37.76, 19.2};
  for (int v = 0; v <= 510; ++v)
    for (int c = 0; c < 3; ++c) {
      int channels[3] = {0, 0, 0};
      channels[c] = v;
      const int expected = int(kWeights[c] * v);
      ASSERT_EQ(Brightness64(channels[0], channels[1], channels[2]), expected) << "channel " << c << ", " << v;
      UnsignedShorts8 lanes[3] = {};
      lanes[c] = UnsignedShorts8{} + std::uint16_t(v);
      ASSERT_EQ(Brightness64(lanes[0], lanes[1], lanes[2])[kSetPixels - 1], expected) << "lanes, channel " << c;
    }
}

}  // namespace
}  // namespace wrimple
