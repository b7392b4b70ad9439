#include "qtsupport/pdf_page.h"

#include <QFile>
#include <QPdfWriter>

#include "document/print_layout.h"
#include "qtsupport/target_qimage.h"

namespace wrimple {

void PaintPrintedPage(const State& st, QPaintDevice& device, QPainter& painter) {
  if (st.FirstTimeHelp) return;
  if (st.SourceCount == 0) {
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.drawText(QPoint(10, 10 + painter.fontMetrics().ascent()), "This target is empty.");
    return;
  }
  const PrinterPage page{.width = device.width(),
                         .height = device.height(),
                         .dots_per_inch_x = device.logicalDpiX(),
                         .dots_per_inch_y = device.logicalDpiY()};
  const auto dest = PrintDestination(st.TargetWidth(), st.TargetHeight(), page, st.PrintLayout);
  if (!dest) return;
  const QImage picture = TargetToQImage(st.Target());
  // Nearest-neighbour scaling keeps the printed pixels the target's colours.
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawImage(QRect(QPoint(dest->left, dest->top), QPoint(dest->right - 1, dest->bottom - 1)),
                    picture, picture.rect());
}

bool WritePrintedPdf(const State& st, const std::string& path, const QPageSize& page_size,
                     QPageLayout::Orientation orientation) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly)) return false;
  QPdfWriter writer(&file);
  writer.setPageSize(page_size);
  writer.setPageOrientation(orientation);
  writer.setPageMargins(QMarginsF(0, 0, 0, 0));
  writer.setTitle("wrimple32");
  QPainter painter;
  if (!painter.begin(&writer)) return false;
  PaintPrintedPage(st, writer, painter);
  return painter.end() && file.error() == QFileDevice::NoError;
}

}  // namespace wrimple
