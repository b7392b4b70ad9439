#include "app/view.h"

#include <QContextMenuEvent>
#include <QGestureEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>
#include <cstring>
#include <utility>

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

// Painting in device pixels: one unit of the painter is one pixel of the
// backing store, whatever the device pixel ratio.
void UseDevicePixels(QPainter& p, qreal ratio) {
  if (ratio != 1.0) p.setTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
}

QRect Bounds(const QPolygon& polygon) { return polygon.boundingRect().adjusted(-1, -1, 1, 1); }

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
  viewport()->grabGesture(Qt::PinchGesture);
  setFocusPolicy(Qt::StrongFocus);
  setFrameShape(QFrame::NoFrame);
}

View::~View() = default;

qreal View::DeviceRatio() const { return viewport()->devicePixelRatioF(); }

QPoint View::DevicePoint(QPointF widget_point) const {
  const qreal r = DeviceRatio();
  return QPoint(int(std::floor(widget_point.x() * r)), int(std::floor(widget_point.y() * r)));
}

// The widget pixels covering a rectangle of device pixels.
void View::RepaintDevice(const QRect& device) {
  if (device.isEmpty()) return;
  const qreal r = DeviceRatio();
  const int left = int(std::floor(device.left() / r)), top = int(std::floor(device.top() / r));
  const int right = int(std::ceil((device.right() + 1) / r));
  const int bottom = int(std::ceil((device.bottom() + 1) / r));
  viewport()->repaint(QRect(left, top, right - left, bottom - top));
}

void View::ResetOverlays() {
  peek_ = -1;
  flow_diagram_ = QImage();
  brush_box_.reset();
  align_line_.reset();
}

void View::RedrawView() {
  ResetOverlays();
  target_levels_valid_ = average_levels_valid_ = false;
  for (ZoomedPicture& z : zoomed_) z.valid = false;
  st_.BrushPainted = {};
  viewport()->repaint();
}

// Only the target's changed pixels and the mouse's drawings move: the rest of
// the window stays as it is.
void View::RedrawTargetArea(const PixelRect& changed) {
  target_changed_ = target_changed_.United(changed);
  // Shrunk, a window pixel averages an area reaching into its neighbours'
  // target pixels (and a pyramid level rounds outwards): two more pixels.
  const int reach = st_.ViewZoom.Enlarges() ? 0 : 2;
  if (!changed.Empty())
    zoomed_[int(Picture::Target)].stale |= WindowRectOf(changed).adjusted(-reach, -reach, reach, reach);
  if (peek_ != -1 || !flow_diagram_.isNull()) {
    ResetOverlays();
    viewport()->repaint();
    return;
  }
  QRect damaged = OverlayBounds() | zone_drawn_;
  ResetOverlays();
  damaged |= ZoneBounds() | WindowRectOf(changed).adjusted(-reach, -reach, reach, reach);
  RepaintDevice(damaged & QRect(QPoint(0, 0), QSize(ClientSize().width, ClientSize().height)));
}

Size View::ClientSize() const {
  const qreal r = DeviceRatio();
  return {int(std::lround(viewport()->width() * r)), int(std::lround(viewport()->height() * r))};
}

Point View::ScrollPosition() const {
  return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

ViewMapping View::Mapping() const {
  return ViewMapping{.zoom = st_.ViewZoom, .scroll = ScrollPosition(), .ui_scale = DeviceRatio()};
}

void View::SetScrollSizes(int width, int height) {
  scroll_width_ = width;
  scroll_height_ = height;
  if (st_.ViewZoomFits) st_.ViewZoom = FitZoom(ClientSize(), width, height);
  UpdateScrollBars();
}

void View::UpdateScrollBars() {
  const Size client = ClientSize();
  const Size picture = Mapping().PictureSize(scroll_width_, scroll_height_);
  horizontalScrollBar()->setRange(0, std::max(0, picture.width - client.width));
  horizontalScrollBar()->setPageStep(client.width);
  horizontalScrollBar()->setSingleStep(std::max(1, client.width / 100));
  verticalScrollBar()->setRange(0, std::max(0, picture.height - client.height));
  verticalScrollBar()->setPageStep(client.height);
  verticalScrollBar()->setSingleStep(std::max(1, client.height / 100));
}

void View::SetScroll(Point scroll) {
  horizontalScrollBar()->setValue(scroll.x);
  verticalScrollBar()->setValue(scroll.y);
}

void View::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
  if (!st_.ViewZoomFits) return;
  st_.ViewZoom = FitZoom(ClientSize(), scroll_width_, scroll_height_);
  UpdateScrollBars();
  if (st_.AligningSource != 0 && pf_) {
    RepositionGrabBoxes(st_, *pf_, st_.AligningSource);
    SyncGrabBoxes();
  }
  emit StateChanged();
}

