// Script commands of sources in and target out: loading, text, clipboard, saving.
#include <fstream>
#include <iterator>
#include <ostream>

#include "batch/command_table.h"
#include "batch/session.h"
#include "io/clipboard_sources.h"
#include "io/imaging.h"
#include "io/messages.h"
#include "io/saving.h"
#include "io/text_source.h"

namespace wrimple::batch {

namespace {

void PrepareReplace(Session& s, const ScriptLine& line) {
  if (line.Has("replace")) s.replace.Prepare(args::ToInt(line.Option("replace")));
}

void PrepareZoneAnswer(Session& s, const ScriptLine& line) {
  if (line.Has("zone")) s.messages.AnswerQuestionsStartingWith(text::kZoneSetUp, line.Option("zone") == "yes");
}

// A file choice the command did not use (its question was answered No) must
// not answer a later command's dialog.
void DropUnusedFileChoice(Session& s) { s.files.ChooseOpen(s.files.last_request()); }

// The replace dialog came without a replace= answer: the line cannot be done.
bool ReplaceAnswered(Session& s) {
  if (!s.replace.unanswered()) return true;
  s.err << "wrimple-batch: the replace dialog needs replace=0|1|2\n";
  return false;
}

// The command's core action, after which the replace dialog must have had its answer.
bool RunAndAnswerReplace(Session& s, CommandId id) {
  InfoOf(id).action(s.state, s.platform);
  return ReplaceAnswered(s);
}

bool RunOpen(Session& s, const ScriptLine& line) {
  PrepareReplace(s, line);
  s.files.Prepare({.path = line.args[0], .filter_index = 1});
  InfoOf(CommandId::OpenImage).action(s.state, s.platform);
  DropUnusedFileChoice(s);
  return ReplaceAnswered(s);
}

// The script's line breaks are the edit box's CR LF pairs.
std::string EditBoxText(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n' && (out.empty() || out.back() != '\r')) out += '\r';
    out += c;
  }
  return out;
}

// Closes the text dialog with OK, after `tries` presses of "Try Text"; the
// font options go through "Set Font" the first time the dialog opens.
class ScriptedTextEntry : public TextEntryDriver {
 public:
  explicit ScriptedTextEntry(const ScriptLine& line) : line_(line), typed_(EditBoxText(line.args[0])) {
    if (line.Has("try")) tries_ = args::ToInt(line.Option("try"));
  }

  int Run(text_entry& dialog) override {
    if (first_run_ && WantsFontDialog()) dialog.SetFont(ChosenFont(dialog));
    first_run_ = false;
    if (tries_ > 0) {
      --tries_;
      return dialog.TryText(typed_);
    }
    return dialog.Ok(typed_);
  }

 private:
  bool WantsFontDialog() const {
    for (const char* o : {"font", "height", "weight", "italic", "underline", "strikeout", "color"})
      if (line_.Has(o)) return true;
    return false;
  }

  FontChoice ChosenFont(const text_entry& dialog) const {
    FontChoice c{.font = dialog.font(), .color = dialog.color()};
    if (line_.Has("font")) c.font.face_name = line_.Option("font");
    if (line_.Has("height")) c.font.height = args::ToInt(line_.Option("height"));
    if (line_.Has("weight")) c.font.weight = args::ToInt(line_.Option("weight"));
    if (line_.Has("italic")) c.font.italic = std::uint8_t(args::ToInt(line_.Option("italic")));
    if (line_.Has("underline")) c.font.underline = std::uint8_t(args::ToInt(line_.Option("underline")));
    if (line_.Has("strikeout")) c.font.strike_out = std::uint8_t(args::ToInt(line_.Option("strikeout")));
    if (line_.Has("color")) {
      const args::Rgb rgb = args::ToColorOption(line_.Option("color"));
      c.color = MakeColorRef(rgb.red, rgb.green, rgb.blue);
    }
    return c;
  }

