// The main window: menu bar, the source and zone toolbars, the view and the
// status bar. Every menu item, button and key runs a command through one
// table of handlers; the enabling of all of them is recomputed in one place.
#pragma once

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QToolBar>
#include <functional>
#include <map>
#include <memory>

#include "document/commands.h"
#include "document/platform.h"
#include "document/state.h"

namespace wrimple::app {

class StatusBar;
class View;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  using Handler = std::function<void()>;

  MainWindow(State& st, SettingsStore& settings);
  ~MainWindow() override;

  // The platform the commands receive; set once the program has built it.
  void Attach(Platform& pf);

  View& view() { return *view_; }
  StatusBar& status() { return *status_; }
  State& state() { return st_; }
  Platform& platform() { return *pf_; }

  // Gives a command its handler; commands without one stay disabled.
  void SetHandler(CommandId id, Handler handler);
  bool HasHandler(CommandId id) const { return handlers_.count(id) != 0; }
  // Runs a command if it is enabled now; false when it did not run.
  bool RunCommand(CommandId id);
  QAction* ActionOf(CommandId id) const;
  QToolBar* SourceToolbar() const { return source_toolbar_; }
  QToolBar* ZoneToolbar() const { return zone_toolbar_; }

  // Recomputes enabling and check marks and repaints the status bar and
  // the window's background; called on every change of the state.
  void Refresh();

  // The look items: the current one and a switch to another.
  int ApplicationLook() const { return application_look_; }
  void ChooseLook(int id);

  // The recent-file list of 8 entries, newest first.
  void SetRecentFiles(const QStringList& paths);
  const QStringList& RecentFiles() const { return recent_files_; }
  // A recent-file item was chosen: entry index (0 for the newest).
  std::function<void(int)> on_recent_file;
  // Files dropped on the window.
  std::function<void(const QStringList&)> on_files_dropped;
  // The window is asked to close: false keeps it open.
  std::function<bool()> can_close;
  // The window is closing: the program writes its settings.
  std::function<void()> on_close;
  // A menu is about to open: the modeless scaling dialog closes.
  std::function<void()> on_popup;

  // Runs a command from its exact-character accelerator; false when the
  // character has none.
  bool RunCharacterAccelerator(QChar character);

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildActions();
  void BuildMenus();
  void BuildViewMenu(QMenu* menu);
  void BuildToolbars();
  QToolBar* MakeToolbar(const char* name, const std::vector<CommandId>& buttons);
  void RebuildRecentFileMenu();
  void BeforePopup();
  bool OnToolbar(QObject* object) const;

  State& st_;
  SettingsStore& settings_;
  Platform* pf_ = nullptr;
  View* view_;
  StatusBar* status_;
  QToolBar* source_toolbar_ = nullptr;
  QToolBar* zone_toolbar_ = nullptr;
  QMenu* file_menu_ = nullptr;
  QMenu* edit_context_menu_ = nullptr;
  QAction* recent_marker_ = nullptr;
  std::vector<QAction*> recent_actions_;
  QStringList recent_files_;
  std::map<CommandId, QAction*> actions_;
  std::map<CommandId, Handler> handlers_;
  std::map<int, QAction*> look_actions_;
  int application_look_ = 210;
  QBrush texture_brush_;
  QBrush warning_brush_;
};

}  // namespace wrimple::app
