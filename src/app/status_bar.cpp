#include "app/status_bar.h"

#include <QMouseEvent>
#include <algorithm>
#include <QPainter>

#include "app/flying_tip.h"
#include "app/status_texts.h"
#include "app/view.h"

namespace wrimple::app {

namespace {

QColor ToQColor(const Bgr& c) { return QColor(c[2], c[1], c[0]); }
QColor ToQColor(ColorRef c) { return QColor(int(c & 0xff), int((c >> 8) & 0xff), int((c >> 16) & 0xff)); }

const QColor kModeRed(255, 0, 0);
const QColor kLockedRed(255, 119, 119);
const QColor kUnlockedGreen(0, 255, 0);
const QColor kChangedAmber(240, 192, 0);
const QColor kPeekSource1(255, 204, 204);
const QColor kPeekSource2(102, 255, 153);
const QColor kPeekTargetText(255, 204, 255);
const QColor kPeekTargetFill(136, 204, 255);

// The longest text pane 3 shows, and the room left and right of a pane's text.
constexpr const char* kWidestSweepText = "Average REF. RGB = 255 255 255  >>>";
constexpr int kTextMargin = 2;

constexpr const char* kSecondSourceTip =
    "Only one source image is present.\nYou have the option to load a second source and its "
    "stats will be displayed when hovering over this area.";
constexpr const char* kReferenceTip =
    "Wiping the right mouse button on an interesting part of this target image will average the "
    "colors over the wipe area.\nThis average will be the new reference color.\n\nThe reference "
    "color displayed here is used for merging and portion blending.";

}  // namespace

StatusBar::StatusBar(State& st, View& view, QWidget* parent)
    : QStatusBar(parent), st_(st), view_(view) {
  setSizeGripEnabled(false);
  setMouseTracking(true);
}

StatusBar::~StatusBar() = default;

QSize StatusBar::sizeHint() const {
  int width = 0;
  for (int i = 0; i < kPaneCount; ++i) width += PaneWidth(i);
  return QSize(width, fontMetrics().height() + 6);
}

// Pane 3 is as wide as its longest text needs in the bar's font.
int StatusBar::PaneWidth(int i) const {
  const int fixed = kPaneWidths[std::size_t(i)];
  if (i != 3) return fixed;
  return std::max(fixed, fontMetrics().horizontalAdvance(kWidestSweepText) + 2 * kTextMargin);
}

QRect StatusBar::PaneRect(int i) const {
  int left = 0;
  for (int k = 0; k < i; ++k) left += PaneWidth(k);
  return QRect(left, 0, PaneWidth(i), height());
}

QString StatusBar::PaneText(int i) {
  switch (i) {
    case 0: return prompt_.isEmpty() ? QString::fromStdString(ModeText(st_)) : prompt_;
    case 1: return QString::fromStdString(LockText(st_));
    case 2: return st_.TargetModified ? QStringLiteral("Target Changed") : QString();
    case 3: return QString::fromStdString(SweepText(st_, sweep_seen_));
    case kZoomPane: return QString::fromStdString(ZoomText(st_));
    default: return {};
  }
}

void StatusBar::ShowPrompt(const QString& prompt) {
  prompt_ = prompt;
  repaint(PaneRect(0));
}

void StatusBar::PaintPane(QPainter& p, int i, const QColor& fill, const QString& text) {
  const QRect pane = PaneRect(i);
  p.fillRect(pane, fill);
  if (text.isEmpty()) return;
  p.setPen(Qt::black);
  p.drawText(pane.adjusted(kTextMargin, 1, -kTextMargin, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
             text);
}

void StatusBar::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().window());
  PaintPane(p, 0, kModeRed, PaneText(0));
  PaintPane(p, 1, st_.TargetLock ? kLockedRed : kUnlockedGreen, PaneText(1));
  PaintPane(p, 2, st_.TargetModified ? kChangedAmber : QColor(Qt::white), PaneText(2));
  PaintPane(p, 3, palette().window().color(), PaneText(3));
  p.fillRect(PaneRect(4), ToQColor(st_.ReferenceColor));
  const QRect progress = PaneRect(5);
  p.fillRect(progress, palette().window());
  p.fillRect(QRect(progress.left(), progress.top(), progress.width() * progress_percent_ / 100,
                   progress.height()),
             ToQColor(progress_color_));
  PaintPeekPanes(p);
  PaintPane(p, kZoomPane, palette().window().color(), PaneText(kZoomPane));
  p.setPen(palette().mid().color());
  for (int i = 1; i < kPaneCount; ++i) p.drawLine(PaneRect(i).topLeft(), PaneRect(i).bottomLeft());
}

