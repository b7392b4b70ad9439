// Script commands of merging and the reference colour.
#include "batch/command_table.h"
#include "batch/session.h"

namespace wrimple::batch {

void RegisterComposeCommands(CommandTable& table) { (void)table; }

}  // namespace wrimple::batch
