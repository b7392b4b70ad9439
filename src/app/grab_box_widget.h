// A grab box of aligning mode: a 20 x 20 child window of the view that the
// mouse clicks or drags to snap, stretch or move the aligned source.
#pragma once

#include <QWidget>

#include "document/platform.h"
#include "document/state.h"

namespace wrimple::app {

class View;

class GrabBoxWidget : public QWidget {
 public:
  // index: the box's place in State::GrabBoxes.
  GrabBoxWidget(State& st, Platform& pf, int index, View& view, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void AfterCore();
  State& st_;
  Platform& pf_;
  int index_;
  View& view_;
};

}  // namespace wrimple::app
