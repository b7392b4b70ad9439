#include "batch/session.h"

#include <ctime>
#include <ostream>
#include <utility>

#include "compose/initial_update.h"

namespace wrimple::batch {

namespace {

// Line breaks inside a message are written as \n so that one box is one line.
std::string OneLine(std::string_view text) {
  std::string s;
  for (char c : text) {
    if (c == '\n')
      s += "\\n";
    else if (c != '\r')
      s += c;
  }
  return s;
}

// Without a font engine no font can be made; text commands then report it.
class NoFontEngine : public TextDrawing {
 public:
  std::unique_ptr<Font> CreateFont(const FontRecord&) override { return nullptr; }
};

TextDrawingFactory& TextFactory() {
  static TextDrawingFactory factory;
  return factory;
}

}  // namespace

void BatchMessages::ShowError(std::string_view text) {
  ++errors_shown_;
  err_ << "wrimple: error: " << OneLine(text) << '\n';
}

void BatchMessages::ShowInfo(std::string_view text) { err_ << "wrimple: info: " << OneLine(text) << '\n'; }

bool BatchMessages::AskYesNo(std::string_view text) {
  bool yes = options_.answer_yes;
  for (const auto& [prefix, answer] : answers_)
    if (text.substr(0, prefix.size()) == prefix) yes = answer;
  err_ << "wrimple: question: " << OneLine(text) << " -> " << (yes ? "yes" : "no") << '\n';
  return yes;
}

std::optional<FileChoice> BatchFiles::Take(const FileDialogRequest& request) {
  last_request_ = request;
  return std::exchange(pending_, std::nullopt);
}
std::optional<FileChoice> BatchFiles::ChooseOpen(const FileDialogRequest& r) { return Take(r); }
std::optional<FileChoice> BatchFiles::ChooseSave(const FileDialogRequest& r) { return Take(r); }

int BatchReplace::ChooseSourceToReplace(std::string_view, std::string_view) {
  if (answer_) return *answer_;
  unanswered_ = true;
  return 0;
}

void BatchClipboard::WriteBitmap(int width, int height, const std::uint8_t* rows) {
  Bitmap b;
  b.width = width;
  b.height = height;
  b.rows.assign(rows, rows + std::size_t(RowLength24(width)) * height);
  written_ = std::move(b);
}

int BatchSettings::ReadInt(std::string_view name, int default_value) {
  const auto it = ints_.find(name);
  return it == ints_.end() ? default_value : it->second;
}
std::string BatchSettings::ReadString(std::string_view name, std::string_view default_value) {
  const auto it = strings_.find(name);
  return it == strings_.end() ? std::string(default_value) : it->second;
}
void BatchSettings::WriteInt(std::string_view name, int value) { ints_[std::string(name)] = value; }
void BatchSettings::WriteString(std::string_view name, std::string_view value) {
  strings_[std::string(name)] = std::string(value);
}

void SetTextDrawingFactory(TextDrawingFactory factory) { TextFactory() = std::move(factory); }

Session::Session(const Options& opts, std::ostream& o, std::ostream& e)
    : options(opts),
      out(o),
      err(e),
      messages(e, opts),
      view(opts),
      text(TextFactory() ? TextFactory()() : std::make_unique<NoFontEngine>()),
      random([this] { return options.seed ? *options.seed : std::uint32_t(std::time(nullptr)); }),
      platform{messages, files, replace, clipboard, settings, progress, view, *text, random} {}

void Session::BeginCommand() {
  messages.ForgetAnswers();
  replace.Prepare(std::nullopt);
}

void StartUp(Session& session) {
  State& st = session.state;
  st.Aggressiveness = 5;
  st.FlyingTipsEnabled = false;
  st.FirstTimeHelp = false;
  st.ImagingAvailable = true;
  st.SourceCount = 0;
  OnInitialUpdate(st, session.platform);
}

}  // namespace wrimple::batch
