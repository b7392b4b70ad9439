// The program's dialogs, each a thin Qt window over its core model.
#pragma once

#include <QString>
#include <QWidget>

#include "document/state.h"

namespace wrimple::app {

class Application;
class MainWindow;

enum class PrintMode { Dialog, Quick, Preview };

// "Configure print layout": true on OK, with st.PrintLayout set from the choice.
bool RunPrintLayoutDialog(QWidget* parent, State& st);
// Print, quick print and print preview: the layout dialog, then Qt's printing.
void RunPrint(MainWindow& window, State& st, PrintMode mode);
// "Print Setup...": the printer's page settings.
void RunPrintSetup(MainWindow& window);

// "About wrimple32".
void RunAboutDialog(QWidget* parent);

// A page of the user's help: an HTML file opened at an anchor, or a Markdown
// file of which only the section under the heading `section` is shown.
struct HelpPage {
  QString path;
  QString section;  // empty: the whole page
};
// "Help topics": a window beside the program showing the page.
QWidget* ShowHelpWindow(QWidget* parent, const HelpPage& page);

// The commands that open dialogs: options, merge, scaling, rotation, the
// reference colour, the effects and text entry.
void InstallDialogCommands(Application& app);

}  // namespace wrimple::app
