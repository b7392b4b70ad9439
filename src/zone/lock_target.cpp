#include "zone/lock_target.h"

namespace wrimple {

void LockTarget(State& st) { st.TargetLock = !st.TargetLock; }

}  // namespace wrimple
