// Loading a source from an image file: the open command, recent and dropped
// files, reopening, the document's open step and the first-time help picture.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "document/platform.h"
#include "document/state.h"

namespace wrimple {

// The three-character, lower-case extension that picks the decoder: the last
// three characters of the path, or "jpg" when the last four are "jpeg".
std::string DispatchExtension(std::string_view path);

// The scale in percent that fits a width x height picture inside the target,
// touching two opposite edges, in single precision.
float FitScale(int target_width, int target_height, int width, int height);

// The document's open step: the help picture while help mode awaits it, else
// a source. False when nothing could be read.
bool OnOpenDocument(State& st, Platform& pf, const std::string& path);

// The framework's open path: the document's open step, then the window title
// and the view's initial update. False when the open step failed (the caller
// then keeps the path out of its recent-file list).
bool OpenDocumentFile(State& st, Platform& pf, const std::string& path);

// "Open image": the question, the file dialog, the open path.
void OpenImage(State& st, Platform& pf);
// A recent-file entry: the question, then the open path; false when the open
// failed and the entry is to be removed from the list.
bool OpenRecentFile(State& st, Platform& pf, const std::string& path);
// Files dropped on the main window: each through the open path, no question.
void OpenDroppedFiles(State& st, Platform& pf, const std::vector<std::string>& paths);
// "Re_open last image".
void ReopenLastImage(State& st, Platform& pf);

// Parts of the open step, for the tests.
bool LoadSource(State& st, Platform& pf, const std::string& path);
bool ReadHelpPicture(State& st, Platform& pf, const std::string& path);
bool DecodeWithImaging(State& st, Platform& pf, int n, const std::string& path);
bool DecodeWithCodec(State& st, Platform& pf, int n, const std::string& path, int format);

inline constexpr const char* kOpenFilter =
    "Bitmap Files (*.bmp)|*.bmp|Jpeg Files (*.jpeg *.jpg)|*.jpeg;*jpg|GIF files (*.gif)|*.gif|"
    "Png Files (*.png)|*.png|Tif Files (*.tif)|*.tif|Tga Files (*.tga)|*.tga|"
    "Pcx Files (*.pcx)|*.pcx|All Files (*.*)|*.*||";
inline constexpr const char* kOpenTitle = "Open Source Window ";

}  // namespace wrimple
