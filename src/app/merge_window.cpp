#include <QDialog>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <vector>

#include "app/dialog_windows.h"
#include "compose/merge_dialog.h"

namespace wrimple::app {

namespace {

QString ToQt(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// The merge dialog's window; every control goes to the model, which merges
// at once, and the window then shows what the model holds.
class MergeWindow : public QDialog {
 public:
  MergeWindow(QWidget* parent, State& st, mergepix& model, const std::function<void()>& open_reference)
      : QDialog(parent), st_(st), model_(model) {
    setObjectName("mergepix");
    setWindowTitle("Merge two sources");
    auto* grid = new QGridLayout(this);
    for (int code = 0; code < mergepix::kMethodCount; ++code) {
      auto* b = new QPushButton(ToQt(model.method_caption(code)));
      b->setCheckable(true);
      connect(b, &QPushButton::clicked, this, [this, code] { After([&] { model_.OnMethodButton(code); }); });
      grid->addWidget(b, code / 4, code % 4);
      methods_.push_back(b);
    }
    for (int mode = 0; mode < mergepix::kContrastModes; ++mode) {
      auto* b = new QPushButton(ToQt(mergepix::kContrastCaptions[std::size_t(mode)]));
      b->setCheckable(true);
      connect(b, &QPushButton::clicked, this, [this, mode] { After([&] { model_.OnContrastButton(mode); }); });
      grid->addWidget(b, 3, mode);
      contrasts_.push_back(b);
    }
    bias_ = AddSlider(grid, 4, "Bias", mergepix::kBiasMax, [this](int v) { model_.MoveBiasSlider(v); });
    threshold_ = AddSlider(grid, 5, "Contrast threshold %", mergepix::kThresholdMax,
                           [this](int v) { model_.MoveThresholdSlider(v); });
    description1_ = new QLabel;
    description2_ = new QLabel;
    grid->addWidget(description1_, 6, 0, 1, 4);
    grid->addWidget(description2_, 7, 0, 1, 4);
    auto* reference = new QPushButton("Change Ref. Color");
    connect(reference, &QPushButton::clicked, this, [this, open_reference] {
      model_.OnChangeRefColor();
      open_reference();
    });
    grid->addWidget(reference, 8, 0);
    // Control 1023: the reference colour the comparison methods use.
    swatch_ = new QLabel;
    swatch_->setObjectName("1023");
    swatch_->setMinimumSize(40, 20);
    swatch_->setAutoFillBackground(true);
    grid->addWidget(swatch_, 8, 1);
    auto* done = new QPushButton("DONE");
    connect(done, &QPushButton::clicked, this, [this] {
      if (model_.OnOK()) accept();
      Show();
    });
    grid->addWidget(done, 8, 3);
    Show();
  }

  void reject() override {
    model_.OnCancel();
    QDialog::reject();
  }

 private:
  QSlider* AddSlider(QGridLayout* grid, int row, const char* label, int max,
                     std::function<void(int)> move) {
    grid->addWidget(new QLabel(label), row, 0);
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setRange(0, max);
    connect(slider, &QSlider::sliderMoved, this, [this, move](int v) { After([&] { move(v); }); });
    connect(slider, &QSlider::actionTriggered, this, [this, slider, move](int) {
      if (!slider->isSliderDown()) After([&] { move(slider->sliderPosition()); });
    });
    grid->addWidget(slider, row, 1, 1, 3);
    return slider;
  }

  void After(const std::function<void()>& change) {
    change();
    Show();
  }

  void Show() {
    for (int code = 0; code < int(methods_.size()); ++code)
      methods_[std::size_t(code)]->setChecked(model_.method_checked(code));
    for (int mode = 0; mode < int(contrasts_.size()); ++mode)
      contrasts_[std::size_t(mode)]->setChecked(model_.contrast_checked(mode));
    const QSignalBlocker b1(bias_), b2(threshold_);
    bias_->setValue(model_.bias_position());
    threshold_->setValue(model_.threshold_position());
    description1_->setText(QString::fromStdString(model_.description(1)));
    description2_->setText(QString::fromStdString(model_.description(2)));
    QPalette p = swatch_->palette();
    const Bgr& c = st_.ReferenceColor;
    p.setColor(QPalette::Window, QColor(c[2], c[1], c[0]));
    swatch_->setPalette(p);
  }

  // The reference colour window may change the colour while this one waits.
  bool event(QEvent* e) override {
    if (e->type() == QEvent::WindowActivate) Show();
    return QDialog::event(e);
  }

  State& st_;
  mergepix& model_;
  QLabel* swatch_;
  std::vector<QPushButton*> methods_, contrasts_;
  QSlider* bias_;
  QSlider* threshold_;
  QLabel* description1_;
  QLabel* description2_;
};

}  // namespace

void RunMergeWindow(QWidget* parent, State& st, mergepix& model,
                    const std::function<void()>& open_reference) {
  MergeWindow window(parent, st, model, open_reference);
  window.exec();
}

}  // namespace wrimple::app
