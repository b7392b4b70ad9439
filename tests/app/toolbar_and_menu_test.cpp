// What the main window shows: the twist buttons' pictures, pane 3's room for
// its text, the start hint over the toolbars and the menus' character keys.
#include <QMenuBar>
#include <QToolButton>
#include <cmath>

#include "app/toolbar_icons.h"
#include "app_fixture.h"

namespace wrimple::app::testing {
namespace {

// The icon drawn 8 times larger: an arc around the middle of the button with
// an arrowhead at one end. Walking the circle clockwise on the screen, the
// head is where the arc runs into its gap for a clockwise turn, and where it
// comes out of the gap for a counter-clockwise one.
bool HeadWhereClockwiseTravelEnds(CommandId id) {
  constexpr double kScale = 8;
  const QImage image = ToolbarIcon(id, kScale).pixmap(QSize(18, 17), kScale).toImage();
  const QColor arc(60, 110, 200);
  auto painted = [&](QPointF at) {
    const QColor c = image.pixelColor(at.toPoint());
    return c.alpha() > 128 && std::abs(c.red() - arc.red()) + std::abs(c.green() - arc.green()) +
                                      std::abs(c.blue() - arc.blue()) < 90;
  };
  const QPointF centre(9 * kScale, 8.5 * kScale);
  const double radius = 5 * kScale;
  auto on_circle = [&](int degrees) {  // clockwise on the screen from 3 o'clock
    const double a = degrees * M_PI / 180;
    return centre + radius * QPointF(std::cos(a), std::sin(a));
  };
  std::vector<bool> arc_at(360);
  for (int d = 0; d < 360; ++d) arc_at[std::size_t(d)] = painted(on_circle(d));
  // The gap: its first and last angle.
  int gap_start = -1, gap_end = -1;
  for (int d = 0; d < 360; ++d) {
    if (arc_at[std::size_t(d)] && !arc_at[std::size_t((d + 1) % 360)]) gap_start = (d + 1) % 360;
    if (!arc_at[std::size_t(d)] && arc_at[std::size_t((d + 1) % 360)]) gap_end = d;
  }
  EXPECT_GE(gap_start, 0);
  EXPECT_GE(gap_end, 0);
  auto paint_near = [&](QPointF at) {
    int count = 0;
    for (int y = -24; y <= 24; ++y)
      for (int x = -24; x <= 24; ++x)
        if (x * x + y * y <= 24 * 24 && image.rect().contains((at + QPointF(x, y)).toPoint()) &&
            painted(at + QPointF(x, y)))
          ++count;
    return count;
  };
  return paint_near(on_circle(gap_start)) > paint_near(on_circle(gap_end));
}

TEST(ToolbarIcons, TwistArrowsTurnTheWayOfTheirCommands) {
  EXPECT_TRUE(HeadWhereClockwiseTravelEnds(CommandId::TwistClockwise));
  EXPECT_FALSE(HeadWhereClockwiseTravelEnds(CommandId::TwistCounterClockwise));
}

TEST_F(AppTest, PaneThreeIsWideEnoughForTheWholeAverageText) {
  StatusBar& bar = window().status();
  const int needed = bar.fontMetrics().horizontalAdvance("Average REF. RGB = 255 255 255  >>>");
  EXPECT_GE(bar.PaneRect(3).width(), needed + 4);
  EXPECT_EQ(bar.PaneRect(4).left(), bar.PaneRect(3).right() + 1);
  EXPECT_EQ(bar.PaneRect(0).width(), 300);
}

TEST_F(AppTest, StartHintGoesWhenTheMouseMovesOverAToolbarButton) {
  LoadSource();
  ASSERT_TRUE(st().tips.StartTip.occupied);
  auto* button = window().ZoneToolbar()->widgetForAction(window().ActionOf(CommandId::BrightContrast));
  ASSERT_NE(button, nullptr);
  Move(button, Qt::NoButton, {5, 5});
  EXPECT_FALSE(st().tips.StartTip.occupied);
}

QAction* MenuItem(MainWindow& w, const QString& menu_title, const QString& starts) {
  for (QAction* m : w.menuBar()->actions())
    if (m->menu() && m->text() == menu_title)
      for (QAction* item : m->menu()->actions())
        if (item->text().startsWith(starts)) return item;
  return nullptr;
}

TEST_F(AppTest, MenuItemsShowTheirCharacterKeys) {
  const std::tuple<const char*, const char*, const char*> items[] = {
      {"&File", "Next Save", "Next Save\tN"},
      {"&Edit", "Merge two sources", "Merge two sources\tm"},
      {"Target", "Flip horizontal", "Flip horizontal\tf"},
      {"Target", "Flip vertical", "Flip vertical"},  // no key, nothing after it
      {"&File", "&Open image", "&Open image..."},    // key shortcuts show by themselves
  };
  for (const auto& [menu, starts, shown] : items) {
    QAction* item = MenuItem(window(), menu, starts);
    ASSERT_NE(item, nullptr) << starts;
    EXPECT_EQ(item->text(), shown);
  }
  EXPECT_EQ(MenuItem(window(), "&File", "&Open image")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
}

}  // namespace
}  // namespace wrimple::app::testing
