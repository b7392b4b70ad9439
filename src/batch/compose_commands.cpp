// Script commands of compositing: placement, merging, the geometry of the sources.
#include "batch/command_table.h"
#include "batch/session.h"

namespace wrimple::batch {

void RegisterComposeCommands(CommandTable& table) { (void)table; }

}  // namespace wrimple::batch
