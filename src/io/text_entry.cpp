#include "io/text_source.h"

namespace wrimple {

void text_entry::SetFont(const std::optional<FontChoice>& chosen) {
  if (!chosen) return;
  st_.doc.text_font = chosen->font;
  st_.doc.Source(n_).TextColor = chosen->color;
}

int text_entry::Ok(std::string_view typed) {
  StoreAndRender(typed);
  return kOk;
}

int text_entry::TryText(std::string_view typed) {
  StoreAndRender(typed);
  return kTryText;
}

// The stored text always ends with one line break; the dialog closes whatever
// the rendering returns.
void text_entry::StoreAndRender(std::string_view typed) {
  std::string& text = st_.doc.Source(n_).text;
  if (typed.empty())
    text = "Empty text box\r\n";
  else
    text = std::string(typed.substr(0, kMaxTyped)) + "\r\n";
  RenderTextSource(st_, pf_, n_);
}

}  // namespace wrimple
