// The effect dialogs' windows: each control goes to the effect's model, which
// recomputes the target from its snapshot; the window shows the model's values.
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

#include "app/dialog_windows.h"
#include "effects/bright_contrast.h"
#include "effects/effects1_dialog.h"
#include "effects/highlight.h"

namespace wrimple::app {

namespace {

QPushButton* AddButton(QDialog* dialog, QGridLayout* grid, const char* text, int row, int column,
                       std::function<void()> press) {
  auto* b = new QPushButton(text);
  b->setAutoDefault(false);
  QObject::connect(b, &QPushButton::clicked, dialog, std::move(press));
  grid->addWidget(b, row, column);
  return b;
}

// Fields with arrows, Try, Done and Cancel.
class FieldWindow : public QDialog {
 public:
  FieldWindow(QWidget* parent, const char* title, std::vector<EffectField> fields, EffectButtons buttons)
      : QDialog(parent), fields_(std::move(fields)), buttons_(std::move(buttons)) {
    setWindowTitle(title);
    auto* grid = new QGridLayout(this);
    int row = 0;
    for (EffectField& f : fields_) {
      grid->addWidget(new QLabel(f.label), row, 0);
      auto* left = new QToolButton;
      left->setArrowType(Qt::LeftArrow);
      auto* edit = new QLineEdit;
      auto* right = new QToolButton;
      right->setArrowType(Qt::RightArrow);
      EffectField* field = &f;
      connect(left, &QToolButton::clicked, this, [this, field] { After([&] { field->arrow(-1); }); });
      connect(right, &QToolButton::clicked, this, [this, field] { After([&] { field->arrow(+1); }); });
      connect(edit, &QLineEdit::textEdited, this, [field](const QString& t) { field->type(t.toStdString()); });
      grid->addWidget(left, row, 1);
      grid->addWidget(edit, row, 2);
      grid->addWidget(right, row++, 3);
      edits_.push_back(edit);
    }
    try_ = AddButton(this, grid, "Try", row, 1, [this] { After(buttons_.try_); });
    AddButton(this, grid, "Done", row, 2, [this] {
      if (buttons_.done()) accept();
      Show();
    });
    AddButton(this, grid, "Cancel", row, 3, [this] { reject(); });
    Show();
  }
  void reject() override {
    buttons_.cancel();
    QDialog::reject();
  }

 private:
  void After(const std::function<void()>& change) {
    change();
    Show();
  }
  void Show() {
    for (std::size_t i = 0; i < fields_.size(); ++i) {
      const QString text = QString::fromStdString(fields_[i].text());
      if (edits_[i]->text() != text) edits_[i]->setText(text);
    }
    if (buttons_.try_enabled) try_->setEnabled(buttons_.try_enabled());
  }
  std::vector<EffectField> fields_;
  EffectButtons buttons_;
  std::vector<QLineEdit*> edits_;
  QPushButton* try_;
};

class BrightContrastWindow : public QDialog {
 public:
  BrightContrastWindow(QWidget* parent, bright_cont& model) : QDialog(parent), model_(model) {
    setObjectName("bright_cont");
    setWindowTitle("Adjust Brightness & Contrast");
    auto* grid = new QGridLayout(this);
    const char* names[] = {"Brightness", "Red", "Green", "Blue", "Contrast",
                           "Red", "Green", "Blue", "Gamma"};
    int row = 0;
    for (std::size_t i = 0; i < bright_cont::kSliders.size(); ++i) {
      const bright_cont::Control id = bright_cont::kSliders[i];
      const auto range = bright_cont::RangeOf(id);
      grid->addWidget(new QLabel(names[i]), row, 0);
      auto* slider = new QSlider(Qt::Horizontal);
      slider->setRange(range.min, range.max);
      slider->setTickInterval(bright_cont::kTickSpacing);
      slider->setTickPosition(QSlider::TicksBelow);
      connect(slider, &QSlider::actionTriggered, this, [this, slider, id](int) {
        model_.MoveSlider(id, slider->sliderPosition());
        Show();
      });
      grid->addWidget(slider, row++, 1, 1, 2);
      sliders_.push_back(slider);
    }
    AddButton(this, grid, "Reset", row, 1, [this] {
      model_.OnReset();
      Show();
    });
    AddButton(this, grid, "OK", row, 2, [this] { accept(); });
    Show();
  }

