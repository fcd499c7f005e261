// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/pdf_export.h"

namespace kestrane::cli {

namespace {

PdfWriter& storedWriter()
{
    static PdfWriter writer;
    return writer;
}

} // namespace

void setPdfWriter(PdfWriter writer)
{
    storedWriter() = std::move(writer);
}

const PdfWriter& pdfWriter()
{
    return storedWriter();
}

} // namespace kestrane::cli
