// The one view: the target at one screen pixel per target pixel in a scrolling
// area, or the source preview while a source is aligned or rotated, with the
// zone, the brush box, the align line, the flying tips and the grab boxes.
#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QLine>
#include <QMenu>
#include <QPolygon>
#include <array>
#include <map>
#include <memory>
#include <optional>

#include "document/platform.h"
#include "document/state.h"
#include "zone/source_brushing.h"

namespace wrimple::app {

class FlyingTip;
class GrabBoxWidget;

class View : public QAbstractScrollArea, public ViewPort {
  Q_OBJECT

 public:
  explicit View(State& st, QWidget* parent = nullptr);
  ~View() override;

  // The platform the mouse handlers and grab boxes pass to the core.
  void Attach(Platform& pf) { pf_ = &pf; }

  // ViewPort
  void RedrawView() override;
  Size ClientSize() const override;
  Point ScrollPosition() const override;
  void SetScrollSizes(int width, int height) override;

  // Brings the tip windows and grab boxes in line with the state's slots.
  void SyncChildren();

  // Draws a peek over the view until its next repaint: source 1 or 2, or the
  // target description (0).
  void ShowPeek(int which);

  // Draws the brush box a command placed, until the next repaint.
  void ShowBrushBox(const std::optional<BrushBox>& box);

  // Shows the flow diagram picture at (10, 10) until the next repaint.
  void ShowFlowDiagram(const QImage& picture);

  // The "Edit" popup that the keyboard's context-menu key opens.
  void SetContextMenu(QMenu* menu) { context_menu_ = menu; }

  // The tip window of a slot, or nullptr.
  FlyingTip* TipWindow(const TipSlot& slot) const;
  GrabBoxWidget* GrabBoxWindow(int index) const { return grab_boxes_[std::size_t(index)]; }

 signals:
  // The state may have changed: commands' enabling and the status bar follow.
  void StateChanged();
  // A right-button release asks the open reference colour dialog to show the
  // reference colour.
  void ReferenceColorChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  QRect ShownArea(const QRect& damaged) const;
  void DrawFrame(QPainter& p, const QRect& area);
  void PaintHelp(QPainter& p);
  void PaintTargetMode(QPainter& p, const QRect& damaged);
  void PaintPreviewMode(QPainter& p, const QRect& damaged);
  void PaintSurround(QPainter& p, const QColor& hatch);
  void PaintZone(QPainter& p);
  void PaintPeek(QPainter& p);
  void PaintOverlays(QPainter& p);
  void UpdateScrollBars();
  void SyncTip(TipSlot& slot);
  void SyncGrabBoxes();
  template <typename Feedback>
  void ShowFeedback(const Feedback& feedback);

  State& st_;
  Platform* pf_ = nullptr;
  QMenu* context_menu_ = nullptr;
  QImage frame_;  // the visible part of the target, reused between repaints
  QImage block_;  // the zone's source preview block
  int scroll_width_ = 0;
  int scroll_height_ = 0;
  int peek_ = -1;
  QImage flow_diagram_;
  std::optional<QPolygon> brush_box_;
  std::optional<QLine> align_line_;
  std::map<const TipSlot*, FlyingTip*> tips_;
  std::array<GrabBoxWidget*, 5> grab_boxes_{};
};

}  // namespace wrimple::app
