#include <QGuiApplication>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "batch/runner.h"
#include "batch/session.h"
#include "qtsupport/qt_text_drawing.h"

namespace {

// Standard error carries the runner's own lines only (messages, script
// errors); Qt's diagnostics about its environment are dropped.
void DropQtMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> words(argv + 1, argv + argc);
  // Fonts need a GUI application but no display: the offscreen platform
  // serves unless the caller chose another.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  qInstallMessageHandler(DropQtMessages);
  int qt_argc = 1;
  QGuiApplication app(qt_argc, argv);
  wrimple::batch::SetTextDrawingFactory([] { return std::make_unique<wrimple::QtTextDrawing>(); });
  return wrimple::batch::RunBatch(words, std::cin, std::cout, std::cerr);
}
