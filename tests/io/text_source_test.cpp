// Text sources: the picture geometry, font shrinking, the stored text, the
// dialog loop with "Try Text", the rendered pixels and the "Base color" command.
#include <gtest/gtest.h>

#include "io/messages.h"
#include "io/text_source.h"
#include "support/scripted_platform.h"

namespace wrimple::testing {
namespace {

using Kind = RecordedMessage::Kind;

class TextSource : public ::testing::Test {
 protected:
  void SetUp() override {
    st.SetTargetSize(200, 100);
    st.first_update = false;
  }
  // Renders `text` into slot 1 with a record height giving cells of
  // |height| / 2 x |height| pixels.
  int Render(const std::string& text, int height) {
    st.doc.text_font.height = height;
    st.doc.Source(1).text = text;
    return RenderTextSource(st, tp, 1);
  }
  int Width() const { return st.doc.Source(1).SourcePicture->width(); }
  int Height() const { return st.doc.Source(1).SourcePicture->height(); }

  State st;
  TestPlatform tp;
};

struct GeometryCase {
  const char* name;
  int characters;  // of one line
  int lines;
  int record_height;
  int width, height;
};

class TextGeometry : public TextSource, public ::testing::WithParamInterface<GeometryCase> {};

TEST_P(TextGeometry, WidthAndHeightFollowTheMeasuredExtent) {
  const GeometryCase c = GetParam();
  std::string text;
  for (int l = 0; l < c.lines; ++l) text += std::string(std::size_t(c.characters), 'x') + "\r\n";
  ASSERT_EQ(Render(text, c.record_height), 1);
  EXPECT_EQ(Width(), c.width);
  EXPECT_EQ(Height(), c.height);
}

// Cells of 1 x 2 pixels measure a line by its length; cells of 8 x 17 give
// lines of height 17.
INSTANTIATE_TEST_SUITE_P(Examples, TextGeometry,
                         ::testing::Values(GeometryCase{"Measures100", 100, 1, -2, 112, 4},
                                           GeometryCase{"Measures96", 96, 1, -2, 112, 4},
                                           GeometryCase{"Measures95", 95, 1, -2, 96, 4},
                                           GeometryCase{"TwoLinesOf17", 1, 2, -17, 16, 36},
                                           GeometryCase{"Only100LinesCount", 1, 150, -2, 16, 200}),
                         [](const auto& info) { return std::string(info.param.name); });

// Cells 100 times as wide and 30 times as tall as the record's height, so that
// a 100-line text needs two halvings; nothing is inked, which keeps it quick.
class HugeCells : public TextDrawing {
 public:
  class BlankCells : public Font {
   public:
    BlankCells(int w, int h) : w_(w), h_(h) {}
    Size MeasureLine(std::string_view line) override { return {int(line.size()) * w_, h_}; }
    MonoBitmap DrawText(std::string_view, int width, int height, int, int) override {
      return {width, height, (width + 7) / 8, std::vector<std::uint8_t>(std::size_t((width + 7) / 8) * height)};
    }

