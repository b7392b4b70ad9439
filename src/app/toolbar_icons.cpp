#include "app/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

namespace wrimple::app {

namespace {

constexpr int kWidth = 18;
constexpr int kHeight = 17;

const QColor kInk(30, 40, 70);
const QColor kSource1(230, 90, 90);
const QColor kSource2(40, 170, 90);
const QColor kTarget(60, 110, 200);
const QColor kZone(240, 170, 0);

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& color) {
  p.setPen(QPen(color, 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(from, to);
  const QPointF d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
  const QPointF n(-d.y(), d.x());
  QPainterPath head;
  head.moveTo(to + d);
  head.lineTo(to - 4 * d + 3.5 * n);
  head.lineTo(to - 4 * d - 3.5 * n);
  head.closeSubpath();
  p.fillPath(head, color);
}

void Digit(QPainter& p, const QString& text, const QRectF& where, const QColor& color) {
  QFont f = p.font();
  f.setPixelSize(9);
  f.setBold(true);
  p.setFont(f);
  p.setPen(color);
  p.drawText(where, Qt::AlignCenter, text);
}

void Box(QPainter& p, const QRectF& r, const QColor& fill) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(fill);
  p.drawRect(r);
  p.setBrush(Qt::NoBrush);
}

void DottedZone(QPainter& p) {
  QPen pen(kInk, 1);
  pen.setDashPattern({1, 1});
  p.setPen(pen);
  p.drawRect(QRectF(1.5, 1.5, 15, 14));
}

// Three quarters of a turn with the arrowhead where the turning ends.
void Twist(QPainter& p, bool clockwise) {
  DottedZone(p);
  const QPointF centre(9, 8.5);
  constexpr double kRadius = 5;
  // Qt's arc angles count counter-clockwise on the screen.
  const double start_degrees = clockwise ? 200 : -20;
  const double sweep_degrees = clockwise ? -250 : 250;
  p.setPen(QPen(kTarget, 2, Qt::SolidLine, Qt::RoundCap));
  p.drawArc(QRectF(centre.x() - kRadius, centre.y() - kRadius, 2 * kRadius, 2 * kRadius),
            int(start_degrees * 16), int(sweep_degrees * 16));
  const double end = (start_degrees + sweep_degrees) * M_PI / 180;
  const QPointF at = centre + kRadius * QPointF(std::cos(end), -std::sin(end));
  // The way the turning goes at the end, with the screen's y pointing down.
  const double way = clockwise ? 1 : -1;
  Arrow(p, at, at + 2.5 * way * QPointF(std::sin(end), std::cos(end)), kTarget);
}

void Nudge(QPainter& p, QPointF direction) {
  DottedZone(p);
  const QPointF c(9, 8.5);
  Arrow(p, c - 4 * direction, c + 4 * direction, kTarget);
}

void FromSource(QPainter& p, int n, bool blend) {
  const QColor color = n == 1 ? kSource1 : kSource2;
  DottedZone(p);
  if (blend) {
    QRadialGradient g(QPointF(9, 8.5), 7);
    g.setColorAt(0, color);
    g.setColorAt(1, Qt::transparent);
    p.fillRect(QRectF(2, 2, 14, 13), g);
  } else {
    p.fillRect(QRectF(3, 3, 12, 11), color);
  }
  Digit(p, QString::number(n), QRectF(2, 2, 14, 13), Qt::white);
}

void Draw(QPainter& p, CommandId id) {
  using C = CommandId;
  switch (id) {
    case C::BaseColor: Box(p, QRectF(2.5, 2.5, 13, 12), QColor(20, 20, 20)); Digit(p, "B", QRectF(2, 2, 14, 13), Qt::white); break;
    case C::SetupReferenceColor: Box(p, QRectF(2.5, 2.5, 13, 12), QColor(127, 127, 127)); Digit(p, "R", QRectF(2, 2, 14, 13), Qt::white); break;
    case C::SourceScaling:
      Box(p, QRectF(1.5, 6.5, 8, 8), kSource1);
      Arrow(p, QPointF(8, 8), QPointF(15, 2), kInk);
      break;
    case C::AlignSource1:
    case C::AlignSource2: {
      const QColor c = id == C::AlignSource1 ? kSource1 : kSource2;
      Box(p, QRectF(1.5, 1.5, 9, 9), c);
      Digit(p, id == C::AlignSource1 ? "1" : "2", QRectF(1.5, 1.5, 9, 9), Qt::white);
      Arrow(p, QPointF(9, 9), QPointF(15, 14), kInk);
      break;
    }
    case C::AligningOff:
      p.setPen(QPen(kSource1, 2.5, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(4, 4), QPointF(14, 13));
      p.drawLine(QPointF(14, 4), QPointF(4, 13));
      break;
    case C::RotateSource1:
    case C::RotateSource2: {
      const QColor c = id == C::RotateSource1 ? kSource1 : kSource2;
      p.setPen(QPen(c, 2, Qt::SolidLine, Qt::RoundCap));
      p.drawArc(QRectF(2, 2, 13, 13), 90 * 16, -270 * 16);
      Arrow(p, QPointF(5, 2.5), QPointF(8.5, 2.5), c);
      Digit(p, id == C::RotateSource1 ? "1" : "2", QRectF(2, 2, 14, 13), kInk);
      break;
    }
    case C::FlipSource1:
    case C::FlipSource2: {
      const QColor c = id == C::FlipSource1 ? kSource1 : kSource2;
      Arrow(p, QPointF(8, 8.5), QPointF(2, 8.5), c);
      Arrow(p, QPointF(10, 8.5), QPointF(16, 8.5), c);
      Digit(p, id == C::FlipSource1 ? "1" : "2", QRectF(5, 0, 8, 8), kInk);
      break;
    }
    case C::MergeTwoSources:
      Box(p, QRectF(1.5, 1.5, 7, 7), kSource1);
      Box(p, QRectF(9.5, 1.5, 7, 7), kSource2);
      Arrow(p, QPointF(9, 9), QPointF(9, 15), kTarget);
      break;
    case C::LockTarget:
      p.setPen(QPen(kInk, 1.8));
      p.drawArc(QRectF(5, 1.5, 8, 9), 0, 180 * 16);
      p.drawLine(QPointF(5, 6), QPointF(5, 8));
      p.drawLine(QPointF(13, 6), QPointF(13, 8));
      Box(p, QRectF(3.5, 7.5, 11, 8), kZone);
      break;
    case C::RestoreTarget:
      p.setPen(QPen(kTarget, 2, Qt::SolidLine, Qt::RoundCap));
      p.drawArc(QRectF(3, 3, 12, 12), 90 * 16, 270 * 16);
      Arrow(p, QPointF(12, 3), QPointF(8, 3), kTarget);
      break;
    case C::TargetToSource1:
    case C::TargetToSource2: {
      Box(p, QRectF(1.5, 1.5, 7, 7), kTarget);
      const QColor c = id == C::TargetToSource1 ? kSource1 : kSource2;
      Box(p, QRectF(9.5, 8.5, 7, 7), c);
      Arrow(p, QPointF(6, 10), QPointF(9, 13), kInk);
      Digit(p, id == C::TargetToSource1 ? "1" : "2", QRectF(9.5, 8.5, 7, 7), Qt::white);
      break;
    }
    case C::FlowDiagram:
      Box(p, QRectF(1.5, 1.5, 6, 5), kSource1);
      Box(p, QRectF(10.5, 10.5, 6, 5), kTarget);
      p.setPen(QPen(kInk, 1.2));
      p.drawLine(QPointF(4.5, 6.5), QPointF(4.5, 13));
      Arrow(p, QPointF(4.5, 13), QPointF(10, 13), kInk);
      break;
    case C::NudgeDown: Nudge(p, QPointF(0, 1)); break;
    case C::NudgeUp: Nudge(p, QPointF(0, -1)); break;
    case C::NudgeLeft: Nudge(p, QPointF(-1, 0)); break;
    case C::NudgeRight: Nudge(p, QPointF(1, 0)); break;
    case C::TwistCounterClockwise: Twist(p, false); break;
    case C::TwistClockwise: Twist(p, true); break;
    case C::Squash:
      DottedZone(p);
      Arrow(p, QPointF(2, 8.5), QPointF(7, 8.5), kTarget);
      Arrow(p, QPointF(16, 8.5), QPointF(11, 8.5), kTarget);
      break;
    case C::Stretch:
      DottedZone(p);
      Arrow(p, QPointF(8, 8.5), QPointF(3, 8.5), kTarget);
      Arrow(p, QPointF(10, 8.5), QPointF(15, 8.5), kTarget);
      break;
    case C::BlushDown:
    case C::BlushUp: {
      DottedZone(p);
      p.fillRect(QRectF(6, 6, 6, 5), QColor(127, 127, 127));
      const bool up = id == C::BlushUp;
      Arrow(p, QPointF(up ? 3 : 7, 8.5), QPointF(up ? 6.5 : 3, 8.5), kZone);
      Arrow(p, QPointF(up ? 15 : 11, 8.5), QPointF(up ? 11.5 : 15, 8.5), kZone);
      break;
    }
    case C::PortionMergeSource1: FromSource(p, 1, true); break;
    case C::PortionMergeSource2: FromSource(p, 2, true); break;
    case C::FillFromSource1: FromSource(p, 1, false); break;
    case C::FillFromSource2: FromSource(p, 2, false); break;
    case C::SourceBrushing:
    case C::SourceBrushingOff: {
      p.setPen(QPen(QColor(140, 90, 40), 2.5, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(14, 2), QPointF(8, 9));
      p.setBrush(kSource1);
      p.setPen(QPen(kInk, 1));
      p.drawEllipse(QRectF(3, 8.5, 6, 6));
      if (id == C::SourceBrushingOff) {
        p.setPen(QPen(QColor(200, 0, 0), 2));
        p.drawLine(QPointF(2, 15), QPointF(16, 2));
      }
      break;
    }
    case C::BrightContrast:
      p.setPen(QPen(kInk, 1));
      p.setBrush(QColor(255, 230, 80));
      p.drawEllipse(QRectF(2.5, 2.5, 12, 12));
      p.setBrush(kInk);
      p.drawPie(QRectF(2.5, 2.5, 12, 12), 90 * 16, 180 * 16);
      break;
    case C::FlipHorizontal:
      Arrow(p, QPointF(8, 8.5), QPointF(2, 8.5), kTarget);
      Arrow(p, QPointF(10, 8.5), QPointF(16, 8.5), kTarget);
      p.setPen(QPen(kInk, 1, Qt::DotLine));
      p.drawLine(QPointF(9, 1), QPointF(9, 16));
      break;
    case C::FlipVertical:
      Arrow(p, QPointF(9, 7.5), QPointF(9, 1.5), kTarget);
      Arrow(p, QPointF(9, 9.5), QPointF(9, 15.5), kTarget);
      p.setPen(QPen(kInk, 1, Qt::DotLine));
      p.drawLine(QPointF(1, 8.5), QPointF(17, 8.5));
      break;
    default: Digit(p, "?", QRectF(0, 0, kWidth, kHeight), kInk); break;
  }
}

}  // namespace

QIcon ToolbarIcon(CommandId id, qreal device_pixel_ratio) {
  const qreal ratio = std::max<qreal>(1.0, device_pixel_ratio);
  QPixmap pixmap(int(std::ceil(kWidth * ratio)), int(std::ceil(kHeight * ratio)));
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  Draw(p, id);
  p.end();
  return QIcon(pixmap);
}

}  // namespace wrimple::app
