#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QStatusTipEvent>
#include <QAbstractSpinBox>
#include <QActionGroup>
#include <QTextEdit>
#include <QPlainTextEdit>

#include "app/command_entries.h"
#include "app/looks.h"
#include "app/status_bar.h"
#include "app/toolbar_icons.h"
#include "app/view.h"
#include "compose/align.h"

namespace wrimple::app {

namespace {

constexpr int kRecentFileCount = 8;

struct LookItem {
  int id;
  const char* text;
};
constexpr LookItem kLookItems[] = {{205, "Windows &2000"},      {206, "Office &XP"},
                                   {207, "&Windows XP"},        {208, "Office 200&3"},
                                   {209, "Visual Studio 200&5"}, {210, "Visual Studio 200&8"}};
constexpr LookItem kOffice2007Items[] = {
    {215, "&Blue Style"}, {216, "B&lack Style"}, {217, "&Silver Style"}, {218, "&Aqua Style"}};

// A 55 x 55 beige and grey weave behind the bars.
QBrush TextureBrush() {
  QPixmap tile(55, 55);
  tile.fill(QColor(226, 218, 196));
  QPainter p(&tile);
  p.setPen(QColor(190, 186, 176));
  for (int i = 0; i < 55; i += 5) {
    p.drawLine(i, 0, i, 54);
    p.drawLine(0, i, 54, i);
  }
  return QBrush(tile);
}

// A 231 x 33 yellow banner warning that the target holds changes.
QBrush WarningBrush() {
  QPixmap tile(231, 33);
  tile.fill(QColor(255, 230, 0));
  QPainter p(&tile);
  QFont font;
  font.setPixelSize(11);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::black);
  p.drawText(QRect(0, 0, 231, 33), Qt::AlignCenter | Qt::TextWordWrap,
             "Careful: actions here may undo the changes\nyou have made to the target");
  return QBrush(tile);
}

// The menu shows key shortcuts by themselves; a character accelerator is no
// shortcut, so its character is shown after a tab, as the entry spells it or
// as the character itself.
QString MenuTextOf(const CommandInfo& entry) {
  const QString text = QString::fromUtf8(entry.menu_text);
  if (*entry.characters == '\0' || text.isEmpty()) return text.section('\t', 0, 0);
  return text.contains('\t') ? text : text + '\t' + QChar(entry.characters[0]);
}

bool IsTextInput(QObject* object) {
  return qobject_cast<QLineEdit*>(object) || qobject_cast<QAbstractSpinBox*>(object) ||
         qobject_cast<QTextEdit*>(object) || qobject_cast<QPlainTextEdit*>(object);
}

}  // namespace

MainWindow::MainWindow(State& st, SettingsStore& settings)
    : st_(st), settings_(settings), texture_brush_(TextureBrush()), warning_brush_(WarningBrush()) {
  application_look_ = settings_.ReadInt("ApplicationLook", kDefaultLook);
  st_.SweepX = st_.SweepY = -1;
  setWindowTitle("wrimple32");
  view_ = new View(st_, this);
  setCentralWidget(view_);
  status_ = new StatusBar(st_, *view_, this);
  setStatusBar(status_);
  BuildActions();
  BuildMenus();
  BuildToolbars();
  connect(view_, &View::StateChanged, this, &MainWindow::Refresh);
  setAcceptDrops(true);
  qApp->installEventFilter(this);
  // Wide enough for every status bar pane, the zoom pane the last of them.
  resize(1440, 860);
}

MainWindow::~MainWindow() { qApp->removeEventFilter(this); }

void MainWindow::Attach(Platform& pf) {
  pf_ = &pf;
  view_->Attach(pf);
}

void MainWindow::BuildActions() {
  for (const CommandInfo& entry : Commands()) {
    auto* action = new QAction(MenuTextOf(entry), this);
    action->setStatusTip(PromptOf(entry));
    action->setToolTip(TooltipOf(entry).isEmpty() ? action->text() : TooltipOf(entry));
    action->setShortcuts(KeysOf(entry));
    action->setShortcutContext(Qt::WindowShortcut);
    action->setEnabled(false);
    const CommandId id = entry.id;
    connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
    addAction(action);  // keys work without a menu item too
    actions_[id] = action;
  }
  actions_[CommandId::SourceBrushing]->setCheckable(true);
}

