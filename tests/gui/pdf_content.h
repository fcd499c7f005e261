// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/colour.h"

#include <QByteArray>

#include <cmath>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace kestrane::testing {

namespace pdf_detail {

struct Matrix {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
    Matrix then(const Matrix& outer) const
    {
        return {a * outer.a + b * outer.c,           a * outer.b + b * outer.d,
                c * outer.a + d * outer.c,           c * outer.b + d * outer.d,
                e * outer.a + f * outer.c + outer.e, e * outer.b + f * outer.d + outer.f};
    }
    double scale() const { return std::sqrt(std::fabs(a * d - b * c)); }
    void map(double x, double y, double& mappedX, double& mappedY) const
    {
        double newX = a * x + c * y + e;
        double newY = b * x + d * y + f;
        mappedX = newX;
        mappedY = newY;
    }
    Matrix inverted() const
    {
        double determinant = a * d - b * c;
        return {d / determinant,
                -b / determinant,
                -c / determinant,
                a / determinant,
                (c * f - d * e) / determinant,
                (b * e - a * f) / determinant};
    }
};

} // namespace pdf_detail

// A straight piece of a stroked path, in pixels of the drawing, with the
// stroke's colour and width (in points of the page), and how many texts the
// page drew before it.
struct StrokedSegment {
    ColorRef colour = kBlack;
    double width = 0;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::size_t textsBefore = 0;
};

// A text object of the page: its size and baseline origin in pixels of the
// drawing, its colour and how many glyphs it shows.
struct DrawnText {
    ColorRef colour = kBlack;
    double size = 0;
    double x = 0, y = 0;
    int glyphs = 0;
};