void View::scrollContentsBy(int, int) {
  // The grab boxes and the picture move together.
  if (st_.AligningSource != 0 && pf_) {
    RepositionGrabBoxes(st_, *pf_, st_.AligningSource);
    SyncGrabBoxes();
  }
  viewport()->update();
}

// ---- Zoom -------------------------------------------------------------------

void View::ApplyZoom(ZoomRatio z, bool fits, QPoint anchor) {
  const ViewMapping before = Mapping();
  const Point scroll = ScrollKeeping(before, {anchor.x(), anchor.y()}, z);
  st_.ViewZoom = z;
  st_.ViewZoomFits = fits;
  UpdateScrollBars();
  {
    // One repaint for the new zoom and scroll position together.
    const QSignalBlocker block_h(horizontalScrollBar()), block_v(verticalScrollBar());
    SetScroll(scroll);
  }
  if (st_.AligningSource != 0 && pf_) RepositionGrabBoxes(st_, *pf_, st_.AligningSource);
  ResetOverlays();
  viewport()->repaint();
  SyncChildren();
  emit StateChanged();
}

void View::ZoomAround(ZoomRatio z, QPoint anchor) { ApplyZoom(z, false, anchor); }

void View::ZoomStep(int direction, QPoint anchor) {
  ZoomAround(direction > 0 ? ZoomStepAbove(st_.ViewZoom) : ZoomStepBelow(st_.ViewZoom), anchor);
}

void View::ZoomIn() { ZoomStep(+1, viewport()->rect().center() * DeviceRatio()); }
void View::ZoomOut() { ZoomStep(-1, viewport()->rect().center() * DeviceRatio()); }
void View::ActualSize() { ZoomAround(ZoomRatio{1, 1}, viewport()->rect().center() * DeviceRatio()); }

void View::FitInWindow() {
  ApplyZoom(FitZoom(ClientSize(), scroll_width_, scroll_height_), true, QPoint(0, 0));
}

void View::wheelEvent(QWheelEvent* event) {
  const QPoint anchor = DevicePoint(event->position());
  if (event->modifiers() & Qt::ControlModifier) {
    // Whole wheel notches (120 eighths of a degree) zoom one step each.
    wheel_zoom_delta_ += event->angleDelta().y();
    while (std::abs(wheel_zoom_delta_) >= 120) {
      const int direction = wheel_zoom_delta_ > 0 ? 1 : -1;
      wheel_zoom_delta_ -= 120 * direction;
      ZoomStep(direction, anchor);
    }
    event->accept();
    return;
  }
  // Shift turns the wheel sideways; a touchpad scrolls by its own pixels.
  QPoint delta = event->pixelDelta() * DeviceRatio();
  if (event->pixelDelta().isNull()) {
    // Three lines a notch, as the scroll area scrolls.
    const QPoint notches = event->angleDelta() * 3;
    delta = QPoint(notches.x() * horizontalScrollBar()->singleStep() / 120,
                   notches.y() * verticalScrollBar()->singleStep() / 120);
  }
  if (event->modifiers() & Qt::ShiftModifier) delta = QPoint(delta.y() + delta.x(), 0);
  const Point scroll = ScrollPosition();
  SetScroll({scroll.x - delta.x(), scroll.y - delta.y()});
  event->accept();
}

