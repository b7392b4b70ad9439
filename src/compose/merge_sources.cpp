#include <cstddef>

#include "compose/merge_planes.h"
#include "compose/recompose.h"
#include "document/row_bands.h"

namespace wrimple {

void MergeSources(State& st, Platform& pf) {
  if (st.MergeMethod < 0 || st.MergeMethod > 10) {
    pf.messages.ShowInfo(
        "Need to select a merge type before combining pictures.\n Press the white/green 'M'.");
    return;
  }
  MergePlanesFast(st, ThreadsForRows(st.TargetHeight()));
  st.TargetModified = false;
  pf.view.RedrawView();
}

}  // namespace wrimple