QAction* MainWindow::ActionOf(CommandId id) const {
  const auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

void MainWindow::BuildMenus() {
  for (const MenuLayout& layout : MainMenus()) {
    QMenu* menu = menuBar()->addMenu(layout.title);
    connect(menu, &QMenu::aboutToShow, this, &MainWindow::BeforePopup);
    if (QString(layout.title) == "&File") file_menu_ = menu;
    for (const MenuItem& item : layout.items) {
      if (item.kind == MenuItem::Separator) {
        menu->addSeparator();
      } else if (item.kind == MenuItem::RecentFiles) {
        recent_marker_ = menu->addSeparator();
        recent_marker_->setVisible(false);
      } else {
        QAction* primary = actions_.at(item.id);
        const QString text = item.text ? QString(item.text) : QString::fromUtf8(InfoOf(item.id).menu_text);
        if (item.text) {
          // The same command under another name: its own item that follows the command.
          auto* alias = new QAction(text, menu);
          alias->setStatusTip(primary->statusTip());
          connect(alias, &QAction::triggered, primary, &QAction::trigger);
          connect(primary, &QAction::changed, alias, [alias, primary] { alias->setEnabled(primary->isEnabled()); });
          menu->addAction(alias);
        } else {
          menu->addAction(primary);
        }
      }
    }
    if (QString(layout.title) == "Target") {
      QMenu* view_menu = new QMenu("&View", this);
      connect(view_menu, &QMenu::aboutToShow, this, &MainWindow::BeforePopup);
      BuildViewMenu(view_menu);
      menuBar()->addMenu(view_menu);
    }
  }
  edit_context_menu_ = new QMenu("Edit", this);
  edit_context_menu_->addAction(actions_.at(CommandId::Cut));
  edit_context_menu_->addAction(actions_.at(CommandId::Copy));
  edit_context_menu_->addAction(actions_.at(CommandId::Paste));
  connect(edit_context_menu_, &QMenu::aboutToShow, this, &MainWindow::BeforePopup);
  view_->SetContextMenu(edit_context_menu_);
}

void MainWindow::BuildViewMenu(QMenu* menu) {
  // View zoom commands.
  for (CommandId id : {CommandId::ZoomIn, CommandId::ZoomOut, CommandId::ActualSize, CommandId::FitInWindow})
    menu->addAction(actions_.at(id));
  // End of the view zoom commands.
  menu->addSeparator();
  QAction* status_bar = actions_.at(CommandId::ToggleStatusBar);
  status_bar->setCheckable(true);
  status_bar->setChecked(true);
  menu->addAction(status_bar);
  auto* group = new QActionGroup(this);
  auto add_look = [&](QMenu* to, const LookItem& item) {
    QAction* a = to->addAction(item.text);
    a->setCheckable(true);
    a->setActionGroup(group);
    const int id = item.id;
    connect(a, &QAction::triggered, this, [this, id] { ChooseLook(id); });
    look_actions_[id] = a;
  };
  QMenu* looks = menu->addMenu("&Application Look");
  for (const LookItem& item : kLookItems) add_look(looks, item);
  QMenu* office = looks->addMenu("Office 200&7");
  for (const LookItem& item : kOffice2007Items) add_look(office, item);
}

QToolBar* MainWindow::MakeToolbar(const char* name, const std::vector<CommandId>& buttons) {
  QToolBar* bar = addToolBar("Standard");
  bar->setObjectName(name);
  const qreal ratio = devicePixelRatioF();
  bar->setIconSize(QSize(18, 17));
  for (CommandId id : buttons) {
    if (id == CommandId::New) {
      bar->addSeparator();
      continue;
    }
    QAction* action = actions_.at(id);
    action->setIcon(ToolbarIcon(id, ratio));
    bar->addAction(action);
  }
  bar->installEventFilter(this);
  return bar;
}

void MainWindow::BuildToolbars() {
  source_toolbar_ = MakeToolbar("wrimple_bar1", SourceToolbarButtons());
  zone_toolbar_ = MakeToolbar("wrimple_bar2", ZoneToolbarButtons());
  // The flow diagram button has no prompt of its own.
  actions_.at(CommandId::FlowDiagram)->setToolTip("Wrimple Flow Diagram");
}

void MainWindow::SetHandler(CommandId id, Handler handler) {
  handlers_[id] = std::move(handler);
  Refresh();
}

bool MainWindow::RunCommand(CommandId id) {
  Refresh();
  const auto it = handlers_.find(id);
  if (it == handlers_.end() || !IsEnabled(st_, id)) return false;
  it->second();
  view_->SyncChildren();
  Refresh();
  return true;
}

void MainWindow::Refresh() {
  for (const auto& [id, action] : actions_) {
    action->setEnabled(handlers_.count(id) != 0 && IsEnabled(st_, id));
    if (action->isCheckable() && id != CommandId::ToggleStatusBar) action->setChecked(IsChecked(st_, id));
  }
  // Brushing shows checked and disabled while it is on.
  if (st_.SourceBrushing) actions_.at(CommandId::SourceBrushing)->setEnabled(false);
  if (const auto it = look_actions_.find(application_look_); it != look_actions_.end())
    it->second->setChecked(true);
  const QString title = st_.document_title.empty() ? QString() : QString::fromStdString(st_.document_title);
  setWindowTitle(title.isEmpty() ? QStringLiteral("wrimple32") : title + " - wrimple32");
  status_->update();
  update();
}

void MainWindow::ChooseLook(int id) {
  application_look_ = id;
  InstallLook(id);
  settings_.WriteInt("ApplicationLook", id);
  Refresh();
  repaint();
}

void MainWindow::BeforePopup() {
  if (pf_) {
    if (on_popup) on_popup();
    SetAligning(st_, *pf_, 0);
  }
  st_.tips.PreviewTip.Empty();
  st_.tips.StartTip.Empty();
  view_->SyncChildren();
  Refresh();
}

void MainWindow::SetRecentFiles(const QStringList& paths) {
  recent_files_ = paths.mid(0, kRecentFileCount);
  RebuildRecentFileMenu();
}

void MainWindow::RebuildRecentFileMenu() {
  for (QAction* a : recent_actions_) delete a;
  recent_actions_.clear();
  if (!file_menu_ || !recent_marker_) return;
  QAction* before = nullptr;
  const QList<QAction*> items = file_menu_->actions();
  const qsizetype at = items.indexOf(recent_marker_);
  if (at + 1 < items.size()) before = items[at + 1];
  for (int i = 0; i < int(recent_files_.size()); ++i) {
    auto* a = new QAction(QString("&%1 %2").arg(i + 1).arg(recent_files_[i]), file_menu_);
    a->setStatusTip("Open this document");
    connect(a, &QAction::triggered, this, [this, i] {
      if (on_recent_file) on_recent_file(i);
      view_->SyncChildren();
      Refresh();
    });
    file_menu_->insertAction(before, a);
    recent_actions_.push_back(a);
  }
  recent_marker_->setVisible(!recent_files_.isEmpty());
}

bool MainWindow::RunCharacterAccelerator(QChar character) {
  const auto id = CommandOfCharacter(character);
  if (!id) return false;
  RunCommand(*id);
  return true;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // The start hint goes when the mouse moves over a toolbar, its buttons included.
  if (event->type() == QEvent::MouseMove && st_.tips.StartTip.occupied && OnToolbar(watched)) {
    st_.tips.StartTip.Empty();
    view_->SyncChildren();
  }
  if (event->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  auto* widget = qobject_cast<QWidget*>(watched);
  // Character accelerators belong to this window, never to a text field.
  if (!widget || widget->window() != this || IsTextInput(watched) ||
      (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) ||
      key->text().size() != 1)
    return QMainWindow::eventFilter(watched, event);
  return RunCharacterAccelerator(key->text().front()) || QMainWindow::eventFilter(watched, event);
}

bool MainWindow::OnToolbar(QObject* object) const {
  auto* widget = qobject_cast<QWidget*>(object);
  if (!widget) return false;
  for (QToolBar* bar : {source_toolbar_, zone_toolbar_})
    if (bar && (widget == bar || bar->isAncestorOf(widget))) return true;
  return false;
}

bool MainWindow::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    status_->ShowPrompt(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  return QMainWindow::event(event);
}

void MainWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), st_.TargetModified && !st_.TargetLock ? warning_brush_ : texture_brush_);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (can_close && !can_close()) {
    event->ignore();
    return;
  }
  if (on_close) on_close();
  event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  QStringList paths;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) paths << url.toLocalFile();
  if (!paths.isEmpty() && on_files_dropped) on_files_dropped(paths);
  view_->SyncChildren();
  Refresh();
}

}  // namespace wrimple::app
