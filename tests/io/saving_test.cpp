// Saving the target: the region rule, the naming rules of "Save As", the
// numbering of "Next Save", the writers, the messages, and that a failed save
// leaves the file it would replace alone.
#include <filesystem>

#include "io/imaging.h"
#include "io/messages.h"
#include "io/saving.h"
#include "io_fixtures.h"
#include "support/scripted_platform.h"

namespace wrimple::testing {
namespace {

using Kind = RecordedMessage::Kind;

class Saving : public TempFolder {
 protected:
  void SetUp() override {
    TempFolder::SetUp();
    st.ImagingAvailable = true;
    st.SetTargetSize(40, 30);
    st.SourceCount = 1;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x) WritePixel(st.Target().pixel(x, y), PatternPixel(x, y));
  }
  // "Save As" with the dialog returning folder/name and the filter.
  bool SaveAsNamed(const std::string& name, int filter) {
    tp.files.choices = {FileChoice{Path(name), filter}};
    return SaveAs(st, tp);
  }
  // The saved file's pixels compared with the pattern's region.
  void ExpectFileShows(const std::string& name, int x0, int y0, int w, int h) {
    std::unique_ptr<ImageFileReader> r = OpenImageFileReader(Path(name));
    ASSERT_TRUE(r) << name;
    ASSERT_EQ(r->width(), w);
    ASSERT_EQ(r->height(), h);
    std::vector<std::uint8_t> got(std::size_t(3 * w * h));
    ASSERT_TRUE(r->ReadRows(got.data(), 3 * w));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        ASSERT_EQ(ReadPixel(&got[std::size_t(3 * (y * w + x))]), PatternPixel(x0 + x, y0 + y)) << x << "," << y;
  }
  std::vector<std::string> Errors() const { return tp.messages.Texts(Kind::Error); }

