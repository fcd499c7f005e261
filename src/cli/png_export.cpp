#include "cli/png_export.h"

namespace kestrane::cli {

namespace {

PngWriter& storedWriter()
{
    static PngWriter writer;
    return writer;
}

} // namespace

void setPngWriter(PngWriter writer)
{
    storedWriter() = std::move(writer);
}

const PngWriter& pngWriter()
{
    return storedWriter();
}

} // namespace kestrane::cli
