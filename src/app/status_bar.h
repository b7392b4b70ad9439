// The status bar: fixed panes showing the mode, the lock, the target's changed
// state, the sweep average, the reference colour, the progress of long effects,
// three peek panes that show a source or the target's summary, and the zoom.
#pragma once

#include <QStatusBar>
#include <array>
#include <memory>

#include "document/platform.h"
#include "document/state.h"

namespace wrimple::app {

class FlyingTip;
class View;

class StatusBar : public QStatusBar, public ProgressPane {
 public:
  static constexpr int kPaneCount = 10;
  // The last pane shows the view's zoom.
  static constexpr int kZoomPane = 9;
  static constexpr std::array<int, kPaneCount> kPaneWidths{300, 100, 100, 200, 100,
                                                           100, 100, 100, 100, 110};

  StatusBar(State& st, View& view, QWidget* parent = nullptr);
  ~StatusBar() override;

  // Pane i's width: the fixed one, or for pane 3 what its text needs.
  int PaneWidth(int i) const;
  // Pane i's rectangle in the bar's coordinates.
  QRect PaneRect(int i) const;
  // The text pane i shows now (panes 0 to 3 and the zoom pane).
  QString PaneText(int i);
  // A command prompt shown in pane 0 while a menu item or button is hovered;
  // empty to show the mode again.
  void ShowPrompt(const QString& prompt);

  // ProgressPane: fills part of pane 5 and paints it at once.
  void FillProgressPane(ColorRef color, int percent) override;

  FlyingTip* SecondSourceTip() const { return second_source_tip_.get(); }
  FlyingTip* ReferenceTip() const { return reference_tip_.get(); }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void PaintPeekPanes(QPainter& p);
  void PaintPane(QPainter& p, int i, const QColor& fill, const QString& text);
  bool Inside(int pane, int x) const;
  void Peek(int which);
  std::unique_ptr<FlyingTip> MakeTip(const QString& text);

  State& st_;
  View& view_;
  QString prompt_;
  bool sweep_seen_ = false;
  int peek_marker_ = -1;
  bool peek_source1_ = false, peek_source2_ = false, peek_target_ = false;
  ColorRef progress_color_ = kProgressIdle;
  int progress_percent_ = 100;
  std::unique_ptr<FlyingTip> reference_tip_;
  std::unique_ptr<FlyingTip> second_source_tip_;
};

}  // namespace wrimple::app
