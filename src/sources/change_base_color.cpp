#include "compose/initial_update.h"
#include "compose/recompose.h"
#include "io/text_source.h"

namespace wrimple {

void ChangeBaseColor(State& st, Platform& pf,
                     const std::function<std::optional<ColorRef>(ColorRef initial)>& choose_color) {
  if (st.TargetModified &&
      !pf.messages.AskYesNo("Changing the base color now will overwrite your previous changes to the "
                            "Target.\nIs this OK ??"))
    return;
  st.TargetModified = false;
  const std::optional<ColorRef> chosen = choose_color(MakeColorRef(0, 0, 0));
  if (!chosen) return;
  st.doc.BaseColor = ToBgr(*chosen);
  for (int n = 1; n <= st.SourceCount; ++n)
    if (st.doc.Source(n).SourceKind == kKindTypedText && RenderTextSource(st, pf, n) == 1)
      RefreshNewDocument(st, pf);
  RecomposeTarget(st, pf);
}

}  // namespace wrimple