void StatusBar::PaintPeekPanes(QPainter& p) {
  if (st_.SourceCount < 1) return;
  PaintPane(p, 6, kPeekSource1, "Peek source 1");
  if (st_.SourceCount == 2) PaintPane(p, 7, kPeekSource2, "Peek source 2");
  // The target's pane has a text background that differs from its fill.
  const QRect target = PaneRect(8);
  p.fillRect(target, kPeekTargetFill);
  p.setBackgroundMode(Qt::OpaqueMode);
  p.setBackground(kPeekTargetText);
  p.setPen(Qt::black);
  p.drawText(target.adjusted(2, 1, -2, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
             "Target stats");
  p.setBackgroundMode(Qt::TransparentMode);
  const int marked = peek_marker_ == 1 ? 6 : peek_marker_ == 2 ? 7 : peek_marker_ == 0 ? 8 : -1;
  if (marked != -1) {
    const QRect pane = PaneRect(marked);
    p.fillRect(QRect(pane.right() - 5, pane.bottom() - 7, 6, 8), QColor(0, 0, 255));
  }
}

void StatusBar::FillProgressPane(ColorRef color, int percent) {
  progress_color_ = color;
  progress_percent_ = percent;
  repaint(PaneRect(5));
}

bool StatusBar::Inside(int pane, int x) const {
  const QRect r = PaneRect(pane);
  return r.left() < x && x < r.left() + r.width();
}

std::unique_ptr<FlyingTip> StatusBar::MakeTip(const QString& text) {
  const int bottom = view_.viewport()->height();
  return std::make_unique<FlyingTip>(view_.viewport(), 100, bottom - 200, text);
}

void StatusBar::Peek(int which) {
  peek_source1_ = which == 1;
  peek_source2_ = which == 2;
  peek_target_ = which == 0;
  setCursor(Qt::PointingHandCursor);
  if (which == 0) view_.RedrawView();
  view_.ShowPeek(which);
  peek_marker_ = which;
  repaint();
}

void StatusBar::mouseMoveEvent(QMouseEvent* event) {
  const int x = int(event->position().x());
  if (st_.SourceCount >= 1) {
    if (Inside(6, x) && !peek_source1_) Peek(1);
    if (st_.SourceCount == 1 && Inside(7, x) && !second_source_tip_)
      second_source_tip_ = MakeTip(kSecondSourceTip);
    if (Inside(8, x) && !peek_target_) Peek(0);
    if (Inside(3, x) && !reference_tip_) reference_tip_ = MakeTip(kReferenceTip);
  }
  if (st_.SourceCount == 2 && Inside(7, x) && !peek_source2_) Peek(2);
  QStatusBar::mouseMoveEvent(event);
}

void StatusBar::leaveEvent(QEvent* event) {
  if (st_.SourceCount != 0) {
    view_.RedrawView();
    peek_marker_ = -1;
    peek_source1_ = peek_source2_ = peek_target_ = false;
    reference_tip_.reset();
    second_source_tip_.reset();
    unsetCursor();
    repaint();
  }
  QStatusBar::leaveEvent(event);
}

}  // namespace wrimple::app
