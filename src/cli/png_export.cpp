// SPDX-License-Identifier: GPL-3.0-or-later
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

PicturePngWriter& storedPictureWriter()
{
    static PicturePngWriter writer;
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

void setPicturePngWriter(PicturePngWriter writer)
{
    storedPictureWriter() = std::move(writer);
}

const PicturePngWriter& picturePngWriter()
{
    return storedPictureWriter();
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

PictureWriter*& storedShowWriter()
{
    static PictureWriter* writer = nullptr;
    return writer;
}

} // namespace

void setPictureWriter(PictureWriter* writer)
{
    storedShowWriter() = writer;
}

PictureWriter* pictureWriter()
{
    return storedShowWriter();
}

} // namespace kestrane::cli
