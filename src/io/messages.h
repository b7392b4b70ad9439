// Message texts that more than one command of loading, text, clipboard and
// saving shows.
#pragma once

namespace wrimple::text {

inline constexpr const char* kLoadDiscardsChanges =
    "Target has been changed, loading text or an image now will destroy those changes.\n"
    "Do you wish to continue ?";
inline constexpr const char* kCannotOpenImage = "WRIMPLE cannot open this image file.";
inline constexpr const char* kImagingMissing =
    "Windows Imaging Component WIC is not enabled, cannot continue.";
inline constexpr const char* kOutOfMemory = "Out of memory!";
inline constexpr const char* kNothingToSave =
    "There is nothing to save.\nAt least one source image must be present.";
inline constexpr const char* kZoneSetUp = "A Wrimple - rectangular zone is currently setup in the target.\n";

// The file-error report of the document framework's open step.
inline constexpr const char* kFailedToOpenDocument = "Failed to open document.";

}  // namespace wrimple::text
