#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>
#include <vector>

#include "app/dialog_pictures.h"
#include "app/dialog_windows.h"
#include "compose/merge_dialog.h"

namespace wrimple::app {

namespace {

QString ToQt(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// The method buttons by code in rows of pairs: each method beside its
// counterpart, the average alone.
struct Place {
  int row, column;
};
constexpr Place kMethodPlaces[mergepix::kMethodCount] = {
    {0, 0}, {0, 1}, {1, 0}, {1, 1}, {2, 0}, {2, 1}, {3, 0}, {4, 0}, {4, 1}, {5, 0}, {5, 1}};
constexpr int kFirstMethodRow = 1;

QPushButton* AddButton(QGridLayout* grid, const char* text, int row, int column) {
  auto* b = new QPushButton(text);
  b->setAutoDefault(false);
  grid->addWidget(b, row, column);
  return b;
}

// The merge dialog's window; every control goes to the model, which merges
// at once, and the window then shows what the model holds.
class MergeWindow : public QDialog {
 public:
  MergeWindow(QWidget* parent, State& st, mergepix& model,
              const std::function<void(QWidget*)>& open_reference)
      : QDialog(parent), st_(st), model_(model) {
    setObjectName("mergepix");
    setWindowTitle("Merge Source 1 & 2  to Target");
    FitTitle(this);
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel("Merge Method"), 0, 0, 1, 2);
    for (int code = 0; code < mergepix::kMethodCount; ++code) {
      auto* b = AddOption(ToQt(model.method_caption(code)), [this, code] { model_.OnMethodButton(code); });
      b->setObjectName(QString::number(mergepix::kMethodButtonIds[std::size_t(code)]));
      grid->addWidget(b, kFirstMethodRow + kMethodPlaces[code].row, kMethodPlaces[code].column);
      methods_.push_back(b);
    }
    for (int mode = 0; mode < mergepix::kContrastModes; ++mode) {
      auto* b = AddOption(ToQt(mergepix::kContrastCaptions[std::size_t(mode)]),
                          [this, mode] { model_.OnContrastButton(mode); });
      b->setObjectName(QString::number(mergepix::kContrastButtonIds[std::size_t(mode)]));
      grid->addWidget(b, kFirstMethodRow + mode, 2, 1, 2);
      contrasts_.push_back(b);
    }
    int row = kFirstMethodRow + 6;
    bias_ = AddSlider(grid, row, "Src 1 <--- BIAS --- > Src 2", mergepix::kBiasMax, 32,
                      [this](int v) { model_.MoveBiasSlider(v); });
    threshold_ = AddSlider(grid, row + 2, "Infinite Contrast Threshold %", mergepix::kThresholdMax, 10,
                           [this](int v) { model_.MoveThresholdSlider(v); });
    row += 4;
    description1_ = AddDescription(grid, row++, "1024");
    description2_ = AddDescription(grid, row++, "1025");
    QPushButton* reference = AddButton(grid, "Change Ref. Color", row, 0);
    // The reference colour window opens over this one, so that it takes input
    // while this dialog is modal.
    connect(reference, &QPushButton::clicked, this, [this, open_reference] {
      model_.OnChangeRefColor();
      open_reference(this);
    });
    grid->addWidget(new QLabel("Ref. ="), row, 1, Qt::AlignRight);
    // Control 1023: the reference colour the comparison methods use.
    swatch_ = new QLabel;
    swatch_->setObjectName("1023");
    swatch_->setFrameShape(QFrame::Box);
    swatch_->setMinimumSize(40, 20);
    swatch_->setAutoFillBackground(true);
    grid->addWidget(swatch_, row, 2);
    connect(AddButton(grid, "Next Slide", row, 3), &QPushButton::clicked, this,
            [this] { model_.OnNextSlide(); });
    QPushButton* done = AddButton(grid, "DONE", ++row, 3);
    done->setDefault(true);
    connect(done, &QPushButton::clicked, this, [this] {
      if (model_.OnOK()) accept();
      Show();
    });
    // The swatch follows the reference colour window while this one is idle.
    auto* idle = new QTimer(this);
    connect(idle, &QTimer::timeout, this, [this] { ShowSwatch(); });
    idle->start(100);
    Show();
  }

  void reject() override {
    model_.OnCancel();
    QDialog::reject();
  }

 private:
  // The window keeps the checks: one of a group is always the model's.
  QRadioButton* AddOption(const QString& caption, std::function<void()> click) {
    auto* b = new QRadioButton(caption);
    b->setAutoExclusive(false);
    connect(b, &QRadioButton::clicked, this, [this, click] { After(click); });
    return b;
  }

  QSlider* AddSlider(QGridLayout* grid, int row, const char* label, int max, int ticks,
                     std::function<void(int)> move) {
    grid->addWidget(new QLabel(label), row, 0, 1, 4, Qt::AlignCenter);
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setRange(0, max);
    slider->setTickInterval(ticks);
    slider->setTickPosition(QSlider::TicksBelow);
    connect(slider, &QSlider::sliderMoved, this, [this, move](int v) { After([&] { move(v); }); });
    connect(slider, &QSlider::actionTriggered, this, [this, slider, move](int) {
      if (!slider->isSliderDown()) After([&] { move(slider->sliderPosition()); });
    });
    grid->addWidget(slider, row + 1, 0, 1, 4);
    return slider;
  }

  QLineEdit* AddDescription(QGridLayout* grid, int row, const char* id) {
    auto* edit = new QLineEdit;
    edit->setObjectName(id);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    grid->addWidget(edit, row, 0, 1, 4);
    return edit;
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
    ShowSwatch();
  }

  void ShowSwatch() {
    QPalette p = swatch_->palette();
    const Bgr& c = st_.ReferenceColor;
    p.setColor(QPalette::Window, QColor(c[2], c[1], c[0]));
    swatch_->setPalette(p);
  }


  State& st_;
  mergepix& model_;
  QLabel* swatch_;
  std::vector<QRadioButton*> methods_, contrasts_;
  QSlider* bias_;
  QSlider* threshold_;
  QLineEdit* description1_;
  QLineEdit* description2_;
};

}  // namespace

void RunMergeWindow(QWidget* parent, State& st, mergepix& model,
                    const std::function<void(QWidget*)>& open_reference) {
  MergeWindow window(parent, st, model, open_reference);
  window.exec();
}

}  // namespace wrimple::app
