#include "io/loading.h"
#include "io/messages.h"

namespace wrimple {

bool OpenRecentFile(State& st, Platform& pf, const std::string& path) {
  if (!ConfirmDiscardTargetChanges(st, pf, text::kLoadDiscardsChanges)) return true;
  if (OpenDocumentFile(st, pf, path)) return true;
  pf.messages.ShowInfo("Image removed from the recent file list.");
  return false;
}

}  // namespace wrimple
