// Script commands of sources in and target out: loading, text, clipboard, saving.
#include <fstream>
#include <iterator>
#include <ostream>

#include "batch/command_table.h"
#include "batch/session.h"
#include "io/clipboard_sources.h"
#include "io/imaging.h"
#include "io/loading.h"
#include "io/messages.h"
#include "io/saving.h"
#include "io/text_source.h"

namespace wrimple::batch {

namespace {

std::string CheckReplace(const ScriptLine& line) {
  return line.Has("replace") ? args::CheckInt(line.Option("replace"), 0, 2, "replace") : std::string();
}

std::string CheckZone(const ScriptLine& line) {
  return line.Has("zone") ? args::CheckOneOf(line.Option("zone"), {"yes", "no"}, "zone") : std::string();
}

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

CommandSpec OpenCommand() {
  return {.word = "open",
          .synopsis = "open PATH [replace=0|1|2]",
          .summary = "\"Open image\" with the file dialog returning PATH",
          .min_args = 1,
          .max_args = 1,
          .option_names = {"replace"},
          .enabled_by = CommandId::OpenImage,
          .check = CheckReplace,
          .run = [](Session& s, const ScriptLine& line) {
            PrepareReplace(s, line);
            s.files.Prepare({.path = line.args[0], .filter_index = 1});
            OpenImage(s.state, s.platform);
            DropUnusedFileChoice(s);
            return ReplaceAnswered(s);
          }};
}

CommandSpec ReopenCommand() {
  return {.word = "reopen",
          .synopsis = "reopen",
          .summary = "\"Re_open last image\"",
          .enabled_by = CommandId::ReopenLastImage,
          .run = [](Session& s, const ScriptLine&) {
            ReopenLastImage(s.state, s.platform);
            return ReplaceAnswered(s);
          }};
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

std::string CheckText(const ScriptLine& line) {
  auto flag = [&](const char* o) {
    return line.Has(o) ? args::CheckInt(line.Option(o), 0, 1, o) : std::string();
  };
  auto face = [&]() -> std::string {
    if (!line.Has("font")) return {};
    const std::string& f = line.Option("font");
    if (f.empty() || f.size() > FontRecord::kMaxFaceName) return "font must be a face name of 1 to 31 characters";
    return {};
  };
  return args::FirstProblem(
      {CheckReplace(line), face(),
       line.Has("height") ? args::CheckInt(line.Option("height"), -1000, 1000, "height") : std::string(),
       line.Has("weight") ? args::CheckInt(line.Option("weight"), 0, 1000, "weight") : std::string(),
       flag("italic"), flag("underline"), flag("strikeout"),
       line.Has("color") ? args::CheckColorOption(line.Option("color"), "color") : std::string(),
       line.Has("try") ? args::CheckInt(line.Option("try"), 0, 1000, "try") : std::string()});
}

CommandSpec TextCommand() {
  return {.word = "text",
          .synopsis = "text TEXT [replace=N] [font=FACE] [height=H] [weight=W] [italic=0|1] "
                      "[underline=0|1] [strikeout=0|1] [color=R,G,B] [try=N]",
          .summary = "\"New/Change Text ...\" with TEXT typed (\\n breaks lines), closed with OK",
          .min_args = 1,
          .max_args = 1,
          .option_names = {"replace", "font", "height", "weight", "italic", "underline", "strikeout",
                           "color", "try"},
          .enabled_by = CommandId::NewChangeText,
          .check = CheckText,
          .run = [](Session& s, const ScriptLine& line) {
            PrepareReplace(s, line);
            ScriptedTextEntry driver(line);
            NewChangeText(s.state, s.platform, driver);
            return ReplaceAnswered(s);
          }};
}

std::string CheckColorArgs(const ScriptLine& line) {
  return args::FirstProblem({args::CheckInt(line.args[0], 0, 255, "R"), args::CheckInt(line.args[1], 0, 255, "G"),
                             args::CheckInt(line.args[2], 0, 255, "B")});
}

CommandSpec BaseColorCommand() {
  return {.word = "base-color",
          .synopsis = "base-color R G B",
          .summary = "\"Base color\" with the colour dialog answered R G B",
          .min_args = 3,
          .max_args = 3,
          .enabled_by = CommandId::BaseColor,
          .check = CheckColorArgs,
          .run = [](Session& s, const ScriptLine& line) {
            const ColorRef chosen =
                MakeColorRef(args::ToInt(line.args[0]), args::ToInt(line.args[1]), args::ToInt(line.args[2]));
            ChangeBaseColor(s.state, s.platform, [chosen](ColorRef) { return chosen; });
            return true;
          }};
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

CommandSpec PasteCommand() {
  return {.word = "paste",
          .synopsis = "paste PATH [replace=N]",
          .summary = "\"Paste\" with the clipboard holding the bitmap of the BMP file PATH",
          .min_args = 1,
          .max_args = 1,
          .option_names = {"replace"},
          .enabled_by = CommandId::Paste,
          .check = CheckReplace,
          .run = [](Session& s, const ScriptLine& line) {
            PrepareReplace(s, line);
            s.clipboard.SetDib(BmpFileDib(line.args[0]));
            Paste(s.state, s.platform);
            return ReplaceAnswered(s);
          }};
}

CommandSpec BlankSourceCommand() {
  return {.word = "blank-source",
          .synopsis = "blank-source [replace=N]",
          .summary = "\"Blank Source\" of the current reference colour",
          .option_names = {"replace"},
          .enabled_by = CommandId::BlankSource,
          .check = CheckReplace,
          .run = [](Session& s, const ScriptLine& line) {
            PrepareReplace(s, line);
            // The reference colour dialog closes at once, keeping the colour.
            if (BeginBlankSource(s.state, s.platform)) FinishBlankSource(s.state, s.platform);
            return ReplaceAnswered(s);
          }};
}

CommandSpec TargetToSourceCommand() {
  return {.word = "target-to-source",
          .synopsis = "target-to-source 1|2",
          .summary = "\"Target to source 1\" or \"Target to source 2\"",
          .min_args = 1,
          .max_args = 1,
          .enabled_by = CommandId::TargetToSource1,
          .check = [](const ScriptLine& line) { return args::CheckInt(line.args[0], 1, 2, "the source"); },
          .run = [](Session& s, const ScriptLine& line) {
            const int n = args::ToInt(line.args[0]);
            if (n == 2 && !IsEnabled(s.state, CommandId::TargetToSource2)) {
              s.messages.ShowError("target-to-source is not available now");
              return false;
            }
            TargetToSource(s.state, s.platform, n);
            return true;
          }};
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

CommandSpec CopyCommand() {
  return {.word = "copy",
          .synopsis = "copy PATH [zone=yes|no]",
          .summary = "\"Copy\"; the clipboard's bitmap is written to PATH as a 24-bit BMP file",
          .min_args = 1,
          .max_args = 1,
          .option_names = {"zone"},
          .enabled_by = CommandId::Copy,
          .check = CheckZone,
          .run = [](Session& s, const ScriptLine& line) {
            PrepareZoneAnswer(s, line);
            CopyTarget(s.state, s.platform);
            if (s.clipboard.written() && WriteClipboardBitmap(*s.clipboard.written(), line.args[0])) return true;
            s.err << "wrimple-batch: cannot write " << line.args[0] << '\n';
            return false;
          }};
}

CommandSpec SaveAsCommand() {
  return {.word = "save-as",
          .synopsis = "save-as PATH [filter=1..6] [zone=yes|no]",
          .summary = "\"Save As\" with the dialog returning PATH and the filter (1 bmp, 2 jpg, 3 png, 4 tif, "
                     "5 tga, 6 pcx)",
          .min_args = 1,
          .max_args = 1,
          .option_names = {"filter", "zone"},
          .enabled_by = CommandId::SaveAs,
          .check = [](const ScriptLine& line) {
            return args::FirstProblem(
                {line.Has("filter") ? args::CheckInt(line.Option("filter"), 1, 6, "filter") : std::string(),
                 CheckZone(line)});
          },
          .run = [](Session& s, const ScriptLine& line) {
            PrepareZoneAnswer(s, line);
            const int filter = line.Has("filter") ? args::ToInt(line.Option("filter")) : 1;
            s.files.Prepare({.path = line.args[0], .filter_index = filter});
            const bool saved = SaveAs(s.state, s.platform);
            DropUnusedFileChoice(s);
            return saved;
          }};
}

// "Save" and "Next Save" fall back to "Save As" before the first save, and
// the runner has no name to give that dialog.
bool HasSaveName(Session& s, const ScriptLine& line) {
  if (s.state.SourceCount == 0 || (!s.state.doc.save_path.empty() && !s.state.doc.save_extension.empty()))
    return true;
  s.err << "wrimple-batch: " << line.word << " needs a file name: run save-as first\n";
  return false;
}

CommandSpec SaveCommand() {
  return {.word = "save",
          .synopsis = "save",
          .summary = "\"Save\": the whole target to the last \"Save As\" file",
          .enabled_by = CommandId::Save,
          .run = [](Session& s, const ScriptLine& line) { return HasSaveName(s, line) && Save(s.state, s.platform); }};
}

CommandSpec NextSaveCommand() {
  return {.word = "next-save",
          .synopsis = "next-save",
          .summary = "\"Next Save\": the next numbered file of the last \"Save As\" name",
          .enabled_by = CommandId::NextSave,
          .run = [](Session& s, const ScriptLine& line) {
            return HasSaveName(s, line) && NextSave(s.state, s.platform);
          }};
}

}  // namespace

void RegisterIoCommands(CommandTable& table) {
  for (CommandSpec spec : {OpenCommand(), ReopenCommand(), TextCommand(), BaseColorCommand(), PasteCommand(),
                           BlankSourceCommand(), TargetToSourceCommand(), CopyCommand(), SaveAsCommand(),
                           SaveCommand(), NextSaveCommand()})
    table.Add(std::move(spec));
}

}  // namespace wrimple::batch
