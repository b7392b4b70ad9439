// Scripted doubles of the platform interfaces: each records what the core asked
// and answers from a queue the test fills.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/platform.h"
#include "document/state.h"

namespace wrimple::testing {

struct RecordedMessage {
  enum Kind { Error, Info, Question } kind;
  std::string text;
};

class ScriptedMessages : public MessageBoxes {
 public:
  void ShowError(std::string_view text) override { log.push_back({RecordedMessage::Error, std::string(text)}); }
  void ShowInfo(std::string_view text) override { log.push_back({RecordedMessage::Info, std::string(text)}); }
  // Answers from the queue; Yes once it is empty.
  bool AskYesNo(std::string_view text) override {
    log.push_back({RecordedMessage::Question, std::string(text)});
    if (answers.empty()) return true;
    const bool a = answers.front();
    answers.pop_front();
    return a;
  }
  std::vector<std::string> Texts(RecordedMessage::Kind kind) const {
    std::vector<std::string> out;
    for (const auto& m : log)
      if (m.kind == kind) out.push_back(m.text);
    return out;
  }

  std::deque<bool> answers;
  std::vector<RecordedMessage> log;
};

class ScriptedFiles : public FileChooser {
 public:
  std::optional<FileChoice> ChooseOpen(const FileDialogRequest& r) override { return Next(r); }
  std::optional<FileChoice> ChooseSave(const FileDialogRequest& r) override { return Next(r); }

  std::deque<std::optional<FileChoice>> choices;  // nullopt: the dialog is cancelled
  std::vector<FileDialogRequest> requests;

 private:
  std::optional<FileChoice> Next(const FileDialogRequest& r) {
    requests.push_back(r);
    if (choices.empty()) return std::nullopt;
    auto c = choices.front();
    choices.pop_front();
    return c;
  }
};

class ScriptedReplace : public ReplaceSourceChooser {
 public:
  int ChooseSourceToReplace(std::string_view d1, std::string_view d2) override {
    shown.push_back({std::string(d1), std::string(d2)});
    if (answers.empty()) return 0;
    const int a = answers.front();
    answers.pop_front();
    return a;
  }
  std::deque<int> answers;
  std::vector<std::pair<std::string, std::string>> shown;
};

class MemoryClipboard : public Clipboard {
 public:
  bool Open() override { return opens; }
  std::optional<std::vector<std::uint8_t>> ReadDib() override { return dib; }
  void WriteBitmap(int w, int h, const std::uint8_t* rows) override {
    written_width = w;
    written_height = h;
    written.assign(rows, rows + std::size_t(RowLength24(w)) * h);
  }
  std::optional<std::string> ReadText() override { return text; }

  bool opens = true;
  std::optional<std::vector<std::uint8_t>> dib;
  std::optional<std::string> text;
  int written_width = 0, written_height = 0;
  std::vector<std::uint8_t> written;
};

class MemorySettings : public SettingsStore {
 public:
  int ReadInt(std::string_view name, int def) override {
    auto it = ints.find(std::string(name));
    return it == ints.end() ? def : it->second;
  }
  std::string ReadString(std::string_view name, std::string_view def) override {
    auto it = strings.find(std::string(name));
    return it == strings.end() ? std::string(def) : it->second;
  }
  void WriteInt(std::string_view name, int v) override { ints[std::string(name)] = v; }
  void WriteString(std::string_view name, std::string_view v) override { strings[std::string(name)] = std::string(v); }

  std::map<std::string, int> ints;
  std::map<std::string, std::string> strings;
};

class RecordingProgress : public ProgressPane {
 public:
  void FillProgressPane(ColorRef color, int percent) override { fills.push_back({color, percent}); }
  std::vector<std::pair<ColorRef, int>> fills;
};

class FakeView : public ViewPort {
 public:
  void RedrawView() override { ++redraws; }
  Size ClientSize() const override { return client; }
  Point ScrollPosition() const override { return scroll; }
  void SetScrollSizes(int w, int h) override { scroll_size = {w, h}; }
  ViewMapping Mapping() const override { return {.zoom = zoom, .scroll = scroll, .ui_scale = ui_scale}; }

  int redraws = 0;
  Size client{1024, 768};
  Point scroll{0, 0};
  ZoomRatio zoom{1, 1};
  double ui_scale = 1.0;
  Size scroll_size;
};

// A monospaced font of cells: every character is `cell_width` wide and
// `cell_height` tall, and a drawn character inks its whole cell but a one-pixel
// margin, so pictures are easy to predict.
class CellFont : public Font {
 public:
  CellFont(int w, int h) : cell_width(w), cell_height(h) {}
  Size MeasureLine(std::string_view line) override { return {int(line.size()) * cell_width, cell_height}; }
  MonoBitmap DrawText(std::string_view text, int width, int height, int left, int top) override;
  int cell_width, cell_height;
};

class CellTextDrawing : public TextDrawing {
 public:
  std::unique_ptr<Font> CreateFont(const FontRecord& record) override {
    created.push_back(record);
    if (fail) return nullptr;
    const int h = record.height < 0 ? -record.height : record.height;
    return std::make_unique<CellFont>(h / 2 > 0 ? h / 2 : 1, h > 0 ? h : 1);
  }
  bool fail = false;
  std::vector<FontRecord> created;
};

// All doubles together, with a fixed clock seed.
struct TestPlatform {
  ScriptedMessages messages;
  ScriptedFiles files;
  ScriptedReplace replace;
  MemoryClipboard clipboard;
  MemorySettings settings;
  RecordingProgress progress;
  FakeView view;
  CellTextDrawing text;
  std::uint32_t clock_seed = 12345;
  RandomGenerator random{[this] { return clock_seed; }};
  Platform platform{messages, files, replace, clipboard, settings, progress, view, text, random};

  operator Platform&() { return platform; }
};

// Fills the target with a pattern that differs in every byte of every pixel.
void FillTargetPattern(State& st, unsigned seed = 1);
// Fills source n's plane region of the target size with a pattern.
void FillPlanePattern(State& st, int n, unsigned seed = 2);

}  // namespace wrimple::testing
