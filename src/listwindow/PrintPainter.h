#pragma once

#include "geometry/PrintLayout.h"

#include <QFont>
#include <QPagedPaintDevice>

#include <optional>

namespace agendrix {

// The font an operation names, at its size in points.
QFont PrintQFont(const PrintFont& font);

// Measures texts as `device` draws them, in points.
MeasureText PrintMeasure(const QPaintDevice& device);

// Draws `ops` (points from the paper's top-left corner) on `device`, whose painting must start
// at the paper's corner (a printer with full-page painting, a PDF writer without margins).
// False when no painter can begin on it: a printer that cannot be opened, say.
bool PaintPrintOps(QPagedPaintDevice& device, const std::vector<PrintOp>& ops);

// Lays out `job` for the page size of `device` and draws it; the number of pages, or nothing when
// the device cannot be painted on.
std::optional<int> PrintList(QPagedPaintDevice& device, PrintJob job);

} // namespace agendrix
