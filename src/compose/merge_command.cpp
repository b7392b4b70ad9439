#include "compose/merge_command.h"

#include "compose/merge_dialog.h"
#include "compose/recompose.h"

namespace wrimple {

MergeCommandOutcome MergeTwoSources(State& st, Platform& pf,
                                    const std::function<void(mergepix&)>& run_dialog) {
  if (st.TargetLock) {
    if (!pf.messages.AskYesNo(
            "Target lock is on but merging now will update the target with any new "
            "positioning/sizing of the source(s) and undo any previous changes to the "
            "target\n\nIs this OK?"))
      return MergeCommandOutcome::Declined;
    st.TargetModified = false;
  }
  st.TargetLock = false;
  if (st.TargetModified &&
      !pf.messages.AskYesNo(
          "Merging now will overwrite your previous changes to the Target.\n\nIs this OK?"))
    return MergeCommandOutcome::Declined;
  st.TargetModified = false;
  if (st.SourceCount != 2) {
    pf.messages.ShowInfo("Two source images need to be present before they can be merged.");
    return MergeCommandOutcome::NeedsTwoSources;
  }
  PlaceSource(st, 1);
  PlaceSource(st, 2);
  st.MergeMethod = 6;
  st.ContrastMode = 0;
  mergepix dialog(st, pf);
  st.ActiveMergeDialog = &dialog;
  dialog.OnInitDialog();
  run_dialog(dialog);
  dialog.OnDestroy();
  st.ActiveMergeDialog = nullptr;
  return MergeCommandOutcome::DialogClosed;
}

}  // namespace wrimple
