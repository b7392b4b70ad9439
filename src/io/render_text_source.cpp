#include <algorithm>
#include <cstring>
#include <memory>

#include "io/messages.h"
#include "io/text_source.h"

namespace wrimple {

namespace {

constexpr std::int64_t kMaxTextPixels = 16777216;
constexpr int kMaxMeasuredLines = 100;
constexpr std::size_t kMaxMeasuredCharacters = 8192;

struct TextExtent {
  int widest = 0;
  int tallest = 0;
  int lines = 0;
};

// Widest and tallest of the first 100 lines that end in a line feed; each line
// is measured without its line feed and the character before it.
TextExtent Measure(Font& font, std::string_view text) {
  TextExtent e;
  std::size_t consumed = 0;
  while (!text.empty()) {
    const std::size_t d = text.find('\n');
    if (d == std::string_view::npos) break;
    const Size size = font.MeasureLine(text.substr(0, d > 0 ? d - 1 : 0));
    e.widest = std::max(e.widest, size.width);
    e.tallest = std::max(e.tallest, size.height);
    if (consumed > kMaxMeasuredCharacters) break;
    consumed += d + 1;
    text.remove_prefix(d + 1);
    if (++e.lines == kMaxMeasuredLines) break;
  }
  return e;
}

struct TextPicture {
  int width = 0;
  int height = 0;
};

// The next multiple of 16 above the widest line; the lines' height to the
// nearest multiple of 4.
TextPicture PictureSize(const TextExtent& e) {
  return {(e.widest + 16) & ~15, (e.tallest * e.lines + 2) & ~3};
}

// Measures with the record's font, halving its height until the picture is
// small enough; null (after the message) when no font fits.
std::unique_ptr<Font> FittingFont(State& st, Platform& pf, std::string_view text, TextPicture& size) {
  FontRecord& record = st.doc.text_font;
  for (;;) {
    std::unique_ptr<Font> font = pf.text.CreateFont(record);
    if (!font) break;
    size = PictureSize(Measure(*font, text));
    if (std::int64_t(size.width) * size.height <= kMaxTextPixels) return font;
    const std::int32_t halved = record.height / 2;
    if (halved == record.height) break;  // height 0 cannot shrink any further
    record.height = halved;
  }
  pf.messages.ShowError("Problem with font generation?");
  return nullptr;
}

// Text colour where the glyphs ink, base colour elsewhere; the last mono row
// is not used, so the bottom picture row stays base colour. The base row is
// built once and copied; mono bytes without ink are skipped whole.
void Paint(PictureBlock& picture, const MonoBitmap& mono, const Bgr& base, const Bgr& ink) {
  const TargetImage out(picture.bits(), picture.width(), picture.height());
  for (int x = 0; x < out.width(); ++x) WritePixel(out.pixel(x, 0), base);
  for (int y = 1; y < out.height(); ++y) std::memcpy(out.row(y), out.row(0), 3 * std::size_t(out.width()));
  const int rows = std::min(out.height() - 1, mono.height);
  const int columns = std::min(out.width(), mono.width);
  for (int r = 0; r < rows; ++r) {
    const std::uint8_t* bits = mono.bits.data() + std::size_t(r) * mono.stride;
    for (int x = 0; x < columns; ++x) {
      if (bits[x >> 3] == 0) {
        x |= 7;
        continue;
      }
      if (mono.Ink(x, r)) WritePixel(out.pixel(x, r), ink);
    }
  }
}

}  // namespace

int RenderTextSource(State& st, Platform& pf, int n) {
  SourceImage& s = st.doc.Source(n);
  TextPicture size;
  const std::unique_ptr<Font> font = FittingFont(st, pf, s.text, size);
  if (!font) return 0;
  if (size.height == 0) return 0;
  const MonoBitmap mono = font->DrawText(s.text, size.width, size.height, 1, 1);
  s.SourcePicture.reset();
  s.SourcePicture = AllocateDib(24, size.width, size.height);
  if (!s.SourcePicture) {
    pf.messages.ShowError(text::kOutOfMemory);
    return 0;
  }
  Paint(*s.SourcePicture, mono, st.doc.BaseColor, ToBgr(s.TextColor));
  return 1;
}

}  // namespace wrimple
