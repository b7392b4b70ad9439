#include "compose/initial_update.h"
#include "io/loading.h"

namespace wrimple {

namespace {

std::string FileName(const std::string& path) {
  const std::size_t cut = path.find_last_of("/\\");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace

bool OpenDocumentFile(State& st, Platform& pf, const std::string& path) {
  if (!OnOpenDocument(st, pf, path)) return false;
  st.document_title = FileName(path);
  OnInitialUpdate(st, pf);
  return true;
}

}  // namespace wrimple
