// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QPrinter;
class QWidget;

namespace kestrane {

class Canvas;

// Prints the drawing of the given size on one page of the printer, scaled to
// the page with its aspect kept; false when the printer cannot be painted on
// (a file that cannot be written, a printer gone).
bool printPicture(QPrinter& printer, int width, int height,
                  const std::function<void(Canvas&)>& paint);

// "Print…" of the windows: the system's print dialog (landscape for a drawing
// wider than high), then the picture; a printer that fails says so.
void printWithDialog(QWidget* parent, int width, int height,
                     const std::function<void(Canvas&)>& paint);

} // namespace kestrane
