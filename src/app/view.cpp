#include "app/view.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>

#include "app/flying_tip.h"
#include "app/grab_box_widget.h"
#include "app/status_texts.h"
#include "qtsupport/target_qimage.h"
#include "compose/align.h"
#include "zone/mouse_routing.h"
#include "zone/zone_drawing.h"

namespace wrimple::app {

namespace {

QPoint ToQt(Point p) { return QPoint(p.x, p.y); }

// GDI's dotted pen of width 0: one pixel on, one off.
QPen DottedPen() {
  QPen pen(Qt::black, 0);
  pen.setDashPattern({1, 1});
  return pen;
}

QPen DashedPen() {
  QPen pen(Qt::black, 0);
  pen.setDashPattern({6, 2});
  return pen;
}

std::uint32_t KeyFlags(const QMouseEvent* event) {
  std::uint32_t keys = 0;
  if (event->buttons() & Qt::LeftButton) keys |= kMouseLeftButton;
  if (event->buttons() & Qt::RightButton) keys |= kMouseRightButton;
  if (event->buttons() & Qt::MiddleButton) keys |= kMouseMiddleButton;
  if (event->modifiers() & Qt::ShiftModifier) keys |= kMouseShift;
  if (event->modifiers() & Qt::ControlModifier) keys |= kMouseControl;
  return keys;
}

MouseEvent ToCore(const QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  return MouseEvent{.window = {p.x(), p.y()}, .keys = KeyFlags(event)};
}

const QColor kTargetHatch(0x20, 0x40, 0x8F);
const QColor kSource1Hatch(0xFF, 0xCC, 0xCC);
const QColor kSource2Hatch(0x66, 0xFF, 0x99);

constexpr const char* kPreviewTipText =
    "You are now viewing the combination of two sources as is needed when\naligning, scaling and "
    "rotating individual source(s).\n\nAfter this operation is complete WRIMPLE will switch "
    "back to displaying the target image. ";

}  // namespace

View::View(State& st, QWidget* parent) : QAbstractScrollArea(parent), st_(st) {
  viewport()->setMouseTracking(true);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setAttribute(Qt::WA_NoSystemBackground);
  setFrameShape(QFrame::NoFrame);
}

View::~View() = default;

void View::RedrawView() {
  peek_ = -1;
  flow_diagram_ = QImage();
  brush_box_.reset();
  align_line_.reset();
  viewport()->repaint();
}

Size View::ClientSize() const { return {viewport()->width(), viewport()->height()}; }

Point View::ScrollPosition() const {
  return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void View::SetScrollSizes(int width, int height) {
  scroll_width_ = width;
  scroll_height_ = height;
  UpdateScrollBars();
}

void View::UpdateScrollBars() {
  const QSize client = viewport()->size();
  horizontalScrollBar()->setRange(0, std::max(0, scroll_width_ - client.width()));
  horizontalScrollBar()->setPageStep(client.width());
  horizontalScrollBar()->setSingleStep(std::max(1, client.width() / 100));
  verticalScrollBar()->setRange(0, std::max(0, scroll_height_ - client.height()));
  verticalScrollBar()->setPageStep(client.height());
  verticalScrollBar()->setSingleStep(std::max(1, client.height() / 100));
}

void View::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

void View::scrollContentsBy(int, int) {
  // The grab boxes and the picture move together.
  if (st_.AligningSource != 0 && pf_) {
    RepositionGrabBoxes(st_, *pf_, st_.AligningSource);
    SyncGrabBoxes();
  }
  viewport()->update();
}

void View::paintEvent(QPaintEvent* event) {
  QPainter p(viewport());
  p.setBackground(Qt::white);
  if (st_.FirstTimeHelp) {
    PaintHelp(p);
  } else if (st_.SourceCount == 0) {
    // Nothing counts as a source, but a file opened from the command line was
    // composed into the target: the window keeps showing it.
    if (st_.doc.Source(1).SourcePicture)
      PaintTargetMode(p, event->rect());
    else
      p.fillRect(event->rect(), Qt::white);
  } else if (st_.AligningSource != 0 || st_.SourcePreview) {
    PaintPreviewMode(p, event->rect());
  } else {
    PaintTargetMode(p, event->rect());
  }
  if (peek_ != -1) PaintPeek(p);
  if (!flow_diagram_.isNull()) p.drawImage(QPoint(10, 10), flow_diagram_);
  PaintOverlays(p);
}

void View::PaintHelp(QPainter& p) {
  p.fillRect(viewport()->rect(), Qt::white);
  if (!st_.doc.help_picture) return;
  const QImage help = PackedDibToQImage(st_.doc.help_picture->data(), st_.doc.help_picture->size());
  if (!help.isNull()) p.drawImage(QPoint(0, 0), help);
}

// The part of the target under the damaged window rectangle, in target
// coordinates.
QRect View::ShownArea(const QRect& damaged) const {
  const Point scroll = ScrollPosition();
  return damaged.translated(scroll.x, scroll.y) & QRect(0, 0, st_.TargetWidth(), st_.TargetHeight());
}

void View::DrawFrame(QPainter& p, const QRect& area) {
  const Point scroll = ScrollPosition();
  if (!frame_.isNull()) p.drawImage(area.topLeft() - QPoint(scroll.x, scroll.y), frame_);
}

void View::PaintTargetMode(QPainter& p, const QRect& damaged) {
  const QRect area = ShownArea(damaged);
  ConvertTargetArea(st_.Target(), area, frame_);
  DrawFrame(p, area);
  if (ZoneSelected(st_)) PaintZone(p);
  PaintSurround(p, kTargetHatch);
}

void View::PaintPreviewMode(QPainter& p, const QRect& damaged) {
  const Point scroll = ScrollPosition();
  const QRect area = ShownArea(damaged);
  ConvertSourceAverageArea(st_, area, frame_);
  DrawFrame(p, area);
  const QColor hatch = st_.SourcePreview          ? QColor(Qt::black)
                       : st_.AligningSource == 1 ? kSource1Hatch
                                                 : kSource2Hatch;
  PaintSurround(p, hatch);
  p.setBackgroundMode(Qt::OpaqueMode);
  p.setPen(Qt::black);
  p.drawText(QPoint(st_.TargetWidth() + 20, 100 + p.fontMetrics().ascent()),
             "<<< Source Previewing");
  p.setBackgroundMode(Qt::TransparentMode);
  if (!st_.tips.PreviewTip.occupied && st_.FlyingTipsEnabled && st_.SourceCount == 2) {
    st_.tips.PreviewTip.Fill(100, 400, 700, 500, kPreviewTipText);
    SyncTip(st_.tips.PreviewTip);
  }
  if (!st_.SourcePreview && st_.SourceCount != 0) {
    const SourceImage& s = st_.doc.Source(st_.AligningSource);
    const QPoint top_left(-s.OffsetX - scroll.x, -s.OffsetY - scroll.y);
    const QPoint bottom_right(s.PlacedWidth - s.OffsetX - scroll.x,
                              s.PlacedHeight - s.OffsetY - scroll.y);
    p.setPen(DottedPen());
    p.drawPolyline(QPolygon({top_left, QPoint(bottom_right.x(), top_left.y()), bottom_right,
                             QPoint(top_left.x(), bottom_right.y()), top_left}));
  }
}

// The client area right of the picture and below it, hatched on white; window
// coordinates without the scroll offset.
void View::PaintSurround(QPainter& p, const QColor& hatch) {
  const QSize client = viewport()->size();
  const int w = st_.TargetWidth(), h = st_.TargetHeight();
  const QBrush brush(hatch, Qt::DiagCrossPattern);
  p.setBackgroundMode(Qt::OpaqueMode);
  p.setBrushOrigin(0, 0);
  if (client.width() > w) {
    const QRect right(w, 0, client.width() - w, client.height());
    p.fillRect(right, Qt::white);
    p.fillRect(right, brush);
  }
  if (client.height() > h) {
    const QRect below(0, h, client.width(), client.height() - h);
    p.fillRect(below, Qt::white);
    p.fillRect(below, brush);
  }
  p.setBackgroundMode(Qt::TransparentMode);
}

void View::PaintZone(QPainter& p) {
  const auto drawing = DrawZone(st_, ScrollPosition());
  if (!drawing) return;
  if (drawing->preview) {
    const ZonePreviewBlock& b = *drawing->preview;
    ConvertTargetArea(ConstTargetImage(b.rows.data(), b.width, b.height),
                      QRect(0, 0, b.width, b.height), block_);
    if (!block_.isNull()) p.drawImage(ToQt(b.at), block_);
  }
  p.setPen(DottedPen());
  QPolygon outline;
  for (const Point& corner : drawing->outline) outline << ToQt(corner);
  p.drawPolyline(outline);
  for (const Segment& arm : drawing->cross) p.drawLine(ToQt(arm.from), ToQt(arm.to));
}

void View::PaintOverlays(QPainter& p) {
  if (brush_box_) {
    p.setPen(DashedPen());
    p.drawPolyline(*brush_box_);
  }
  if (align_line_) {
    p.setPen(DottedPen());
    p.drawLine(*align_line_);
  }
}

void View::ShowPeek(int which) {
  peek_ = which;
  viewport()->repaint();
}

void View::ShowBrushBox(const std::optional<BrushBox>& box) {
  struct {
    std::optional<BrushBox> brush_box;
    std::optional<Segment> align_line;
    bool refresh_reference_dialog = false;
  } feedback{box, std::nullopt};
  ShowFeedback(feedback);
}

void View::ShowFlowDiagram(const QImage& picture) {
  flow_diagram_ = picture;
  viewport()->repaint();
}

void View::PaintPeek(QPainter& p) {
  const QSize client = viewport()->size();
  const int w = st_.TargetWidth(), h = st_.TargetHeight();
  if (peek_ == 1 || peek_ == 2) {
    const Point scroll = ScrollPosition();
    const QRect shown = QRect(scroll.x, scroll.y, client.width(), client.height()) &
                        QRect(0, 0, w, h);
    ConvertPlaneArea(st_.doc.Source(peek_).plane(), shown, frame_);
    if (!frame_.isNull()) p.drawImage(shown.topLeft() - QPoint(scroll.x, scroll.y), frame_);
    const QBrush hatch(Qt::black, Qt::DiagCrossPattern);
    p.setBackgroundMode(Qt::OpaqueMode);
    if (client.width() > w) {
      p.fillRect(QRect(w, 0, client.width() - w, std::min(h, client.height())), Qt::white);
      p.fillRect(QRect(w, 0, client.width() - w, std::min(h, client.height())), hatch);
    }
    if (client.height() > h) {
      p.fillRect(QRect(0, h, client.width(), client.height() - h), Qt::white);
      p.fillRect(QRect(0, h, client.width(), client.height() - h), hatch);
    }
    p.setPen(Qt::black);
    p.drawText(QPoint(w + 20, 100 + p.fontMetrics().ascent()), "<<< Target Edge");
  }
  const std::string line = peek_ == 0 ? PeekTargetLine(st_) : PeekSourceLine(st_, peek_);
  p.setFont(FlyingTip::TipFont());
  p.setBackgroundMode(Qt::OpaqueMode);
  p.setPen(Qt::black);
  const QRect line_rect(20, client.height() - 100, client.width() - 20, p.fontMetrics().height());
  p.drawText(line_rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
             QString::fromStdString(line));
  p.setBackgroundMode(Qt::TransparentMode);
}

template <typename Feedback>
void View::ShowFeedback(const Feedback& feedback) {
  QRect damaged;
  if (feedback.brush_box) {
    QPolygon box;
    for (const Point& corner : feedback.brush_box->outline) box << ToQt(corner);
    brush_box_ = box;
    damaged |= box.boundingRect().adjusted(-1, -1, 1, 1);
  }
  if (feedback.align_line) {
    align_line_ = QLine(ToQt(feedback.align_line->from), ToQt(feedback.align_line->to));
    damaged |= QRect(align_line_->p1(), align_line_->p2()).normalized().adjusted(-1, -1, 1, 1);
  }
  if (!damaged.isEmpty()) viewport()->repaint(damaged);
  if (feedback.refresh_reference_dialog) emit ReferenceColorChanged();
  SyncChildren();
  emit StateChanged();
}

void View::mousePressEvent(QMouseEvent* event) {
  if (!pf_ || (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)) return;
  const MouseButton button = event->button() == Qt::LeftButton ? MouseButton::Left : MouseButton::Right;
  ShowFeedback(OnButtonDown(st_, *pf_, button, ToCore(event)));
}

void View::mouseMoveEvent(QMouseEvent* event) {
  if (!pf_) return;
  ShowFeedback(OnMouseMove(st_, *pf_, ToCore(event)));
}

void View::mouseReleaseEvent(QMouseEvent* event) {
  if (!pf_ || (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)) return;
  const MouseButton button = event->button() == Qt::LeftButton ? MouseButton::Left : MouseButton::Right;
  ShowFeedback(OnButtonUp(st_, *pf_, button, ToCore(event)));
}

void View::contextMenuEvent(QContextMenuEvent* event) {
  // A right click never opens the menu; the keyboard's menu key does.
  if (event->reason() == QContextMenuEvent::Keyboard && context_menu_)
    context_menu_->popup(event->globalPos());
}

FlyingTip* View::TipWindow(const TipSlot& slot) const {
  const auto it = tips_.find(&slot);
  return it == tips_.end() ? nullptr : it->second;
}

void View::SyncTip(TipSlot& slot) {
  FlyingTip* tip = TipWindow(slot);
  const bool wanted = slot.occupied && slot.window_open;
  if (!wanted) {
    if (tip) {
      tips_.erase(&slot);
      delete tip;
    }
    return;
  }
  const QString text = QString::fromStdString(slot.text);
  if (!tip) {
    tips_[&slot] = new FlyingTip(viewport(), slot.left, slot.top, text);
  } else if (tip->text() != text || tip->pos() != QPoint(slot.left, slot.top)) {
    tip->move(slot.left, slot.top);
    tip->ShowTip(text);
  }
}

void View::SyncGrabBoxes() {
  for (int i = 0; i < 5; ++i) {
    const GrabBox& box = st_.GrabBoxes[std::size_t(i)];
    GrabBoxWidget*& window = grab_boxes_[std::size_t(i)];
    if (!box.exists) {
      // The box may be the sender of the event being handled: delete it later.
      if (window) {
        window->hide();
        window->deleteLater();
      }
      window = nullptr;
      continue;
    }
    if (!window) window = new GrabBoxWidget(st_, *pf_, i, *this, viewport());
    window->move(box.left, box.top);
    window->update();
  }
}

void View::SyncChildren() {
  TipSlots& t = st_.tips;
  for (TipSlot* slot : {&t.ZoneTip, &t.StartTip, &t.AlignTip, &t.BrushTip, &t.PreviewTip,
                        &t.GrabBoxTip})
    SyncTip(*slot);
  if (pf_) SyncGrabBoxes();
}

}  // namespace wrimple::app
