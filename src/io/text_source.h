// Text sources: the "New/Change Text ..." command with its text dialog,
// rendering a slot's text into its picture, and the "Base color" command.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "document/platform.h"
#include "document/state.h"

namespace wrimple {

// What the font dialog returns on OK.
struct FontChoice {
  FontRecord font;
  ColorRef color = 0xffffff;
};

// The text dialog's logic for slot n. The desktop dialog and the runner drive
// it: they show initial_text(), may press "Set Font", and end with Ok,
// TryText or Cancel, whose results close the dialog.
class text_entry {
 public:
  static constexpr int kOk = 1;
  static constexpr int kCancel = 2;
  static constexpr int kTryText = 128;
  // Longest text taken from the edit box.
  static constexpr std::size_t kMaxTyped = 8187;

  text_entry(State& st, Platform& pf, int n) : st_(st), pf_(pf), n_(n) {}

  int number() const { return n_; }
  // "Selected Source " and the slot number.
  std::string label() const { return "Selected Source " + std::to_string(n_); }
  const std::string& initial_text() const { return st_.doc.Source(n_).text; }
  // The font dialog opens on these.
  const FontRecord& font() const { return st_.doc.text_font; }
  ColorRef color() const { return st_.doc.Source(n_).TextColor; }

  // After the font dialog: chosen is its result on OK, nullopt on Cancel.
  void SetFont(const std::optional<FontChoice>& chosen);
  // The edit box's text (lines separated by "\r\n") stored and rendered.
  int Ok(std::string_view typed);
  int TryText(std::string_view typed);
  int Cancel() const { return kCancel; }

 private:
  void StoreAndRender(std::string_view typed);
  State& st_;
  Platform& pf_;
  int n_;
};

// The person at the text dialog: runs it once and returns its result.
class TextEntryDriver {
 public:
  virtual ~TextEntryDriver() = default;
  virtual int Run(text_entry& dialog) = 0;
};

// "New/Change Text ...".
void NewChangeText(State& st, Platform& pf, TextEntryDriver& driver);

// Renders slot n's text into its picture: 1 on success, 0 otherwise.
int RenderTextSource(State& st, Platform& pf, int n);

// "Base color": choose_color is the colour dialog, opened on black; nullopt
// when it is cancelled.
void ChangeBaseColor(State& st, Platform& pf,
                     const std::function<std::optional<ColorRef>(ColorRef initial)>& choose_color);

}  // namespace wrimple
