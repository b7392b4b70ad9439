#include "compose/recompose.h"

#include <cstring>
#include <utility>

namespace wrimple {

void RecomposeTarget(State& st, Platform& pf) {
  if (st.SourceCount < 1) return;
  PlaceSource(st, 1);
  if (st.SourceCount == 2) PlaceSource(st, 2);
  if (st.TargetLock) {
    pf.view.RedrawView();
    return;
  }
  if (st.SourceCount == 2) {
    MergeSources(st, pf);
    return;
  }
  const ConstPlane plane = std::as_const(st.doc).Source(1).plane();
  const TargetImage target = st.Target();
  for (int y = 0; y < target.height(); ++y)
    std::memcpy(target.row(y), plane.row(y), 3 * std::size_t(target.width()));
  pf.view.RedrawView();
}

}  // namespace wrimple
