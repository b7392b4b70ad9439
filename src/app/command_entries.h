// The desktop program's view of the command catalogue: prompts, tooltips,
// keys and character accelerators as Qt values.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>
#include <optional>

#include "commands/command_catalog.h"

namespace wrimple::app {

QString PromptOf(const CommandInfo& info);   // the part before "\n"
QString TooltipOf(const CommandInfo& info);  // the part after "\n"
QList<QKeySequence> KeysOf(const CommandInfo& info);

// The command of an exact-character accelerator, or nullopt.
std::optional<CommandId> CommandOfCharacter(QChar character);

}  // namespace wrimple::app
