#include "qtsupport/qt_text_drawing.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstring>

namespace wrimple {

namespace {

// A record height of 0 asks for the platform's default size.
constexpr int kDefaultPixelSize = 16;

// A negative record height is the character height (the em size, which is
// Qt's pixel size); a positive one is the cell height, ascent plus descent.
int PixelSize(const FontRecord& record, QFont font) {
  if (record.height < 0) return -record.height;
  if (record.height == 0) return kDefaultPixelSize;
  font.setPixelSize(record.height);
  const int cell = QFontMetrics(font).height();
  return std::max(1, cell > 0 ? record.height * record.height / cell : record.height);
}

QFont MakeQFont(const FontRecord& record) {
  QFont font(QString::fromStdString(record.face_name));
  font.setStyleStrategy(QFont::NoAntialias);
  font.setItalic(record.italic != 0);
  font.setUnderline(record.underline != 0);
  font.setStrikeOut(record.strike_out != 0);
  // The record's weights (400 normal, 700 bold) are on Qt's own scale.
  font.setWeight(record.weight <= 0 ? QFont::Normal : QFont::Weight(std::clamp(record.weight, 1, 1000)));
  font.setPixelSize(PixelSize(record, font));
  return font;
}

class QtFont : public Font {
 public:
  explicit QtFont(const QFont& font) : font_(font), metrics_(font) {}

  Size MeasureLine(std::string_view line) override {
    const QString text = QString::fromUtf8(line.data(), qsizetype(line.size()));
    return {metrics_.horizontalAdvance(text), metrics_.height()};
  }

  // Lines are drawn one below the other, spaced by the font's height.
  MonoBitmap DrawText(std::string_view text, int width, int height, int left, int top) override {
    QImage image(width, height, QImage::Format_Mono);
    image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    image.fill(0);
    {
      QPainter painter(&image);
      painter.setRenderHint(QPainter::TextAntialiasing, false);
      painter.setFont(font_);
      painter.setPen(QColor(255, 255, 255));
      const QStringList lines = QString::fromUtf8(text.data(), qsizetype(text.size())).split('\n');
      const int line_height = metrics_.height();
      for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith('\r')) line.chop(1);
        const QRect box(left, top + int(i) * line_height, std::max(0, width - left), line_height);
        if (box.top() >= height) break;
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextExpandTabs, line);
      }
    }
    return ToMono(image);
  }

 private:
  static MonoBitmap ToMono(const QImage& image) {
    MonoBitmap m{.width = image.width(), .height = image.height(), .stride = int(image.bytesPerLine())};
    m.bits.resize(std::size_t(m.stride) * std::size_t(m.height));
    for (int y = 0; y < m.height; ++y)
      std::memcpy(m.bits.data() + std::size_t(y) * m.stride, image.constScanLine(y), std::size_t(m.stride));
    return m;
  }

  QFont font_;
  QFontMetrics metrics_;
};

}  // namespace

std::unique_ptr<Font> QtTextDrawing::CreateFont(const FontRecord& record) {
  if (!QGuiApplication::instance() || record.face_name.empty()) return nullptr;
  return std::make_unique<QtFont>(MakeQFont(record));
}

}  // namespace wrimple
