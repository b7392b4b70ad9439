// The command "Merge two sources": the questions about the lock and about
// changes to the target, both placements, then the merge dialog.
#pragma once

#include <functional>

#include "document/platform.h"
#include "document/state.h"

namespace wrimple {

class mergepix;

enum class MergeCommandOutcome {
  Declined,         // a question answered No: nothing changed
  NeedsTwoSources,  // fewer than two sources: told so, after the lock went off
  DialogClosed,     // the dialog ran and closed
};

// run_dialog drives the open dialog until it ends (the desktop program's modal
// loop, or the runner's button presses); ActiveMergeDialog points at the dialog
// meanwhile.
MergeCommandOutcome MergeTwoSources(State& st, Platform& pf,
                                    const std::function<void(mergepix&)>& run_dialog);

}  // namespace wrimple
