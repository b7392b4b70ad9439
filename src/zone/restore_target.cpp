#include "zone/restore_target.h"

#include "compose/recompose.h"

namespace wrimple {

void RestoreTarget(State& st, Platform& pf) {
  if (st.TargetLock) return;
  st.TargetModified = false;
  RecomposeTarget(st, pf);
}

}  // namespace wrimple