   private:
    int w_, h_;
  };
  std::unique_ptr<Font> CreateFont(const FontRecord& record) override {
    heights.push_back(record.height);
    const int h = record.height < 0 ? -record.height : record.height;
    return std::make_unique<BlankCells>(h * 100, h * 30);
  }
  std::vector<int> heights;
};

TEST_F(TextSource, TooLargeAPictureHalvesTheFontHeightUntilItFits) {
  HugeCells huge;
  Platform pf{tp.messages, tp.files, tp.replace, tp.clipboard, tp.settings, tp.progress, tp.view, huge, tp.random};
  std::string text;
  for (int l = 0; l < 100; ++l) text += "x\r\n";
  st.doc.Source(1).text = text;
  ASSERT_EQ(RenderTextSource(st, pf, 1), 1);
  EXPECT_EQ(huge.heights, (std::vector<int>{-27, -13, -6}));
  EXPECT_EQ(st.doc.text_font.height, -6) << "the record keeps the shrunk height";
  EXPECT_EQ(Width(), 608);
  EXPECT_EQ(Height(), 18000);
}

TEST_F(TextSource, PixelsFollowTheGlyphsWithTheBottomRowLeftBase) {
  st.doc.BaseColor = {10, 20, 30};
  st.doc.Source(1).TextColor = MakeColorRef(255, 0, 0);
  // "ab" in 4 x 8 cells drawn from (1, 1): 'a' inks columns 2-3, 'b' 6-7, rows 2-7.
  ASSERT_EQ(Render("ab\r\n", -8), 1);
  ASSERT_EQ(Width(), 16);
  ASSERT_EQ(Height(), 8);
  const ConstTargetImage p(st.doc.Source(1).SourcePicture->bits(), 16, 8);
  const Bgr red{0, 0, 255}, base{10, 20, 30};
  EXPECT_EQ(ReadPixel(p.pixel(2, 2)), red);
  EXPECT_EQ(ReadPixel(p.pixel(7, 6)), red);
  EXPECT_EQ(ReadPixel(p.pixel(4, 4)), base);
  EXPECT_EQ(ReadPixel(p.pixel(2, 1)), base);
  EXPECT_EQ(ReadPixel(p.pixel(2, 7)), base) << "the last mono row is not used";
  EXPECT_EQ(ReadPixel(p.pixel(15, 0)), base);
}

TEST_F(TextSource, PictureTooTallForASourceIsOutOfMemory) {
  // 100 empty lines of cells 300 tall: 16 x 30,000 pixels, within the pixel
  // limit but taller than a picture may be.
  std::string text;
  for (int l = 0; l < 100; ++l) text += "\r\n";
  EXPECT_EQ(Render(text, -300), 0);
  EXPECT_EQ(tp.messages.Texts(Kind::Error), std::vector<std::string>{"Out of memory!"});
  EXPECT_FALSE(st.doc.Source(1).SourcePicture);
}

TEST_F(TextSource, TextWithoutLineFeedRendersNothing) {
  EXPECT_EQ(Render("abc", -8), 0);
  EXPECT_FALSE(st.doc.Source(1).SourcePicture);
}

TEST_F(TextSource, FontThatCannotBeMadeIsReported) {
  tp.text.fail = true;
  EXPECT_EQ(Render("abc\r\n", -8), 0);
  EXPECT_EQ(tp.messages.Texts(Kind::Error), std::vector<std::string>{"Problem with font generation?"});
}

// Runs the dialog with the answers given, recording what it showed.
class Answers : public TextEntryDriver {
 public:
  explicit Answers(std::vector<std::pair<int, std::string>> a) : answers(std::move(a)) {}
  int Run(text_entry& dialog) override {
    shown.push_back(dialog.initial_text());
    labels.push_back(dialog.label());
    const auto [result, typed] = answers.at(runs++);
    if (result == text_entry::kOk) return dialog.Ok(typed);
    if (result == text_entry::kTryText) return dialog.TryText(typed);
    return dialog.Cancel();
  }
  std::vector<std::pair<int, std::string>> answers;
  std::vector<std::string> shown, labels;
  std::size_t runs = 0;
};

TEST_F(TextSource, EmptyEditBoxRendersThePlaceholder) {
  Answers ok({{text_entry::kOk, ""}});
  NewChangeText(st, tp, ok);
  EXPECT_EQ(st.doc.Source(1).text, "Empty text box\r\n");
  EXPECT_EQ(Width(), (14 * 13 + 16) & ~15);
  EXPECT_EQ(st.doc.Source(1).SourceKind, kKindTypedText);
}

TEST_F(TextSource, TryTextReopensOnTheStoredTextWithoutItsLineBreak) {
  Answers answers({{text_entry::kTryText, "abc"}, {text_entry::kTryText, "abc"}, {text_entry::kOk, "abc"}});
  NewChangeText(st, tp, answers);
  EXPECT_EQ(answers.runs, 3u);
  EXPECT_EQ(answers.shown, (std::vector<std::string>{"", "abc", "abc"}));
  EXPECT_EQ(answers.labels.at(0), "Selected Source 1");
  EXPECT_EQ(st.doc.Source(1).text, "abc\r\n") << "one line break, not two";
  EXPECT_EQ(st.SourceCount, 1);
}

TEST_F(TextSource, PlacementIsResetOnlyWhenTheSlotBecomesText) {
  st.SourceCount = 2;
  st.doc.Source(2).SourceKind = kKindImageFile;
  st.doc.Source(2).ScaleXPercent = 40.0f;
  tp.replace.answers = {2, 2};
  Answers first({{text_entry::kOk, "a"}});
  NewChangeText(st, tp, first);
  EXPECT_EQ(st.doc.Source(2).ScaleXPercent, 100.0f);
  st.doc.Source(2).ScaleXPercent = 50.0f;
  Answers second({{text_entry::kCancel, ""}});
  NewChangeText(st, tp, second);
  EXPECT_EQ(second.shown.at(0), "a");
  EXPECT_EQ(st.doc.Source(2).ScaleXPercent, 50.0f);
  EXPECT_EQ(st.doc.Source(2).text, "a") << "cancel stores nothing";
}

TEST_F(TextSource, FullDocumentAsksWhichSourceAndMayKeepBoth) {
  st.SourceCount = 2;
  tp.replace.answers = {0};
  Answers none({});
  NewChangeText(st, tp, none);
  EXPECT_EQ(none.runs, 0u);
  EXPECT_EQ(tp.replace.shown.size(), 1u);
}

TEST_F(TextSource, ChangedTargetIsAskedAboutFirst) {
  st.TargetModified = true;
  tp.messages.answers = {false};
  Answers none({});
  NewChangeText(st, tp, none);
  EXPECT_EQ(tp.messages.Texts(Kind::Question), std::vector<std::string>{text::kLoadDiscardsChanges});
  EXPECT_EQ(st.SourceCount, 0);
}

TEST_F(TextSource, SetFontWritesTheRecordAndTheColour) {
  Answers ok({{text_entry::kOk, "a"}});
  NewChangeText(st, tp, ok);
  text_entry dialog(st, tp, 1);
  FontRecord bigger = st.doc.text_font;
  bigger.height = -40;
  dialog.SetFont(FontChoice{bigger, MakeColorRef(1, 2, 3)});
  EXPECT_EQ(st.doc.text_font.height, -40);
  EXPECT_EQ(st.doc.Source(1).TextColor, MakeColorRef(1, 2, 3));
  dialog.SetFont(std::nullopt);
  EXPECT_EQ(st.doc.Source(1).TextColor, MakeColorRef(1, 2, 3));
}

TEST_F(TextSource, BaseColorRerendersTextOnTheNewColour) {
  Answers ok({{text_entry::kOk, "a"}});
  NewChangeText(st, tp, ok);
  st.TargetModified = true;
  tp.messages.answers = {true};
  ChangeBaseColor(st, tp, [](ColorRef initial) {
    EXPECT_EQ(initial, 0u);
    return std::optional<ColorRef>(MakeColorRef(200, 100, 50));
  });
  EXPECT_EQ(tp.messages.Texts(Kind::Question).size(), 1u);
  EXPECT_FALSE(st.TargetModified);
  EXPECT_EQ(st.doc.BaseColor, (Bgr{50, 100, 200}));
  const ConstTargetImage p(st.doc.Source(1).SourcePicture->bits(), Width(), Height());
  EXPECT_EQ(ReadPixel(p.pixel(0, 0)), (Bgr{50, 100, 200}));
}

TEST_F(TextSource, BaseColorRefusedChangesNothing) {
  st.TargetModified = true;
  tp.messages.answers = {false};
  bool asked = false;
  ChangeBaseColor(st, tp, [&](ColorRef) {
    asked = true;
    return std::optional<ColorRef>(1);
  });
  EXPECT_FALSE(asked);
  EXPECT_TRUE(st.TargetModified);
}

}  // namespace
}  // namespace wrimple::testing
