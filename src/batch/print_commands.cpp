// Script commands of printing.
#include "batch/command_table.h"
#include "batch/session.h"

namespace wrimple::batch {

void RegisterPrintCommands(CommandTable& table) { (void)table; }

}  // namespace wrimple::batch
