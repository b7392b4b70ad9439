#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <algorithm>

#include "app/arrow_spin.h"
#include "app/dialog_windows.h"
#include "zone/options_dialog.h"

namespace wrimple::app {

bool RunOptionsDialog(QWidget* parent, State& st) {
  options model(st);
  QDialog dialog(parent);
  dialog.setObjectName("options");
  dialog.setWindowTitle("Options");
  auto* grid = new QGridLayout(&dialog);
  auto* tips = new QCheckBox("Allow flying tips");
  tips->setObjectName("1112");
  tips->setChecked(model.allow_flying_tips());
  grid->addWidget(tips, 0, 0, 1, 3);
  // The up-down control and its buddy, which shows the number.
  int aggressiveness = model.aggressiveness();
  auto* buddy = new QLabel(QString::number(aggressiveness));
  buddy->setObjectName("aggressiveness");
  buddy->setMinimumWidth(24);
  auto* spin = new ArrowSpin([&](int step) {
    aggressiveness = std::clamp(aggressiveness + step, options::kMinAggressiveness, options::kMaxAggressiveness);
    buddy->setText(QString::number(aggressiveness));
  });
  spin->setObjectName("1111");
  grid->addWidget(spin, 1, 0);
  grid->addWidget(buddy, 1, 1);
  grid->addWidget(new QLabel("Wrimple buttons: aggressiveness"), 1, 2);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  grid->addWidget(buttons, 2, 0, 1, 3);
  if (dialog.exec() != QDialog::Accepted) return false;
  model.SetAllowFlyingTips(tips->isChecked());
  model.SetAggressiveness(aggressiveness);
  model.Ok(st);
  return true;
}

}  // namespace wrimple::app
