// The one catalogue of the program's commands. For every command: its menu
// text, keys, status prompt and tooltip, and the core call it runs when it
// needs no dialog; the menus and toolbars that place them; and every script
// command of the runner with the commands it obeys and its parameters. The
// desktop program builds its actions, menus and toolbars from it, the runner
// its command table, its checks and its --help.
//
// Adding a command: its id in document/commands.h, its enabling rule in the
// switch of document/commands.cpp (the compiler asks for it), a row in the
// catalogue (command_catalog.cpp) and, where the runner offers it, a script
// row. A command with a core action needs nothing more; one with a dialog
// gets its desktop handler (app/) and its script run (batch/).
#pragma once

#include <string>
#include <vector>

#include "document/commands.h"
#include "document/platform.h"

namespace wrimple {

// The core call of a command that needs no dialog; false when it could not do
// what was asked (the runner counts that as failure).
using CoreAction = bool (*)(State& st, Platform& pf);

struct CommandInfo {
  CommandId id;
  const char* menu_text = "";  // "" for commands without a menu item of their own
  const char* prompt = "";     // status-bar prompt, then "\n" and the tooltip
  std::vector<const char*> keys = {};  // key accelerators, as Qt's portable key text
  const char* characters = "";         // exact-character accelerators
  CoreAction action = nullptr;
};

// Every command the program shows, in the order of the command table.
const std::vector<CommandInfo>& Commands();
// The row of a command; every id of Commands() has one.
const CommandInfo& InfoOf(CommandId id);

// A menu item: a command (with its own text here when it differs from the
// command's), a separator, or the place of the recent-file list.
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
// desktop program, since its look items are radio items.
const std::vector<MenuLayout>& MainMenus();

// Toolbar buttons in order; CommandId::New stands for a separator.
const std::vector<CommandId>& SourceToolbarButtons();
const std::vector<CommandId>& ZoneToolbarButtons();

// A parameter of a script command: a positional word or a key=value option.
struct ScriptParam {
  enum Kind {
    Int,     // a decimal integer in lowest..highest
    Field,   // a whole number typed into a dialog field; the field checks lowest..highest
    Number,  // a decimal number
    Choice,  // one of the words of `choices`
    Code,    // one of the words of `choices`, or its code lowest..highest
    Levels,  // V or R,G,B, each in lowest..highest
    Color,   // R,G,B, each 0..255
    Text,    // any word; the command checks it
    Flag,    // a bare word
    Rest,    // any number of further positional words
  };
  const char* name;  // the option's key, or the positional's name in messages
  Kind kind = Int;
  int lowest = 0, highest = 0;
  const char* choices = "";  // "a|b|c"
  const char* label = "";    // the word --help shows; empty: the range or the choices
  bool option = false;       // key=value
  bool optional = false;     // a positional that may be left out
  int default_value = 0;     // an option's value when the line leaves it out

  std::string ShownLabel() const;
  std::string Range() const;  // "lowest..highest"
};

// How the runner runs a script command.
enum class ScriptForm {
  OwnRun,  // the runner's own run function for the word
  Action,  // the core action of its command, once
  Clicks,  // the core action of its command, times=N clicks
};

struct ScriptCommand {
  const char* word;
  // The commands whose enabling rules the line obeys: one, or one for each
  // choice of the first positional (1|2, on|off, ...).
  std::vector<CommandId> ids;
  std::vector<ScriptParam> params;
  // One line for --help; "{NAME}" stands for the range of parameter NAME.
  const char* summary;
  ScriptForm form = ScriptForm::OwnRun;
  bool raw_words = false;  // every word is positional (echo)

  std::string Synopsis() const;
  std::string Summary() const;
  const ScriptParam* Param(const std::string& name) const;
};

// Every script command of the runner, in the order --help lists them.
const std::vector<ScriptCommand>& ScriptCommands();

}  // namespace wrimple
