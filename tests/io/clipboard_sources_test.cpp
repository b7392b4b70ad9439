// Pasted bitmaps of every depth against a per-pixel model, the refusals, and
// the paste, blank, snapshot and copy commands.
#include <gtest/gtest.h>

#include <functional>

#include "io/clipboard_sources.h"
#include "io/loading.h"
#include "io_fixtures.h"
#include "support/scripted_platform.h"

namespace wrimple::testing {
namespace {

using Kind = RecordedMessage::Kind;

// ---- Building clipboard bitmaps ----

void Le(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x, int bytes) {
  for (int i = 0; i < bytes; ++i) v[at + std::size_t(i)] = std::uint8_t(x >> (8 * i));
}

struct DibSpec {
  int header_size = 40;
  int width = 5;
  int height = 3;
  int bits = 24;
  std::uint32_t compression = 0;
  std::uint32_t colors_used = 0;
  std::vector<std::uint32_t> masks;  // red, green, blue after the header
  std::vector<Bgr> table;
  std::function<std::uint32_t(int x, int y)> value;  // the stored value of pixel (x, y from the top)
};

std::int64_t InputRow(const DibSpec& d) {
  switch (d.bits) {
    case 16: return 2 * (d.width + (d.width & 1));
    case 32: return 4 * d.width;
    default: return ((std::int64_t(d.width) * d.bits + 31) / 32) * 4;
  }
}

std::vector<std::uint8_t> MakeDib(const DibSpec& d) {
  const std::size_t bits_at = std::size_t(d.header_size) + 4 * d.masks.size() + 4 * d.table.size();
  const std::int64_t row = InputRow(d);
  std::vector<std::uint8_t> v(bits_at + std::size_t(row * std::abs(d.height)), 0);
  Le(v, 0, std::uint32_t(d.header_size), 4);
  Le(v, 4, std::uint32_t(d.width), 4);
  Le(v, 8, std::uint32_t(d.height), 4);
  Le(v, 12, 1, 2);
  Le(v, 14, std::uint32_t(d.bits), 2);
  Le(v, 16, d.compression, 4);
  Le(v, 32, d.colors_used, 4);
  std::size_t at = std::size_t(d.header_size);
  for (std::uint32_t m : d.masks) Le(v, (at += 4) - 4, m, 4);
  for (const Bgr& c : d.table) {
    v[at] = c[0], v[at + 1] = c[1], v[at + 2] = c[2];
    at += 4;
  }
  const int h = std::abs(d.height);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < d.width; ++x) {
      const std::size_t r = bits_at + std::size_t((h - 1 - y) * row);
      const std::uint32_t value = d.value(x, y);
      if (d.bits < 8) {
        const int shift = 8 - d.bits * (x % (8 / d.bits) + 1);
        v[r + std::size_t(x * d.bits / 8)] |= std::uint8_t(value << shift);
      } else {
        Le(v, r + std::size_t(x * d.bits / 8), value, d.bits / 8);
      }
    }
  return v;
}

// The model: what pixel (x, y) must become.
using Model = std::function<Bgr(const DibSpec&, int x, int y)>;

Bgr FromTable(const DibSpec& d, int x, int y) { return d.table[d.value(x, y)]; }
Bgr FromBgr(const DibSpec& d, int x, int y) {
  const std::uint32_t v = d.value(x, y);
  return Bgr{std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16)};
}
// 5 bits scaled by 8 (the shifted mask's high byte), 6 bits by 4.
Bgr From555(const DibSpec& d, int x, int y) {
  const std::uint32_t v = d.value(x, y);
  return Bgr{std::uint8_t((v & 31) << 3), std::uint8_t(((v >> 5) & 31) << 3), std::uint8_t(((v >> 10) & 31) << 3)};
}
Bgr From565(const DibSpec& d, int x, int y) {
  const std::uint32_t v = d.value(x, y);
  return Bgr{std::uint8_t((v & 31) << 3), std::uint8_t(((v >> 5) & 63) << 2), std::uint8_t(((v >> 11) & 31) << 3)};
}

std::vector<Bgr> Palette(int n) {
  std::vector<Bgr> t;
  for (int i = 0; i < n; ++i) t.push_back(Bgr{std::uint8_t(i * 13), std::uint8_t(255 - i * 7), std::uint8_t(i * 31)});
  return t;
}

