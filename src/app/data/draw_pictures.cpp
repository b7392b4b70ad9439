// Draws the program's pictures at build time: the first-time help picture
// (a BMP file named wrimple.bmx), the flow diagram (wrimple.bmp) and the
// desktop icon (wrimple.png), into the folder named on the command line.
#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

const QColor kInk(30, 40, 70);
const QColor kPaper(250, 248, 236);
const QColor kAccent(32, 64, 143);
const QColor kTipGreen(0xDD, 0xFF, 0xEE);

void DrawStep(QPainter& p, int top, int number, const QString& title, const QString& detail) {
  p.setPen(Qt::NoPen);
  p.setBrush(kAccent);
  p.drawEllipse(QRect(24, top, 34, 34));
  p.setPen(Qt::white);
  p.setFont(QFont("Liberation Sans", 15, QFont::Bold));
  p.drawText(QRect(24, top, 34, 34), Qt::AlignCenter, QString::number(number));
  p.setPen(kInk);
  p.drawText(QPoint(74, top + 16), title);
  p.setFont(QFont("Liberation Sans", 10));
  p.drawText(QRect(74, top + 20, 600, 40), Qt::TextWordWrap, detail);
}

// At scale 2 the same 720 x 480 picture with twice the pixels, for screens of
// a device pixel ratio above 1.
QImage HelpPicture(int scale) {
  QImage image(720 * scale, 480 * scale, QImage::Format_RGB32);
  image.setDevicePixelRatio(scale);
  image.fill(kPaper);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setPen(kAccent);
  p.setFont(QFont("Liberation Sans", 20, QFont::Bold));
  p.drawText(QPoint(24, 44), "Welcome to Wrimple: how to start");
  p.setPen(QPen(kAccent, 2));
  p.drawLine(24, 56, 696, 56);
  DrawStep(p, 76, 1, "Load a source picture",
           "File > Open image... (Ctrl+O), or drop an image file on the window. "
           "Text, a pasted picture or a blank field can be sources too.");
  DrawStep(p, 146, 2, "Load a second source, if you like",
           "Two sources are merged into the target: Edit > Merge two sources (key m) "
           "chooses how.");
  DrawStep(p, 216, 3, "Drag out a zone with the left mouse button",
           "The zone toolbar then nudges (arrow keys), twists (< >), squashes and stretches "
           "( , . ), blushes or blends the picture inside the box.");
  DrawStep(p, 286, 4, "Click once outside the zone when done",
           "Whole-target effects live in the Target menu. Backspace restores the target "
           "from the sources.");
  DrawStep(p, 356, 5, "Save the target",
           "File > Save As... writes BMP, JPEG, PNG, TIFF, TGA or PCX; key N saves the next "
           "numbered slide.");
  p.setPen(Qt::NoPen);
  p.setBrush(kTipGreen);
  p.drawRoundedRect(QRect(24, 426, 672, 38), 6, 6);
  p.setPen(kInk);
  p.setFont(QFont("Liberation Sans", 10, QFont::Normal, true));
  p.drawText(QRect(36, 426, 660, 38), Qt::AlignVCenter,
             "This picture goes away as soon as the first source is loaded. "
             "Edit > Options switches flying tips and this help off.");
  return image;
}

void DrawBox(QPainter& p, const QRect& box, const QString& text, const QColor& fill) {
  p.setPen(QPen(kInk, 2));
  p.setBrush(fill);
  p.drawRoundedRect(box, 8, 8);
  p.setFont(QFont("Liberation Sans", 10, QFont::Bold));
  p.drawText(box, Qt::AlignCenter | Qt::TextWordWrap, text);
}

void DrawArrow(QPainter& p, QPointF from, QPointF to) {
  p.setPen(QPen(kAccent, 2));
  p.drawLine(from, to);
  const QPointF d = (to - from) / std::max(1.0, QLineF(from, to).length());
  const QPointF n(-d.y(), d.x());
  QPainterPath head;
  head.moveTo(to);
  head.lineTo(to - 10 * d + 5 * n);
  head.lineTo(to - 10 * d - 5 * n);
  head.closeSubpath();
  p.fillPath(head, kAccent);
}

