// A plain per-pixel model of the zone operations, written straight from their
// formulas with its own addressing, against which the fast kernels are checked.
#pragma once

#include <cstdint>
#include <vector>

namespace wrimple::testing {

// A bottom-up picture with padded rows, addressed the long way.
struct ModelPicture {
  int width = 0, height = 0;
  std::vector<std::uint8_t> bytes;

  int RowLength() const { return 3 * width + width % 4; }
  std::uint8_t* At(int x, int y) { return bytes.data() + (height - 1 - y) * RowLength() + 3 * x; }
  const std::uint8_t* At(int x, int y) const {
    return bytes.data() + (height - 1 - y) * RowLength() + 3 * x;
  }
};

struct ModelZone {
  int X1, Y1, X2, Y2;
};

// Each writes into `target` from `base`; `plane` is a top-down 4096-pixel-wide
// plane.
void ModelNudge(const ModelPicture& base, ModelPicture& target, ModelZone z, bool vertical, int n,
                int A);
void ModelTwist(const ModelPicture& base, ModelPicture& target, ModelZone z, double n, int A);
void ModelSquashStretch(const ModelPicture& base, ModelPicture& target, ModelZone z, int n, int A);
void ModelPortionMerge(const ModelPicture& base, ModelPicture& target, const std::uint8_t* plane,
                       ModelZone z, int n);
void ModelBlush(const ModelPicture& base, ModelPicture& target, ModelZone z, int n,
                const std::uint8_t reference[3]);

}  // namespace wrimple::testing
