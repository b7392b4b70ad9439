// Script commands of printing: "Print..." into a PDF file.
#include <ostream>

#include "batch/command_table.h"
#include "batch/session.h"
#include "document/print_layout.h"
#include "qtsupport/pdf_page.h"

namespace wrimple::batch {

namespace {

std::string CheckPrintLine(const ScriptLine& line) {
  auto option_problem = [&line](const char* name, std::vector<std::string_view> choices) {
    return line.Has(name) ? args::CheckOneOf(line.Option(name), choices, name) : std::string();
  };
  return args::FirstProblem({
      option_problem("layout", {"top", "middle", "bottom", "stretch"}),
      option_problem("page", {"a4", "letter"}),
      option_problem("orientation", {"portrait", "landscape"}),
  });
}

bool RunPrint(Session& s, const ScriptLine& line) {
  // The layout dialog opens with "Align to top" selected and is confirmed.
  s.state.PrintLayout = *LayoutFromWord(line.Has("layout") ? line.Option("layout") : "top");
  const bool letter = line.Has("page") && line.Option("page") == "letter";
  const bool landscape = line.Has("orientation") && line.Option("orientation") == "landscape";
  if (WritePrintedPdf(s.state, line.args[0], QPageSize(letter ? QPageSize::Letter : QPageSize::A4),
                      landscape ? QPageLayout::Landscape : QPageLayout::Portrait))
    return true;
  s.err << "wrimple-batch: cannot write " << line.args[0] << '\n';
  return false;
}

}  // namespace

void RegisterPrintCommands(CommandTable& table) {
  table.Add({.word = "print",
             .synopsis = "print PDF [layout=top|middle|bottom|stretch] [page=a4|letter] "
                         "[orientation=portrait|landscape]",
             .summary = "\"Print...\" into the PDF file PDF, the layout dialog answered",
             .min_args = 1,
             .max_args = 1,
             .option_names = {"layout", "page", "orientation"},
             .enabled_by = CommandId::Print,
             .check = CheckPrintLine,
             .run = RunPrint});
}

}  // namespace wrimple::batch