// A pinch zooms a step each time it has grown or shrunk by a quarter.
void View::Pinch(double factor, QPoint anchor) {
  pinch_scale_ *= factor;
  while (pinch_scale_ > 1.25 || pinch_scale_ < 0.8) {
    const int direction = pinch_scale_ > 1 ? 1 : -1;
    pinch_scale_ /= direction > 0 ? 1.25 : 0.8;
    ZoomStep(direction, anchor);
  }
}

bool View::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::NativeGesture) {  // a touchpad
    auto* gesture = static_cast<QNativeGestureEvent*>(event);
    if (gesture->gestureType() == Qt::ZoomNativeGesture) {
      Pinch(1.0 + gesture->value(), DevicePoint(gesture->position()));
      return true;
    }
    if (gesture->gestureType() == Qt::EndNativeGesture) pinch_scale_ = 1.0;
  }
  if (event->type() == QEvent::Gesture) {  // a touch screen
    auto* gestures = static_cast<QGestureEvent*>(event);
    if (auto* pinch = static_cast<QPinchGesture*>(gestures->gesture(Qt::PinchGesture))) {
      Pinch(pinch->scaleFactor(), DevicePoint(viewport()->mapFromGlobal(pinch->centerPoint())));
      if (pinch->state() == Qt::GestureFinished || pinch->state() == Qt::GestureCanceled) pinch_scale_ = 1.0;
      gestures->accept(pinch);
      return true;
    }
  }
  return QAbstractScrollArea::viewportEvent(event);
}

void View::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space) {
    if (!event->isAutoRepeat()) {
      space_held_ = true;
      viewport()->setCursor(Qt::OpenHandCursor);
    }
    event->accept();
    return;
  }
  QAbstractScrollArea::keyPressEvent(event);
}

void View::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
    space_held_ = false;
    if (!pan_from_) viewport()->unsetCursor();
    event->accept();
    return;
  }
  QAbstractScrollArea::keyReleaseEvent(event);
}

// ---- Painting ---------------------------------------------------------------

void View::paintEvent(QPaintEvent* event) {
  QPainter p(viewport());
  p.setBackground(Qt::white);
  const qreal r = DeviceRatio();
  const QRect e = event->rect();
  const QRect damaged(QPoint(int(std::floor(e.left() * r)), int(std::floor(e.top() * r))),
                      QPoint(int(std::ceil((e.right() + 1) * r)) - 1,
                             int(std::ceil((e.bottom() + 1) * r)) - 1));
  if (st_.FirstTimeHelp) {
    PaintHelp(p);
  } else if (st_.SourceCount == 0) {
    // Nothing counts as a source, but a file opened from the command line was
    // composed into the target: the window keeps showing it.
    if (st_.doc.Source(1).SourcePicture)
      PaintTargetMode(p, damaged);
    else
      p.fillRect(e, Qt::white);
  } else if (st_.AligningSource != 0 || st_.SourcePreview) {
    PaintPreviewMode(p, damaged);
  } else {
    PaintTargetMode(p, damaged);
  }
  if (peek_ != -1) PaintPeek(p, damaged);
  p.resetTransform();
  if (!flow_diagram_.isNull()) p.drawImage(QPoint(10, 10), flow_diagram_);
  UseDevicePixels(p, r);
  PaintOverlays(p);
}

void View::PaintHelp(QPainter& p) {
  p.fillRect(viewport()->rect(), Qt::white);
  if (!st_.doc.help_picture) return;
  if (DeviceRatio() > 1 && !sharp_help_.isNull()) {
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QPoint(0, 0), sharp_help_);
    return;
  }
  const QImage help = PackedDibToQImage(st_.doc.help_picture->data(), st_.doc.help_picture->size());
  if (!help.isNull()) p.drawImage(QPoint(0, 0), help);
}

