// What the view puts on screen, compared at chosen pixels with the buffers.
#include <QImage>

#include "app_fixture.h"
#include "compose/recompose.h"

namespace wrimple::app::testing {
namespace {

QColor FromBgr(const std::uint8_t* p) { return QColor(p[2], p[1], p[0]); }

class ViewPixels : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    st().FlyingTipsEnabled = false;  // no tip windows over the pixels looked at
    st().SetTargetSize(300, 200);
    window().view().SetScrollSizes(300, 200);
    LoadSource(120, 80);
    LoadSource(90, 90);
  }
  QImage Shot() {
    window().view().RedrawView();
    return Viewport()->grab().toImage();
  }
};

TEST_F(ViewPixels, TargetModeShowsTheTargetAndTheDarkBlueHatchBesideIt) {
  const QImage shot = Shot();
  for (QPoint p : {QPoint(0, 0), QPoint(299, 0), QPoint(17, 113), QPoint(299, 199)})
    EXPECT_EQ(QColor(shot.pixel(p)), FromBgr(st().Target().pixel(p.x(), p.y()))) << p.x() << "," << p.y();
  // Beside and below the picture: white and the hatch colour only.
  bool hatch_seen = false;
  for (int x = 300; x < 340; ++x) {
    const QColor c(shot.pixel(x, 50));
    hatch_seen |= c == QColor(0x20, 0x40, 0x8F);
    EXPECT_TRUE(c == QColor(Qt::white) || c == QColor(0x20, 0x40, 0x8F)) << x;
  }
  EXPECT_TRUE(hatch_seen);
}

TEST_F(ViewPixels, AligningShowsTheAverageOfTheTwoPlanes) {
  ASSERT_TRUE(window().RunCommand(CommandId::AlignSource2));
  const QImage shot = Shot();
  // Away from the grab boxes on the corners and the middle of the placed box.
  for (QPoint p : {QPoint(50, 50), QPoint(150, 30), QPoint(250, 150)}) {
    const std::uint8_t* a = st().doc.Source(1).plane().pixel(p.x(), p.y());
    const std::uint8_t* b = st().doc.Source(2).plane().pixel(p.x(), p.y());
    EXPECT_EQ(QColor(shot.pixel(p)),
              QColor((a[2] + b[2]) >> 1, (a[1] + b[1]) >> 1, (a[0] + b[0]) >> 1))
        << p.x() << "," << p.y();
  }
  bool light_green_seen = false;
  for (int x = 300; x < 340; ++x) light_green_seen |= QColor(shot.pixel(x, 30)) == QColor(0x66, 0xFF, 0x99);
  EXPECT_TRUE(light_green_seen);
}

TEST_F(ViewPixels, ZoneOutlineIsDrawnOverTheTarget) {
  Drag(Viewport(), Qt::LeftButton, {40, 30}, {140, 110});
  const QImage shot = Shot();
  // The dotted outline: every other pixel of its top edge is black; inside,
  // away from the centre cross, the target shows.
  int black = 0;
  for (int x = 40; x < 140; ++x) black += QColor(shot.pixel(x, 30)) == QColor(Qt::black);
  EXPECT_EQ(black, 50);
  EXPECT_EQ(QColor(shot.pixel(60, 50)), FromBgr(st().Target().pixel(60, 50)));
}

}  // namespace
}  // namespace wrimple::app::testing
