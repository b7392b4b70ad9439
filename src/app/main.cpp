#include <QApplication>
#include <QSettings>

#include "app/application.h"

int main(int argc, char** argv) {
  QApplication qt(argc, argv);
  QApplication::setOrganizationName("Ardlow Lumenfold");
  QApplication::setApplicationName("wrimple32");
  QSettings settings;
  wrimple::app::Application app(settings);
  wrimple::app::InstallCommandHandlers(app);
  if (!app.StartUp(QApplication::arguments())) return 1;
  const int status = QApplication::exec();
  app.Exit();
  return status;
}