// The window rectangle (device pixels) that shows the given target pixels.
QRect View::WindowRectOf(const PixelRect& target) const {
  if (target.Empty()) return {};
  const ViewMapping m = Mapping();
  const Point top_left = m.ToWindow({target.left, target.top});
  const Point end = m.ToWindow({target.right, target.bottom});
  return QRect(QPoint(top_left.x, top_left.y), QPoint(end.x - 1, end.y - 1));
}

// The part of the window the zoomed picture covers.
QRect View::PictureOnWindow() const {
  const ViewMapping m = Mapping();
  const Size size = m.PictureSize(st_.TargetWidth(), st_.TargetHeight());
  const Size client = ClientSize();
  return QRect(-m.scroll.x, -m.scroll.y, size.width, size.height) & QRect(0, 0, client.width, client.height);
}

// Renders the window pixels `r` (inside PictureOnWindow) of a picture into
// the same pixels of `image`, bringing its pyramid up to date first.
void View::Render(Picture which, const QRect& r, QImage& image) {
  if (r.isEmpty()) return;
  const ViewMapping m = Mapping();
  const PixelRect area{r.left() + m.scroll.x, r.top() + m.scroll.y, r.right() + 1 + m.scroll.x,
                       r.bottom() + 1 + m.scroll.y};
  const WordTarget out{reinterpret_cast<std::uint32_t*>(image.scanLine(r.top())) + r.left(),
                       image.bytesPerLine() / 4};
  const bool shrunk = LevelForZoom(m.zoom) > 0;
  const int w = st_.TargetWidth(), h = st_.TargetHeight();
  const ConstPlane first = std::as_const(st_.doc).Source(1).plane();
  if (which == Picture::Target) {
    TargetRows rows(st_.Target());
    if (shrunk && (!target_levels_valid_ || !target_levels_.Matches(rows))) {
      target_levels_.Rebuild(rows);
    } else if (shrunk && !target_changed_.Empty()) {
      target_levels_.Update(rows, target_changed_);
    }
    if (shrunk) {
      target_levels_valid_ = true;
      target_changed_ = {};
    }
    target_levels_.Draw(rows, m.zoom, area, out);
  } else if (which == Picture::SourceAverage) {
    PlaneAverageRows rows(first, st_.SourceCount < 2 ? first : std::as_const(st_.doc).Source(2).plane(), w,
                          h);
    if (shrunk && (!average_levels_valid_ || !average_levels_.Matches(rows))) average_levels_.Rebuild(rows);
    average_levels_valid_ = average_levels_valid_ || shrunk;
    average_levels_.Draw(rows, m.zoom, area, out);
  } else {
    PlaneRows rows(std::as_const(st_.doc).Source(peek_).plane(), w, h);
    if (shrunk && !peek_levels_valid_) peek_levels_.Rebuild(rows);
    peek_levels_valid_ = peek_levels_valid_ || shrunk;
    peek_levels_.Draw(rows, m.zoom, area, out);
  }
  if (!(m.zoom < kPixelGridZoom)) DrawPixelGrid(m.zoom, area, out);
}

namespace {

// Moves the pixels of `image` by (-dx, -dy): what lay at (x + dx, y + dy) comes
// to (x, y).
void ShiftPixels(QImage& image, int dx, int dy) {
  const int w = image.width(), h = image.height();
  const std::size_t row_bytes = sizeof(std::uint32_t) * std::size_t(w - std::abs(dx));
  auto move_row = [&](int to, int from) {
    auto* target = reinterpret_cast<std::uint32_t*>(image.scanLine(to));
    const auto* source = reinterpret_cast<const std::uint32_t*>(image.constScanLine(from));
    std::memmove(target + std::max(0, -dx), source + std::max(0, dx), row_bytes);
  };
  if (dy >= 0)
    for (int y = 0; y + dy < h; ++y) move_row(y, y + dy);
  else
    for (int y = h - 1; y + dy >= 0; --y) move_row(y, y + dy);
}

}  // namespace