  State st;
  TestPlatform tp;
};

TEST_F(Saving, RegionIsTheZoneOnlyWhenBothSidesExceedNine) {
  st.zone = {.X1 = 5, .Y1 = 200, .X2 = 14, .Y2 = 0};
  const TargetRegion whole = SaveRegion(st, true);
  EXPECT_EQ(whole.width, 40);
  EXPECT_EQ(whole.height, 30);
  st.zone = {.X1 = 15, .Y1 = 12, .X2 = 5, .Y2 = 2};
  const TargetRegion zone = SaveRegion(st, true);
  EXPECT_EQ(zone.x0, 5);
  EXPECT_EQ(zone.y0, 2);
  EXPECT_EQ(zone.width, 10);
  EXPECT_EQ(zone.height, 10);
  EXPECT_EQ(SaveRegion(st, false).width, 40);
}

struct NamingCase {
  const char* name;
  const char* typed;
  int filter;
  const char* written;
  const char* extension;
  const char* stem;  // relative to the folder; empty: unchanged (empty)
};

class SaveAsNaming : public Saving, public ::testing::WithParamInterface<NamingCase> {};

TEST_P(SaveAsNaming, TypedExtensionWinsElseTheFiltersIsAdded) {
  const NamingCase c = GetParam();
  ASSERT_TRUE(SaveAsNamed(c.typed, c.filter));
  EXPECT_TRUE(std::filesystem::exists(Path(c.written)));
  EXPECT_EQ(st.doc.save_path, Path(c.written));
  EXPECT_EQ(st.doc.save_extension, c.extension);
  EXPECT_EQ(st.doc.save_stem, std::string(c.stem).empty() ? std::string() : Path(c.stem));
}

INSTANTIATE_TEST_SUITE_P(
    Names, SaveAsNaming,
    ::testing::Values(NamingCase{"NoExtension", "picture", 3, "picture.png", "png", "picture"},
                      NamingCase{"TypedJpg", "picture.jpg", 3, "picture.jpg", "jpg", ""},
                      NamingCase{"Jpeg", "shot.jpeg", 3, "shot.jpeg.png", "png", "shot.jpeg"},
                      NamingCase{"UpperCaseTga", "A.TGA", 1, "A.TGA", "tga", ""},
                      NamingCase{"Pcx", "b", 6, "b.pcx", "pcx", "b"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Saving, TypedJpgWithThePngFilterWritesAJpegFile) {
  ASSERT_TRUE(SaveAsNamed("picture.jpg", 3));
  const std::vector<std::uint8_t> bytes = ReadBytes(Path("picture.jpg"));
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes[0], 0xff);
  EXPECT_EQ(bytes[1], 0xd8);
}

TEST_F(Saving, NextSaveNumbersFromTheStem) {
  ASSERT_TRUE(SaveAsNamed("picture", 3));
  ASSERT_TRUE(NextSave(st, tp));
  ASSERT_TRUE(NextSave(st, tp));
  EXPECT_TRUE(std::filesystem::exists(Path("picture0001.png")));
  EXPECT_TRUE(std::filesystem::exists(Path("picture0002.png")));
  EXPECT_EQ(tp.progress.fills.size(), 4u);
  EXPECT_EQ(tp.progress.fills[0], std::make_pair(MakeColorRef(255, 255, 255), 100));
  EXPECT_EQ(tp.progress.fills[1], std::make_pair(MakeColorRef(128, 128, 128), 100));
  ASSERT_TRUE(Save(st, tp));
  ASSERT_TRUE(NextSave(st, tp));
  EXPECT_EQ(st.doc.next_save_number, 1) << "Save restarts the numbering";
}

TEST(NumberedSaveName, HasAtLeastFourDigits) {
  EXPECT_EQ(NumberedSaveName("s", 7, "png"), "s0007.png");
  EXPECT_EQ(NumberedSaveName("s", 123, "bmp"), "s0123.bmp");
  EXPECT_EQ(NumberedSaveName("s", 12345, "tif"), "s12345.tif");
}

TEST_F(Saving, NothingToSaveWithoutASource) {
  st.SourceCount = 0;
  SaveAs(st, tp);
  Save(st, tp);
  NextSave(st, tp);
  EXPECT_EQ(Errors(), std::vector<std::string>(3, text::kNothingToSave));
  EXPECT_TRUE(tp.files.requests.empty());
}

TEST_F(Saving, DialogIsRequestedWithTheRememberedSettings) {
  tp.settings.strings["Last Save Directory"] = "/old/";
  tp.settings.ints["Last Save Extension"] = 5;
  ASSERT_TRUE(SaveAsNamed("x.bmp", 2));
  const FileDialogRequest& r = tp.files.requests.at(0);
  EXPECT_EQ(r.title, "Save Target");
  EXPECT_EQ(r.filter, kSaveFilter);
  EXPECT_EQ(r.initial_folder, "/old/");
  EXPECT_EQ(r.filter_index, 5);
  EXPECT_EQ(tp.settings.ints["Last Save Extension"], 2);
  EXPECT_EQ(tp.settings.strings["Last Save Directory"], folder_.string() + "/");
}

TEST_F(Saving, ZoneOnlyWhenTheUserSaysSo) {
  st.zone = {.X1 = 3, .Y1 = 4, .X2 = 17, .Y2 = 20};
  tp.messages.answers = {true};
  ASSERT_TRUE(SaveAsNamed("zone.png", 3));
  EXPECT_EQ(tp.files.requests.at(0).title, "Save target - from rectangular zone Area");
  EXPECT_EQ(tp.messages.Texts(Kind::Question),
            std::vector<std::string>{std::string(text::kZoneSetUp) + "Do you wish to save this area only ?"});
  ExpectFileShows("zone.png", 3, 4, 14, 16);
  // "Save" writes the whole target to the same file.
  ASSERT_TRUE(Save(st, tp));
  ExpectFileShows("zone.png", 0, 0, 40, 30);

  tp.messages.answers = {false};
  ASSERT_TRUE(SaveAsNamed("whole.png", 3));
  EXPECT_FALSE(st.zone.HasCorners());
  ExpectFileShows("whole.png", 0, 0, 40, 30);
}

class ExactFormats : public Saving, public ::testing::WithParamInterface<const char*> {};

TEST_P(ExactFormats, FileHoldsTheTargetExactly) {
  const std::string name = std::string("t.") + GetParam();
  ASSERT_TRUE(SaveAsNamed(name, 1));
  ExpectFileShows(name, 0, 0, 40, 30);
}

INSTANTIATE_TEST_SUITE_P(Extensions, ExactFormats, ::testing::Values("bmp", "png", "tif"));

TEST_F(Saving, TgaRowsHaveNoPadding) {
  st.SetTargetSize(3, 2);
  ASSERT_TRUE(SaveAsNamed("n.tga", 5));
  EXPECT_EQ(ReadBytes(Path("n.tga")).size(), 18u + 3 * 3 * 2);
}

TEST_F(Saving, ImagingComponentMissing) {
  st.ImagingAvailable = false;
  EXPECT_FALSE(SaveAsNamed("x.png", 3));
  EXPECT_EQ(Errors(), std::vector<std::string>{text::kImagingMissing});
  EXPECT_TRUE(SaveAsNamed("x.tga", 5)) << "the codecs need no imaging component";
}

// ---- A failed save keeps the file it would have replaced ----

TEST_F(Saving, FailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
  WriteBytes(Path("keep.png"), {1, 2, 3});
  EXPECT_FALSE(WriteReplacing(Path("keep.png"), [](const std::string& temporary) {
    WriteBytes(temporary, {9, 9});
    return false;
  }));
  EXPECT_EQ(ReadBytes(Path("keep.png")), (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), std::filesystem::directory_iterator()), 1);
  EXPECT_TRUE(WriteReplacing(Path("keep.png"), [](const std::string& temporary) {
    WriteBytes(temporary, {7});
    return true;
  }));
  EXPECT_EQ(ReadBytes(Path("keep.png")), std::vector<std::uint8_t>{7});
}

TEST_F(Saving, ReplacedFileKeepsItsPermissions) {
  WriteBytes(Path("p.png"), {1});
  std::filesystem::permissions(Path("p.png"), std::filesystem::perms(0640));
  ASSERT_TRUE(SaveAsNamed("p.png", 3));
  EXPECT_EQ(std::filesystem::status(Path("p.png")).permissions(), std::filesystem::perms(0640));
}

TEST_F(Saving, CodecSaveFailureKeepsTheOldFile) {
  // An index outside the filter leaves the unknown extension, which no writer knows.
  WriteBytes(Path("old.xyz.xyz"), {5, 6});
  SaveAsNamed("old.xyz", 0);
  EXPECT_EQ(Errors(), std::vector<std::string>{"Failed the file save!"});
  EXPECT_EQ(ReadBytes(Path("old.xyz.xyz")), (std::vector<std::uint8_t>{5, 6}));
}

TEST_F(Saving, ImagingSaveIntoAMissingFolderIsReported) {
  EXPECT_FALSE(SaveAsNamed("none/x.png", 3));
  EXPECT_EQ(Errors(), std::vector<std::string>{"Failed the file save!"});
}

}  // namespace
}  // namespace wrimple::testing
