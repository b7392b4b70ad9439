#include "app/status_texts.h"

#include <cstdio>
#include <cstdlib>

namespace wrimple::app {

std::string ModeText(const State& st) {
  if (st.AligningSource == 1) return "Aligning source 1";
  if (st.AligningSource == 2) return "Aligning source 2";
  if (st.SourceBrushing) return "Source brushing now on (drag L/R MBs";
  if (st.SweepActive) return "Setting reference color from RMB sweep";
  if (ZoneSelected(st))
    return "Zone width = " + std::to_string(std::abs(st.zone.X2 - st.zone.X1)) +
           "; height = " + std::to_string(std::abs(st.zone.Y2 - st.zone.Y1));
  switch (st.SourceCount) {
    case 0: return "Awaiting load of a source image";
    case 1: return "One source image loaded";
    default: return "Two source images loaded (max)";
  }
}

std::string LockText(const State& st) { return st.TargetLock ? "Target Locked" : "Target Unlocked"; }

std::string SweepText(const State& st, bool& sweep_seen) {
  std::string text = sweep_seen ? "Cursor out of range." : "";
  if (st.SweepX == -1 || st.SweepY == -1) return text;
  sweep_seen = true;
  text = "Cursor out of range.";
  if (st.SweepX >= 0 && st.SweepX < st.TargetWidth() && st.SweepY >= 0 &&
      st.SweepY < st.TargetHeight()) {
    const Bgr& c = st.ReferenceColor;
    text = "Average REF. RGB = " + std::to_string(c[2]) + " " + std::to_string(c[1]) + " " +
           std::to_string(c[0]) + "  >>>";
  }
  return text;
}

std::string PeekPath(std::string path) {
  while (path.size() > 999) {
    const std::size_t slash = path.find('\\');
    if (slash == std::string::npos) break;
    path.erase(0, slash + 1);
  }
  if (path.size() > 999) path = path.substr(path.size() - 1000);
  return path;
}

namespace {

std::string PeekDescription(const SourceImage& s) {
  switch (s.SourceKind) {
    case kKindImageFile: return PeekPath(s.file_path);
    case kKindTypedText: return "Text input";
    case kKindTargetSnapshot: return "Previous snapshot of target image";
    case kKindPasted: return "Copied from clipboard";
    case kKindBlank:
      return "Blank source of the reference color at load time. (Ref color may now be different.)";
    default: return "";
  }
}

std::string KindName(const SourceImage& s) {
  switch (s.SourceKind) {
    case kKindImageFile: return "Image";
    case kKindTypedText: return "Text input";
    case kKindTargetSnapshot: return "Previous snapshot of target image";
    case kKindPasted: return "Copied from clipboard";
    case kKindBlank: return "Blank source: reference color";
    default: return "";
  }
}

}  // namespace

std::string PeekSourceLine(const State& st, int n) {
  const SourceImage& s = st.doc.Source(n);
  std::string line = (n == 1 ? "Source 1:   " : "Source 2:   ") + PeekDescription(s);
  if (s.Flipped) line += "       Horizontally flipped";
  if (s.Angle != 0.0f) line += "       Rotated by some angle";
  if (s.OffsetX != 0 || s.OffsetY != 0)
    line += "       Displaced from left/top by  " + std::to_string(-s.OffsetX) + "/" +
            std::to_string(-s.OffsetY) + " pixels";
  return line;
}

std::string PeekTargetLine(const State& st) {
  std::string line = "Comprising:";
  if (st.SourceCount >= 1) line += "      Source 1:  " + KindName(st.doc.Source(1));
  if (st.SourceCount == 2) line += "       Source 2:  " + KindName(st.doc.Source(2));
  if (st.SourceCount == 1) line += "         Only one source has been loaded.";
  if (st.TargetModified)
    line += "      This target has been changed. (check the help for the meaning of 'change')";
  line += "     Target Size = " + std::string("  ") + std::to_string(st.TargetWidth()) + " X " +
          std::to_string(st.TargetHeight());
  return line;
}

std::string ZoomText(const State& st) {
  char percent[32];
  std::snprintf(percent, sizeof percent, "%.2f", ZoomPercent(st.ViewZoom));
  std::string text = percent;
  // 100.00 -> 100, 6.25 stays, 12.50 -> 12.5.
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return (st.ViewZoomFits ? "Fit " : "Zoom ") + text + "%";
}

}  // namespace wrimple::app