// The window full of a zoomed picture, rendered again where it is stale.
// Scrolling moves what is there and renders only the uncovered strips.
const QImage& View::Zoomed(Picture which) {
  ZoomedPicture& z = zoomed_[int(which)];
  const ViewMapping m = Mapping();
  const Size client = ClientSize();
  const QSize size(client.width, client.height);
  const bool same_zoom = z.valid && z.zoom.numerator == m.zoom.numerator &&
                         z.zoom.denominator == m.zoom.denominator && z.image.size() == size;
  const int dx = m.scroll.x - z.scroll.x, dy = m.scroll.y - z.scroll.y;
  if (same_zoom && (dx != 0 || dy != 0) && std::abs(dx) < size.width() && std::abs(dy) < size.height()) {
    ShiftPixels(z.image, dx, dy);
    z.scroll = m.scroll;
    z.stale.translate(-dx, -dy);
    if (dx > 0) z.stale |= QRect(size.width() - dx, 0, dx, size.height());
    if (dx < 0) z.stale |= QRect(0, 0, -dx, size.height());
    if (dy > 0) z.stale |= QRect(0, size.height() - dy, size.width(), dy);
    if (dy < 0) z.stale |= QRect(0, 0, size.width(), -dy);
  }
  const bool same_layout = same_zoom && z.scroll.x == m.scroll.x && z.scroll.y == m.scroll.y;
  if (!same_layout) {
    if (z.image.size() != size) z.image = QImage(size, QImage::Format_RGB32);
    z = ZoomedPicture{std::move(z.image), m.zoom, m.scroll, true, {}};
    Render(which, PictureOnWindow(), z.image);
  } else if (!z.stale.isEmpty()) {
    Render(which, z.stale & PictureOnWindow(), z.image);
    z.stale = QRect();
  }
  return z.image;
}

// Pixels of a zoomed picture inside `damaged` (device pixels) and, unless
// `only` is empty, inside the window rectangle of those target pixels.
void View::DrawPicture(QPainter& p, const QRect& damaged, Picture which, const PixelRect& only) {
  QRect shown = damaged & PictureOnWindow();
  if (!only.Empty()) shown &= WindowRectOf(only);
  if (shown.isEmpty()) return;
  p.drawImage(shown.topLeft(), Zoomed(which), shown);
}

void View::PaintTargetMode(QPainter& p, const QRect& damaged) {
  UseDevicePixels(p, DeviceRatio());
  DrawPicture(p, damaged, Picture::Target, {});
  zone_drawn_ = QRect();
  if (ZoneSelected(st_)) PaintZone(p, damaged);
  PaintSurround(p, kTargetHatch);
}

void View::PaintPreviewMode(QPainter& p, const QRect& damaged) {
  UseDevicePixels(p, DeviceRatio());
  DrawPicture(p, damaged, Picture::SourceAverage, {});
  const QColor hatch = st_.SourcePreview          ? QColor(Qt::black)
                       : st_.AligningSource == 1 ? kSource1Hatch
                                                 : kSource2Hatch;
  PaintSurround(p, hatch);
  PaintEdgeText(p, "<<< Source Previewing");
  if (!st_.tips.PreviewTip.occupied && st_.FlyingTipsEnabled && st_.SourceCount == 2) {
    st_.tips.PreviewTip.Fill(100, 400, 700, 500, kPreviewTipText);
    SyncTip(st_.tips.PreviewTip);
  }
  if (!st_.SourcePreview && st_.SourceCount != 0) {
    const SourceImage& s = st_.doc.Source(st_.AligningSource);
    const ViewMapping m = Mapping();
    const QPoint top_left = ToQt(m.ToWindow({-s.OffsetX, -s.OffsetY}));
    const QPoint bottom_right = ToQt(m.ToWindow({s.PlacedWidth - s.OffsetX, s.PlacedHeight - s.OffsetY}));
    p.setPen(DottedPen());
    p.drawPolyline(QPolygon({top_left, QPoint(bottom_right.x(), top_left.y()), bottom_right,
                             QPoint(top_left.x(), bottom_right.y()), top_left}));
  }
}

