#include <algorithm>
#include <cctype>

#include "io/loading.h"

namespace wrimple {

namespace {

std::string LowerTail(std::string_view path, std::size_t count) {
  std::string tail(path.substr(path.size() - std::min(count, path.size())));
  std::transform(tail.begin(), tail.end(), tail.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  return tail;
}

}  // namespace

// No dot is looked for: "xjpg" and "a.jpg" dispatch alike.
std::string DispatchExtension(std::string_view path) {
  if (LowerTail(path, 4) == "jpeg") return "jpg";
  return LowerTail(path, 3);
}

}  // namespace wrimple
