#include "io/loading.h"
#include "io/messages.h"

namespace wrimple {

namespace {

std::string Folder(const std::string& path) {
  const std::size_t cut = path.find_last_of("/\\");
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

}  // namespace

// The chosen folder is remembered as "Last Open Directory", so the next open
// dialog starts where the last one ended.
void OpenImage(State& st, Platform& pf) {
  if (!ConfirmDiscardTargetChanges(st, pf, text::kLoadDiscardsChanges)) return;
  FileDialogRequest request{.title = kOpenTitle, .filter = kOpenFilter};
  request.initial_folder = pf.settings.ReadString("Last Open Directory", "");
  request.filter_index = pf.settings.ReadInt("Last Open Extension", 0);
  const std::optional<FileChoice> choice = pf.files.ChooseOpen(request);
  if (!choice) return;
  pf.settings.WriteInt("Last Open Extension", choice->filter_index);
  pf.settings.WriteString("Last Open Directory", Folder(choice->path));
  OpenDocumentFile(st, pf, choice->path);
}

}  // namespace wrimple