// Text in the widget's own font, 20 pixels right of the picture's edge at
// height 100, opaque in the default colours.
void View::PaintEdgeText(QPainter& p, const char* text) {
  const ViewMapping m = Mapping();
  const int edge = m.PictureSize(st_.TargetWidth(), st_.TargetHeight()).width - m.scroll.x;
  const QTransform device = p.transform();
  p.resetTransform();
  p.setBackgroundMode(Qt::OpaqueMode);
  p.setPen(Qt::black);
  p.drawText(QPoint(int(std::floor(edge / DeviceRatio())) + 20, 100 + p.fontMetrics().ascent()), text);
  p.setBackgroundMode(Qt::TransparentMode);
  p.setTransform(device);
}

// The client area right of the picture and below it, hatched on white.
void View::PaintSurround(QPainter& p, const QColor& hatch) {
  const Size client = ClientSize();
  const ViewMapping m = Mapping();
  const Size size = m.PictureSize(st_.TargetWidth(), st_.TargetHeight());
  const int right_edge = size.width - m.scroll.x, bottom_edge = size.height - m.scroll.y;
  const QBrush brush(hatch, Qt::DiagCrossPattern);
  p.setBackgroundMode(Qt::OpaqueMode);
  p.setBrushOrigin(0, 0);
  if (client.width > right_edge) {
    const QRect right(right_edge, 0, client.width - right_edge, client.height);
    p.fillRect(right, Qt::white);
    p.fillRect(right, brush);
  }
  if (client.height > bottom_edge) {
    const QRect below(0, bottom_edge, client.width, client.height - bottom_edge);
    p.fillRect(below, Qt::white);
    p.fillRect(below, brush);
  }
  p.setBackgroundMode(Qt::TransparentMode);
}

QRect View::ZoneBounds() const {
  const auto drawing = DrawZone(st_, Mapping());
  if (!drawing || !ZoneSelected(st_)) return {};
  QPolygon outline;
  for (const Point& corner : drawing->outline) outline << ToQt(corner);
  return Bounds(outline);
}

QRect View::OverlayBounds() const {
  QRect bounds;
  if (brush_box_) bounds |= Bounds(*brush_box_);
  if (align_line_) bounds |= QRect(align_line_->p1(), align_line_->p2()).normalized().adjusted(-1, -1, 1, 1);
  return bounds;
}

