// The view at other zooms: zone drags in target pixels and the twist that
// follows as the runner gives it, zooming around the pointer, crisp squares
// and averaged areas, partial repaints that equal full ones, and one target
// pixel per device pixel at a device pixel ratio of 2.
#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>
#include <fstream>
#include <sstream>

#include "app_fixture.h"
#include "app/grab_box_widget.h"
#include "app/status_bar.h"
#include "batch/runner.h"

namespace wrimple::app::testing {
namespace {

QColor FromBgr(const std::uint8_t* p) { return QColor(p[2], p[1], p[0]); }

// The target pixel whose area holds the centre of window pixel w at zoom z,
// scrolled by s, computed apart from the view's own mapping.
int Expected(int w, int s, ZoomRatio z) {
  return int(std::floor((w + s + 0.5) * z.denominator / z.numerator));
}

class ZoomView : public AppTest {
 protected:
  static constexpr int kWidth = 600, kHeight = 400;
  void SetUp() override {
    AppTest::SetUp();
    st().FlyingTipsEnabled = false;
    st().SetTargetSize(kWidth, kHeight);
    window().view().SetScrollSizes(kWidth, kHeight);
    LoadSource(kWidth, kHeight);
  }
  View& view() { return window().view(); }
  QImage Shot() {
    view().RedrawView();
    return Viewport()->grab().toImage();
  }
  void ZoomTo(ZoomRatio z, QPoint scroll = {}) {
    view().ZoomAround(z, QPoint(0, 0));
    view().horizontalScrollBar()->setValue(scroll.x());
    view().verticalScrollBar()->setValue(scroll.y());
  }
  // The target as a 24-bit BMP file: the target buffer is a bitmap's pixels.
  QString SaveTarget(const QString& name) {
    const ConstTargetImage t = std::as_const(st()).Target();
    const std::uint32_t bits = std::uint32_t(t.byte_size());
    std::uint8_t header[54] = {'B', 'M'};
    auto put32 = [&](int at, std::uint32_t v) {
      for (int i = 0; i < 4; ++i) header[at + i] = std::uint8_t(v >> (8 * i));
    };
    put32(2, 54 + bits);
    put32(10, 54);
    put32(14, 40);
    put32(18, std::uint32_t(t.width()));
    put32(22, std::uint32_t(t.height()));
    header[26] = 1;
    header[28] = 24;
    put32(34, bits);
    const QString path = folder.filePath(name);
    std::ofstream out(path.toStdString(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(header), 54);
    out.write(reinterpret_cast<const char*>(t.bits()), std::streamsize(bits));
    return path;
  }
};

struct DragAtZoom {
  const char* name;
  ZoomRatio zoom;  // {0, 0}: Fit in Window
  QPoint scroll;
};
void PrintTo(const DragAtZoom& c, std::ostream* os) { *os << c.name; }

class ZoneDragAtZoom : public ZoomView, public ::testing::WithParamInterface<DragAtZoom> {};

TEST_P(ZoneDragAtZoom, MakesTheZoneTheZoomImpliesAndTwistsItAsTheRunnerDoes) {
  const DragAtZoom& c = GetParam();
  const QString base = SaveTarget("base.bmp");
  if (c.zoom.numerator == 0)
    ASSERT_TRUE(window().RunCommand(CommandId::FitInWindow));
  else
    ZoomTo(c.zoom, c.scroll);
  const ZoomRatio z = st().ViewZoom;
  const QPoint from(10, 12), to(130, 90);
  const Point s = view().ScrollPosition();
  Drag(Viewport(), Qt::LeftButton, from, to);
  EXPECT_EQ(st().zone.X1, Expected(from.x(), s.x, z));
  EXPECT_EQ(st().zone.Y1, Expected(from.y(), s.y, z));
  EXPECT_EQ(st().zone.X2, Expected(to.x(), s.x, z));
  EXPECT_EQ(st().zone.Y2, Expected(to.y(), s.y, z));
  ASSERT_TRUE(window().RunCommand(CommandId::TwistClockwise));

  const QString out = folder.filePath("runner.bmp");
  std::ostringstream script;
  script << "target-size " << kWidth << " " << kHeight << "\nopen " << base.toStdString() << "\nzone "
         << st().zone.X1 << " " << st().zone.Y1 << " " << st().zone.X2 << " " << st().zone.Y2
         << "\ntwist-clockwise\nsave-as " << out.toStdString() << " zone=no\n";
  std::istringstream in(script.str());
  std::ostringstream runner_out, runner_err;
  ASSERT_EQ(batch::RunBatch({"-"}, in, runner_out, runner_err), batch::kExitOk) << runner_err.str();
  const QImage runner(out);
  ASSERT_EQ(runner.size(), QSize(kWidth, kHeight));
  int differing = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      differing += QColor(runner.pixel(x, y)) != FromBgr(std::as_const(st()).Target().pixel(x, y));
  EXPECT_EQ(differing, 0);
}

INSTANTIATE_TEST_SUITE_P(Zooms, ZoneDragAtZoom,
                         ::testing::Values(DragAtZoom{"quarter", {1, 4}, {}},
                                           DragAtZoom{"actual_size", {1, 1}, {}},
                                           DragAtZoom{"three_times_scrolled", {3, 1}, {300, 150}},
                                           DragAtZoom{"fit", {0, 0}, {}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ZoomView, AtAQuarterADragOfOneHundredPixelsMakesAFourHundredPixelZone) {
  ZoomTo({1, 4});
  Drag(Viewport(), Qt::LeftButton, {20, 10}, {120, 60});
  EXPECT_EQ(st().zone.ZoneWidth, 400);
  EXPECT_EQ(st().zone.ZoneHeight, 200);
}

void Wheel(QWidget* on, QPoint at, int delta, Qt::KeyboardModifiers keys) {
  QWheelEvent event(QPointF(at), QPointF(on->mapToGlobal(at)), QPoint(), QPoint(0, delta), Qt::NoButton,
                    keys, Qt::NoScrollPhase, false);
  QApplication::sendEvent(on, &event);
}

TEST_F(ZoomView, ControlWheelZoomsAroundThePointer) {
  // From twice the size, where the picture is larger than the window and the
  // scroll position has room on every side.
  ZoomTo({2, 1}, {150, 100});
  const QPoint pointer(237, 141);
  double before = (pointer.x() + 150 + 0.5) / 2.0;
  const int pixel = Expected(pointer.x(), 150, st().ViewZoom);
  // Up to 32 times: the pixel under the pointer stays; each step keeps the
  // exact point under the pointer within half a window pixel.
  for (int step = 0; step < 8; ++step) {
    Wheel(Viewport(), pointer, 120, Qt::ControlModifier);
    const ZoomRatio z = st().ViewZoom;
    const double after = (pointer.x() + view().ScrollPosition().x + 0.5) * z.denominator / z.numerator;
    EXPECT_LE(std::abs(after - before), 0.5 * z.denominator / z.numerator + 1e-9) << step;
    EXPECT_EQ(Expected(pointer.x(), view().ScrollPosition().x, z), pixel) << step;
    before = after;
  }
  EXPECT_EQ(st().ViewZoom, (ZoomRatio{32, 1}));
  // And back down to 1/16.
  for (int step = 0; step < 20; ++step) Wheel(Viewport(), pointer, -120, Qt::ControlModifier);
  EXPECT_EQ(st().ViewZoom, (ZoomRatio{1, 16}));
  EXPECT_FALSE(window().ActionOf(CommandId::ZoomOut)->isEnabled());
}

TEST_F(ZoomView, WheelAndShiftWheelScroll) {
  ZoomTo({4, 1});
  Wheel(Viewport(), {100, 100}, -120, Qt::NoModifier);
  EXPECT_GT(view().ScrollPosition().y, 0);
  EXPECT_EQ(view().ScrollPosition().x, 0);
  Wheel(Viewport(), {100, 100}, -120, Qt::ShiftModifier);
  EXPECT_GT(view().ScrollPosition().x, 0);
  // The picture moved with the scroll position is the one painted afresh.
  const QImage moved = Viewport()->grab().toImage();
  EXPECT_EQ(moved, Shot());
}

TEST_F(ZoomView, MiddleButtonDragPansWithoutTouchingTheZone) {
  ZoomTo({4, 1}, {400, 300});
  Press(Viewport(), Qt::MiddleButton, {300, 300});
  Move(Viewport(), Qt::MiddleButton, {250, 260});
  Release(Viewport(), Qt::MiddleButton, {250, 260});
  EXPECT_EQ(view().ScrollPosition().x, 450);
  EXPECT_EQ(view().ScrollPosition().y, 340);
  EXPECT_EQ(st().zone.X1, -1);
}

TEST_F(ZoomView, EnlargedPixelsAreCrispSquaresWithAGridFromEightTimes) {
  ZoomTo({3, 1});
  QImage shot = Shot();
  for (const QPoint t : {QPoint(0, 0), QPoint(17, 5), QPoint(100, 60)})
    for (int j = 0; j < 3; ++j)
      for (int i = 0; i < 3; ++i)
        EXPECT_EQ(QColor(shot.pixel(3 * t.x() + i, 3 * t.y() + j)),
                  FromBgr(std::as_const(st()).Target().pixel(t.x(), t.y())));
  ZoomTo({8, 1});
  shot = Shot();
  const QColor inside = FromBgr(std::as_const(st()).Target().pixel(10, 10));
  EXPECT_EQ(QColor(shot.pixel(8 * 10 + 3, 8 * 10 + 4)), inside);
  EXPECT_NE(QColor(shot.pixel(8 * 10, 8 * 10 + 4)), inside) << "a grid line on the pixel's edge";
}

TEST_F(ZoomView, ShrunkPixelsAverageTheirAreaInsteadOfSamplingIt) {
  // Black and white pixels alternating: a sampled picture would be black or
  // white, an averaged one is grey everywhere.
  const TargetImage t = st().Target();
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) WritePixel(t.pixel(x, y), (x + y) % 2 ? Bgr{255, 255, 255} : Bgr{0, 0, 0});
  for (const ZoomRatio z : {ZoomRatio{1, 4}, ZoomRatio{1, 3}, ZoomRatio{2, 3}}) {
    ZoomTo(z);
    const QImage shot = Shot();
    const Size shown = view().Mapping().PictureSize(kWidth, kHeight);
    for (int y = 0; y < shown.height; y += 7)
      for (int x = 0; x < shown.width; x += 5) {
        const int grey = QColor(shot.pixel(x, y)).red();
        EXPECT_TRUE(grey >= 64 && grey <= 192) << z.numerator << "/" << z.denominator << " " << x << "," << y;
      }
  }
}

TEST_F(ZoomView, AZoneClickShrunkRepaintsOnlyTheZoneAndEqualsAFullRepaint) {
  ZoomTo({1, 3});
  Drag(Viewport(), Qt::LeftButton, {40, 30}, {150, 110});
  Shot();  // the pyramid is now up to date with the target
  ASSERT_TRUE(window().RunCommand(CommandId::TwistClockwise));
  ASSERT_TRUE(window().RunCommand(CommandId::TwistClockwise));
  const QImage after_click = Viewport()->grab().toImage();
  EXPECT_EQ(after_click, Shot());
}

TEST_F(ZoomView, FitShowsTheWholeTargetAndTheStatusBarTheZoom) {
  EXPECT_EQ(window().status().PaneText(StatusBar::kZoomPane), "Zoom 100%");
  ASSERT_TRUE(window().RunCommand(CommandId::FitInWindow));
  const Size shown = view().Mapping().PictureSize(kWidth, kHeight);
  const Size client = view().ClientSize();
  EXPECT_TRUE(shown.width == client.width || shown.height == client.height);
  EXPECT_LE(shown.width, client.width);
  EXPECT_LE(shown.height, client.height);
  EXPECT_EQ(view().ScrollPosition().x, 0);
  EXPECT_TRUE(window().status().PaneText(StatusBar::kZoomPane).startsWith("Fit "));
  ASSERT_TRUE(window().RunCommand(CommandId::ZoomIn));
  ASSERT_TRUE(window().RunCommand(CommandId::ActualSize));
  EXPECT_EQ(window().status().PaneText(StatusBar::kZoomPane), "Zoom 100%");
  ASSERT_TRUE(window().RunCommand(CommandId::ZoomOut));
  EXPECT_EQ(window().status().PaneText(StatusBar::kZoomPane), "Zoom 66.67%");
}

TEST_F(ZoomView, ZoomCommandsHaveTheirKeys) {
  auto keys = [&](CommandId id) { return window().ActionOf(id)->shortcuts(); };
  EXPECT_TRUE(keys(CommandId::ZoomIn).contains(QKeySequence(Qt::CTRL | Qt::Key_Plus)));
  EXPECT_TRUE(keys(CommandId::ZoomIn).contains(QKeySequence(Qt::CTRL | Qt::Key_Equal)));
  EXPECT_TRUE(keys(CommandId::ZoomOut).contains(QKeySequence(Qt::CTRL | Qt::Key_Minus)));
  EXPECT_TRUE(keys(CommandId::ActualSize).contains(QKeySequence(Qt::CTRL | Qt::Key_0)));
  EXPECT_TRUE(keys(CommandId::FitInWindow).contains(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_0)));
}

TEST_F(ZoomView, OverlaysFollowTheZoomAndGrabBoxesKeepTheirSize) {
  ZoomTo({1, 2});
  ASSERT_TRUE(window().RunCommand(CommandId::AlignSource1));
  // The placed box of the one source covers the target: its bottom-right
  // anchor lies at window pixel 300, 200 at half size.
  GrabBoxWidget* box = view().GrabBoxWindow(1);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->geometry(), QRect(290, 190, 20, 20));
  const QImage shot = Shot();
  // "<<< Source Previewing" and the hatch start right of the half-size picture.
  bool hatch_seen = false;
  for (int x = 301; x < 340; ++x) hatch_seen |= QColor(shot.pixel(x, 30)) == QColor(0xFF, 0xCC, 0xCC);
  EXPECT_TRUE(hatch_seen);
}

// Run with QT_SCALE_FACTOR=2 and 1.5 (their own test entries); skipped without.
TEST_F(ZoomView, AtADevicePixelRatioActualSizeIsOneTargetPixelPerDevicePixel) {
  const QString factor = qEnvironmentVariable("QT_SCALE_FACTOR");
  if (factor.isEmpty()) GTEST_SKIP() << "needs QT_SCALE_FACTOR";
  const double ratio = factor.toDouble();
  ASSERT_EQ(view().DeviceRatio(), ratio);
  EXPECT_EQ(view().ClientSize().width, std::lround(ratio * Viewport()->width()));
  const QImage shot = Shot();
  ASSERT_EQ(shot.width(), view().ClientSize().width);
  for (const QPoint p : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(333, 251), QPoint(599, 399)})
    EXPECT_EQ(QColor(shot.pixel(p)), FromBgr(std::as_const(st()).Target().pixel(p.x(), p.y())))
        << p.x() << "," << p.y();
  // A press at widget point (50.5, 20) is the device pixel under it.
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(50.5, 20), QPointF(50.5, 20), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(Viewport(), &press);
  EXPECT_EQ(st().zone.X1, int(std::floor(50.5 * ratio)));
  EXPECT_EQ(st().zone.Y1, int(std::floor(20 * ratio)));
}

}  // namespace
}  // namespace wrimple::app::testing
