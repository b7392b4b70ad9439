#include "app/grab_box_widget.h"

#include <QMouseEvent>
#include <QPainter>

#include "app/view.h"
#include "compose/grab_box.h"

namespace wrimple::app {

namespace {

QColor ToQColor(ColorRef c) { return QColor(int(c & 0xff), int((c >> 8) & 0xff), int((c >> 16) & 0xff)); }

}  // namespace

GrabBoxWidget::GrabBoxWidget(State& st, Platform& pf, int index, View& view, QWidget* parent)
    : QWidget(parent), st_(st), pf_(pf), index_(index), view_(view) {
  const auto name = GrabBoxWindowName(GrabBoxName(index));
  setObjectName(QString::fromLatin1(name.data(), qsizetype(name.size())));
  setFixedSize(kGrabBoxSize, kGrabBoxSize);
  setMouseTracking(true);
  show();
}

void GrabBoxWidget::paintEvent(QPaintEvent*) {
  const GrabBoxColors colors = GrabBoxColorsFor(st_.doc.BaseColor);
  QPainter p(this);
  p.fillRect(rect(), ToQColor(colors.fill));
  p.setPen(QPen(ToQColor(colors.pen), 1));
  for (const LineSegment& mark : GrabBoxMarks(GrabBoxName(index_)))
    p.drawLine(mark.from.x, mark.from.y, mark.to.x, mark.to.y);
  p.drawPolyline(QPolygon({QPoint(0, 0), QPoint(19, 0), QPoint(19, 19), QPoint(0, 19), QPoint(0, 0)}));
}

void GrabBoxWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint p = event->position().toPoint();
  GrabBoxPress(st_, pf_, GrabBoxName(index_), p.x(), p.y());
  AfterCore();
}

void GrabBoxWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  GrabBoxMove(st_, pf_, GrabBoxName(index_), p.x(), p.y());
  AfterCore();
}

void GrabBoxWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint p = event->position().toPoint();
  GrabBoxRelease(st_, pf_, GrabBoxName(index_), p.x(), p.y());
  AfterCore();
}

// The core may have moved the boxes, filled or emptied tips and recomposed.
void GrabBoxWidget::AfterCore() {
  view_.SyncChildren();
  emit view_.StateChanged();
}

}  // namespace wrimple::app