struct PasteCase {
  const char* name;
  DibSpec dib;
  Model model;
};

PasteCase Case(const char* name, DibSpec d, Model m) { return {name, std::move(d), std::move(m)}; }

auto Mod(int n) {
  return [n](int x, int y) { return std::uint32_t((x * 3 + y * 5) % n); };
}
std::uint32_t Colour24(int x, int y) { return std::uint32_t(PatternPixel(x, y)[0] | PatternPixel(x, y)[1] << 8 | PatternPixel(x, y)[2] << 16); }

std::vector<PasteCase> PasteCases() {
  return {
      Case("OneBit", {.bits = 1, .table = {{0, 0, 0}, {255, 255, 255}}, .value = Mod(2)}, FromTable),
      Case("FourBit", {.bits = 4, .table = Palette(16), .value = Mod(16)}, FromTable),
      Case("FourBitFewColours", {.bits = 4, .colors_used = 3, .table = Palette(3), .value = Mod(3)}, FromTable),
      Case("EightBit", {.width = 9, .bits = 8, .colors_used = 40, .table = Palette(40), .value = Mod(40)}, FromTable),
      Case("Sixteen555", {.bits = 16, .value = [](int x, int y) { return std::uint32_t(x * 2311 + y * 977) & 0x7fff; }},
           From555),
      Case("Sixteen565", {.bits = 16, .compression = 3, .masks = {0xf800, 0x7e0, 0x1f},
                          .value = [](int x, int y) { return std::uint32_t(x * 4111 + y * 1237) & 0xffff; }},
           From565),
      Case("TwentyFour", {.width = 6, .bits = 24, .value = Colour24}, FromBgr),
      Case("TwentyFourVersion5Header", {.header_size = 124, .bits = 24, .value = Colour24}, FromBgr),
      Case("ThirtyTwo", {.bits = 32, .value = [](int x, int y) { return Colour24(x, y) | 0x5a000000u; }}, FromBgr),
      Case("ThirtyTwoBitFields", {.bits = 32, .compression = 3, .masks = {0xff0000, 0xff00, 0xff}, .value = Colour24},
           FromBgr),
  };
}

class PastedBitmap : public ::testing::TestWithParam<PasteCase> {};

TEST_P(PastedBitmap, ConvertsEveryPixelLikeTheModel) {
  const PasteCase& c = GetParam();
  const std::optional<PictureBlock> picture = ConvertPastedBitmap(MakeDib(c.dib));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->bits_per_pixel(), 24);
  EXPECT_EQ(picture->width(), c.dib.width);
  EXPECT_EQ(picture->height(), c.dib.height);
  EXPECT_EQ(picture->size(), std::size_t(RowLength24(c.dib.width) * c.dib.height + 54));
  const ConstTargetImage out(picture->bits(), c.dib.width, c.dib.height);
  for (int y = 0; y < c.dib.height; ++y)
    for (int x = 0; x < c.dib.width; ++x)
      ASSERT_EQ(ReadPixel(out.pixel(x, y)), c.model(c.dib, x, y)) << "pixel " << x << ", " << y;
}

INSTANTIATE_TEST_SUITE_P(Depths, PastedBitmap, ::testing::ValuesIn(PasteCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PastedBitmapValues, White555IsTwoFortyEight) {
  const auto p = ConvertPastedBitmap(MakeDib({.width = 1, .height = 1, .bits = 16, .value = [](int, int) { return 0x7fffu; }}));
  ASSERT_TRUE(p);
  EXPECT_EQ(ReadPixel(p->bits()), (Bgr{248, 248, 248}));
}

TEST(PastedBitmapValues, ZeroMaskGivesZeroAndEnds) {
  const auto p = ConvertPastedBitmap(
      MakeDib({.width = 1, .height = 1, .bits = 16, .compression = 3, .masks = {0xf800, 0, 0x1f}, .value = [](int, int) {
                 return 0xffffu;
               }}));
  ASSERT_TRUE(p);
  EXPECT_EQ(ReadPixel(p->bits()), (Bgr{248, 0, 248}));
}

struct RefusedCase {
  const char* name;
  std::vector<std::uint8_t> block;
};

class RefusedBitmap : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedBitmap, GivesNoPicture) { EXPECT_FALSE(ConvertPastedBitmap(GetParam().block)); }

