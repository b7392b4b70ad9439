#include "app/arrow_spin.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QToolButton>

namespace wrimple::app {

ArrowSpin::ArrowSpin(std::function<void(int step)> stepped, QWidget* parent)
    : QWidget(parent), stepped_(std::move(stepped)) {
  setFocusPolicy(Qt::StrongFocus);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  for (const auto& [arrow, step] : {std::pair{Qt::LeftArrow, -1}, std::pair{Qt::RightArrow, +1}}) {
    auto* b = new QToolButton;
    b->setArrowType(arrow);
    b->setFocusPolicy(Qt::NoFocus);
    b->setObjectName(step < 0 ? "left" : "right");
    connect(b, &QToolButton::clicked, this, [this, step = step] { stepped_(step); });
    row->addWidget(b);
  }
}

void ArrowSpin::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
    stepped_(event->key() == Qt::Key_Left ? -1 : +1);
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace wrimple::app
