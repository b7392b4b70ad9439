// The view's initial update, and the framework's "new document" refresh that the
// source-adding commands end with.
#pragma once

#include "document/platform.h"
#include "document/state.h"

namespace wrimple {

// The first time: the target size from the settings. With sources: recompose,
// pick a start hint (one draw of the generator, seeded from the clock) and show
// it when tips are enabled; with two sources the title becomes "Two sources".
void OnInitialUpdate(State& st, Platform& pf);

// The framework's "new document" command used as a refresh: the document reset,
// the default title and the view's initial update.
void RefreshNewDocument(State& st, Platform& pf);

// The hints of the start tip, numbered 0 to 7.
const char* StartHint(int number);

}  // namespace wrimple
