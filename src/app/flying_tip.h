// A flying tip: a small pale green child window showing a few lines of help.
#pragma once

#include <QString>
#include <QWidget>

namespace wrimple::app {

class FlyingTip : public QWidget {
 public:
  // A tip whose top-left corner is (left, top) in the parent's coordinates.
  FlyingTip(QWidget* parent, int left, int top, const QString& text);

  // Shows text, resized to its lines: 10 pixels wider than the widest line and
  // h·n + 2 pixels high for n lines of height h (at most 10 lines).
  void ShowTip(const QString& text);
  const QString& text() const { return text_; }

  static QFont TipFont();
  static QColor TipBackground() { return QColor(0xDD, 0xFF, 0xEE); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QStringList lines_;
  QString text_;
  int line_height_ = 0;
};

}  // namespace wrimple::app
