#include "compose/flip_source.h"

#include "compose/recompose.h"

namespace wrimple {

void FlipSource(State& st, Platform& pf, int n) {
  if (st.TargetModified && !st.TargetLock &&
      !pf.messages.AskYesNo(n == 1 ? "Flipping source 1 now will overwrite your previous changes to "
                                     "the Target.\nIs this OK ??"
                                   : "Flipping source 2 now will overwrite your previous changes to "
                                     "the Target.\nIs this OK ??"))
    return;
  // Source 2 leaves the flag to the recomposition, which clears it when it merges.
  if (n == 1) st.TargetModified = false;
  SourceImage& s = st.doc.Source(n);
  s.Flipped = s.Flipped == 1 ? 0 : 1;
  RecomposeTarget(st, pf);
}

}  // namespace wrimple
