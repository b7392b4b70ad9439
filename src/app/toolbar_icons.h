// The toolbar buttons' pictures, drawn with QPainter at 18 x 17 pixels (and
// sharper on high-density screens).
#pragma once

#include <QIcon>

#include "document/commands.h"

namespace wrimple::app {

QIcon ToolbarIcon(CommandId id, qreal device_pixel_ratio);

}  // namespace wrimple::app
