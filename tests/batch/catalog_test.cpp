// The command catalogue against the runner: every command the runner offers
// has its script word, every script word runs and has its line in --help.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "batch/command_table.h"
#include "batch/runner.h"
#include "commands/command_catalog.h"

namespace wrimple::batch {
namespace {

using C = CommandId;

// Commands the runner does not offer, and why.
const C kNoScriptWord[] = {
    C::New,              // the framework's own; the program has one document
    C::QuickPrint,       // printing goes to a PDF file through "print"
    C::PrintPreview,     // needs a screen
    C::PrintSetup,       // needs the printer dialog
    C::Exit,             // the runner ends with its script
    C::Cut,              // never enabled
    C::ToggleStatusBar,  // the window's status bar
    C::About,            // dialogs of the window alone
    C::HelpTopics,
    C::FlowDiagram,
    C::ZoomIn,           // the zoom of the window's view, which changes no target pixel
    C::ZoomOut,
    C::ActualSize,
    C::FitInWindow,
};

bool OffersScriptWord(CommandId id) {
  for (const ScriptCommand& c : ScriptCommands())
    if (std::find(c.ids.begin(), c.ids.end(), id) != c.ids.end()) return true;
  return false;
}

TEST(CommandCatalog, EveryCommandTheRunnerOffersHasAScriptWord) {
  for (const CommandInfo& info : Commands()) {
    const bool excused = std::find(std::begin(kNoScriptWord), std::end(kNoScriptWord), info.id) != std::end(kNoScriptWord);
    EXPECT_NE(OffersScriptWord(info.id), excused) << "command " << int(info.id) << ": " << info.menu_text;
  }
}

TEST(CommandCatalog, EveryScriptWordRunsAndHasItsLineInTheHelp) {
  const CommandTable table = BuildCommandTable();
  EXPECT_EQ(table.stray_words(), std::vector<std::string>{}) << "runs bound to words the catalogue lacks";
  std::istringstream in;
  std::ostringstream help, err;
  ASSERT_EQ(RunBatch({"--help"}, in, help, err), kExitOk);
  for (const ScriptCommand& c : ScriptCommands()) {
    EXPECT_NE(table.Find(c.word), nullptr) << c.word << " has no run";
    EXPECT_NE(help.str().find("\n  " + c.Synopsis() + "\n      " + c.Summary() + "\n"), std::string::npos) << c.word;
    EXPECT_EQ(c.Summary().find('{'), std::string::npos) << c.word << ": a placeholder names no parameter";
    if (c.form == ScriptForm::OwnRun) continue;
    for (CommandId id : c.ids) EXPECT_NE(InfoOf(id).action, nullptr) << c.word << " runs a command without a core action";
  }
}

TEST(CommandCatalog, SynopsisAndChecksComeFromTheParameters) {
  const CommandTable table = BuildCommandTable();
  EXPECT_EQ(table.Find("effects2")->summary, "Effects 2: the perturbation fields typed (1..100), Try, Done");
  EXPECT_EQ(table.Find("merge")->synopsis,
            "merge [method=M] [bias=0..255] [threshold=0..100] [contrast=normal|bw|rgb]");
  EXPECT_EQ(table.Find("grab")->synopsis, "grab BOX ACTION [DX DY]");
  EXPECT_EQ(table.Find("sweep")->min_args, 2);
  EXPECT_EQ(table.Find("sweep")->max_args, -1);
  EXPECT_EQ(table.Find("grab")->max_args, 4);
}

}  // namespace
}  // namespace wrimple::batch
