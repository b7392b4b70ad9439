// The effect dialogs' windows: each control goes to the effect's model, which
// recomputes the target from its snapshot; the window shows the model's values.
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

#include "app/arrow_spin.h"
#include "app/dialog_pictures.h"
#include "app/dialog_windows.h"
#include "effects/bright_contrast.h"
#include "effects/effects1_dialog.h"
#include "effects/highlight.h"

namespace wrimple::app {

namespace {

// A push button that Enter presses only when it is the default one.
QPushButton* AddButton(QDialog* dialog, QGridLayout* grid, const char* text, int row, int column,
                       std::function<void()> press, int column_span = 1) {
  auto* b = new QPushButton(text);
  b->setAutoDefault(false);
  QObject::connect(b, &QPushButton::clicked, dialog, std::move(press));
  grid->addWidget(b, row, column, 1, column_span);
  return b;
}

QLabel* PictureLabel(const QPixmap& picture) {
  auto* label = new QLabel;
  label->setPixmap(picture);
  return label;
}

// Fields with arrows, Try, Done, Cancel and Next Slide.
class FieldWindow : public QDialog {
 public:
  FieldWindow(QWidget* parent, FieldDialog layout) : QDialog(parent), d_(std::move(layout)) {
    setObjectName(d_.name);
    setWindowTitle(d_.title);
    FitTitle(this);
    auto* grid = new QGridLayout(this);
    int row = 0;
    if (!d_.picture.isNull()) grid->addWidget(PictureLabel(d_.picture), row++, 0, 1, 4, Qt::AlignCenter);
    if (*d_.intro) grid->addWidget(new QLabel(d_.intro), row++, 0, 1, 4);
    for (EffectField& f : d_.fields) {
      EffectField* field = &f;
      auto* edit = new QLineEdit;
      edit->setObjectName("1047");
      connect(edit, &QLineEdit::textEdited, this, [field](const QString& t) { field->type(t.toStdString()); });
      if (*f.label) grid->addWidget(new QLabel(f.label), row, 0, 1, 2);
      grid->addWidget(edit, row, 2);
      grid->addWidget(new ArrowSpin([this, field](int step) { After([&] { field->arrow(step); }); }), row++, 3);
      edits_.push_back(edit);
    }
    if (*d_.note) grid->addWidget(new QLabel(d_.note), row++, 0, 1, 4);
    try_ = AddButton(this, grid, "Try", row, 0, [this] { After(d_.buttons.try_); });
    QPushButton* done = AddButton(this, grid, "Done", row, 1, [this] {
      if (d_.buttons.done()) accept();
      Show();
    });
    done->setDefault(true);
    AddButton(this, grid, "Cancel", row, 2, [this] { reject(); });
    AddButton(this, grid, "Next Slide", row, 3, [this] { d_.buttons.next_slide(); });
    Show();
  }
  void reject() override {
    d_.buttons.cancel();
    QDialog::reject();
  }

 private:
  void After(const std::function<void()>& change) {
    change();
    Show();
  }
  void Show() {
    for (std::size_t i = 0; i < d_.fields.size(); ++i) {
      const QString text = QString::fromStdString(d_.fields[i].text());
      if (edits_[i]->text() != text) edits_[i]->setText(text);
    }
    if (d_.buttons.try_enabled) try_->setEnabled(d_.buttons.try_enabled());
  }
  FieldDialog d_;
  std::vector<QLineEdit*> edits_;
  QPushButton* try_;
};

class BrightContrastWindow : public QDialog {
 public:
  BrightContrastWindow(QWidget* parent, bright_cont& model) : QDialog(parent), model_(model) {
    setObjectName("bright_cont");
    setWindowTitle("Adjust Brightness & Contrast");
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel("Brightness"), 0, 0, Qt::AlignCenter);
    grid->addWidget(new QLabel("Contrast"), 0, 2, Qt::AlignCenter);
    // The channel sliders' rows, each with its colour swatch between the columns.
    for (int i = 0; i < 4; ++i) {
      AddSlider(grid, bright_cont::kSliders[std::size_t(i)], i + 1, 0);
      AddSlider(grid, bright_cont::kSliders[std::size_t(i + 4)], i + 1, 2);
      if (i > 0) grid->addWidget(PictureLabel(ChannelSwatch(i - 1)), i + 1, 1, Qt::AlignCenter);
    }
    grid->addWidget(new QLabel("Gamma Adjustment"), 5, 0, 1, 3, Qt::AlignCenter);
    QSlider* gamma = AddSlider(grid, bright_cont::kGamma, 6, 0, 3);
    gamma->setTickPosition(QSlider::NoTicks);
    AddButton(this, grid, "Reset", 7, 2, [this] {
      model_.OnReset();
      Show();
    });
    AddButton(this, grid, "OK", 7, 0, [this] { accept(); })->setDefault(true);
    FitTitle(this);
    Show();
  }

