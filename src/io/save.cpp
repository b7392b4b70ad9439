#include "io/messages.h"
#include "io/saving.h"

namespace wrimple {

bool Save(State& st, Platform& pf) {
  if (st.SourceCount == 0) {
    pf.messages.ShowError(text::kNothingToSave);
    return true;
  }
  st.doc.next_save_number = 0;
  if (st.doc.save_path.empty() || st.doc.save_extension.empty()) return SaveAs(st, pf);
  return SaveFile(st, pf, st.doc.save_path, st.doc.save_extension, false);
}

}  // namespace wrimple