void View::PaintZone(QPainter& p, const QRect& damaged) {
  const auto drawing = DrawZone(st_, Mapping());
  if (!drawing) return;
  if (drawing->preview) DrawPicture(p, damaged, Picture::SourceAverage, *drawing->preview);
  p.setPen(DottedPen());
  QPolygon outline;
  for (const Point& corner : drawing->outline) outline << ToQt(corner);
  p.drawPolyline(outline);
  for (const Segment& arm : drawing->cross) p.drawLine(ToQt(arm.from), ToQt(arm.to));
  zone_drawn_ = Bounds(outline);
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
  peek_levels_valid_ = false;
  zoomed_[int(Picture::Peek)].valid = false;
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

void View::SetSharpHelpPicture(const QImage& picture) {
  sharp_help_ = picture;
  sharp_help_.setDevicePixelRatio(2);
}

void View::ShowFlowDiagram(const QImage& picture) {
  flow_diagram_ = picture;
  viewport()->repaint();
}

void View::PaintPeek(QPainter& p, const QRect& damaged) {
  if (peek_ == 1 || peek_ == 2) {
    UseDevicePixels(p, DeviceRatio());
    DrawPicture(p, damaged, Picture::Peek, {});
    const Size client = ClientSize();
    const ViewMapping m = Mapping();
    const Size size = m.PictureSize(st_.TargetWidth(), st_.TargetHeight());
    const int w = size.width - m.scroll.x, h = size.height - m.scroll.y;
    const QBrush hatch(Qt::black, Qt::DiagCrossPattern);
    p.setBackgroundMode(Qt::OpaqueMode);
    if (client.width > w) {
      const QRect right(w, 0, client.width - w, std::min(h, client.height));
      p.fillRect(right, Qt::white);
      p.fillRect(right, hatch);
    }
    if (client.height > h) {
      p.fillRect(QRect(0, h, client.width, client.height - h), Qt::white);
      p.fillRect(QRect(0, h, client.width, client.height - h), hatch);
    }
    p.setBackgroundMode(Qt::TransparentMode);
    PaintEdgeText(p, "<<< Target Edge");
  }
  p.resetTransform();
  const QSize client = viewport()->size();
  const std::string line = peek_ == 0 ? PeekTargetLine(st_) : PeekSourceLine(st_, peek_);
  p.setFont(FlyingTip::TipFont());
  p.setBackgroundMode(Qt::OpaqueMode);
  p.setPen(Qt::black);
  const QRect line_rect(20, client.height() - 100, client.width() - 20, p.fontMetrics().height());
  p.drawText(line_rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
             QString::fromStdString(line));
  p.setBackgroundMode(Qt::TransparentMode);
}

// ---- Mouse ------------------------------------------------------------------

template <typename Feedback>
void View::ShowFeedback(const Feedback& feedback) {
  QRect damaged;
  if (feedback.brush_box) {
    QPolygon box;
    for (const Point& corner : feedback.brush_box->outline) box << ToQt(corner);
    brush_box_ = box;
    damaged |= Bounds(box);
  }
  if (feedback.align_line) {
    align_line_ = QLine(ToQt(feedback.align_line->from), ToQt(feedback.align_line->to));
    damaged |= QRect(align_line_->p1(), align_line_->p2()).normalized().adjusted(-1, -1, 1, 1);
  }
  RepaintDevice(damaged);
  if (feedback.refresh_reference_dialog) emit ReferenceColorChanged();
  SyncChildren();
  emit StateChanged();
}

bool View::Panning(const QMouseEvent* event) const {
  return event->button() == Qt::MiddleButton || (event->button() == Qt::LeftButton && space_held_);
}

void View::mousePressEvent(QMouseEvent* event) {
  if (Panning(event)) {
    pan_from_ = DevicePoint(event->position());
    viewport()->setCursor(Qt::ClosedHandCursor);
    return;
  }
  if (!pf_ || (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)) return;
  const MouseButton button = event->button() == Qt::LeftButton ? MouseButton::Left : MouseButton::Right;
  const QPoint at = DevicePoint(event->position());
  ShowFeedback(OnButtonDown(st_, *pf_, button, MouseEvent{{at.x(), at.y()}, KeyFlags(event)}));
}

void View::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = DevicePoint(event->position());
  if (pan_from_) {
    const Point scroll = ScrollPosition();
    SetScroll({scroll.x - (at.x() - pan_from_->x()), scroll.y - (at.y() - pan_from_->y())});
    pan_from_ = at;
    return;
  }
  if (!pf_) return;
  ShowFeedback(OnMouseMove(st_, *pf_, MouseEvent{{at.x(), at.y()}, KeyFlags(event)}));
}

void View::mouseReleaseEvent(QMouseEvent* event) {
  if (pan_from_ && (event->button() == Qt::MiddleButton || event->button() == Qt::LeftButton)) {
    pan_from_.reset();
    if (space_held_)
      viewport()->setCursor(Qt::OpenHandCursor);
    else
      viewport()->unsetCursor();
    return;
  }
  if (!pf_ || (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)) return;
  const MouseButton button = event->button() == Qt::LeftButton ? MouseButton::Left : MouseButton::Right;
  const QPoint at = DevicePoint(event->position());
  ShowFeedback(OnButtonUp(st_, *pf_, button, MouseEvent{{at.x(), at.y()}, KeyFlags(event)}));
}

void View::contextMenuEvent(QContextMenuEvent* event) {
  // A right click never opens the menu; the keyboard's menu key does.
  if (event->reason() == QContextMenuEvent::Keyboard && context_menu_)
    context_menu_->popup(event->globalPos());
}

// ---- Child windows ------------------------------------------------------------

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
