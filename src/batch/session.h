// A run of a script: the program's state and the runner's stand-ins for the
// person at the screen (answers to questions and dialogs, the clipboard, the
// view's size).
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/platform.h"
#include "document/state.h"

namespace wrimple::batch {

struct Options {
  std::optional<std::uint32_t> seed;  // replaces every seeding from the clock
  bool answer_yes = true;             // for questions a command does not answer itself
  int view_width = 1024;
  int view_height = 768;
  bool keep_going = false;
};

// Message boxes become lines on standard error.
class BatchMessages : public MessageBoxes {
 public:
  BatchMessages(std::ostream& err, const Options& options) : err_(err), options_(options) {}
  void ShowError(std::string_view text) override;
  void ShowInfo(std::string_view text) override;
  bool AskYesNo(std::string_view text) override;

  // Answers for the questions of the current command whose text starts with a
  // prefix (the zone question of saving and copying).
  void AnswerQuestionsStartingWith(std::string prefix, bool yes) { answers_[std::move(prefix)] = yes; }
  void ForgetAnswers() { answers_.clear(); }
  int errors_shown() const { return errors_shown_; }

 private:
  std::ostream& err_;
  const Options& options_;
  std::map<std::string, bool> answers_;
  int errors_shown_ = 0;
};

// The file dialogs return what the current command put ready.
class BatchFiles : public FileChooser {
 public:
  void Prepare(FileChoice choice) { pending_ = std::move(choice); }
  std::optional<FileChoice> ChooseOpen(const FileDialogRequest& request) override;
  std::optional<FileChoice> ChooseSave(const FileDialogRequest& request) override;
  const FileDialogRequest& last_request() const { return last_request_; }

 private:
  std::optional<FileChoice> Take(const FileDialogRequest& request);
  std::optional<FileChoice> pending_;
  FileDialogRequest last_request_;
};

// The replace dialog answers with the command's replace= option; without one the
// dialog cannot be answered and the command fails.
class BatchReplace : public ReplaceSourceChooser {
 public:
  void Prepare(std::optional<int> answer) { answer_ = answer, unanswered_ = false; }
  int ChooseSourceToReplace(std::string_view, std::string_view) override;
  bool unanswered() const { return unanswered_; }

 private:
  std::optional<int> answer_;
  bool unanswered_ = false;
};

class BatchClipboard : public Clipboard {
 public:
  bool Open() override { return true; }
  std::optional<std::vector<std::uint8_t>> ReadDib() override { return dib_; }
  void WriteBitmap(int width, int height, const std::uint8_t* rows) override;
  std::optional<std::string> ReadText() override { return std::nullopt; }

  void SetDib(std::optional<std::vector<std::uint8_t>> dib) { dib_ = std::move(dib); }
  struct Bitmap {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rows;  // bottom-up, RowLength24(width)
  };
  const std::optional<Bitmap>& written() const { return written_; }

 private:
  std::optional<std::vector<std::uint8_t>> dib_;
  std::optional<Bitmap> written_;
};

// Settings live only for the run: the runner never reads or writes the desktop
// program's store.
class BatchSettings : public SettingsStore {
 public:
  int ReadInt(std::string_view name, int default_value) override;
  std::string ReadString(std::string_view name, std::string_view default_value) override;
  void WriteInt(std::string_view name, int value) override;
  void WriteString(std::string_view name, std::string_view value) override;

 private:
  std::map<std::string, int, std::less<>> ints_;
  std::map<std::string, std::string, std::less<>> strings_;
};

class BatchProgress : public ProgressPane {
 public:
  void FillProgressPane(ColorRef, int) override {}
};

class BatchView : public ViewPort {
 public:
  explicit BatchView(const Options& options) : options_(options) {}
  void RedrawView() override {}
  Size ClientSize() const override { return {options_.view_width, options_.view_height}; }
  Point ScrollPosition() const override { return {0, 0}; }
  void SetScrollSizes(int, int) override {}

 private:
  const Options& options_;
};

// Text drawing for the runner; set by the program that links a font engine.
using TextDrawingFactory = std::function<std::unique_ptr<TextDrawing>()>;
void SetTextDrawingFactory(TextDrawingFactory factory);

class Session {
 public:
  Session(const Options& options, std::ostream& out, std::ostream& err);

  const Options& options;
  std::ostream& out;
  std::ostream& err;
  State state;
  BatchMessages messages;
  BatchFiles files;
  BatchReplace replace;
  BatchClipboard clipboard;
  BatchSettings settings;
  BatchProgress progress;
  BatchView view;
  std::unique_ptr<TextDrawing> text;
  RandomGenerator random;
  Platform platform;

  // Called before each command: forgets the previous command's answers.
  void BeginCommand();
};

// The program's first-run state with no settings store, as the runner starts.
void StartUp(Session& session);

}  // namespace wrimple::batch
