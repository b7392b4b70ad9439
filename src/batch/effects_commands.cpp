// Script commands of the whole-target colour effects, filters and flips.
#include "batch/command_table.h"
#include "batch/session.h"

namespace wrimple::batch {

void RegisterEffectsCommands(CommandTable& table) { (void)table; }

}  // namespace wrimple::batch