  const ScriptLine& line_;
  std::string typed_;
  int tries_ = 0;
  bool first_run_ = true;
};

std::string CheckFontFace(const ScriptLine& line) {
  if (!line.Has("font")) return {};
  const std::string& f = line.Option("font");
  if (f.empty() || f.size() > FontRecord::kMaxFaceName) return "font must be a face name of 1 to 31 characters";
  return {};
}

bool RunText(Session& s, const ScriptLine& line) {
  PrepareReplace(s, line);
  ScriptedTextEntry driver(line);
  NewChangeText(s.state, s.platform, driver);
  return ReplaceAnswered(s);
}

bool RunBaseColor(Session& s, const ScriptLine& line) {
  const ColorRef chosen = MakeColorRef(args::ToInt(line.args[0]), args::ToInt(line.args[1]), args::ToInt(line.args[2]));
  ChangeBaseColor(s.state, s.platform, [chosen](ColorRef) { return chosen; });
  return true;
}

// The device-independent bitmap of a BMP file: the file after its 14-byte
// file header; none when the file is not a readable BMP file.
std::optional<std::vector<std::uint8_t>> BmpFileDib(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() < 14 || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
  bytes.erase(bytes.begin(), bytes.begin() + 14);
  return bytes;
}

bool RunPaste(Session& s, const ScriptLine& line) {
  PrepareReplace(s, line);
  s.clipboard.SetDib(BmpFileDib(line.args[0]));
  return RunAndAnswerReplace(s, CommandId::Paste);
}

bool RunBlankSource(Session& s, const ScriptLine& line) {
  PrepareReplace(s, line);
  // The reference colour dialog closes at once, keeping the colour.
  if (BeginBlankSource(s.state, s.platform)) FinishBlankSource(s.state, s.platform);
  return ReplaceAnswered(s);
}

// The clipboard's bitmap as a 24-bit BMP file.
bool WriteClipboardBitmap(const BatchClipboard::Bitmap& b, const std::string& path) {
  const std::ptrdiff_t row_length = RowLength24(b.width);
  const BgrRows rows{.width = b.width,
                     .height = b.height,
                     .first_row = b.rows.data() + (b.height - 1) * row_length,
                     .stride = -row_length};
  return WriteReplacing(path, [&](const std::string& temporary) {
    UniqueFile file(std::fopen(temporary.c_str(), "wb"));
    return file && WriteBmp(file.get(), rows) && std::fclose(file.release()) == 0;
  });
}

bool RunCopy(Session& s, const ScriptLine& line) {
  PrepareZoneAnswer(s, line);
  InfoOf(CommandId::Copy).action(s.state, s.platform);
  if (s.clipboard.written() && WriteClipboardBitmap(*s.clipboard.written(), line.args[0])) return true;
  s.err << "wrimple-batch: cannot write " << line.args[0] << '\n';
  return false;
}

bool RunSaveAs(Session& s, const ScriptLine& line) {
  PrepareZoneAnswer(s, line);
  s.files.Prepare({.path = line.args[0], .filter_index = args::IntOption(line, "filter")});
  const bool saved = InfoOf(CommandId::SaveAs).action(s.state, s.platform);
  DropUnusedFileChoice(s);
  return saved;
}

// "Save" and "Next Save" fall back to "Save As" before the first save, and
// the runner has no name to give that dialog.
bool HasSaveName(Session& s, const ScriptLine& line) {
  if (s.state.SourceCount == 0 || (!s.state.doc.save_path.empty() && !s.state.doc.save_extension.empty()))
    return true;
  s.err << "wrimple-batch: " << line.word << " needs a file name: run save-as first\n";
  return false;
}

// "Save" and "Next Save" through their core actions.
bool RunSave(Session& s, const ScriptLine& line) {
  return HasSaveName(s, line) && InfoOf(*line.command->ids.begin()).action(s.state, s.platform);
}

}  // namespace

void RegisterIoCommands(CommandTable& table) {
  table.Bind("open", {RunOpen});
  table.Bind("reopen", {[](Session& s, const ScriptLine&) { return RunAndAnswerReplace(s, CommandId::ReopenLastImage); }});
  table.Bind("text", {RunText, CheckFontFace});
  table.Bind("base-color", {RunBaseColor});
  table.Bind("paste", {RunPaste});
  table.Bind("blank-source", {RunBlankSource});
  table.Bind("copy", {RunCopy});
  table.Bind("save-as", {RunSaveAs});
  table.Bind("save", {RunSave});
  table.Bind("next-save", {RunSave});
}

}  // namespace wrimple::batch
