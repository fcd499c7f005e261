// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/jpeg_image.h"
#include "platform/text_encoding.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

TEST(DisplayText, KeepsUtf8AndReadsOtherBytesAsWindows1250)
{
    EXPECT_EQ(displayText("okr\xc4\x85g"), "okr\xc4\x85g");             // "okrąg" in UTF-8
    EXPECT_EQ(displayText("okr\xb9g"), "okr\xc4\x85g");                 // the same in Windows-1250
    EXPECT_EQ(displayText("\x8c\x9c"), "\xc5\x9a\xc5\x9b");             // Ś ś
    EXPECT_EQ(displayText("plain"), "plain");
    EXPECT_FALSE(isValidUtf8("\xc0\xaf"));                             // overlong
    EXPECT_FALSE(isValidUtf8("\xed\xa0\x80"));                         // surrogate
    EXPECT_FALSE(isValidUtf8("\xe2\x82"));                             // cut short
    EXPECT_TRUE(isValidUtf8("\xf0\x9f\x98\x80"));
}

RgbImage gradient(int width, int height)
{
    RgbImage image;
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            auto* pixel = image.at(x, y);
            pixel[0] = static_cast<std::uint8_t>(x * 255 / (width - 1));
            pixel[1] = static_cast<std::uint8_t>(y * 255 / (height - 1));
            pixel[2] = 128;
        }
    return image;
}

TEST(Jpeg, DecodesWhatItEncodes)
{
    RgbImage original = gradient(41, 27);
    auto bytes = encodeJpeg(original, 95);
    ASSERT_TRUE(bytes);
    auto decoded = decodeJpeg(*bytes);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->width, 41);
    EXPECT_EQ(decoded->height, 27);
    for (int y = 0; y < 27; y += 13)
        for (int x = 0; x < 41; x += 20)
            for (int channel = 0; channel < 3; ++channel)
                EXPECT_NEAR(decoded->at(x, y)[channel], original.at(x, y)[channel], 12);
}

TEST(Jpeg, RefusesDamagedPicturesWithoutAborting)
{
    auto bytes = encodeJpeg(gradient(16, 16));
    ASSERT_TRUE(bytes);
    EXPECT_FALSE(decodeJpeg(""));
    EXPECT_FALSE(decodeJpeg("not a picture at all"));
    EXPECT_FALSE(decodeJpeg(bytes->substr(0, 20)));
    RgbImage empty;
    EXPECT_FALSE(encodeJpeg(empty));
}

} // namespace
} // namespace kestrane
