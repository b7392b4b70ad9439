// Script commands of printing: "Print..." into a PDF file.
#include <ostream>

#include "batch/command_table.h"
#include "batch/session.h"
#include "document/print_layout.h"
#include "qtsupport/pdf_page.h"

namespace wrimple::batch {

namespace {

bool RunPrint(Session& s, const ScriptLine& line) {
  // The layout dialog opens with "Align to top" selected and is confirmed.
  s.state.PrintLayout = *LayoutFromWord(args::WordOption(line, "layout"));
  const bool letter = args::WordOption(line, "page") == "letter";
  const bool landscape = args::WordOption(line, "orientation") == "landscape";
  if (WritePrintedPdf(s.state, line.args[0], QPageSize(letter ? QPageSize::Letter : QPageSize::A4),
                      landscape ? QPageLayout::Landscape : QPageLayout::Portrait))
    return true;
  s.err << "wrimple-batch: cannot write " << line.args[0] << '\n';
  return false;
}

}  // namespace

void RegisterPrintCommands(CommandTable& table) { table.Bind("print", {RunPrint}); }

}  // namespace wrimple::batch
