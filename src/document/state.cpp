#include "document/state.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace wrimple {

State::State() = default;

void State::SetTargetSize(int width, int height) {
  target_width_ = std::clamp(width, 1, kMaxTargetWidth);
  target_height_ = std::clamp(height, 1, kMaxTargetHeight);
}

bool ZoneSelected(const State& st) {
  return std::abs(st.zone.Y2 - st.zone.Y1) > 9 && std::abs(st.zone.X2 - st.zone.X1) > 9;
}

void ClearZone(State& st) {
  st.steps = StepCounters{};
  st.zone.X1 = st.zone.Y1 = st.zone.X2 = st.zone.Y2 = -1;
}

void SnapshotTarget(State& st) {
  std::memcpy(st.TargetBackup.data(), st.TargetBuffer.data(), st.Target().byte_size());
}

void RestoreFromSnapshot(State& st) {
  const ConstTargetImage from = st.Backup();
  const TargetImage to = st.Target();
  const std::size_t pixel_bytes = 3 * std::size_t(to.width());
  for (int y = 0; y < to.height(); ++y) std::memcpy(to.row(y), from.row(y), pixel_bytes);
}

void OnNewDocument(State& st) {
  if (st.SourceCount > 0) {
    st.doc.help_picture.reset();
    st.FirstTimeHelp = false;
  }
}

namespace {

// The path without its first component, repeatedly, until it is under 50
// characters; a path without separator keeps its last 50 characters. The length
// is tested before each cut, so one more component goes than strictly needed.
// Both the slash of this system's paths and the backslash separate components.
std::string ShortenPath(std::string s) {
  constexpr std::size_t kLimit = 50;
  for (;;) {
    const std::size_t length = s.size();
    const std::size_t slash = s.find_first_of("/\\");
    if (slash == std::string::npos) {
      if (length >= kLimit) s = s.substr(length - kLimit);
      return s;
    }
    s.erase(0, slash + 1);
    if (length < kLimit) return s;
  }
}

}  // namespace

std::string DescribeSource(const Cwrimple32Doc& doc, int n) {
  std::string text = n == 1 ? "1:  " : "2:  ";
  const SourceImage& s = doc.Source(n);
  switch (s.SourceKind) {
    case kKindTypedText: return text + "text input";
    case kKindTargetSnapshot: return text + "previous target image";
    case kKindImageFile: return text + ShortenPath(s.file_path);
    case kKindPasted: return text + "copied from clipboard";
    case kKindBlank: return text + "blank source";
    default: return text;
  }
}

bool ConfirmDiscardTargetChanges(State& st, Platform& pf, std::string_view question) {
  if (!st.TargetModified || st.TargetLock) return true;
  return pf.messages.AskYesNo(question);
}

int ClaimSlot(State& st, Platform& pf) {
  const int n = st.SourceCount + 1;
  if (n <= 2) {
    st.SourceCount = n;
    return n;
  }
  st.SourceCount = 2;
  return pf.replace.ChooseSourceToReplace(DescribeSource(st.doc, 1), DescribeSource(st.doc, 2));
}

}  // namespace wrimple
