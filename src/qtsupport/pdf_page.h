// The printed page of the target, on any Qt paint device (a printer, a PDF).
#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <QPaintDevice>
#include <QPainter>
#include <string>

#include "document/state.h"

namespace wrimple {

// Draws the one printed page: nothing in first-time help mode, a sentence when
// the target holds no source, otherwise the target placed by st.PrintLayout.
void PaintPrintedPage(const State& st, QPaintDevice& device, QPainter& painter);

// Writes the printed page to a one-page PDF file; false when the file cannot be
// written.
bool WritePrintedPdf(const State& st, const std::string& path, const QPageSize& page_size,
                     QPageLayout::Orientation orientation);

}  // namespace wrimple
