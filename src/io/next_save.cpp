#include "io/messages.h"
#include "io/saving.h"

namespace wrimple {

std::string NumberedSaveName(const std::string& stem, int number, const std::string& extension) {
  std::string name = stem;
  if (number < 10) name += '0';
  if (number < 100) name += '0';
  if (number < 1000) name += '0';
  return name + std::to_string(number) + "." + extension;
}

bool NextSave(State& st, Platform& pf) {
  if (st.SourceCount == 0) {
    pf.messages.ShowError(text::kNothingToSave);
    return true;
  }
  Cwrimple32Doc& doc = st.doc;
  if (doc.save_path.empty() || doc.save_extension.empty()) return SaveAs(st, pf);
  pf.progress.FillProgressPane(MakeColorRef(255, 255, 255), 100);
  ++doc.next_save_number;
  const bool saved = SaveFile(
      st, pf, NumberedSaveName(doc.save_stem, doc.next_save_number, doc.save_extension),
      doc.save_extension, false);
  pf.progress.FillProgressPane(kProgressIdle, 100);
  return saved;
}

}  // namespace wrimple