std::vector<std::uint8_t> Truncated(std::vector<std::uint8_t> v, std::size_t drop) {
  v.resize(v.size() - drop);
  return v;
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, RefusedBitmap,
    ::testing::Values(
        RefusedCase{"TopDown", MakeDib({.height = -3, .value = Colour24})},
        RefusedCase{"RunLength8", MakeDib({.bits = 8, .compression = 1, .table = Palette(256), .value = Mod(9)})},
        RefusedCase{"RunLength4", MakeDib({.bits = 4, .compression = 2, .table = Palette(16), .value = Mod(9)})},
        RefusedCase{"TwoBits", MakeDib({.bits = 2, .table = Palette(4), .value = Mod(4)})},
        RefusedCase{"CoreHeader", MakeDib({.header_size = 12, .value = Colour24})},
        RefusedCase{"ZeroWidth", MakeDib({.width = 0, .value = Colour24})},
        RefusedCase{"TruncatedRows", Truncated(MakeDib({.value = Colour24}), 1)},
        RefusedCase{"TruncatedTable", Truncated(MakeDib({.width = 1, .height = 1, .bits = 8, .table = Palette(256),
                                                         .value = Mod(2)}),
                                                8)},
        RefusedCase{"HugeColoursUsed", MakeDib({.bits = 8, .colors_used = 0x40000000, .table = Palette(2), .value = Mod(2)})},
        RefusedCase{"ShortHeader", std::vector<std::uint8_t>(39, 0)}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- The commands ----

class ClipboardCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    st.SetTargetSize(120, 70);
    st.first_update = false;
    for (int y = 0; y < 70; ++y)
      for (int x = 0; x < 120; ++x) WritePixel(st.Target().pixel(x, y), PatternPixel(x, y));
  }
  State st;
  TestPlatform tp;
};

TEST_F(ClipboardCommands, PasteFitsThePictureAndKeepsTheMirrorFlag) {
  tp.clipboard.dib = MakeDib({.width = 12, .height = 7, .bits = 24, .value = Colour24});
  st.doc.Source(1).Flipped = 1;
  st.doc.Source(1).OffsetX = 9;
  Paste(st, tp);
  const SourceImage& s = st.doc.Source(1);
  EXPECT_EQ(st.SourceCount, 1);
  EXPECT_EQ(s.SourceKind, kKindPasted);
  EXPECT_EQ(s.ScaleXPercent, FitScale(120, 70, 12, 7));
  EXPECT_EQ(s.OffsetX, 0);
  EXPECT_EQ(s.Flipped, 1);
}

TEST_F(ClipboardCommands, PasteWithoutABitmapSaysSo) {
  Paste(st, tp);
  EXPECT_EQ(tp.messages.Texts(Kind::Info), std::vector<std::string>{"Nothing on the clipboard."});
  tp.clipboard.opens = false;
  tp.clipboard.dib = MakeDib({.value = Colour24});
  Paste(st, tp);
  EXPECT_EQ(tp.messages.log.size(), 1u) << "a clipboard that cannot be opened ends silently";
  EXPECT_EQ(st.SourceCount, 0);
}

TEST_F(ClipboardCommands, PasteThatCannotBeConvertedRestoresTheCount) {
  tp.clipboard.dib = MakeDib({.height = -3, .value = Colour24});
  Paste(st, tp);
  EXPECT_EQ(st.SourceCount, 0);
  EXPECT_TRUE(tp.messages.log.empty());
}

TEST_F(ClipboardCommands, PasteIntoAFullDocumentMayKeepBoth) {
  st.SourceCount = 2;
  tp.clipboard.dib = MakeDib({.value = Colour24});
  tp.replace.answers = {0};
  Paste(st, tp);
  EXPECT_EQ(st.SourceCount, 2);
  EXPECT_FALSE(st.doc.Source(1).SourcePicture);
  EXPECT_FALSE(st.doc.Source(2).SourcePicture);
}

