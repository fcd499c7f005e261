#include "cli/png_export.h"

namespace kestrane::cli {

namespace {

PngWriter& storedWriter()
{
    static PngWriter writer;
    return writer;
}

PngPicturesWriter& storedPicturesWriter()
{
    static PngPicturesWriter writer;
    return writer;
}

} // namespace

void setPngPicturesWriter(PngPicturesWriter writer)
{
    storedPicturesWriter() = std::move(writer);
}

const PngPicturesWriter& pngPicturesWriter()
{
    return storedPicturesWriter();
}

void setPngWriter(PngWriter writer)
{
    storedWriter() = std::move(writer);
}

const PngWriter& pngWriter()
{
    return storedWriter();
}

} // namespace kestrane::cli

namespace kestrane::cli {

namespace {

PictureWriter*& storedPictureWriter()
{
    static PictureWriter* writer = nullptr;
    return writer;
}

} // namespace

void setPictureWriter(PictureWriter* writer)
{
    storedPictureWriter() = writer;
}

PictureWriter* pictureWriter()
{
    return storedPictureWriter();
}

} // namespace kestrane::cli
