#include "io/loading.h"

namespace wrimple {

void OpenDroppedFiles(State& st, Platform& pf, const std::vector<std::string>& paths) {
  for (const std::string& path : paths) OpenDocumentFile(st, pf, path);
}

}  // namespace wrimple
