#include "app/dialog_pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <vector>

#include "document/pixels.h"
#include "effects/dapple.h"

namespace wrimple::app {

namespace {

constexpr int kSampleSize = 240;
constexpr int kSampleDappleSize = 5;

class NoProgress : public ProgressPane {
 public:
  void FillProgressPane(ColorRef, int) override {}
};

// A small landscape: sky, sun, two hills and a lake.
QImage Landscape() {
  QImage image(kSampleSize, kSampleSize, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, 140);
  sky.setColorAt(0, QColor(40, 90, 190));
  sky.setColorAt(1, QColor(200, 220, 240));
  p.fillRect(image.rect(), sky);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(250, 210, 60));
  p.drawEllipse(QPointF(170, 50), 24, 24);
  p.setBrush(QColor(60, 130, 50));
  p.drawEllipse(QRectF(-60, 110, 240, 160));
  p.setBrush(QColor(110, 160, 60));
  p.drawEllipse(QRectF(90, 125, 220, 150));
  p.setBrush(QColor(50, 110, 160));
  p.drawRect(QRectF(0, 200, kSampleSize, 40));
  return image;
}

}  // namespace

QPixmap ChannelSwatch(int channel) {
  QPixmap swatch(14, 14);
  swatch.fill(QColor(channel == 0 ? 255 : 0, channel == 1 ? 255 : 0, channel == 2 ? 255 : 0));
  QPainter p(&swatch);
  p.setPen(Qt::black);
  p.drawRect(0, 0, 13, 13);
  return swatch;
}

QPixmap SpinLabelPicture(const std::array<QString, 5>& labels) {
  QPixmap picture(100, 216);
  picture.fill(QColor(0, 255, 255));
  QPainter p(&picture);
  QFont font = p.font();
  font.setPixelSize(14);
  font.setBold(true);
  p.setFont(font);
  const int row = 216 / 5;
  for (int i = 0; i < 5; ++i) {
    p.setPen(i % 2 == 0 ? QColor(0, 0, 200) : QColor(200, 0, 0));
    p.drawText(QRect(4, i * row, 96, row), Qt::AlignLeft | Qt::AlignVCenter, labels[std::size_t(i)]);
  }
  return picture;
}

QPixmap DappleSample() {
  const QImage landscape = Landscape();
  const int row_length = RowLength24(kSampleSize);
  std::vector<std::uint8_t> snapshot(std::size_t(row_length) * kSampleSize);
  const ConstTargetImage from(snapshot.data(), kSampleSize, kSampleSize);
  const TargetImage writable(snapshot.data(), kSampleSize, kSampleSize);
  for (int y = 0; y < kSampleSize; ++y)
    for (int x = 0; x < kSampleSize; ++x) {
      const QRgb c = landscape.pixel(x, y);
      WritePixel(writable.pixel(x, y),
                 Bgr{std::uint8_t(qBlue(c)), std::uint8_t(qGreen(c)), std::uint8_t(qRed(c))});
    }
  std::vector<std::uint8_t> dappled = snapshot;
  const TargetImage to(dappled.data(), kSampleSize, kSampleSize);
  NoProgress progress;
  PaintDapples(from, to, kSampleDappleSize, progress);
  QImage result(kSampleSize, kSampleSize, QImage::Format_RGB32);
  for (int y = 0; y < kSampleSize; ++y)
    for (int x = 0; x < kSampleSize; ++x) {
      const std::uint8_t* px = to.pixel(x, y);
      result.setPixel(x, y, qRgb(px[2], px[1], px[0]));
    }
  return QPixmap::fromImage(result);
}

QPixmap ArrowPicture(int direction) {
  QPixmap picture(16, 16);
  picture.fill(Qt::white);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  const QPolygonF up({QPointF(8, 2), QPointF(14, 13), QPointF(2, 13)});
  QTransform turn;
  turn.translate(8, 8);
  turn.rotate(direction == 0 ? 0 : direction == 1 ? 180 : direction == 2 ? 270 : 90);
  turn.translate(-8, -8);
  p.drawPolygon(turn.map(up));
  return picture;
}

void FitTitle(QWidget* dialog) {
  // The frame's title font is often larger than the dialog's own; a fifth more
  // and room for the icon and three buttons.
  constexpr int kFrameButtons = 140;
  const int title = dialog->fontMetrics().horizontalAdvance(dialog->windowTitle());
  dialog->setMinimumWidth(std::max(dialog->minimumWidth(), title * 6 / 5 + kFrameButtons));
}

}  // namespace wrimple::app
