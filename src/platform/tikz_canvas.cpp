// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/tikz_canvas.h"

#include "platform/sans_metrics.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace kestrane {

namespace {

constexpr double kPixelsPerPoint = 96.0 / 72.0;
constexpr double kTexPointsPerCentimetre = 72.27 / 2.54;
// The ascent of Arial and Liberation Sans, as a fraction of the font size:
// the window places a text by its top, LaTeX by its baseline.
constexpr double kAscent = 0.905;

// Centimetres to three places: finer than a printer's dot at any scale.
// Pictures hold thousands of numbers, so they are formatted without
// snprintf.
std::string number(double value)
{
    char text[400];
    auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 3);
    if (error != std::errc())
        return "0";
    std::string_view result(text, static_cast<std::size_t>(end - text));
    while (result.back() == '0')
        result.remove_suffix(1);
    if (result.back() == '.')
        result.remove_suffix(1);
    return result == "-0" ? "0" : std::string(result);
}

std::string colourDefinition(ColorRef colour, std::size_t index)
{
    char text[80];
    std::snprintf(text, sizeof text, "\\definecolor{k%zu}{RGB}{%d,%d,%d}\n", index, redOf(colour),
                  greenOf(colour), blueOf(colour));
    return text;
}

bool isAutomaticLabel(std::string_view text)
{
    if (text.empty() || !std::isalpha(static_cast<unsigned char>(text[0])))
        return false;
    return std::all_of(text.begin() + 1, text.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

// The Greek letters as LaTeX writes them in mathematics; capitals that
// look Latin are the Latin letters.
struct GreekLetter {
    char32_t code;
    const char* latex;
};

constexpr GreekLetter kGreek[] = {
    {U'α', "\\alpha"},
    {U'β', "\\beta"},
    {U'γ', "\\gamma"},
    {U'δ', "\\delta"},
    {U'ε', "\\varepsilon"},
    {U'ϵ', "\\epsilon"},
    {U'ζ', "\\zeta"},
    {U'η', "\\eta"},
    {U'θ', "\\theta"},
    {U'ϑ', "\\vartheta"},
    {U'ι', "\\iota"},
    {U'κ', "\\kappa"},
    {U'λ', "\\lambda"},
    {U'μ', "\\mu"},
    {U'ν', "\\nu"},
    {U'ξ', "\\xi"},
    {U'ο', "o"},
    {U'π', "\\pi"},
    {U'ϖ', "\\varpi"},
    {U'ρ', "\\rho"},
    {U'ϱ', "\\varrho"},
    {U'σ', "\\sigma"},
    {U'ς', "\\varsigma"},
    {U'τ', "\\tau"},
    {U'υ', "\\upsilon"},
    {U'φ', "\\varphi"},
    {U'ϕ', "\\phi"},
    {U'χ', "\\chi"},
    {U'ψ', "\\psi"},
    {U'ω', "\\omega"},
    {U'Γ', "\\Gamma"},
    {U'Δ', "\\Delta"},
    {U'Θ', "\\Theta"},
    {U'Λ', "\\Lambda"},
    {U'Ξ', "\\Xi"},
    {U'Π', "\\Pi"},
    {U'Σ', "\\Sigma"},
    {U'Υ', "\\Upsilon"},
    {U'Φ', "\\Phi"},
    {U'Ψ', "\\Psi"},
    {U'Ω', "\\Omega"},
    {U'Α', "A"},
    {U'Β', "B"},
    {U'Ε', "E"},
    {U'Ζ', "Z"},
    {U'Η', "H"},
    {U'Ι', "I"},
    {U'Κ', "K"},
    {U'Μ', "M"},
    {U'Ν', "N"},
    {U'Ο', "O"},
    {U'Ρ', "P"},
    {U'Τ', "T"},
    {U'Χ', "X"},
};

// The code point that starts at `text[at]` and its length in bytes; an
// invalid byte stands for itself.
std::pair<char32_t, std::size_t> codePointAt(std::string_view text, std::size_t at)
{
    auto byte = static_cast<unsigned char>(text[at]);
    std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    if (at + length > text.size())
        return {byte, 1};
    char32_t code = length == 1 ? byte : byte & (0x3F >> (length - 1));
    for (std::size_t index = 1; index < length; ++index)
        code = (code << 6) | (static_cast<unsigned char>(text[at + index]) & 0x3F);
    return {code, length};
}

const char* greekLatex(char32_t code)
{
    for (const GreekLetter& letter : kGreek) {
        if (letter.code == code)
            return letter.latex;
    }
    return nullptr;
}

} // namespace

std::string tikzText(std::string_view utf8)
{
    if (isAutomaticLabel(utf8)) {
        std::string math(1, '$');
        math += utf8[0];
        if (utf8.size() > 1) {
            math += "_{";
            math += utf8.substr(1);
            math += '}';
        }
        math += '$';
        return math;
    }
    std::string result;
    for (std::size_t at = 0; at < utf8.size();) {
        auto [code, length] = codePointAt(utf8, at);
        char character = utf8[at];
        if (length > 1) {
            // Greek letters (π, ε of the expressions) are mathematics:
            // pdflatex has no text glyphs for them.
            if (const char* latex = greekLatex(code))
                result += std::string("\\ensuremath{") + latex + "}";
            else
                result += utf8.substr(at, length);
            at += length;
            continue;
        }
        ++at;
        switch (character) {
        case '\\':
            result += "\\textbackslash{}";
            break;
        case '^':
            result += "\\textasciicircum{}";
            break;
        case '~':
            result += "\\textasciitilde{}";
            break;
        case '{':
        case '}':
        case '$':
        case '&':
        case '#':
        case '_':
        case '%':
            result += '\\';
            result += character;
            break;
        case '\r':
        case '\n':
            result += ' ';
            break;
        default:
            result += character;
        }
    }
    return result;
}

TikzCanvas::TikzCanvas(int width, int height, TikzOptions options)
    : m_width(width)
    , m_height(height)
    , m_options(options)
{
    if (!(m_options.pixelsPerCentimetre > 0) || !std::isfinite(m_options.pixelsPerCentimetre))
        m_options.pixelsPerCentimetre = TikzOptions().pixelsPerCentimetre;
}

void TikzCanvas::setPen(ColorRef colour, int width)
{
    m_pen = colour;
    m_penWidth = width;
    m_drawOptions.clear();
}

void TikzCanvas::setBrush(ColorRef colour)
{
    m_brush = colour;
    m_brushClear = false;
}

// Colours are named in the order they first appear: k0, k1, ...
std::string TikzCanvas::colourName(ColorRef colour)
{
    auto found = std::find(m_colours.begin(), m_colours.end(), colour);
    std::size_t index = static_cast<std::size_t>(found - m_colours.begin());
    if (found == m_colours.end())
        m_colours.push_back(colour);
    std::string name(1, 'k');
    name += std::to_string(index);
    return name;
}

std::string TikzCanvas::coordinate(double x, double y) const
{
    double scale = m_options.pixelsPerCentimetre;
    std::string text = "(";
    text += number(x / scale);
    text += ',';
    text += number((m_height - y) / scale);
    text += ')';
    return text;
}

const std::string& TikzCanvas::drawOptions()
{
    // One pixel of the window is one pixel's width on paper.
    if (m_drawOptions.empty()) {
        double width = m_penWidth * kTexPointsPerCentimetre / m_options.pixelsPerCentimetre;
        m_drawOptions = "draw=" + colourName(m_pen) + ", line width=" + number(width) + "pt";
    }
    return m_drawOptions;
}

std::string TikzCanvas::fillOptions()
{
    std::string options = drawOptions();
    if (!m_brushClear)
        options += ", fill=" + colourName(m_brush);
    return options;
}

std::string TikzCanvas::path(std::span<const CanvasPoint> points, bool closed) const
{
    std::string result;
    for (const CanvasPoint& point : points) {
        if (!result.empty())
            result += " -- ";
        result += coordinate(point.x, point.y);
    }
    if (closed)
        result += " -- cycle";
    return result;
}

void TikzCanvas::moveTo(double x, double y)
{
    m_position = {x, y};
}

void TikzCanvas::lineTo(double x, double y)
{
    line(m_position.x, m_position.y, x, y);
    m_position = {x, y};
}

void TikzCanvas::line(double x1, double y1, double x2, double y2)
{
    m_body += "\\path[";
    m_body += drawOptions();
    m_body += "] ";
    m_body += coordinate(x1, y1);
    m_body += " -- ";
    m_body += coordinate(x2, y2);
    m_body += ";\n";
}

void TikzCanvas::polyline(std::span<const CanvasPoint> points)
{
    if (points.size() < 2)
        return;
    m_body += "\\path[" + drawOptions() + "] " + path(points, false) + ";\n";
}

void TikzCanvas::polygon(std::span<const CanvasPoint> points)
{
    if (points.size() < 2)
        return;
    m_body += "\\path[" + fillOptions() + "] " + path(points, true) + ";\n";
}

void TikzCanvas::ellipse(double x1, double y1, double x2, double y2)
{
    double scale = m_options.pixelsPerCentimetre;
    m_body += "\\path[" + fillOptions() + "] " + coordinate((x1 + x2) / 2, (y1 + y2) / 2) +
              " ellipse (" + number(std::abs(x2 - x1) / 2 / scale) + " and " +
              number(std::abs(y2 - y1) / 2 / scale) + ");\n";
}

void TikzCanvas::rectangle(double x1, double y1, double x2, double y2)
{
    m_body += "\\path[" + fillOptions() + "] " + coordinate(x1, y1) + " rectangle " +
              coordinate(x2, y2) + ";\n";
}

void TikzCanvas::fillRect(double x1, double y1, double x2, double y2, ColorRef colour)
{
    m_body += "\\fill[" + colourName(colour) + "] " + coordinate(x1, y1) + " rectangle " +
              coordinate(x2, y2) + ";\n";
}

void TikzCanvas::text(double x, double y, std::string_view utf8)
{
    if (joinLabelIndex(x, y, utf8))
        return;
    double pixels = fontPixels();
    double size = pixels / m_options.pixelsPerCentimetre * kTexPointsPerCentimetre;
    std::string font =
        "\\fontsize{" + number(size) + "}{" + number(size * 1.2) + "}\\selectfont\\sffamily";
    if (m_font.bold)
        font += "\\bfseries";
    if (m_font.italic)
        font += "\\itshape";
    m_body += "\\node[anchor=base west, inner sep=0pt, text=" + colourName(m_textColour) +
              ", font=" + font + "] at " + coordinate(x, y + pixels * kAscent) + " {" +
              tikzText(utf8) + "};\n";
    m_letter.reset();
    if (utf8.size() == 1 && std::isalpha(static_cast<unsigned char>(utf8[0])))
        m_letter = Letter{x, y, utf8[0], m_body.size()};
}

// An object's label is painted as its letter and, smaller, below and to the
// right of it, its number; in LaTeX that is the letter with a subscript, so
// the number joins the letter's node just written: $C_{1}$.
bool TikzCanvas::joinLabelIndex(double x, double y, std::string_view utf8)
{
    constexpr double kIndexRight = 10;
    constexpr double kIndexDown = 6;
    if (!m_letter || m_letter->end != m_body.size() || x != m_letter->x + kIndexRight ||
        y != m_letter->y + kIndexDown || utf8.empty() ||
        !std::all_of(utf8.begin(), utf8.end(),
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
        return false;
    // The node ends with {$C$};
    constexpr std::size_t kLetterTail = 6;
    m_body.resize(m_body.size() - kLetterTail);
    m_body += tikzText(std::string(1, m_letter->letter) + std::string(utf8));
    m_body += "};\n";
    m_letter.reset();
    return true;
}

double TikzCanvas::fontPixels() const
{
    return m_font.pixelHeight > 0 ? m_font.pixelHeight : m_font.size * kPixelsPerPoint;
}

int TikzCanvas::textWidth(std::string_view utf8)
{
    return static_cast<int>(std::lround(sansAdvance(utf8) * fontPixels() / 1000));
}

int TikzCanvas::textHeight()
{
    // Ascent and descent of the sans fonts: 0.905 and 0.212 of the size.
    return static_cast<int>(std::lround(fontPixels() * 1.117));
}

std::string TikzCanvas::document() const
{
    std::string colours;
    for (std::size_t index = 0; index < m_colours.size(); ++index)
        colours += colourDefinition(m_colours[index], index);
    std::string picture = "\\begin{tikzpicture}\n" + colours + "\\clip " + coordinate(0, m_height) +
                          " rectangle " + coordinate(m_width, 0) + ";\n" + m_body +
                          "\\end{tikzpicture}\n";
    if (!m_options.standalone)
        return picture;
    return "\\documentclass{standalone}\n"
           "\\usepackage[T1]{fontenc}\n"
           "\\usepackage[utf8]{inputenc}\n"
           "\\usepackage{tikz}\n"
           "\\begin{document}\n" +
           picture + "\\end{document}\n";
}

} // namespace kestrane
