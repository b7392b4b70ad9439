#include <algorithm>
#include <array>
#include <cctype>

#include "io/messages.h"
#include "io/saving.h"

namespace wrimple {

namespace {

constexpr std::array<const char*, 6> kFilterExtensions = {"bmp", "jpg", "png", "tif", "tga", "pcx"};

bool KnownExtension(const std::string& ext) {
  return std::find(kFilterExtensions.begin(), kFilterExtensions.end(), ext) != kFilterExtensions.end();
}

std::string FileName(const std::string& path) {
  const std::size_t cut = path.find_last_of("/\\");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string ExtensionOf(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return s;
}

// The zone question; the dialog's title follows the answer.
std::string AskZoneTitle(State& st, Platform& pf) {
  if (!ZoneSelected(st)) return "Save Target";
  if (pf.messages.AskYesNo(std::string(text::kZoneSetUp) + "Do you wish to save this area only ?"))
    return "Save target - from rectangular zone Area";
  ClearZone(st);
  return "Save Target";
}

}  // namespace

bool SaveAs(State& st, Platform& pf) {
  if (st.SourceCount == 0) {
    pf.messages.ShowError(text::kNothingToSave);
    return true;
  }
  FileDialogRequest request{.filter = kSaveFilter};
  request.title = AskZoneTitle(st, pf);
  request.initial_folder = pf.settings.ReadString("Last Save Directory", "");
  request.filter_index = pf.settings.ReadInt("Last Save Extension", 0);
  const std::optional<FileChoice> choice = pf.files.ChooseSave(request);
  if (!choice) return true;

  Cwrimple32Doc& doc = st.doc;
  std::string name = FileName(choice->path);
  doc.save_extension = ExtensionOf(name);
  pf.settings.WriteInt("Last Save Extension", choice->filter_index);
  const std::string folder = choice->path.substr(0, choice->path.size() - name.size());
  pf.settings.WriteString("Last Save Directory", folder);
  doc.save_extension = Lower(doc.save_extension);
  if (!KnownExtension(doc.save_extension)) {
    if (choice->filter_index >= 1 && choice->filter_index <= 6)
      doc.save_extension = kFilterExtensions[std::size_t(choice->filter_index - 1)];
    doc.save_stem = folder + name;
    name += "." + doc.save_extension;
  }
  doc.save_path = folder + name;
  const bool saved = SaveFile(st, pf, doc.save_path, doc.save_extension, true);
  doc.next_save_number = 0;
  return saved;
}

}  // namespace wrimple
