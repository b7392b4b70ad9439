// "Lock target": while locked, recomposition rebuilds only the source planes, so
// fill and portion merge can bring in sources from new positions.
#pragma once

#include "document/state.h"

namespace wrimple {

void LockTarget(State& st);

}  // namespace wrimple
