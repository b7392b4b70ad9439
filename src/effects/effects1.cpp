#include "effects/effects1.h"

namespace wrimple {

namespace {

// The three block measures of the 2 x 2 block with (x, y) at its top left.
struct BlockMeasures {
  int blue;         // a: mean blue
  int green5;       // g5: five times the mean green
  int red3;         // r3: three times the mean red
  int pattern;      // v: the measures mixed bitwise, 0..255
};

BlockMeasures MeasureBlock(ConstTargetImage snapshot, int x, int y) {
  const std::uint8_t* top = snapshot.pixel(x, y);
  const std::uint8_t* below = snapshot.pixel(x, y + 1);
  int sum[3];
  for (int c = 0; c < 3; ++c) sum[c] = top[c] + top[3 + c] + below[3 + c] + below[c];
  BlockMeasures m;
  m.blue = sum[0] >> 2;
  m.green5 = (5 * sum[1]) >> 2;
  m.red3 = (3 * sum[2]) >> 2;
  m.pattern = (m.blue ^ m.green5 ^ m.red3) & 255;
  return m;
}

}  // namespace

void SpecialEffects1(ConstTargetImage snapshot, TargetImage target, const Effects1Parameters& p,
                     RandomGenerator& random) {
  const int width = target.width();
  const int height = target.height();
  int cy = 0;
  for (int y = 0; y < height - 1; ++y, ++cy) {
    std::uint8_t* out = target.row(y);
    int cx = 0;
    for (int x = 0; x < width - 1; ++x) {
      const BlockMeasures m = MeasureBlock(snapshot, x, y);
      const int ra = random.Rand();
      const int dy = ((m.pattern - 127) >> 5) * p.tear + ((ra & 3) - 1) * p.scatter;
      if (cx > p.segment) cx = 0;
      if (cy > p.segment) cy = 0;
      const int rb = random.Rand();
      const int tx = x + cx + (((m.blue + m.green5 + m.red3) >> 8) - 4) * p.vitreous1 +
                     ((rb & 3) - 1) * p.scatter;
      const int ty = y + cy + dy;
      if (ty < 0 || ty >= height || tx < 0 || tx >= width) continue;
      std::uint8_t* dst = out + 3 * x;
      if (m.pattern * p.vitreous2 <= 192) {
        WritePixel(dst, ReadPixel(snapshot.pixel(tx, ty)));
      } else {
        const std::uint8_t grey = std::uint8_t(m.pattern);
        WritePixel(dst, Bgr{grey, grey, grey});
      }
      ++cx;
    }
  }
}

}  // namespace wrimple
