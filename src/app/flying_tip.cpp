#include "app/flying_tip.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace wrimple::app {

namespace {
constexpr int kMaxLines = 10;
}

FlyingTip::FlyingTip(QWidget* parent, int left, int top, const QString& text) : QWidget(parent) {
  setObjectName("tips");
  move(left, top);
  ShowTip(text);
  show();
}

QFont FlyingTip::TipFont() {
  QFont font;
  font.setPointSize(8);
  return font;
}

void FlyingTip::ShowTip(const QString& text) {
  text_ = text;
  lines_ = text.split('\n').mid(0, kMaxLines);
  const QFontMetrics metrics(TipFont());
  int widest = 0;
  for (const QString& line : lines_) widest = std::max(widest, metrics.horizontalAdvance(line));
  line_height_ = metrics.height();
  resize(widest + 10, line_height_ * int(lines_.size()) + 2);
  update();
}

void FlyingTip::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const int w = width(), h = height();
  p.fillRect(rect(), TipBackground());
  p.setFont(TipFont());
  p.setPen(Qt::black);
  const QFontMetrics metrics(p.font());
  for (int i = 0; i < int(lines_.size()); ++i)
    p.drawText(QPoint(5, 1 + i * line_height_ + metrics.ascent()), lines_[i]);
  p.drawPolyline(QPolygon({QPoint(0, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1), QPoint(w - 1, 0),
                           QPoint(0, 0)}));
}

// A click on a tip stays with the tip: it neither closes it nor reaches the view.
void FlyingTip::mousePressEvent(QMouseEvent* event) { event->accept(); }
void FlyingTip::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }

}  // namespace wrimple::app
