// Feeds arbitrary bytes to wrimple-batch's script check as a whole script:
// every line's words, command and arguments, without running a command.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "batch/command_table.h"
#include "batch/runner.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const wrimple::batch::CommandTable table = wrimple::batch::BuildCommandTable();
  std::istringstream script(std::string(reinterpret_cast<const char*>(data), size));
  std::ostringstream errors;
  std::vector<wrimple::batch::CheckedLine> lines;
  wrimple::batch::CheckScript(script, "fuzz", table, lines, errors);
  return 0;
}
