#include "compose/initial_update.h"
#include "io/messages.h"
#include "io/text_source.h"

namespace wrimple {

namespace {

// The slot the text goes into: a new one while there is room, else the one the
// replace dialog names (0: none).
int TextSlot(State& st, Platform& pf) {
  if (st.SourceCount < 2) return ++st.SourceCount;
  return pf.replace.ChooseSourceToReplace(DescribeSource(st.doc, 1), DescribeSource(st.doc, 2));
}

void DropTrailingLineBreak(std::string& text) {
  if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) text.resize(text.size() - 2);
}

}  // namespace

// "Try Text" closes the dialog with 128 and opens it again on the rendered text.
void NewChangeText(State& st, Platform& pf, TextEntryDriver& driver) {
  if (!ConfirmDiscardTargetChanges(st, pf, text::kLoadDiscardsChanges)) return;
  const int n = TextSlot(st, pf);
  if (n == 0) return;
  int result = 0;
  do {
    SourceImage& s = st.doc.Source(n);
    DropTrailingLineBreak(s.text);
    text_entry dialog(st, pf, n);
    result = driver.Run(dialog);
    if (s.SourceKind != kKindTypedText) ResetPlacement(st.doc, n);
    RefreshNewDocument(st, pf);
    s.SourceKind = kKindTypedText;
  } while (result == text_entry::kTryText);
}

}  // namespace wrimple