// What a test reads back from a PDF file that Qt wrote: its pages, the size
// of the first, the fonts' ascent and descent, and the texts and strokes
// drawn, in pixels of the drawing (the drawing is found by its white ground,
// a rectangle of its width and height painted first).
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
    std::vector<DrawnText> texts;
    // The lines and closing sides of the stroked paths, in page order.
    std::vector<StrokedSegment> segments;
    // From pixels of the drawing to points of the page.
    pdf_detail::Matrix drawingMatrix;
    // The heights of the text boxes: size times (ascent − descent).
    std::vector<double> boxHeights() const
    {
        std::vector<double> heights;
        for (const DrawnText& text : texts)
            heights.push_back(text.size * (ascent - descent) / 1000);
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

// The graphics state the reader follows: its transform, stroke and fill.
struct GraphicsState {
    Matrix matrix;
    StrokedSegment stroke;
    DrawnText fill;
};

// The colour of the last three operands, red, green and blue from 0 to 1.
inline ColorRef colourOf(const std::vector<double>& numbers)
{
    auto component = [&](std::size_t fromEnd) {
        return static_cast<int>(std::lround(numbers[numbers.size() - fromEnd] * 255));
    };
    return rgb(component(3), component(2), component(1));
}

// The text object being read, with its text matrix.
struct TextReader {
    bool open = false;
    bool placed = false;
    DrawnText text;
    Matrix textMatrix;
    std::string lastString;
};

// Text operators: true when the token was one.
inline bool readTextOperator(const std::string& token, const std::vector<double>& numbers,
                             const GraphicsState& state, TextReader& reader, PdfContent& content)
{
    if (token == "BT") {
        reader = TextReader{true, false, state.fill, Matrix{}, {}};
    } else if (token == "Tf" && !numbers.empty()) {
        reader.text.size = numbers.back() * state.matrix.scale();
    } else if (token == "Tm" && numbers.size() >= 6) {
        auto n = numbers.end() - 6;
        reader.textMatrix = Matrix{n[0], n[1], n[2], n[3], n[4], n[5]};
    } else if (token == "Td" && numbers.size() >= 2) {
        // Later moves are relative, from glyph to glyph.
        if (!reader.placed) {
            double x = 0;
            double y = 0;
            reader.textMatrix.map(numbers[numbers.size() - 2], numbers.back(), x, y);
            state.matrix.map(x, y, reader.text.x, reader.text.y);
            reader.placed = true;
        }
    } else if (token == "Tj") {
        if (reader.lastString.size() >= 2)
            reader.text.glyphs += static_cast<int>(reader.lastString.size() - 2) / 4;
    } else if (token == "ET") {
        if (reader.open)
            content.texts.push_back(reader.text);
        reader.open = false;
    } else {
        if (token.size() >= 2 && token.front() == '<' && token.back() == '>')
            reader.lastString = token;
        return false;
    }
    return true;
}

// The segments of the path being built, in points of the page.
struct PathReader {
    std::vector<StrokedSegment> pending;
    double startX = 0, startY = 0, lastX = 0, lastY = 0;

    void lineTo(const StrokedSegment& stroke, double x, double y)
    {
        pending.push_back(stroke);
        pending.back().x1 = lastX;
        pending.back().y1 = lastY;
        pending.back().x2 = lastX = x;
        pending.back().y2 = lastY = y;
    }
};

// Path operators (curves are left out): true when the token was one.
inline bool readPathOperator(const std::string& token, const std::vector<double>& numbers,
                             const GraphicsState& state, PathReader& path, PdfContent& content)
{
    if ((token == "m" || token == "l") && numbers.size() >= 2) {
        double x = 0;
        double y = 0;
        state.matrix.map(numbers[numbers.size() - 2], numbers.back(), x, y);
        if (token == "l") {
            path.lineTo(state.stroke, x, y);
        } else {
            path.startX = path.lastX = x;
            path.startY = path.lastY = y;
        }
    } else if (token == "h") {
        if (path.lastX != path.startX || path.lastY != path.startY)
            path.lineTo(state.stroke, path.startX, path.startY);
    } else if (token == "S" || token == "B" || token == "B*") {
        for (StrokedSegment& segment : path.pending)
            segment.textsBefore = content.texts.size();
        content.segments.insert(content.segments.end(), path.pending.begin(), path.pending.end());
        path.pending.clear();
    } else if (token == "n" || token == "f" || token == "f*") {
        path.pending.clear();
    } else {
        return false;
    }
    return true;
}

inline void readOperators(const std::string& text, int width, int height, PdfContent& content)
{
    std::istringstream tokens(text);
    std::vector<double> numbers;
    std::vector<GraphicsState> saved;
    GraphicsState state;
    Matrix& current = state.matrix;
    PathReader path;
    TextReader textObject;
    for (std::string token; tokens >> token;) {
        char* end = nullptr;
        double value = std::strtod(token.c_str(), &end);
        if (end && *end == '\0' && !token.empty()) {
            numbers.push_back(value);
            continue;
        }
        if (readPathOperator(token, numbers, state, path, content) ||
            readTextOperator(token, numbers, state, textObject, content)) {
            numbers.clear();
            continue;
        }
        if (token == "q") {
            saved.push_back(state);
        } else if (token == "Q" && !saved.empty()) {
            state = saved.back();
            saved.pop_back();
        } else if (token == "SCN" && numbers.size() >= 3) {
            state.stroke.colour = colourOf(numbers);
        } else if (token == "scn" && numbers.size() >= 3) {
            state.fill.colour = colourOf(numbers);
        } else if (token == "w" && !numbers.empty()) {
            state.stroke.width = numbers.back() * current.scale();
        } else if (token == "cm" && numbers.size() >= 6) {
            auto n = numbers.end() - 6;
            current = Matrix{n[0], n[1], n[2], n[3], n[4], n[5]}.then(current);
        } else if (token == "re" && numbers.size() >= 4 && content.drawingScale == 0) {
            auto n = numbers.end() - 4;
            if (n[0] == 0 && n[1] == 0 && n[2] == width && n[3] == height) {
                content.drawingScale = current.scale();
                content.drawingMatrix = current;
                content.drawingLeft = current.e;
                content.drawingRight = current.e + width * current.a;
            }
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
        // The writer puts one newline before "endstream"; compressed data may
        // itself end in a carriage return or newline byte.
        if (raw.ends_with('\n'))
            raw.pop_back();
        std::size_t dictionary = bytes.rfind("<<", at);
        std::string head =
            dictionary == std::string::npos ? "" : bytes.substr(dictionary, at - dictionary);
        pdf_detail::readOperators(pdf_detail::streamText(head, raw), width, height, content);
        at = end;
    }
    if (content.drawingScale > 0) {
        pdf_detail::Matrix toDrawing = content.drawingMatrix.inverted();
        for (DrawnText& text : content.texts) {
            text.size /= content.drawingScale;
            toDrawing.map(text.x, text.y, text.x, text.y);
        }
        for (StrokedSegment& segment : content.segments) {
            toDrawing.map(segment.x1, segment.y1, segment.x1, segment.y1);
            toDrawing.map(segment.x2, segment.y2, segment.x2, segment.y2);
        }
    }
    return content;
}

} // namespace kestrane::testing
