// Script commands of sources in and target out: loading, text, clipboard, saving.
#include "batch/command_table.h"
#include "batch/session.h"

namespace wrimple::batch {

void RegisterIoCommands(CommandTable& table) { (void)table; }

}  // namespace wrimple::batch
