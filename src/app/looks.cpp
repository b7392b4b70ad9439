#include "app/looks.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

namespace wrimple::app {

namespace {

QPalette Tinted(const QColor& window, const QColor& button, const QColor& highlight) {
  QPalette p(button, window);
  p.setColor(QPalette::Highlight, highlight);
  p.setColor(QPalette::HighlightedText, Qt::white);
  return p;
}

QPalette Dark() {
  QPalette p(QColor(60, 60, 64), QColor(45, 45, 48));
  p.setColor(QPalette::WindowText, QColor(230, 230, 230));
  p.setColor(QPalette::Text, QColor(230, 230, 230));
  p.setColor(QPalette::ButtonText, QColor(230, 230, 230));
  p.setColor(QPalette::Base, QColor(30, 30, 32));
  p.setColor(QPalette::Highlight, QColor(90, 120, 170));
  return p;
}

}  // namespace

Look LookOf(int id) {
  switch (id) {
    case 205: return {"Windows", Tinted(QColor(212, 208, 200), QColor(212, 208, 200), QColor(10, 36, 106))};
    case 206: return {"Fusion", Tinted(QColor(246, 245, 244), QColor(236, 233, 216), QColor(182, 189, 210))};
    case 207: return {"Windows", Tinted(QColor(236, 233, 216), QColor(236, 233, 216), QColor(49, 106, 197))};
    case 208: return {"Fusion", Tinted(QColor(196, 218, 250), QColor(227, 239, 255), QColor(255, 238, 194))};
    case 209: return {"Fusion", Tinted(QColor(238, 237, 229), QColor(245, 244, 242), QColor(193, 210, 238))};
    case 215: return {"Fusion", Tinted(QColor(191, 219, 255), QColor(221, 236, 254), QColor(255, 213, 140))};
    case 216: return {"Fusion", Dark()};
    case 217: return {"Fusion", Tinted(QColor(208, 212, 221), QColor(232, 234, 238), QColor(255, 213, 140))};
    case 218: return {"Fusion", Tinted(QColor(189, 226, 232), QColor(224, 242, 245), QColor(64, 160, 180))};
    case 219: return {"Fusion", Tinted(QColor(233, 238, 246), QColor(250, 250, 252), QColor(51, 153, 255))};
    case 211: case 212: case 213: case 214: return LookOf(215);
    default: return {"Fusion", Tinted(QColor(233, 236, 238), QColor(240, 240, 240), QColor(51, 153, 255))};
  }
}

void InstallLook(int id) {
  const Look look = LookOf(id);
  if (QStyle* style = QStyleFactory::create(look.style)) QApplication::setStyle(style);
  QApplication::setPalette(look.palette);
}

}  // namespace wrimple::app
