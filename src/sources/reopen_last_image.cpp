#include "compose/initial_update.h"
#include "io/loading.h"

namespace wrimple {

void ReopenLastImage(State& st, Platform& pf) {
  if (st.doc.last_image_path.empty()) {
    pf.messages.ShowError(
        "There is no image file to reopen!\n\nPlease load one or two source images now.");
    return;
  }
  // The path is copied: loading rewrites the last image path.
  const std::string path = st.doc.last_image_path;
  pf.messages.ShowInfo("Reopening ....\n\n" + path);
  OnOpenDocument(st, pf, path);
  RefreshNewDocument(st, pf);
}

}  // namespace wrimple
