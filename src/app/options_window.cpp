#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

#include "app/dialog_windows.h"
#include "zone/options_dialog.h"

namespace wrimple::app {

bool RunOptionsDialog(QWidget* parent, State& st) {
  options model(st);
  QDialog dialog(parent);
  dialog.setObjectName("options");
  dialog.setWindowTitle("Options");
  auto* layout = new QFormLayout(&dialog);
  auto* tips = new QCheckBox("Allow flying tips");
  tips->setChecked(model.allow_flying_tips());
  auto* aggressiveness = new QSpinBox;
  aggressiveness->setRange(options::kMinAggressiveness, options::kMaxAggressiveness);
  aggressiveness->setValue(model.aggressiveness());
  layout->addRow(tips);
  layout->addRow("Wrimple buttons: aggressiveness", aggressiveness);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addRow(buttons);
  if (dialog.exec() != QDialog::Accepted) return false;
  model.SetAllowFlyingTips(tips->isChecked());
  model.SetAggressiveness(aggressiveness->value());
  model.Ok(st);
  return true;
}

}  // namespace wrimple::app
