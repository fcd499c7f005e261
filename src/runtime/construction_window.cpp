#include "runtime/construction_window.h"

namespace kestrane {

void ConstructionWindow::paint(Canvas& canvas, int width, int height) const
{
    canvas.fillRect(0, 0, width, height, kWhite);
}

} // namespace kestrane
