// The Qt windows of the dialogs that commands open.
#pragma once

#include <QWidget>

#include "document/platform.h"
#include "document/state.h"

namespace wrimple::app {

// "Options": true when confirmed.
bool RunOptionsDialog(QWidget* parent, State& st);

}  // namespace wrimple::app
