// The Qt text drawing the runner uses: real fonts, no anti-aliasing, the
// requested picture size, and the record's style reaching the glyphs.
#include <QGuiApplication>
#include <cstdlib>

#include <gtest/gtest.h>

#include "qtsupport/qt_text_drawing.h"

namespace wrimple {
namespace {

class QtText : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "wrimple_io_tests";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) app_ = new QGuiApplication(argc, argv);
  }
  static int InkCount(const MonoBitmap& m) {
    int n = 0;
    for (int y = 0; y < m.height; ++y)
      for (int x = 0; x < m.width; ++x) n += m.Ink(x, y);
    return n;
  }
  static QGuiApplication* app_;
  QtTextDrawing drawing;
};
QGuiApplication* QtText::app_ = nullptr;

TEST_F(QtText, TimesNewRomanMeasuresAndDraws) {
  FontRecord record;  // "Times New Roman", character height 27
  std::unique_ptr<Font> font = drawing.CreateFont(record);
  ASSERT_TRUE(font);
  const Size hello = font->MeasureLine("Hello");
  EXPECT_GT(hello.width, 40);
  EXPECT_GE(hello.height, 27);
  EXPECT_EQ(font->MeasureLine("").height, hello.height);
  const MonoBitmap m = font->DrawText("Hello\r\nWorld\r\n", 96, 2 * hello.height + 4, 1, 1);
  EXPECT_EQ(m.width, 96);
  EXPECT_EQ(m.height, 2 * hello.height + 4);
  EXPECT_GT(InkCount(m), 100);
  for (int x = 0; x < m.width; ++x) EXPECT_FALSE(m.Ink(x, 0)) << "the top margin stays clear";
}

TEST_F(QtText, UnderlineAddsInk) {
  FontRecord plain;
  FontRecord underlined = plain;
  underlined.underline = 1;
  const MonoBitmap a = drawing.CreateFont(plain)->DrawText("word\r\n", 96, 40, 1, 1);
  const MonoBitmap b = drawing.CreateFont(underlined)->DrawText("word\r\n", 96, 40, 1, 1);
  EXPECT_GT(InkCount(b), InkCount(a));
}

TEST_F(QtText, HalvedHeightMeasuresSmaller) {
  FontRecord big;
  FontRecord small = big;
  small.height = big.height / 2;
  EXPECT_LT(drawing.CreateFont(small)->MeasureLine("Hello").width,
            drawing.CreateFont(big)->MeasureLine("Hello").width);
}

}  // namespace
}  // namespace wrimple
