// "Restore target": throws away zone work, brushing and effects by rebuilding
// the target from the sources as they are placed now.
#pragma once

#include "document/platform.h"
#include "document/state.h"

namespace wrimple {

// Does nothing while the target is locked.
void RestoreTarget(State& st, Platform& pf);

}  // namespace wrimple
