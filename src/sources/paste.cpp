#include "compose/initial_update.h"
#include "io/clipboard_sources.h"
#include "io/loading.h"

namespace wrimple {

void Paste(State& st, Platform& pf) {
  if (!ConfirmDiscardTargetChanges(
          st, pf, "Target has been changed, pasting an image will destroy those changes.\nDo you wish to continue?"))
    return;
  if (!pf.clipboard.Open()) return;
  const std::optional<std::vector<std::uint8_t>> dib = pf.clipboard.ReadDib();
  if (!dib) {
    pf.messages.ShowInfo("Nothing on the clipboard.");
    return;
  }
  st.doc.help_picture.reset();
  st.FirstTimeHelp = false;
  const int count_before = st.SourceCount;
  const int n = ClaimSlot(st, pf);
  if (n == 0) return;
  std::optional<PictureBlock> picture = ConvertPastedBitmap(*dib);
  if (!picture) {
    st.SourceCount = count_before;
    return;
  }
  SourceImage& s = st.doc.Source(n);
  s.SourcePicture = std::move(picture);
  s.ScaleXPercent = s.ScaleYPercent =
      FitScale(st.TargetWidth(), st.TargetHeight(), s.SourcePicture->width(), s.SourcePicture->height());
  s.Angle = 0.0f;
  s.OffsetX = s.OffsetY = 0;
  s.SourceKind = kKindPasted;
  RefreshNewDocument(st, pf);
}

}  // namespace wrimple
