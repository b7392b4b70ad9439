// The steps that every one-shot filter command of the Target menu runs around
// its pixel pass.
#pragma once

#include "document/platform.h"
#include "document/state.h"

namespace wrimple {

// Snapshot, the pass from the working copy into the target, TargetModified,
// redraw. A filter applied twice thus works on its own result.
template <typename Pass>
void RunTargetFilter(State& st, Platform& pf, const Pass& pass) {
  SnapshotTarget(st);
  pass(ConstTargetImage(st.Backup()), st.Target());
  st.TargetModified = true;
  pf.view.RedrawView();
}

}  // namespace wrimple
