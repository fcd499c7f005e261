// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/picture_print.h"

#include "gui/picture_export.h"

#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace kestrane {

bool printPicture(QPrinter& printer, int width, int height,
                  const std::function<void(Canvas&)>& paint)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    paintOnPage(painter, width, height, paint);
    return painter.end();
}

void printWithDialog(QWidget* parent, int width, int height,
                     const std::function<void(Canvas&)>& paint)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(width > height ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setCreator("Kestrane");
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle("Print");
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!printPicture(printer, width, height, paint))
        QMessageBox::warning(parent, "Print", "The picture could not be printed.");
}

} // namespace kestrane
