#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/dialogs.h"
#include "app/toolbar_icons.h"

namespace wrimple::app {

void RunAboutDialog(QWidget* parent) {
  QDialog dialog(parent);
  dialog.setWindowTitle("About wrimple32");
  auto* layout = new QVBoxLayout(&dialog);
  auto* row = new QHBoxLayout;
  auto* picture = new QLabel;
  picture->setPixmap(ToolbarIcon(CommandId::FlowDiagram, 3.0).pixmap(54, 51));
  row->addWidget(picture);
  row->addWidget(new QLabel("Wrimple    Version 2.9    32 bit"));
  layout->addLayout(row);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  layout->addWidget(buttons);
  dialog.exec();
}

}  // namespace wrimple::app
