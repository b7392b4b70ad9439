#include <gtest/gtest.h>

#include <cstring>
#include <new>

#include "compose/initial_update.h"
#include "document/commands.h"
#include "document/state.h"
#include "document/zeroed_buffer.h"
#include "support/scripted_platform.h"

namespace wrimple {
namespace {

TEST(Document, FreshDocumentHasTheDefaults) {
  State st;
  for (int n = 1; n <= 2; ++n) {
    const SourceImage& s = st.doc.Source(n);
    EXPECT_EQ(s.SourceKind, kKindEmpty);
    EXPECT_FALSE(s.SourcePicture.has_value());
    EXPECT_EQ(s.ScaleXPercent, 100.0f);
    EXPECT_EQ(s.ScaleYPercent, 100.0f);
    EXPECT_EQ(s.Angle, 0.0f);
    EXPECT_EQ(s.Flipped, 0);
    EXPECT_EQ(s.OffsetX, 0);
    EXPECT_EQ(s.PlacedWidth, 0);
    EXPECT_EQ(s.TextColor, 0xffffffu);
    EXPECT_TRUE(s.text.empty());
  }
  EXPECT_EQ(st.doc.BaseColor, (Bgr{0, 0, 0}));
  EXPECT_EQ(st.doc.text_font.face_name, "Times New Roman");
  EXPECT_EQ(st.doc.text_font.height, -27);
  EXPECT_EQ(st.doc.text_font.weight, 400);
  EXPECT_EQ(st.TargetWidth(), 2048);
  EXPECT_EQ(st.TargetHeight(), 1536);
  EXPECT_EQ(st.SourceCount, 0);
  EXPECT_EQ(st.ReferenceColor, (Bgr{127, 127, 127}));
  EXPECT_EQ(st.MergeMethod, 6);
  EXPECT_EQ(st.MergeBias, 127);
  EXPECT_EQ(st.ContrastMode, 0);
  EXPECT_EQ(st.ContrastThreshold, 127);
  EXPECT_EQ(st.Aggressiveness, 5);
  EXPECT_EQ(st.zone.X1, -1);
  EXPECT_EQ(st.zone.ZoneWidth, 20);
  EXPECT_EQ(st.zone.ZoneHeight, 20);
  EXPECT_EQ(st.doc.next_save_number, 0);
}

TEST(Document, TargetSizeSetterKeepsTheLimits) {
  State st;
  st.SetTargetSize(5000, 4000);
  EXPECT_EQ(st.TargetWidth(), 4096);
  EXPECT_EQ(st.TargetHeight(), 3072);
  st.SetTargetSize(0, -5);
  EXPECT_EQ(st.TargetWidth(), 1);
  EXPECT_EQ(st.TargetHeight(), 1);
}

TEST(AllocateDib, RefusesBeyondTheLimits) {
  EXPECT_FALSE(AllocateDib(24, 20000, 20000));  // 1.2 GB
  EXPECT_FALSE(AllocateDib(24, 20001, 1));
  EXPECT_FALSE(AllocateDib(24, -1, 1));
  EXPECT_FALSE(AllocateDib(24, 1, -1));
}

// Small buffers come from the C heap, large ones straight from the system: both
// must start zeroed, be writable to their last byte and survive being moved.
class ZeroedBufferTest : public ::testing::TestWithParam<std::size_t> {};

TEST_P(ZeroedBufferTest, StartsZeroedAndMovesWhole) {
  const std::size_t size = GetParam();
  ZeroedBuffer first(size);
  ASSERT_EQ(first.size(), size);
  for (std::size_t i : {std::size_t(0), size / 2, size - 1}) EXPECT_EQ(first.data()[i], 0) << i;
  first.data()[size - 1] = 7;
  ZeroedBuffer second(std::move(first));
  EXPECT_EQ(first.data(), nullptr);
  EXPECT_EQ(second.data()[size - 1], 7);
  ZeroedBuffer third(1);
  third = std::move(second);
  EXPECT_EQ(third.size(), size);
  EXPECT_EQ(third.data()[size - 1], 7);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ZeroedBufferTest,
                         ::testing::Values(std::size_t(1), std::size_t(4096), std::size_t(4 << 20) - 1,
                                           std::size_t(4 << 20), std::size_t(37748736 + 54)));

TEST(ZeroedBuffer, TryAllocateSaysWhenMemoryIsShort) {
  EXPECT_FALSE(ZeroedBuffer::TryAllocate(std::size_t(1) << 62));
  EXPECT_THROW(ZeroedBuffer(std::size_t(1) << 62), std::bad_alloc);
}

TEST(AllocateDib, OnePixelBlock) {
  auto block = AllocateDib(24, 1, 1);
  ASSERT_TRUE(block);
  EXPECT_EQ(block->size(), 40u + 4u + 14u);
  EXPECT_EQ(block->image_size(), 4u);
  EXPECT_EQ(block->width(), 1);
  EXPECT_EQ(block->height(), 1);
  EXPECT_EQ(block->bits_per_pixel(), 24);
  EXPECT_EQ(ReadLe32(block->data() + dib::kSize), 40u);
  EXPECT_EQ(ReadLe16(block->data() + dib::kPlanes), 1u);
  EXPECT_EQ(ReadLe32(block->data() + dib::kClrUsed), 0u);
}

TEST(AllocateDib, PaletteDepthsCarryTheirColourCount) {
  auto block = AllocateDib(8, 3, 2);
  ASSERT_TRUE(block);
  EXPECT_EQ(ReadLe32(block->data() + dib::kClrUsed), 256u);
  EXPECT_EQ(block->image_size(), 2u * 4u);
  EXPECT_EQ(block->size(), 8u + 1024u + 54u);
}

TEST(AllocateDib, UnknownDepthLeavesBitCountAndImageSizeZero) {
  auto block = AllocateDib(12, 10, 10);
  ASSERT_TRUE(block);
  EXPECT_EQ(block->bits_per_pixel(), 0);
  EXPECT_EQ(block->image_size(), 0u);
}

struct RowCase {
  int bits, width, length;
};
void PrintTo(const RowCase& c, std::ostream* os) { *os << c.bits << " bits, width " << c.width; }
class DibRowLengthTest : public ::testing::TestWithParam<RowCase> {};
TEST_P(DibRowLengthTest, RoundsTheRowUpToFourBytes) {
  const RowCase c = GetParam();
  EXPECT_EQ(DibRowLength(c.bits, c.width), c.length);
  if (c.bits == 24) {
    EXPECT_EQ(RowLength24(c.width), c.length);
  }
}
INSTANTIATE_TEST_SUITE_P(Depths, DibRowLengthTest,
                         ::testing::Values(RowCase{24, 1, 4}, RowCase{24, 2, 8}, RowCase{24, 3, 12},
                                           RowCase{24, 4, 12}, RowCase{24, 5, 16},
                                           RowCase{1, 1, 4}, RowCase{1, 32, 4}, RowCase{1, 33, 8},
                                           RowCase{4, 8, 4}, RowCase{4, 9, 8}, RowCase{8, 5, 8},
                                           RowCase{16, 3, 8}, RowCase{32, 3, 12}));

class SnapshotTest : public ::testing::TestWithParam<int> {};
TEST_P(SnapshotTest, RestoreGivesBackTheTargetForEveryWidth) {
  State st;
  st.SetTargetSize(GetParam(), 7);
  testing::FillTargetPattern(st, 3);
  const std::vector<std::uint8_t> before(st.TargetBuffer.data(), st.TargetBuffer.data() + st.Target().byte_size());
  SnapshotTarget(st);
  testing::FillTargetPattern(st, 99);
  RestoreFromSnapshot(st);
  EXPECT_EQ(0, std::memcmp(before.data(), st.TargetBuffer.data(), before.size()));
}
INSTANTIATE_TEST_SUITE_P(Widths, SnapshotTest, ::testing::Values(1, 2, 3, 4, 5, 6, 7, 13, 4096));

TEST(Pixels, TargetAddressingIsBottomUp) {
  State st;
  st.SetTargetSize(3, 2);  // row length 12
  EXPECT_EQ(st.Target().pixel(0, 1), st.TargetBuffer.data());
  EXPECT_EQ(st.Target().pixel(2, 0), st.TargetBuffer.data() + 12 + 6);
  EXPECT_EQ(ConstPlane::Offset(5, 2), 2u * 12288u + 15u);
}

TEST(ClaimSlot, FillsSlotsInOrderThenAsksWhichToReplace) {
  State st;
  testing::TestPlatform tp;
  EXPECT_EQ(ClaimSlot(st, tp), 1);
  EXPECT_EQ(ClaimSlot(st, tp), 2);
  EXPECT_EQ(st.SourceCount, 2);
  EXPECT_TRUE(tp.replace.shown.empty());
  for (int answer : {0, 1, 2}) {
    tp.replace.answers = {answer};
    EXPECT_EQ(ClaimSlot(st, tp), answer);
    EXPECT_EQ(st.SourceCount, 2);
  }
  ASSERT_EQ(tp.replace.shown.size(), 3u);
  EXPECT_EQ(tp.replace.shown[0].first, "1:  ");
}

TEST(ClaimSlot, DiscardQuestionOnlyWhenModifiedAndUnlocked) {
  State st;
  testing::TestPlatform tp;
  EXPECT_TRUE(ConfirmDiscardTargetChanges(st, tp, "q"));
  st.TargetModified = true;
  tp.messages.answers = {false};
  EXPECT_FALSE(ConfirmDiscardTargetChanges(st, tp, "q"));
  st.TargetLock = true;
  EXPECT_TRUE(ConfirmDiscardTargetChanges(st, tp, "q"));
  EXPECT_EQ(tp.messages.Texts(testing::RecordedMessage::Question).size(), 1u);
}

TEST(OnNewDocument, EndsHelpModeOnlyOnceASourceExists) {
  State st;
  st.doc.help_picture = std::vector<std::uint8_t>(60, 1);
  st.FirstTimeHelp = true;
  OnNewDocument(st);
  EXPECT_TRUE(st.doc.help_picture.has_value());
  EXPECT_TRUE(st.FirstTimeHelp);
  st.SourceCount = 1;
  OnNewDocument(st);
  EXPECT_FALSE(st.doc.help_picture.has_value());
  EXPECT_FALSE(st.FirstTimeHelp);
}

struct DescribeCase {
  int kind;
  std::string path, expected;
};
void PrintTo(const DescribeCase& c, std::ostream* os) { *os << "kind " << c.kind << " '" << c.path << "'"; }
class DescribeSourceTest : public ::testing::TestWithParam<DescribeCase> {};
TEST_P(DescribeSourceTest, DescribesBySourceKind) {
  State st;
  st.doc.Source(2).SourceKind = GetParam().kind;
  st.doc.Source(2).file_path = GetParam().path;
  EXPECT_EQ(DescribeSource(st.doc, 2), "2:  " + GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Kinds, DescribeSourceTest,
    ::testing::Values(DescribeCase{0, "", "text input"}, DescribeCase{1, "", "previous target image"},
                      DescribeCase{4, "", "copied from clipboard"}, DescribeCase{5, "", "blank source"},
                      DescribeCase{7, "", ""}, DescribeCase{2, "C:\\pics\\a.jpg", "pics\\a.jpg"},
                      DescribeCase{2, "C:\\Users\\me\\pictures\\a.bmp", "Users\\me\\pictures\\a.bmp"},
                      DescribeCase{2, "/home/me/pictures/a.bmp", "home/me/pictures/a.bmp"},
                      DescribeCase{2, std::string(49, 'a'), std::string(49, 'a')},
                      DescribeCase{2, std::string(5, 'b') + std::string(50, 'a'), std::string(50, 'a')},
                      // 60 characters whose cuts give 57, 51, 46 and then 37.
                      DescribeCase{2, "ab\\cdefg\\hijk\\" + std::string(8, 'x') + "\\" + std::string(36, 'y'),
                                   std::string(36, 'y')}));

TEST(Enabling, WholeTargetAndZoneCommandsFollowTheZone) {
  State st;
  EXPECT_FALSE(IsEnabled(st, CommandId::Blur));
  st.SourceCount = 1;
  EXPECT_TRUE(IsEnabled(st, CommandId::Blur));
  EXPECT_FALSE(IsEnabled(st, CommandId::TwistClockwise));
  st.zone = {.X1 = 10, .Y1 = 10, .X2 = 20, .Y2 = 20};
  EXPECT_TRUE(IsEnabled(st, CommandId::TwistClockwise));
  EXPECT_FALSE(IsEnabled(st, CommandId::Blur));
  EXPECT_FALSE(IsEnabled(st, CommandId::FillFromSource2));
  st.zone.X2 = 19;  // 9 x 10 is no zone
  EXPECT_FALSE(IsEnabled(st, CommandId::TwistClockwise));
  EXPECT_TRUE(IsEnabled(st, CommandId::Blur));
  st.ScalingDialogOpen = true;
  EXPECT_FALSE(IsEnabled(st, CommandId::Blur));
  EXPECT_TRUE(IsEnabled(st, CommandId::AlignSource1));
  EXPECT_TRUE(IsEnabled(st, CommandId::RestoreTarget));
  st.TargetLock = true;
  EXPECT_FALSE(IsEnabled(st, CommandId::RestoreTarget));
}

TEST(Enabling, BlankSourcesCannotBeAlignedRotatedOrFlipped) {
  State st;
  st.SourceCount = 2;
  st.doc.Source(2).SourceKind = kKindBlank;
  EXPECT_TRUE(IsEnabled(st, CommandId::RotateSource1));
  EXPECT_FALSE(IsEnabled(st, CommandId::RotateSource2));
  EXPECT_FALSE(IsEnabled(st, CommandId::FlipSource2));
  EXPECT_FALSE(IsEnabled(st, CommandId::AlignSource2));
}

TEST(Enabling, BrushingIsCheckedAndDisabledWhileOn) {
  State st;
  st.SourceCount = 1;
  st.zone = {.X1 = 0, .Y1 = 0, .X2 = 30, .Y2 = 30};
  EXPECT_TRUE(IsEnabled(st, CommandId::SourceBrushing));
  EXPECT_FALSE(IsEnabled(st, CommandId::SourceBrushingOff));
  st.SourceBrushing = true;
  EXPECT_FALSE(IsEnabled(st, CommandId::SourceBrushing));
  EXPECT_TRUE(IsChecked(st, CommandId::SourceBrushing));
  EXPECT_TRUE(IsEnabled(st, CommandId::SourceBrushingOff));
  EXPECT_FALSE(IsEnabled(st, CommandId::Cut));
}

TEST(RandomGenerator, IsTheCStandardExample) {
  RandomGenerator r([] { return 1u; });
  r.SeedFromClock();
  // The C standard's example: srand(1) then rand() gives 16838, 5758, 10113.
  EXPECT_EQ(r.Rand(), 16838);
  EXPECT_EQ(r.Rand(), 5758);
  EXPECT_EQ(r.Rand(), 10113);
}

TEST(InitialUpdate, FirstUpdateReadsTheTargetSizeOnlyOnce) {
  State st;
  testing::TestPlatform tp;
  tp.settings.ints["Target Width"] = 2000;
  tp.settings.ints["Target height"] = 9000;
  OnInitialUpdate(st, tp);
  EXPECT_EQ(st.TargetWidth(), 2000);
  EXPECT_EQ(st.TargetHeight(), 3072);
  tp.settings.ints["Target Width"] = 500;
  OnInitialUpdate(st, tp);
  EXPECT_EQ(st.TargetWidth(), 2000);
}

}  // namespace
}  // namespace wrimple
