#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
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
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel("Source 1"), 0, 1);
    grid->addWidget(new QLabel("Source 2"), 0, 2);
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
    const std::pair<const char*, std::pair<S, S>> button_rows[] = {
        {"<", {S::StepDown1, S::StepDown2}}, {">", {S::StepUp1, S::StepUp2}}, {"100%", {S::Reset1, S::Reset2}}};
    for (const auto& [text, buttons] : button_rows) {
      grid->addWidget(AddButton(text, buttons.first), row, 1);
      grid->addWidget(AddButton(text, buttons.second), row++, 2);
    }
    grid->addWidget(AddCheck("Preserve aspect", S::PreserveAspect), row, 0);
    grid->addWidget(AddButton("Apply", S::Apply), row, 1);
    grid->addWidget(AddButton("Fit to target size (below)", S::FitToTarget), row++, 2);
    grid->addWidget(new QLabel("Target width / height"), row, 0);
    grid->addWidget(AddEdit(S::TargetWidth), row, 1);
    grid->addWidget(AddEdit(S::TargetHeight), row++, 2);
    grid->addWidget(AddButton("Apply", S::TargetApply), row, 1);
    grid->addWidget(AddButton("Set to window size", S::WindowSize), row++, 2);
    const std::pair<const char*, S> sizes[] = {{"1920 x 1080", S::Size1920x1080},
                                               {"1920 x 1200", S::Size1920x1200},
                                               {"1680 x 1050", S::Size1680x1050},
                                               {"1280 x 800", S::Size1280x800},
                                               {"Other", S::SizeOther}};
    int column = 0;
    for (const auto& [text, id] : sizes) grid->addWidget(AddRadio(text, id), row + column / 3, column % 3), ++column;
    row += 2;
    grid->addWidget(AddButton("OK", S::Ok), row, 1);
    grid->addWidget(AddButton("Cancel", S::Cancel), row, 2);
    Show();
  }

  // Escape and the close box are the dialog's Cancel.
  void reject() override {
    if (!model_->closed()) model_->Click(S::Cancel);
    QDialog::reject();
  }

 private:
  QLineEdit* AddEdit(S id) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::number(int(id)));
    connect(edit, &QLineEdit::textEdited, this, [this, id](const QString& t) { model_->Type(id, t.toStdString()); });
    connect(edit, &QLineEdit::editingFinished, this, [this, id] { Forward([&] { return model_->LeaveEdit(id); }); });
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
  QCheckBox* AddCheck(const char* text, S id) {
    auto* c = new QCheckBox(text);
    connect(c, &QCheckBox::clicked, this, [this, id] { Forward([&] { return model_->Click(id); }); });
    buttons_[id] = c;
    return c;
  }
  QRadioButton* AddRadio(const char* text, S id) {
    auto* r = new QRadioButton(text);
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
