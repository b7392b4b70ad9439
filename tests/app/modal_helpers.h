// Answers the modal windows a command opens, in order, as a person would, and
// finds the windows it leaves open.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

namespace wrimple::app::testing {

// Each step runs on the next modal window that comes up, once per window.
class ModalSteps {
 public:
  using Step = std::function<void(QWidget* modal)>;
  explicit ModalSteps(std::vector<Step> steps) : steps_(std::move(steps)) { Arm(); }
  ~ModalSteps() { timer_.stop(); }
  int done() const { return done_; }
  // Titles and texts seen, in order.
  const QStringList& seen() const { return seen_; }

 private:
  void Arm() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal || done_ >= int(steps_.size())) return;
      for (const QPointer<QWidget>& earlier : answered_)
        if (earlier.data() == modal) return;
      answered_.push_back(modal);
      seen_ << modal->windowTitle();
      // Run outside this timer, so that a window the step opens is answered too.
      const std::size_t step = std::size_t(done_++);
      QTimer::singleShot(0, modal, [this, step, modal] { steps_[step](modal); });
      // A step that failed half-way leaves its window open: close it, so that
      // the command under test returns and the failure is reported.
      QTimer::singleShot(5000, modal, [modal] { modal->close(); });
    });
    timer_.start();
  }
  std::vector<Step> steps_;
  QTimer timer_;
  std::vector<QPointer<QWidget>> answered_;  // each window gets one step
  int done_ = 0;
  QStringList seen_;
};

// The push button of a window with this text, or nullptr.
inline QPushButton* ButtonWithText(QWidget* window, const QString& text) {
  for (QPushButton* b : window->findChildren<QPushButton*>())
    if (b->text() == text) return b;
  return nullptr;
}

// The visible top-level window of that object name (a modeless dialog), or nullptr.
inline QWidget* VisibleTopLevel(const QString& name) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == name && w->isVisible()) return w;
  return nullptr;
}

}  // namespace wrimple::app::testing
