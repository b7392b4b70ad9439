#include "compose/recompose.h"
#include "io/clipboard_sources.h"

namespace wrimple {

void TargetToSource(State& st, Platform& pf, int n) {
  if (n == 2) st.SourceCount = 2;
  st.ContrastThreshold = 127;
  if (!MakeTargetPicture(st, n, TargetPictureMode::Snapshot)) return;
  SourceImage& s = st.doc.Source(n);
  if (s.SourceKind != kKindTargetSnapshot) ResetPlacement(st.doc, n);
  s.SourceKind = kKindTargetSnapshot;
  RecomposeTarget(st, pf);
}

}  // namespace wrimple
