// Script commands of the special effects: effects 1 to 3, dapple and pencil drawing.
#include "batch/command_table.h"
#include "batch/session.h"

namespace wrimple::batch {

void RegisterSpecialEffectsCommands(CommandTable& table) { (void)table; }

}  // namespace wrimple::batch
