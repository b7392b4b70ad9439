// The texts of the status bar and of the peek lines, from the state alone.
#pragma once

#include <string>

#include "document/state.h"

namespace wrimple::app {

// Pane 0: the mode, the zone size or the number of sources.
std::string ModeText(const State& st);
// Pane 1.
std::string LockText(const State& st);
// Pane 3; sweep_seen is the status bar's flag, set here once a sweep position exists.
std::string SweepText(const State& st, bool& sweep_seen);
// The zoom pane: "Zoom 100%", or "Fit 35.16%" while the view fits the window.
std::string ZoomText(const State& st);

// The peek line of source n (1 or 2), written under the peeked picture.
std::string PeekSourceLine(const State& st, int n);
// The peek line of the target.
std::string PeekTargetLine(const State& st);

// A file path of at most 999 characters for the peek line.
std::string PeekPath(std::string path);

}  // namespace wrimple::app
