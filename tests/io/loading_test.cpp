// Loading sources from files: the extension rule, the fit, the slot claim with
// the replace dialog, the codec path, the help picture and every message.
#include "io/codec_image.h"
#include "io/loading.h"
#include "io/messages.h"
#include "io_fixtures.h"
#include "support/scripted_platform.h"

namespace wrimple::testing {
namespace {

using Kind = RecordedMessage::Kind;

struct ExtensionCase {
  const char* name;
  const char* path;
  const char* extension;
};

class ExtensionRule : public ::testing::TestWithParam<ExtensionCase> {};

TEST_P(ExtensionRule, TakesTheLastCharactersLowerCased) {
  EXPECT_EQ(DispatchExtension(GetParam().path), GetParam().extension);
}

INSTANTIATE_TEST_SUITE_P(Paths, ExtensionRule,
                         ::testing::Values(ExtensionCase{"Plain", "a/b.png", "png"},
                                           ExtensionCase{"UpperJpeg", "shot.JPEG", "jpg"},
                                           ExtensionCase{"Tiff", "x.tiff", "iff"},
                                           ExtensionCase{"NoDot", "picturetga", "tga"},
                                           ExtensionCase{"Short", "Ab", "ab"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FitScale, FitsTheWholePictureInSinglePrecision) {
  EXPECT_EQ(FitScale(1024, 768, 4000, 1000), 1024.0f * 100.0f / 4000.0f);
  EXPECT_FLOAT_EQ(FitScale(1024, 768, 4000, 1000), 25.6f);
  EXPECT_EQ(FitScale(1024, 768, 100, 100), 768.0f);
}

class Loading : public TempFolder {
 protected:
  void SetUp() override {
    TempFolder::SetUp();
    st.ImagingAvailable = true;
    st.SetTargetSize(1024, 768);
    st.first_update = false;
    WriteBytes(Path("p.bmp"), PatternBmp(100, 100));
  }
  std::vector<std::string> Errors() const { return tp.messages.Texts(Kind::Error); }

  State st;
  TestPlatform tp;
};

TEST_F(Loading, FileIsFittedAtTheTopLeftAndBecomesTheLastImage) {
  st.zone = {.X1 = 1, .Y1 = 1, .X2 = 50, .Y2 = 50};
  ASSERT_TRUE(OnOpenDocument(st, tp, Path("p.bmp")));
  const SourceImage& s = st.doc.Source(1);
  EXPECT_EQ(st.SourceCount, 1);
  EXPECT_EQ(s.SourceKind, kKindImageFile);
  EXPECT_EQ(s.ScaleXPercent, 768.0f);
  EXPECT_EQ(s.ScaleYPercent, 768.0f);
  EXPECT_EQ(s.file_path, Path("p.bmp"));
  EXPECT_EQ(st.doc.last_image_path, Path("p.bmp"));
  EXPECT_FALSE(st.zone.HasCorners());
  // The picture holds the file's rows, bottom row first.
  ASSERT_TRUE(s.SourcePicture);
  EXPECT_EQ(ReadPixel(ConstTargetImage(s.SourcePicture->bits(), 100, 100).pixel(3, 97)), PatternPixel(3, 97));
}

struct DispatchCase {
  const char* name;
  const char* file;
  bool loads;
};

class Dispatch : public Loading, public ::testing::WithParamInterface<DispatchCase> {};

// The same BMP content under several names: the name alone picks the decoder.
TEST_P(Dispatch, ByTheName) {
  WriteBytes(Path(GetParam().file), PatternBmp(8, 8));
  EXPECT_EQ(OnOpenDocument(st, tp, Path(GetParam().file)), GetParam().loads);
  if (GetParam().loads) {
    EXPECT_TRUE(Errors().empty());
  } else {
    EXPECT_EQ(Errors(), std::vector<std::string>{text::kCannotOpenImage});
    EXPECT_EQ(st.SourceCount, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Names, Dispatch,
                         ::testing::Values(DispatchCase{"Bmp", "a.bmp", true}, DispatchCase{"UpperJpeg", "a.JPEG", true},
                                           DispatchCase{"Tiff", "a.tiff", false}, DispatchCase{"Gif", "a.gif", false},
                                           DispatchCase{"TgaHoldingBmp", "a.tga", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Loading, ThirdLoadAsksWhichSourceToReplace) {
  ASSERT_TRUE(OnOpenDocument(st, tp, Path("p.bmp")));
  ASSERT_TRUE(OnOpenDocument(st, tp, Path("p.bmp")));
  tp.replace.answers = {0};
  EXPECT_TRUE(OnOpenDocument(st, tp, Path("p.bmp")));
  ASSERT_EQ(tp.replace.shown.size(), 1u);
  EXPECT_EQ(tp.replace.shown[0].first, DescribeSource(st.doc, 1));
  EXPECT_TRUE(tp.replace.shown[0].first.ends_with("/p.bmp")) << tp.replace.shown[0].first;
  EXPECT_EQ(st.SourceCount, 2);

  WriteBytes(Path("q.tga"), PatternTga(30, 20));
  tp.replace.answers = {2};
  ASSERT_TRUE(OnOpenDocument(st, tp, Path("q.tga")));
  EXPECT_EQ(st.doc.Source(2).SourcePicture->width(), 30);
  EXPECT_EQ(st.doc.Source(1).SourcePicture->width(), 100);
}

TEST_F(Loading, FailedThirdLoadKeepsTwoSources) {
  ASSERT_TRUE(OnOpenDocument(st, tp, Path("p.bmp")));
  ASSERT_TRUE(OnOpenDocument(st, tp, Path("p.bmp")));
  WriteBytes(Path("bad.png"), {1, 2, 3});
  tp.replace.answers = {1};
  EXPECT_FALSE(OnOpenDocument(st, tp, Path("bad.png")));
  EXPECT_EQ(st.SourceCount, 2);
  EXPECT_EQ(Errors(), std::vector<std::string>{text::kCannotOpenImage});
}

TEST_F(Loading, MissingImagingComponentIsReportedFirst) {
  st.ImagingAvailable = false;
  EXPECT_FALSE(OnOpenDocument(st, tp, Path("p.bmp")));
  EXPECT_EQ(Errors(), (std::vector<std::string>{text::kImagingMissing, text::kCannotOpenImage}));
  EXPECT_EQ(st.SourceCount, 0);
}

TEST_F(Loading, UnreadableFileGetsTheFrameworksMessageOnly) {
  EXPECT_FALSE(OnOpenDocument(st, tp, Path("none.png")));
  EXPECT_EQ(Errors(), std::vector<std::string>{std::string(text::kFailedToOpenDocument) + "\n" + Path("none.png")});
}

TEST_F(Loading, CodecFailureShowsItsTextThenTheLoadMessage) {
  WriteBytes(Path("x.pcx"), {10, 1, 7});
  EXPECT_FALSE(OnOpenDocument(st, tp, Path("x.pcx")));
  ASSERT_EQ(tp.messages.log.size(), 2u);
  EXPECT_EQ(tp.messages.log[0].kind, Kind::Info);
  EXPECT_FALSE(tp.messages.log[0].text.empty());
  EXPECT_EQ(tp.messages.log[1].text, text::kCannotOpenImage);
}

TEST_F(Loading, CodecPictureTooWideForASourceIsOutOfMemory) {
  std::vector<std::uint8_t> tga = PatternTga(1, 1);
  tga[12] = 0x30;  // width 30000
  tga[13] = 0x75;
  tga.resize(18 + 3 * 30000, 9);
  WriteBytes(Path("w.tga"), tga);
  EXPECT_FALSE(OnOpenDocument(st, tp, Path("w.tga")));
  EXPECT_EQ(Errors(), (std::vector<std::string>{text::kOutOfMemory, text::kCannotOpenImage}));
}

TEST_F(Loading, ColourMappedCodecPictureIsWidenedThroughItsTable) {
  // 3 x 1, 8-bit colour-mapped TGA with a 2-entry map.
  const std::vector<std::uint8_t> tga = {0, 1, 1, 0, 0, 2, 0, 24, 0, 0, 0, 0, 3, 0, 1, 0, 8, 0,
                                         10, 20, 30, 40, 50, 60, 1, 0, 1};
  WriteBytes(Path("m.tga"), tga);
  ASSERT_TRUE(OnOpenDocument(st, tp, Path("m.tga")));
  const PictureBlock& p = *st.doc.Source(1).SourcePicture;
  EXPECT_EQ(p.bits_per_pixel(), 24);
  const std::vector<std::uint8_t> row(p.bits(), p.bits() + 9);
  EXPECT_EQ(row, (std::vector<std::uint8_t>{40, 50, 60, 10, 20, 30, 40, 50, 60}));
}

TEST_F(Loading, HelpPictureIsReadInsteadOfASource) {
  st.FirstTimeHelp = true;
  const std::vector<std::uint8_t> file = PatternBmp(4, 2);
  WriteBytes(Path("help.bmx"), file);
  ASSERT_TRUE(OnOpenDocument(st, tp, Path("help.bmx")));
  EXPECT_EQ(st.SourceCount, 0);
  ASSERT_TRUE(st.doc.help_picture);
  EXPECT_EQ(*st.doc.help_picture, std::vector<std::uint8_t>(file.begin() + 14, file.end()));

  WriteBytes(Path("help2.bmx"), {'X', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_FALSE(OnOpenDocument(st, tp, Path("help2.bmx")));
  EXPECT_FALSE(st.doc.help_picture);
}

TEST_F(Loading, OpenImageAsksFirstWhenTheTargetWasChanged) {
  st.TargetModified = true;
  tp.messages.answers = {false};
  OpenImage(st, tp);
  EXPECT_EQ(tp.messages.Texts(Kind::Question), std::vector<std::string>{text::kLoadDiscardsChanges});
  EXPECT_TRUE(tp.files.requests.empty());

  st.TargetLock = true;
  tp.files.choices = {std::nullopt};
  OpenImage(st, tp);
  EXPECT_EQ(tp.messages.Texts(Kind::Question).size(), 1u) << "a locked target is not asked about";
}

TEST_F(Loading, OpenImageRequestsTheDialogAndRemembersTheChoice) {
  tp.settings.strings["Last Open Directory"] = "/pictures/";
  tp.settings.ints["Last Open Extension"] = 4;
  tp.files.choices = {FileChoice{Path("p.bmp"), 1}};
  OpenImage(st, tp);
  ASSERT_EQ(tp.files.requests.size(), 1u);
  const FileDialogRequest& r = tp.files.requests[0];
  EXPECT_EQ(r.title, "Open Source Window ");
  EXPECT_EQ(r.filter, kOpenFilter);
  EXPECT_EQ(r.initial_folder, "/pictures/");
  EXPECT_EQ(r.filter_index, 4);
  EXPECT_EQ(tp.settings.ints["Last Open Extension"], 1);
  EXPECT_EQ(tp.settings.strings["Last Open Directory"], folder_.string() + "/");
  EXPECT_EQ(st.SourceCount, 1);
  EXPECT_EQ(st.document_title, "p.bmp");
}

TEST_F(Loading, FailedRecentFileIsRemovedFromTheList) {
  EXPECT_FALSE(OpenRecentFile(st, tp, Path("gone.png")));
  EXPECT_EQ(tp.messages.Texts(Kind::Info), std::vector<std::string>{"Image removed from the recent file list."});
  EXPECT_TRUE(OpenRecentFile(st, tp, Path("p.bmp")));
}

TEST_F(Loading, DroppedFilesOpenEachWithoutAQuestion) {
  st.TargetModified = true;
  OpenDroppedFiles(st, tp, {Path("p.bmp"), Path("p.bmp")});
  EXPECT_EQ(st.SourceCount, 2);
  EXPECT_TRUE(tp.messages.log.empty());
}

TEST_F(Loading, ReopenNeedsALastImage) {
  ReopenLastImage(st, tp);
  EXPECT_EQ(Errors(),
            std::vector<std::string>{"There is no image file to reopen!\n\nPlease load one or two source images now."});
}

TEST_F(Loading, ReopenLoadsTheLastImageAgain) {
  ASSERT_TRUE(OnOpenDocument(st, tp, Path("p.bmp")));
  st.TargetModified = true;
  ReopenLastImage(st, tp);
  EXPECT_EQ(tp.messages.Texts(Kind::Info), std::vector<std::string>{"Reopening ....\n\n" + Path("p.bmp")});
  EXPECT_TRUE(tp.messages.Texts(Kind::Question).empty());
  EXPECT_EQ(st.SourceCount, 2);
}

}  // namespace
}  // namespace wrimple::testing