 private:
  QSlider* AddSlider(QGridLayout* grid, bright_cont::Control id, int row, int column, int span = 1) {
    const auto range = bright_cont::RangeOf(id);
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setObjectName(QString::number(int(id)));
    slider->setRange(range.min, range.max);
    slider->setTickInterval(bright_cont::kTickSpacing);
    slider->setTickPosition(QSlider::TicksBelow);
    connect(slider, &QSlider::actionTriggered, this, [this, slider, id](int) {
      model_.MoveSlider(id, slider->sliderPosition());
      Show();
    });
    grid->addWidget(slider, row, column, 1, span);
    sliders_.push_back({id, slider});
    return slider;
  }
  void Show() {
    for (const auto& [id, slider] : sliders_) {
      const QSignalBlocker block(slider);
      slider->setValue(model_.Position(id));
    }
  }
  bright_cont& model_;
  std::vector<std::pair<bright_cont::Control, QSlider*>> sliders_;
};

class Effects1Window : public QDialog {
 public:
  Effects1Window(QWidget* parent, effects& model, std::function<void()> next_slide)
      : QDialog(parent), model_(model) {
    setObjectName("effects");
    setWindowTitle("Special Effects 1");
    FitTitle(this);
    auto* grid = new QGridLayout(this);
    grid->addWidget(PictureLabel(SpinLabelPicture(
                        {"Vitreous 1", "Vitreous 2", "Tear", "Segment", "Scatter"})),
                    0, 0, effects::kSpinCount, 1);
    for (int i = 0; i < effects::kSpinCount; ++i) {
      const auto spin = effects::Spin(i);
      auto* value = new QLineEdit;
      value->setReadOnly(true);
      value->setFocusPolicy(Qt::NoFocus);
      value->setMaximumWidth(40);
      grid->addWidget(new ArrowSpin([this, spin](int step) { Click(spin, step); }), i, 1);
      grid->addWidget(value, i, 2);
      grid->setRowMinimumHeight(i, 216 / effects::kSpinCount);
      values_.push_back(value);
    }
    const int row = effects::kSpinCount;
    AddButton(this, grid, "Reset", row, 0, [this] {
      model_.OnReset();
      Show();
    });
    AddButton(this, grid, "Next Slide", row, 1, std::move(next_slide));
    AddButton(this, grid, "Done", row, 2, [this] { accept(); })->setDefault(true);
    grid->addWidget(new QLabel("Note that 'vitreous' buttons are best with close up portraits"), row + 1, 0, 1, 3);
    Show();
  }

 private:
  void Click(effects::Spin spin, int step) {
    model_.OnSpinClick(spin, step);
    Show();
  }
  void Show() {
    for (int i = 0; i < effects::kSpinCount; ++i)
      values_[std::size_t(i)]->setText(QString::number(model_.position(effects::Spin(i))));
  }
  effects& model_;
  std::vector<QLineEdit*> values_;
};

class HighlightWindow : public QDialog {
 public:
  HighlightWindow(QWidget* parent, pos_bright_cont& model) : QDialog(parent), model_(model) {
    setObjectName("pos_bright_cont");
    setWindowTitle("Highlight to edge");
    auto* grid = new QGridLayout(this);
    struct Arrow {
      pos_bright_cont::Control id;
      const char* name;
      int direction, row, column;
    };
    const Arrow arrows[] = {{pos_bright_cont::kBrightenUpwards, "Brighten upwards", 0, 0, 1},
                            {pos_bright_cont::kBrightenDownwards, "Brighten downwards", 1, 2, 1},
                            {pos_bright_cont::kBrightenLeftwards, "Brighten leftwards", 2, 1, 0},
                            {pos_bright_cont::kBrightenRightwards, "Brighten rightwards", 3, 1, 2}};
    for (const Arrow& a : arrows) {
      auto* b = new QToolButton;
      b->setObjectName(QString::number(int(a.id)));
      b->setIcon(QIcon(ArrowPicture(a.direction)));
      b->setIconSize(QSize(16, 16));
      b->setToolTip(a.name);
      b->setStyleSheet("QToolButton:pressed { background: grey; }");
      const pos_bright_cont::Control control = a.id;
      connect(b, &QToolButton::clicked, this, [this, control] { model_.OnButton(control); });
      grid->addWidget(b, a.row, a.column, Qt::AlignCenter);
    }
    AddButton(this, grid, "Reset", 3, 0, [this] { model_.OnButton(pos_bright_cont::kReset); }, 3);
    AddButton(this, grid, "OK", 4, 0, [this] {
      model_.OnOk();
      accept();
    })->setDefault(true);
    AddButton(this, grid, "Cancel", 4, 2, [this] { reject(); });
    FitTitle(this);
  }
  void reject() override {
    model_.OnCancel();
    QDialog::reject();
  }

 private:
  pos_bright_cont& model_;
};

}  // namespace

void RunFieldWindow(QWidget* parent, FieldDialog dialog) {
  FieldWindow window(parent, std::move(dialog));
  window.exec();
}

void RunBrightContrastWindow(QWidget* parent, bright_cont& model) {
  BrightContrastWindow window(parent, model);
  window.exec();
}

void RunEffects1Window(QWidget* parent, effects& model, std::function<void()> next_slide) {
  Effects1Window window(parent, model, std::move(next_slide));
  window.exec();
}

void RunHighlightWindow(QWidget* parent, pos_bright_cont& model) {
  HighlightWindow window(parent, model);
  window.exec();
}

}  // namespace wrimple::app
