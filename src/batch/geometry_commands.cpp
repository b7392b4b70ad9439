// Script commands of the geometry of the sources: sizes, rotation, mirror, alignment.
#include "batch/command_table.h"
#include "batch/session.h"

namespace wrimple::batch {

void RegisterGeometryCommands(CommandTable& table) { (void)table; }

}  // namespace wrimple::batch