QImage FlowDiagram() {
  QImage image(760, 420, QImage::Format_RGB32);
  image.fill(kPaper);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(kAccent);
  p.setFont(QFont("Liberation Sans", 18, QFont::Bold));
  p.drawText(QPoint(20, 36), "Wrimple work flow");
  const QColor source(255, 204, 204), source2(102, 255, 153), target(136, 204, 255);
  const QColor zone(240, 192, 0), out(220, 220, 220);
  const QRect file1(20, 70, 150, 60), file2(20, 170, 150, 60);
  const QRect src1(230, 70, 150, 60), src2(230, 170, 150, 60);
  const QRect tgt(440, 120, 150, 60), zones(440, 250, 150, 60), effects(440, 340, 150, 56);
  const QRect save(610, 60, 130, 50), clip(610, 190, 130, 50), print(610, 290, 130, 50);
  DrawBox(p, file1, "File, text, clipboard,\nsnapshot or blank", out);
  DrawBox(p, file2, "File, text, clipboard,\nsnapshot or blank", out);
  DrawBox(p, src1, "Source 1\nscale, rotate, flip, align", source);
  DrawBox(p, src2, "Source 2\nscale, rotate, flip, align", source2);
  DrawBox(p, tgt, "Target\n(copy or merge)", target);
  DrawBox(p, zones, "Zone work\nwarp, blend, blush, brush", zone);
  DrawBox(p, effects, "Whole-target effects", zone);
  DrawBox(p, save, "Save / Next Save", out);
  DrawBox(p, clip, "Copy to clipboard", out);
  DrawBox(p, print, "Print", out);
  DrawArrow(p, {170, 100}, {230, 100});
  DrawArrow(p, {170, 200}, {230, 200});
  DrawArrow(p, {380, 100}, {440, 140});
  DrawArrow(p, {380, 200}, {440, 160});
  DrawArrow(p, {500, 180}, {500, 250});
  DrawArrow(p, {530, 250}, {530, 180});
  DrawArrow(p, {515, 340}, {515, 310});
  DrawArrow(p, {590, 140}, {610, 85});
  DrawArrow(p, {590, 150}, {610, 215});
  DrawArrow(p, {590, 170}, {610, 315});
  p.setPen(kInk);
  p.setFont(QFont("Liberation Sans", 9, QFont::Normal, true));
  p.drawText(QRect(20, 250, 400, 150), Qt::TextWordWrap,
             "Target to source 1 / 2 feeds the target back as a source.\n"
             "Restore target rebuilds it from the sources; Lock target keeps it while the "
             "sources move.");
  return image;
}

QImage Icon() {
  QImage image(128, 128, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(kInk, 4));
  p.setBrush(QColor(255, 204, 204));
  p.drawRoundedRect(QRect(8, 8, 72, 72), 10, 10);
  p.setBrush(QColor(102, 255, 153));
  p.drawRoundedRect(QRect(48, 48, 72, 72), 10, 10);
  QPainterPath swirl;
  swirl.moveTo(64, 64);
  for (int i = 1; i <= 60; ++i) {
    const double a = i * 0.2, r = i * 0.45;
    swirl.lineTo(64 + r * std::cos(a), 64 + r * std::sin(a));
  }
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kAccent, 5, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(swirl);
  return image;
}

bool Save(const QImage& image, const QString& path, const char* format) {
  if (image.save(path, format)) return true;
  std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: wrimple_draw_pictures FOLDER\n");
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  const bool ok = Save(HelpPicture(1), folder.filePath("wrimple.bmx"), "BMP") &&
                  Save(HelpPicture(2), folder.filePath("wrimple@2x.bmx"), "BMP") &&
                  Save(FlowDiagram(), folder.filePath("wrimple.bmp"), "BMP") &&
                  Save(Icon(), folder.filePath("wrimple.png"), "PNG");
  return ok ? 0 : 1;
}
