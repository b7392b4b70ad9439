// What the desktop program shows for every command: menu text, keys, status
// prompt and tooltip, and where the menus and toolbars place it.
#pragma once

#include <QKeySequence>
#include <QString>
#include <vector>

#include "document/commands.h"

namespace wrimple::app {

struct CommandEntry {
  CommandId id;
  const char* menu_text = "";  // "" for commands without a menu item of their own
  const char* prompt = "";     // status-bar prompt, then "\n" and the tooltip
  std::vector<QKeySequence> keys = {};  // key accelerators
  const char* characters = "";          // exact-character accelerators
};

// Every command the program shows, in the order of the command table.
const std::vector<CommandEntry>& CommandEntries();
// The entry of a command; every id of CommandEntries() has one.
const CommandEntry& EntryOf(CommandId id);

QString PromptOf(const CommandEntry& entry);   // the part before "\n"
QString TooltipOf(const CommandEntry& entry);  // the part after "\n"

// A menu item: a command (with its own text here when it differs from the
// entry's), a separator, or the place of the recent-file list.
struct MenuItem {
  enum Kind { Command, Separator, RecentFiles } kind = Command;
  CommandId id = CommandId::New;
  const char* text = nullptr;
};

struct MenuLayout {
  const char* title;
  std::vector<MenuItem> items;
};

// File, Edit, Target and Help, top to bottom. The View menu is built by the
// main window, since its look items are radio items.
const std::vector<MenuLayout>& MainMenus();

// Toolbar buttons in order; CommandId::New stands for a separator.
const std::vector<CommandId>& SourceToolbarButtons();
const std::vector<CommandId>& ZoneToolbarButtons();

// The command of an exact-character accelerator, or nullopt.
std::optional<CommandId> CommandOfCharacter(QChar character);

}  // namespace wrimple::app
