#include <cstring>

#include "io/clipboard_sources.h"
#include "io/messages.h"
#include "io/saving.h"

namespace wrimple {

void CopyTarget(State& st, Platform& pf) {
  if (!pf.clipboard.Open()) return;
  if (ZoneSelected(st) &&
      !pf.messages.AskYesNo(std::string(text::kZoneSetUp) +
                            "Do you wish to send this area only to the clipboard?"))
    ClearZone(st);
  const TargetRegion region = SaveRegion(st, true);
  const ConstTargetImage target = st.Target();
  std::vector<std::uint8_t> rows(std::size_t(RowLength24(region.width)) * region.height, 0);
  const TargetImage out(rows.data(), region.width, region.height);
  for (int i = 0; i < region.height; ++i)
    std::memcpy(out.row(i), target.pixel(region.x0, region.y0 + i), 3 * std::size_t(region.width));
  pf.clipboard.WriteBitmap(region.width, region.height, rows.data());
}

}  // namespace wrimple
