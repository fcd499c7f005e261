// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <cmath>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace kestrane::testing {

// What a test reads back from a PDF file that Qt wrote: its pages, the size
// of the first, the fonts' ascent and descent, and every text size drawn,
// in pixels of the drawing (the drawing is found by its white ground, a
// rectangle of its width and height painted first).
struct PdfContent {
    int pages = 0;
    double mediaWidth = 0;
    double mediaHeight = 0;
    // Points of the page per pixel of the drawing, and where the drawing's
    // top left corner and bottom right corner land on the page.
    double drawingScale = 0;
    double drawingLeft = 0;
    double drawingRight = 0;
    double ascent = 0;
    double descent = 0;
    std::vector<double> textSizes;
    // The heights of the text boxes: size times (ascent − descent).
    std::vector<double> boxHeights() const
    {
        std::vector<double> heights;
        for (double size : textSizes)
            heights.push_back(size * (ascent - descent) / 1000);
        return heights;
    }
};

namespace pdf_detail {

// A stream's content, inflated when its dictionary says it is compressed.
inline std::string streamText(const std::string& dictionary, const std::string& raw)
{
    if (dictionary.find("/FlateDecode") == std::string::npos)
        return raw;
    QByteArray packed(raw.data(), static_cast<qsizetype>(raw.size()));
    // qUncompress wants the expected length in front (here 16 MB).
    QByteArray sized(4, '\0');
    sized[0] = 0x01;
    QByteArray inflated = qUncompress(sized + packed);
    if (inflated.isEmpty())
        return raw;
    return std::string(inflated.constData(), static_cast<std::size_t>(inflated.size()));
}

struct Matrix {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
    Matrix then(const Matrix& outer) const
    {
        return {a * outer.a + b * outer.c,           a * outer.b + b * outer.d,
                c * outer.a + d * outer.c,           c * outer.b + d * outer.d,
                e * outer.a + f * outer.c + outer.e, e * outer.b + f * outer.d + outer.f};
    }
    double scale() const { return std::sqrt(std::fabs(a * d - b * c)); }
};

inline void readOperators(const std::string& text, int width, int height, PdfContent& content)
{
    std::istringstream tokens(text);
    std::vector<double> numbers;
    std::vector<Matrix> saved;
    Matrix current;
    for (std::string token; tokens >> token;) {
        char* end = nullptr;
        double value = std::strtod(token.c_str(), &end);
        if (end && *end == '\0' && !token.empty()) {
            numbers.push_back(value);
            continue;
        }
        if (token == "q") {
            saved.push_back(current);
        } else if (token == "Q" && !saved.empty()) {
            current = saved.back();
            saved.pop_back();
        } else if (token == "cm" && numbers.size() >= 6) {
            auto n = numbers.end() - 6;
            current = Matrix{n[0], n[1], n[2], n[3], n[4], n[5]}.then(current);
        } else if (token == "re" && numbers.size() >= 4 && content.drawingScale == 0) {
            auto n = numbers.end() - 4;
            if (n[0] == 0 && n[1] == 0 && n[2] == width && n[3] == height) {
                content.drawingScale = current.scale();
                content.drawingLeft = current.e;
                content.drawingRight = current.e + width * current.a;
            }
        } else if (token == "Tf" && !numbers.empty()) {
            content.textSizes.push_back(numbers.back() * current.scale());
        } else if (token[0] == '/' || token[0] == '<' || token[0] == '[') {
            continue;
        }
        numbers.clear();
    }
}

inline double firstNumberAfter(const std::string& bytes, const std::string& key)
{
    std::size_t at = bytes.find(key);
    return at == std::string::npos ? 0 : std::strtod(bytes.c_str() + at + key.size(), nullptr);
}

} // namespace pdf_detail

inline PdfContent readPdf(const std::string& bytes, int width, int height)
{
    PdfContent content;
    std::regex page("/Type\\s*/Page[^s]");
    content.pages = static_cast<int>(std::distance(
        std::sregex_iterator(bytes.begin(), bytes.end(), page), std::sregex_iterator()));
    std::size_t media = bytes.find("/MediaBox [");
    if (media != std::string::npos) {
        std::istringstream box(bytes.substr(media + 11, 80));
        double left = 0;
        double bottom = 0;
        box >> left >> bottom >> content.mediaWidth >> content.mediaHeight;
    }
    content.ascent = pdf_detail::firstNumberAfter(bytes, "/Ascent ");
    content.descent = pdf_detail::firstNumberAfter(bytes, "/Descent ");
    for (std::size_t at = bytes.find("stream"); at != std::string::npos;
         at = bytes.find("stream", at + 1)) {
        if (at >= 3 && bytes.compare(at - 3, 3, "end") == 0)
            continue;
        std::size_t start = bytes.find('\n', at) + 1;
        std::size_t end = bytes.find("endstream", start);
        if (start == 0 || end == std::string::npos)
            break;
        std::string raw = bytes.substr(start, end - start);
        while (!raw.empty() && (raw.back() == '\n' || raw.back() == '\r'))
            raw.pop_back();
        std::size_t dictionary = bytes.rfind("<<", at);
        std::string head =
            dictionary == std::string::npos ? "" : bytes.substr(dictionary, at - dictionary);
        pdf_detail::readOperators(pdf_detail::streamText(head, raw), width, height, content);
        at = end;
    }
    if (content.drawingScale > 0) {
        for (double& size : content.textSizes)
            size /= content.drawingScale;
    }
    return content;
}

} // namespace kestrane::testing
