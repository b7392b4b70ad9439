#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/dialog_pictures.h"
#include "app/dialogs.h"
#include "app/main_window.h"
#include "document/print_layout.h"
#include "qtsupport/pdf_page.h"

namespace wrimple::app {

namespace {

// The printer and its settings last for the whole run, as print setup expects.
QPrinter& SharedPrinter() {
  static QPrinter printer(QPrinter::HighResolution);
  return printer;
}

void PrintPage(const State& st, QPrinter& printer) {
  printer.setFromTo(1, 1);
  QPainter painter;
  if (!painter.begin(&printer)) return;
  PaintPrintedPage(st, printer, painter);
  painter.end();
}

}  // namespace

bool RunPrintLayoutDialog(QWidget* parent, State& st) {
  QDialog dialog(parent);
  dialog.setObjectName("print_layout");
  dialog.setWindowTitle("Configure print layout");
  FitTitle(&dialog);
  auto* layout = new QVBoxLayout(&dialog);
  QRadioButton* top = new QRadioButton("Align to top");
  QRadioButton* middle = new QRadioButton("Align to middle");
  QRadioButton* bottom = new QRadioButton("Align to bottom");
  QRadioButton* stretch = new QRadioButton("Stretch vertically");
  top->setChecked(true);
  for (QRadioButton* b : {top, middle, bottom, stretch}) layout->addWidget(b);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted) return false;
  st.PrintLayout = LayoutFromChoice(middle->isChecked(), bottom->isChecked(), stretch->isChecked());
  return true;
}

void RunPrint(MainWindow& window, State& st, PrintMode mode) {
  // Cancelling the layout keeps the previous layout; printing goes on.
  RunPrintLayoutDialog(&window, st);
  QPrinter& printer = SharedPrinter();
  printer.setDocName(QString::fromStdString(st.document_title.empty() ? "wrimple32" : st.document_title));
  switch (mode) {
    case PrintMode::Quick: PrintPage(st, printer); break;
    case PrintMode::Dialog: {
      QPrintDialog dialog(&printer, &window);
      dialog.setMinMax(1, 1);
      if (dialog.exec() == QDialog::Accepted) PrintPage(st, printer);
      break;
    }
    case PrintMode::Preview: {
      QPrintPreviewDialog preview(&printer, &window);
      QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                       [&st](QPrinter* p) { PrintPage(st, *p); });
      preview.exec();
      break;
    }
  }
}

void RunPrintSetup(MainWindow& window) {
  QPageSetupDialog dialog(&SharedPrinter(), &window);
  dialog.exec();
}

}  // namespace wrimple::app
