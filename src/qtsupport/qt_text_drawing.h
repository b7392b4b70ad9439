// Text drawing with Qt: fonts made from the document's font record, measured
// with QFontMetrics and drawn without anti-aliasing into a monochrome image.
// Needs a QGuiApplication (the offscreen platform will do).
#pragma once

#include <memory>

#include "document/platform.h"

namespace wrimple {

class QtTextDrawing : public TextDrawing {
 public:
  std::unique_ptr<Font> CreateFont(const FontRecord& record) override;
};

}  // namespace wrimple
