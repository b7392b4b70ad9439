#include "compose/recompose.h"
#include "io/clipboard_sources.h"

namespace wrimple {

bool BeginBlankSource(State& st, Platform& pf) {
  return ConfirmDiscardTargetChanges(
      st, pf,
      "Target has been changed, loading a blank source now will destroy those changes.\nDo you wish to continue?");
}

// Runs once the reference colour dialog has closed: the blank takes the
// reference colour chosen there.
void FinishBlankSource(State& st, Platform& pf) {
  st.doc.help_picture.reset();
  st.FirstTimeHelp = false;
  const int count_before = st.SourceCount;
  const int n = ClaimSlot(st, pf);
  if (n == 0) return;
  if (!MakeTargetPicture(st, n, TargetPictureMode::Fill)) {
    st.SourceCount = count_before;
    return;
  }
  ResetPlacement(st.doc, n);
  st.doc.Source(n).SourceKind = kKindBlank;
  RecomposeTarget(st, pf);
}

}  // namespace wrimple