 private:
  void Show() {
    for (std::size_t i = 0; i < sliders_.size(); ++i) {
      const QSignalBlocker block(sliders_[i]);
      sliders_[i]->setValue(model_.Position(bright_cont::kSliders[i]));
    }
  }
  bright_cont& model_;
  std::vector<QSlider*> sliders_;
};

class Effects1Window : public QDialog {
 public:
  Effects1Window(QWidget* parent, effects& model) : QDialog(parent), model_(model) {
    setObjectName("effects");
    setWindowTitle("Effects 1");
    auto* grid = new QGridLayout(this);
    const char* names[] = {"Vitreous 1", "Vitreous 2", "Tear", "Segment", "Scatter"};
    for (int i = 0; i < effects::kSpinCount; ++i) {
      const auto spin = effects::Spin(i);
      grid->addWidget(new QLabel(names[i]), i, 0);
      auto* left = new QToolButton;
      left->setArrowType(Qt::LeftArrow);
      auto* value = new QLabel;
      auto* right = new QToolButton;
      right->setArrowType(Qt::RightArrow);
      connect(left, &QToolButton::clicked, this, [this, spin] { Click(spin, -1); });
      connect(right, &QToolButton::clicked, this, [this, spin] { Click(spin, +1); });
      grid->addWidget(left, i, 1);
      grid->addWidget(value, i, 2);
      grid->addWidget(right, i, 3);
      values_.push_back(value);
    }
    AddButton(this, grid, "Reset", effects::kSpinCount, 1, [this] {
      model_.OnReset();
      Show();
    });
    AddButton(this, grid, "Done", effects::kSpinCount, 3, [this] { accept(); });
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
  std::vector<QLabel*> values_;
};

class HighlightWindow : public QDialog {
 public:
  HighlightWindow(QWidget* parent, pos_bright_cont& model) : QDialog(parent), model_(model) {
    setObjectName("pos_bright_cont");
    setWindowTitle("Highlight");
    auto* grid = new QGridLayout(this);
    const std::tuple<Qt::ArrowType, pos_bright_cont::Control, int, int> arrows[] = {
        {Qt::UpArrow, pos_bright_cont::kBrightenUpwards, 0, 1},
        {Qt::DownArrow, pos_bright_cont::kBrightenDownwards, 2, 1},
        {Qt::LeftArrow, pos_bright_cont::kBrightenLeftwards, 1, 0},
        {Qt::RightArrow, pos_bright_cont::kBrightenRightwards, 1, 2}};
    for (const auto& [arrow, id, row, column] : arrows) {
      auto* b = new QToolButton;
      b->setArrowType(arrow);
      const pos_bright_cont::Control control = id;
      connect(b, &QToolButton::clicked, this, [this, control] { model_.OnButton(control); });
      grid->addWidget(b, row, column);
    }
    AddButton(this, grid, "Reset", 1, 1, [this] { model_.OnButton(pos_bright_cont::kReset); });
    AddButton(this, grid, "OK", 3, 1, [this] {
      model_.OnOk();
      accept();
    });
    AddButton(this, grid, "Cancel", 3, 2, [this] { reject(); });
  }
  void reject() override {
    model_.OnCancel();
    QDialog::reject();
  }

 private:
  pos_bright_cont& model_;
};

}  // namespace

void RunFieldWindow(QWidget* parent, const char* title, std::vector<EffectField> fields,
                    EffectButtons buttons) {
  FieldWindow window(parent, title, std::move(fields), std::move(buttons));
  window.exec();
}

void RunBrightContrastWindow(QWidget* parent, bright_cont& model) {
  BrightContrastWindow window(parent, model);
  window.exec();
}

void RunEffects1Window(QWidget* parent, effects& model) {
  Effects1Window window(parent, model);
  window.exec();
}

void RunHighlightWindow(QWidget* parent, pos_bright_cont& model) {
  HighlightWindow window(parent, model);
  window.exec();
}

}  // namespace wrimple::app
