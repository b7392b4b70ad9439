// The one view: the target in a scrolling area at any zoom, or the source
// preview while a source is aligned or rotated, with the zone, the brush box,
// the align line, the flying tips and the grab boxes.
//
// The view paints in device pixels: a zoom of 1:1 ("Actual Size") puts one
// target pixel on one device pixel, and the core's window coordinates are
// device pixels of the viewport. Tips and grab boxes are child windows placed
// in the widget's own (user-interface) pixels.
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
#include "document/view_scaling.h"
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
  void RedrawTargetArea(const PixelRect& changed) override;
  Size ClientSize() const override;
  Point ScrollPosition() const override;
  void SetScrollSizes(int width, int height) override;
  ViewMapping Mapping() const override;

  // The zoom commands. Steps keep the target point under the view's centre.
  void ZoomIn();
  void ZoomOut();
  void ActualSize();
  void FitInWindow();
  // Zooms to z keeping the target point under the device pixel `anchor` there.
  void ZoomAround(ZoomRatio z, QPoint anchor);
  // The device pixel of the viewport under a point in widget pixels.
  QPoint DevicePoint(QPointF widget_point) const;
  qreal DeviceRatio() const;

  // Brings the tip windows and grab boxes in line with the state's slots.
  void SyncChildren();

  // Draws a peek over the view until its next repaint: source 1 or 2, or the
  // target description (0).
  void ShowPeek(int which);

  // Draws the brush box a command placed, until the next repaint.
  void ShowBrushBox(const std::optional<BrushBox>& box);

  // The help picture drawn with twice the pixels, shown instead of the
  // document's on screens of a device pixel ratio above 1.
  void SetSharpHelpPicture(const QImage& picture);

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
  bool viewportEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  enum class Picture { Target, SourceAverage, Peek };
  QRect PictureOnWindow() const;
  void Render(Picture which, const QRect& r, QImage& image);
  const QImage& Zoomed(Picture which);
  void DrawPicture(QPainter& p, const QRect& damaged, Picture which, const PixelRect& only);
  void PaintHelp(QPainter& p);
  void PaintTargetMode(QPainter& p, const QRect& damaged);
  void PaintPreviewMode(QPainter& p, const QRect& damaged);
  void PaintSurround(QPainter& p, const QColor& hatch);
  void PaintEdgeText(QPainter& p, const char* text);
  void PaintZone(QPainter& p, const QRect& damaged);
  void PaintPeek(QPainter& p, const QRect& damaged);
  void PaintOverlays(QPainter& p);
  void UpdateScrollBars();
  void SetScroll(Point scroll);
  void ApplyZoom(ZoomRatio z, bool fits, QPoint anchor);
  void ZoomStep(int direction, QPoint anchor);
  void Pinch(double factor, QPoint anchor);
  void RepaintDevice(const QRect& device);
  QRect WindowRectOf(const PixelRect& target) const;
  QRect ZoneBounds() const;
  QRect OverlayBounds() const;
  void ResetOverlays();
  void SyncTip(TipSlot& slot);
  void SyncGrabBoxes();
  template <typename Feedback>
  void ShowFeedback(const Feedback& feedback);
  bool Panning(const QMouseEvent* event) const;

  State& st_;
  Platform* pf_ = nullptr;
  QMenu* context_menu_ = nullptr;
  int scroll_width_ = 0;
  int scroll_height_ = 0;
  int peek_ = -1;
  QImage flow_diagram_;
  QImage sharp_help_;
  std::optional<QPolygon> brush_box_;
  std::optional<QLine> align_line_;
  QRect zone_drawn_;  // device pixels the zone covered at the last paint
  std::map<const TipSlot*, FlyingTip*> tips_;
  std::array<GrabBoxWidget*, 5> grab_boxes_{};

  // Shrunk pictures come from pyramids of halvings: the target's follows its
  // changed rectangles; the sources' average and the peeked plane are built
  // again after any other change.
  ViewPyramid target_levels_;
  bool target_levels_valid_ = false;
  PixelRect target_changed_;
  ViewPyramid average_levels_;
  bool average_levels_valid_ = false;
  ViewPyramid peek_levels_;
  bool peek_levels_valid_ = false;
  // Each picture as the window shows it at the zoom and scroll position it was
  // made for, made again where the target changed.
  struct ZoomedPicture {
    QImage image;
    ZoomRatio zoom;
    Point scroll;
    bool valid = false;
    QRect stale;
  };
  std::array<ZoomedPicture, 3> zoomed_;

  // Panning with the middle button or with the space bar held.
  bool space_held_ = false;
  std::optional<QPoint> pan_from_;  // device pixel of the last pan position
  int wheel_zoom_delta_ = 0;        // wheel eighths of a degree not yet zoomed
  double pinch_scale_ = 1.0;        // pinch growth not yet zoomed
};

}  // namespace wrimple::app
