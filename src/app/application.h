// The program: the one state, the Qt platform, the main window, start-up in
// its fixed order and the settings written at exit.
#pragma once

#include <QSettings>
#include <QStringList>
#include <memory>
#include <string>

#include "app/dialogs.h"
#include "app/main_window.h"
#include "app/qt_platform.h"
#include "document/platform.h"
#include "document/state.h"

namespace wrimple::app {

struct StartOptions {
  QString data_folder;  // where the pictures are; empty: beside the program or installed
};

class Application {
 public:
  Application(QSettings& settings, StartOptions options = {});
  ~Application();

  // Start-up: settings, window, the command-line file, the help picture.
  // False when the command-line file cannot be opened; the stored settings
  // are then left as they were.
  bool StartUp(const QStringList& arguments);
  // Writes the remembered values to the settings.
  void Exit();

  State& state() { return *st_; }
  Platform& platform() { return *pf_; }
  MainWindow& window() { return *window_; }
  QtMessageBoxes& messages() { return *messages_; }
  QtFileChooser& files() { return *files_; }

  // The help file's path and its siblings named by replacing its last three
  // characters ("bmx": the help picture, "bmp": the flow diagram).
  QString HelpFilePath() const;
  QString HelpSibling(const char* extension) const;
  // What "Help topics" opens: the usage section of the README shipped beside
  // the program, until the user manual is installed in its place.
  HelpPage HelpTopicsPage() const;

  // The recent-file list: a path opened through the framework goes on top.
  void AddRecentFile(const QString& path);
  void RemoveRecentFile(int index);
  // The framework's open path with the recent-file list kept.
  bool OpenThroughFramework(const QString& path);

 private:
  void OpenHelpPicture();
  // Unsaved changes: asks whether to save them first; false keeps the program open.
  bool ConfirmExit();
  void LoadRecentFiles();
  void SaveRecentFiles();
  QString DataFolder() const;

  QSettings& qsettings_;
  StartOptions options_;
  std::unique_ptr<State> st_;
  std::unique_ptr<QtSettingsStore> settings_;
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<QtMessageBoxes> messages_;
  std::unique_ptr<QtFileChooser> files_;
  std::unique_ptr<QtReplaceSource> replace_;
  std::unique_ptr<QtClipboard> clipboard_;
  std::unique_ptr<TextDrawing> text_;
  std::unique_ptr<RandomGenerator> random_;
  std::unique_ptr<Platform> pf_;
  bool started_ = false;
  bool exited_ = false;
};

// Gives every command whose core exists its handler.
void InstallCommandHandlers(Application& app);

}  // namespace wrimple::app
