// Script commands of the zone, the mouse and the zone operations.
#include "batch/command_table.h"
#include "batch/session.h"

namespace wrimple::batch {

void RegisterZoneCommands(CommandTable& table) { (void)table; }

}  // namespace wrimple::batch
