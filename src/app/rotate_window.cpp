#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <tuple>

#include "app/dialog_windows.h"
#include "compose/rotate.h"
#include "compose/wheel.h"

namespace wrimple::app {

namespace {

// The dial: a ring with a needle at the shown angle; pressing and dragging on
// it turns the source.
class Wheel : public QWidget {
 public:
  Wheel(rotate& model, std::function<void()> changed) : model_(model), changed_(std::move(changed)) {
    setObjectName("wheel");
    setFixedSize(160, 160);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::darkGray, 2));
    p.setBrush(QColor(235, 235, 235));
    p.drawEllipse(rect().adjusted(2, 2, -2, -2));
    const Point end = WheelNeedleEnd(Extent(), model_.shown_angle());
    const ColorRef c = kNeedleColor;
    p.setPen(QPen(QColor(int(c & 0xff), int((c >> 8) & 0xff), int((c >> 16) & 0xff)), kNeedleWidth,
                  Qt::SolidLine, Qt::RoundCap));
    p.drawLine(rect().center(), QPoint(end.x, end.y));
  }
  void mousePressEvent(QMouseEvent* e) override {
    model_.WheelPress(Extent(), e->position().toPoint().x(), e->position().toPoint().y());
    changed_();
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    model_.WheelMove(Extent(), e->position().toPoint().x(), e->position().toPoint().y());
    changed_();
  }
  void mouseReleaseEvent(QMouseEvent*) override {
    model_.WheelRelease();
    changed_();
  }

 private:
  Size Extent() const { return {width(), height()}; }
  rotate& model_;
  std::function<void()> changed_;
};

class RotateWindow : public QDialog {
 public:
  RotateWindow(QWidget* parent, rotate& model) : QDialog(parent), model_(model) {
    setObjectName("rotate");
    setWindowTitle("Rotate Source");
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QString::fromStdString(model.label())), 0, 0, 1, 3);
    // The presets above, right of, below and left of the wheel.
    const std::tuple<int, int, int> presets[] = {{0, 1, 1}, {90, 2, 2}, {180, 3, 1}, {270, 2, 0}};
    for (const auto& [degrees, row, column] : presets) {
      const int angle = degrees;
      AddButton(grid, std::to_string(angle).c_str(), row, column, [this, angle] { model_.Preset(angle); });
    }
    wheel_ = new Wheel(model, [this] { Show(); });
    grid->addWidget(wheel_, 2, 1, Qt::AlignCenter);
    angle_ = new QLineEdit;
    angle_->setObjectName("1047");
    connect(angle_, &QLineEdit::textEdited, this, [this](const QString& t) { model_.TypeAngle(t.toStdString()); });
    connect(angle_, &QLineEdit::editingFinished, this, [this] {
      model_.LeaveEdit();
      Show();
    });
    grid->addWidget(angle_, 4, 0, 1, 2);
    AddButton(grid, "Apply", 4, 2, [this] { model_.Apply(); });
    AddButton(grid, "OK", 5, 1, [this] {
      if (model_.Ok()) accept();
    })->setDefault(true);
    AddButton(grid, "Cancel", 5, 2, [this] { reject(); });
    Show();
  }

  void reject() override {
    if (!model_.closed()) model_.Cancel();
    QDialog::reject();
  }

 private:
  QPushButton* AddButton(QGridLayout* grid, const char* text, int row, int column, std::function<void()> press) {
    auto* b = new QPushButton(text);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, press] {
      press();
      Show();
    });
    grid->addWidget(b, row, column);
    return b;
  }

  void Show() {
    const QString text = QString::fromStdString(model_.angle_text());
    if (angle_->text() != text) angle_->setText(text);
    wheel_->update();
  }

  rotate& model_;
  Wheel* wheel_;
  QLineEdit* angle_;
};

}  // namespace

void RunRotateWindow(QWidget* parent, rotate& model) {
  RotateWindow window(parent, model);
  window.exec();
}

}  // namespace wrimple::app
