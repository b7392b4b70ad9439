#include <cstdio>

#include "io/imaging.h"
#include "io/loading.h"
#include "io/messages.h"

namespace wrimple {

namespace {

// The framework's own open step: the file must be readable.
bool CanOpenForReading(Platform& pf, const std::string& path) {
  UniqueFile file(std::fopen(path.c_str(), "rb"));
  if (file) return true;
  pf.messages.ShowError(std::string(text::kFailedToOpenDocument) + "\n" + path);
  return false;
}

}  // namespace

bool OnOpenDocument(State& st, Platform& pf, const std::string& path) {
  if (!CanOpenForReading(pf, path)) return false;
  if (st.FirstTimeHelp && !st.HelpPictureOpened) return ReadHelpPicture(st, pf, path);
  return LoadSource(st, pf, path);
}

}  // namespace wrimple
