#include "io/codec_image.h"
#include "io/loading.h"
#include "io/messages.h"

namespace wrimple {

namespace {

// The decoder the extension names; false when there is none.
bool DecodeByExtension(State& st, Platform& pf, int n, const std::string& path) {
  const std::string ext = DispatchExtension(path);
  if (ext == "bmp" || ext == "jpg" || ext == "png" || ext == "tif")
    return DecodeWithImaging(st, pf, n, path);
  if (ext == "tga") return DecodeWithCodec(st, pf, n, path, kCodecTga);
  if (ext == "pcx") return DecodeWithCodec(st, pf, n, path, kCodecPcx);
  return false;
}

// The picture fitted inside the target from its top-left corner.
void PlaceLoadedFile(State& st, int n, const std::string& path) {
  SourceImage& s = st.doc.Source(n);
  const float scale =
      FitScale(st.TargetWidth(), st.TargetHeight(), s.SourcePicture->width(), s.SourcePicture->height());
  s.ScaleXPercent = s.ScaleYPercent = scale;
  s.Angle = 0.0f;
  s.OffsetX = s.OffsetY = 0;
  s.Flipped = 0;
  s.file_path = path.substr(0, kMaxPathLength);
  st.doc.last_image_path = s.file_path;
  s.SourceKind = kKindImageFile;
  ClearZone(st);
}

}  // namespace

bool LoadSource(State& st, Platform& pf, const std::string& path) {
  st.doc.help_picture.reset();
  st.FirstTimeHelp = false;
  const int count_before = st.SourceCount;
  const int n = ClaimSlot(st, pf);
  if (n == 0) return true;  // "Don't Replace": nothing loaded, yet no failure
  if (!DecodeByExtension(st, pf, n, path)) {
    pf.messages.ShowError(text::kCannotOpenImage);
    st.SourceCount = count_before;
    return false;
  }
  PlaceLoadedFile(st, n, path);
  return true;
}

}  // namespace wrimple
