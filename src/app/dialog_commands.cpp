// The commands that open a dialog over their core model.
#include "app/application.h"
#include "app/dialog_windows.h"
#include "app/dialogs.h"
#include "app/view.h"

namespace wrimple::app {

void InstallDialogCommands(Application& app) {
  MainWindow& w = app.window();
  State& st = app.state();
  Platform& pf = app.platform();
  w.SetHandler(CommandId::Options, [&w, &st, &pf] {
    if (RunOptionsDialog(&w, st)) pf.view.RedrawView();
  });
}

}  // namespace wrimple::app
