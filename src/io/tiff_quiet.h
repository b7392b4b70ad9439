// libtiff reports problems on standard error by default; the program reports
// failures through its own messages instead.
#pragma once

namespace wrimple {

void SilenceTiffMessages();

}  // namespace wrimple
