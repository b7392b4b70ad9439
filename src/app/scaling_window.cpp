#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>
#include <map>

#include "app/dialog_windows.h"
#include "compose/source_scaling.h"

namespace wrimple::app {

namespace {

using S = ScalingControl;

// The modeless scaling dialog's window: it forwards every edit and click to
// the model and shows the model's texts, checks and enabled states.
class ScalingWindow : public QDialog {
 public:
  ScalingWindow(QWidget* parent, std::unique_ptr<source_scaling> model)
      : QDialog(parent), model_(std::move(model)) {
    setObjectName("source_scaling");
    setWindowTitle("Sizing Source images and Target ");
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SourceSizes());
    layout->addWidget(TargetSize());
    auto* common = new QGroupBox("Common Sizes");
    auto* sizes = new QHBoxLayout(common);
    for (const auto& [text, id] : {std::pair{"1920:1080", S::Size1920x1080}, std::pair{"1920:1200", S::Size1920x1200},
                                   std::pair{"1680:1050", S::Size1680x1050}, std::pair{"1280:800", S::Size1280x800},
                                   std::pair{"Other", S::SizeOther}})
      sizes->addWidget(AddRadio(text, id));
    layout->addWidget(common);
    auto* closing = new QHBoxLayout;
    closing->addStretch();
    closing->addWidget(AddButton("OK", S::Ok));
    closing->addWidget(AddButton("Cancel", S::Cancel));
    layout->addLayout(closing);
    qobject_cast<QPushButton*>(buttons_.at(S::Apply))->setDefault(true);
    Show();
  }

  // Escape and the close box are the dialog's Cancel.
  void reject() override {
    if (!model_->closed()) model_->Click(S::Cancel);
    QDialog::reject();
  }

 private:
  QGroupBox* SourceSizes() {
    auto* group = new QGroupBox("Source Sizes % of originals");
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel("Source 1"), 0, 1, Qt::AlignCenter);
    grid->addWidget(new QLabel("Source 2"), 0, 2, Qt::AlignCenter);
    const std::pair<const char*, std::pair<S, S>> edit_rows[] = {
        {"Width %", {S::WidthPercent1, S::WidthPercent2}},
        {"Height %", {S::HeightPercent1, S::HeightPercent2}},
        {"Width pixels", {S::WidthPixels1, S::WidthPixels2}},
        {"Height pixels", {S::HeightPixels1, S::HeightPixels2}}};
    int row = 1;
    for (const auto& [label, edits] : edit_rows) {
      grid->addWidget(new QLabel(label), row, 0);
      grid->addWidget(AddEdit(edits.first), row, 1);
      grid->addWidget(AddEdit(edits.second), row++, 2);
    }
    for (int n = 0; n < 2; ++n) {
      auto* steps = new QHBoxLayout;
      steps->addWidget(AddButton("<", n == 0 ? S::StepDown1 : S::StepDown2));
      steps->addWidget(AddButton("100%", n == 0 ? S::Reset1 : S::Reset2));
      steps->addWidget(AddButton(">", n == 0 ? S::StepUp1 : S::StepUp2));
      grid->addLayout(steps, row, n + 1);
    }
    ++row;
    grid->addWidget(AddButton("Apply", S::Apply), row, 1);
    grid->addWidget(AddButton("Fit to target size (below)", S::FitToTarget), row, 2);
    auto* aspect = new QHBoxLayout;
    aspect->addWidget(AddCheck(S::PreserveAspect));
    aspect->addWidget(new QLabel("Preserve Aspect Ratio"));
    aspect->addStretch();
    grid->addLayout(aspect, ++row, 0, 1, 3);
    return group;
  }

  QGroupBox* TargetSize() {
    auto* group = new QGroupBox("Target Size in pixels");
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel("Width"), 0, 0);
    grid->addWidget(AddEdit(S::TargetWidth), 0, 1);
    grid->addWidget(new QLabel("Height"), 0, 2);
    grid->addWidget(AddEdit(S::TargetHeight), 0, 3);
    grid->addWidget(AddButton("Apply", S::TargetApply), 0, 4);
    grid->addWidget(new QLabel("Maximum 4096 X 3072"), 1, 0, 1, 4);
    grid->addWidget(AddButton("Set to window size", S::WindowSize), 2, 0, 1, 2);
    grid->addWidget(new QLabel("Uncommon command"), 2, 2, 1, 3);
    return group;
  }

  QLineEdit* AddEdit(S id) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::number(int(id)));
    connect(edit, &QLineEdit::textEdited, this, [this, id](const QString& t) { model_->Type(id, t.toStdString()); });
    // A refused entry's message takes the focus, which finishes the editing
    // once more: that second end is the same one.
    connect(edit, &QLineEdit::editingFinished, this, [this, id] {
      if (leaving_edit_) return;
      const QScopedValueRollback<bool> leaving(leaving_edit_, true);
      Forward([&] { return model_->LeaveEdit(id); });
    });
    edits_[id] = edit;
    return edit;
  }
  QPushButton* AddButton(const char* text, S id) {
    auto* b = new QPushButton(text);
    b->setObjectName(QString::number(int(id)));
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, id] { Forward([&] { return model_->Click(id); }); });
    buttons_[id] = b;
    return b;
  }
  // The check box stands beside its label, as its own control.
  QCheckBox* AddCheck(S id) {
    auto* c = new QCheckBox;
    c->setObjectName(QString::number(int(id)));
    connect(c, &QCheckBox::clicked, this, [this, id] { Forward([&] { return model_->Click(id); }); });
    buttons_[id] = c;
    return c;
  }
  QRadioButton* AddRadio(const char* text, S id) {
    auto* r = new QRadioButton(text);
    r->setObjectName(QString::number(int(id)));
    r->setAutoExclusive(false);
    connect(r, &QRadioButton::clicked, this, [this, id] { Forward([&] { return model_->Click(id); }); });
    buttons_[id] = r;
    return r;
  }

  void Forward(const std::function<bool()>& message) {
    message();
    if (model_->closed()) {
      QDialog::accept();
      return;
    }
    Show();
  }

  void Show() {
    for (auto& [id, edit] : edits_) {
      const QString text = QString::fromStdString(model_->Text(id));
      if (edit->text() != text) edit->setText(text);
      edit->setEnabled(model_->IsEnabled(id));
    }
    for (auto& [id, button] : buttons_) {
      button->setEnabled(model_->IsEnabled(id));
      if (button->isCheckable()) button->setChecked(model_->IsChecked(id));
    }
  }

  std::unique_ptr<source_scaling> model_;
  std::map<S, QLineEdit*> edits_;
  std::map<S, QAbstractButton*> buttons_;
  bool leaving_edit_ = false;
};

}  // namespace

QDialog* OpenScalingWindow(QWidget* parent, State& st, Platform& pf) {
  std::unique_ptr<source_scaling> model = OpenSourceScaling(st, pf);
  if (!model) return nullptr;
  auto* window = new ScalingWindow(parent, std::move(model));
  window->show();
  return window;
}

}  // namespace wrimple::app