TEST_F(ClipboardCommands, PasteAsksWhenTheTargetWasChanged) {
  st.TargetModified = true;
  tp.messages.answers = {false};
  tp.clipboard.dib = MakeDib({.value = Colour24});
  Paste(st, tp);
  EXPECT_EQ(tp.messages.Texts(Kind::Question),
            std::vector<std::string>{
                "Target has been changed, pasting an image will destroy those changes.\nDo you wish to continue?"});
  EXPECT_EQ(st.SourceCount, 0);
}

TEST_F(ClipboardCommands, BlankSourceIsTheReferenceColourAtTheTargetSize) {
  st.ReferenceColor = {1, 2, 3};
  st.doc.Source(1).ScaleXPercent = 30.0f;
  ASSERT_TRUE(BeginBlankSource(st, tp));
  FinishBlankSource(st, tp);
  const SourceImage& s = st.doc.Source(1);
  EXPECT_EQ(s.SourceKind, kKindBlank);
  EXPECT_EQ(s.ScaleXPercent, 100.0f);
  ASSERT_EQ(s.SourcePicture->width(), 120);
  const ConstTargetImage p(s.SourcePicture->bits(), 120, 70);
  EXPECT_EQ(ReadPixel(p.pixel(0, 0)), (Bgr{1, 2, 3}));
  EXPECT_EQ(ReadPixel(p.pixel(119, 69)), (Bgr{1, 2, 3}));
}

TEST_F(ClipboardCommands, BlankSourceRefusedAsksOnly) {
  st.TargetModified = true;
  tp.messages.answers = {false};
  EXPECT_FALSE(BeginBlankSource(st, tp));
  EXPECT_EQ(tp.messages.Texts(Kind::Question),
            std::vector<std::string>{"Target has been changed, loading a blank source now will destroy those "
                                     "changes.\nDo you wish to continue?"});
}

TEST_F(ClipboardCommands, TargetToSourceRecomposesToTheSameTarget) {
  st.ContrastThreshold = 3;
  TargetToSource(st, tp, 1);
  const SourceImage& s = st.doc.Source(1);
  EXPECT_EQ(s.SourceKind, kKindTargetSnapshot);
  EXPECT_EQ(s.ScaleXPercent, 100.0f);
  EXPECT_EQ(st.ContrastThreshold, 127);
  EXPECT_EQ(s.SourcePicture->width(), 120);
  EXPECT_EQ(s.SourcePicture->height(), 70);
  st.SourceCount = 1;
  EXPECT_TRUE(TargetShowsPattern(st));
  TargetToSource(st, tp, 2);
  EXPECT_EQ(st.SourceCount, 2);
  EXPECT_EQ(st.doc.Source(2).SourceKind, kKindTargetSnapshot);
}

TEST_F(ClipboardCommands, CopyWithASmallZoneCopiesTheWholeTargetWithoutAsking) {
  st.zone = {.X1 = 10, .Y1 = 10, .X2 = 19, .Y2 = 19};
  CopyTarget(st, tp);
  EXPECT_TRUE(tp.messages.log.empty());
  EXPECT_EQ(tp.clipboard.written_width, 120);
  EXPECT_EQ(tp.clipboard.written, std::vector<std::uint8_t>(st.TargetBuffer.data(),
                                                            st.TargetBuffer.data() + st.Target().byte_size()));
}

TEST_F(ClipboardCommands, CopyOfTheZoneWhenTheUserSaysSo) {
  st.zone = {.X1 = 30, .Y1 = 20, .X2 = 10, .Y2 = 5};
  tp.messages.answers = {true};
  CopyTarget(st, tp);
  ASSERT_EQ(tp.clipboard.written_width, 20);
  ASSERT_EQ(tp.clipboard.written_height, 15);
  const ConstTargetImage rows(tp.clipboard.written.data(), 20, 15);
  EXPECT_EQ(ReadPixel(rows.pixel(0, 0)), PatternPixel(10, 5));
  EXPECT_EQ(ReadPixel(rows.pixel(19, 14)), PatternPixel(29, 19));

  tp.messages.answers = {false};
  CopyTarget(st, tp);
  EXPECT_EQ(tp.clipboard.written_width, 120);
  EXPECT_FALSE(st.zone.HasCorners());
}

}  // namespace
}  // namespace wrimple::testing
