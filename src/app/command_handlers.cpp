// Every command of the program bound to its core operation: the catalogue's
// core actions, and the commands that need the desktop. Commands that open a
// dialog hand the dialog's model to the Qt dialog that drives it.
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include "app/application.h"
#include "app/dialogs.h"
#include "app/status_bar.h"
#include "app/view.h"
#include "commands/command_catalog.h"
#include "zone/source_brushing.h"

namespace wrimple::app {

namespace {

using C = CommandId;

// Every command with a core action runs it; the commands below that need
// more of the desktop replace their handler.
void InstallCoreActions(Application& app) {
  State& st = app.state();
  Platform& pf = app.platform();
  for (const CommandInfo& info : Commands())
    if (const CoreAction action = info.action) app.window().SetHandler(info.id, [&st, &pf, action] { action(st, pf); });
}

void InstallFileCommands(Application& app) {
  MainWindow& w = app.window();
  w.SetHandler(C::OpenImage, [&app] {
    const int errors = app.messages().errors_shown();
    app.files().TakeLastChoice();
    InfoOf(C::OpenImage).action(app.state(), app.platform());
    const std::string chosen = app.files().TakeLastChoice();
    if (!chosen.empty() && app.messages().errors_shown() == errors)
      app.AddRecentFile(QString::fromStdString(chosen));
  });
  w.SetHandler(C::Exit, [&w] { w.close(); });
}

void InstallPrintCommands(Application& app) {
  MainWindow& w = app.window();
  State& st = app.state();
  w.SetHandler(C::Print, [&w, &st] { RunPrint(w, st, PrintMode::Dialog); });
  w.SetHandler(C::QuickPrint, [&w, &st] { RunPrint(w, st, PrintMode::Quick); });
  w.SetHandler(C::PrintPreview, [&w, &st] { RunPrint(w, st, PrintMode::Preview); });
  w.SetHandler(C::PrintSetup, [&w] { RunPrintSetup(w); });
}

void InstallBrushing(Application& app) {
  MainWindow& w = app.window();
  State& st = app.state();
  Platform& pf = app.platform();
  w.SetHandler(C::SourceBrushing, [&w, &st, &pf] { w.view().ShowBrushBox(SourceBrushingOn(st, pf)); });
}

// View zoom commands.
void InstallViewCommands(Application& app) {
  MainWindow& w = app.window();
  w.SetHandler(C::ZoomIn, [&w] { w.view().ZoomIn(); });
  w.SetHandler(C::ZoomOut, [&w] { w.view().ZoomOut(); });
  w.SetHandler(C::ActualSize, [&w] { w.view().ActualSize(); });
  w.SetHandler(C::FitInWindow, [&w] { w.view().FitInWindow(); });
}
// End of the view zoom commands.

void InstallWindowCommands(Application& app) {
  MainWindow& w = app.window();
  w.SetHandler(C::ToggleStatusBar, [&w] {
    w.status().setVisible(!w.status().isVisible());
    w.ActionOf(C::ToggleStatusBar)->setChecked(w.status().isVisible());
  });
  w.SetHandler(C::About, [&w] { RunAboutDialog(&w); });
  w.SetHandler(C::HelpTopics, [&app, &w] { ShowHelpWindow(&w, app.HelpTopicsPage()); });
  w.SetHandler(C::FlowDiagram, [&app, &w] {
    // An unreadable picture shows nothing.
    QImageReader reader(app.HelpSibling("bmp"));
    const QImage picture = reader.read();
    if (!picture.isNull()) w.view().ShowFlowDiagram(picture);
  });
}

}  // namespace

void InstallCommandHandlers(Application& app) {
  InstallCoreActions(app);
  InstallFileCommands(app);
  InstallPrintCommands(app);
  InstallBrushing(app);
  InstallWindowCommands(app);
  InstallViewCommands(app);
  InstallDialogCommands(app);
}

}  // namespace wrimple::app
