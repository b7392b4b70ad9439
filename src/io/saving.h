// Saving the target, or the part of it inside the zone: "Save As", "Save",
// "Next Save" and the writers behind them.
#pragma once

#include <functional>
#include <string>

#include "document/platform.h"
#include "document/state.h"

namespace wrimple {

// A rectangle of the target, rows counted from the top.
struct TargetRegion {
  int x0 = 0;
  int y0 = 0;
  int width = 0;
  int height = 0;
};

// The zone when use_zone is set and both its extents are over 9 pixels,
// otherwise the whole target.
TargetRegion SaveRegion(const State& st, bool use_zone);

// The commands. Each returns false when a file it was to write was not
// written; a refusal (no source, a cancelled dialog) is no failure.
bool SaveAs(State& st, Platform& pf);
bool Save(State& st, Platform& pf);
bool NextSave(State& st, Platform& pf);

// Writes the region to path in the format of extension (lower case, one of
// bmp, jpg, png, tif, tga, pcx).
bool SaveFile(State& st, Platform& pf, const std::string& path, const std::string& extension,
              bool use_zone);
bool SaveWithImaging(State& st, Platform& pf, const std::string& path, const std::string& extension,
                     bool use_zone);
bool SaveWithCodec(State& st, Platform& pf, const std::string& path, int format, bool use_zone);

// Runs write on a new temporary file in path's folder and renames it over path
// only when write succeeded, so that a failed save leaves the old file intact.
bool WriteReplacing(const std::string& path, const std::function<bool(const std::string& temporary)>& write);

// The file name "Next Save" writes: the stem, the number with at least four
// digits, the extension.
std::string NumberedSaveName(const std::string& stem, int number, const std::string& extension);

inline constexpr const char* kSaveFilter =
    "Bitmap Files (*.bmp)|*.bmp|Jpeg Files (*.jpg)|*.jpg|Png Files (*.png)|*.png|"
    "Tif Files (*.tif)|*.tif|Tga Files (*.tga)|*.tga|Pcx Files (*.pcx)|*.pcx||";

}  // namespace wrimple
