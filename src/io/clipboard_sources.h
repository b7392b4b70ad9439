// Sources from the clipboard, blank sources, snapshots of the target, and
// copying the target to the clipboard.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "document/picture.h"
#include "document/platform.h"
#include "document/state.h"

namespace wrimple {

// A clipboard bitmap (information header, masks or colour table, bits) as a
// 24-bit picture block; nullopt for a top-down, compressed 4- or 8-bit,
// truncated or otherwise unsupported bitmap.
std::optional<PictureBlock> ConvertPastedBitmap(const std::vector<std::uint8_t>& block);

enum class TargetPictureMode { Snapshot, Fill };
// Gives slot n a picture of the target's size: a copy of the target, or the
// reference colour everywhere. False when it cannot be allocated.
bool MakeTargetPicture(State& st, int n, TargetPictureMode mode);

// "Paste".
void Paste(State& st, Platform& pf);

// "Blank Source" in two halves, with the reference colour dialog between them:
// the question (false: the command ends), then the new source.
bool BeginBlankSource(State& st, Platform& pf);
void FinishBlankSource(State& st, Platform& pf);

// "Target to source 1" and "Target to source 2".
void TargetToSource(State& st, Platform& pf, int n);

// "Copy": the target, or the zone when the user says so, to the clipboard.
void CopyTarget(State& st, Platform& pf);

}  // namespace wrimple
