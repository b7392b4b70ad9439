#include "compose/initial_update.h"

#include "compose/recompose.h"

namespace wrimple {

namespace {

constexpr const char* kHints[8] = {
    "Wiping the right mouse button on an interesting part of this target image will average "
    "the colors over the wipe area.\nThis average will be the new reference color.\n\nThe "
    "reference color is used for merging and portion blending.",
    "A source image conprises one of the following:\n\n  Image from a file\n  Pasted image\n  "
    "Text\n  Pasted text\n  Snapshot of the target image\n  Blank reference color.",
    "A maximum two sources allowed, further loading is allowed but you will be asked which "
    "previous source to replace.",
    "Any part of either source (if 2 loaded) can be smoothly blended to the target image at any "
    "single or multiple positions.",
    "If a zone rectangle is still present when saving to file or copying to the clipboard then "
    "you have the option to save only the contents within the rectangle.",
    "With careful setup, repeating recirculation of the target back to a source allows "
    "interesting spiral or shadowing effects.",
    "Locking the target allows scaling and moving the underlying source(s) without changing the "
    "target, therefore parts of a source can be merged elsewhere on the target.",
    "When entering text it is usually better to pick the largest font and then scale manually "
    "to a smaller size after the text is loaded.",
};

}  // namespace

const char* StartHint(int number) { return kHints[number & 7]; }

void OnInitialUpdate(State& st, Platform& pf) {
  if (st.first_update) {
    st.SetTargetSize(pf.settings.ReadInt("Target Width", 1024),
                     pf.settings.ReadInt("Target height", 768));
    pf.view.SetScrollSizes(st.TargetWidth(), st.TargetHeight());
    st.first_update = false;
  }
  if (st.SourceCount > 0) {
    RecomposeTarget(st, pf);
    pf.random.SeedFromClock();
    const int hint = pf.random.Rand() & 7;
    if (!st.tips.StartTip.occupied && st.FlyingTipsEnabled)
      st.tips.StartTip.Fill(100, 100, 700, 200, StartHint(hint));
  }
  if (st.SourceCount == 2) st.document_title = "Two sources";
}

void RefreshNewDocument(State& st, Platform& pf) {
  OnNewDocument(st);
  st.document_title.clear();
  OnInitialUpdate(st, pf);
}

}  // namespace wrimple
