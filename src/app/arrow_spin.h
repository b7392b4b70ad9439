// A horizontal arrow control: a left and a right arrow that report steps of
// -1 and +1, by mouse or by the arrow keys while it has the focus.
#pragma once

#include <QWidget>
#include <functional>

namespace wrimple::app {

class ArrowSpin : public QWidget {
 public:
  explicit ArrowSpin(std::function<void(int step)> stepped, QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::function<void(int)> stepped_;
};

}  // namespace wrimple::app
