// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the pictures of the image buttons and writes them as JPEG files:
// plain rounded buttons with a label in a small bitmap font, and drawn signs
// for the fraction, power and root buttons.
#include "platform/files.h"
#include "platform/jpeg_image.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace {

using kestrane::RgbImage;

struct Colour {
    std::uint8_t red, green, blue;
};

constexpr Colour kFace{236, 240, 248};
constexpr Colour kEdge{90, 110, 150};
constexpr Colour kInk{20, 30, 70};
constexpr Colour kAccent{200, 30, 30};

// 5 x 7 glyphs, one string per row, '#' for ink.
const std::map<char, std::vector<std::string>>& glyphs()
{
    static const std::map<char, std::vector<std::string>> table{
        {'0', {" ### ", "#   #", "#  ##", "# # #", "##  #", "#   #", " ### "}},
        {'1', {"  #  ", " ##  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "}},
        {'2', {" ### ", "#   #", "    #", "   # ", "  #  ", " #   ", "#####"}},
        {'3', {"#####", "   # ", "  #  ", "   # ", "    #", "#   #", " ### "}},
        {'4', {"   # ", "  ## ", " # # ", "#  # ", "#####", "   # ", "   # "}},
        {'5', {"#####", "#    ", "#### ", "    #", "    #", "#   #", " ### "}},
        {'6', {"  ## ", " #   ", "#    ", "#### ", "#   #", "#   #", " ### "}},
        {'7', {"#####", "    #", "   # ", "  #  ", " #   ", " #   ", " #   "}},
        {'8', {" ### ", "#   #", "#   #", " ### ", "#   #", "#   #", " ### "}},
        {'9', {" ### ", "#   #", "#   #", " ####", "    #", "   # ", " ##  "}},
        {'.', {"     ", "     ", "     ", "     ", "     ", " ##  ", " ##  "}},
        {'+', {"     ", "  #  ", "  #  ", "#####", "  #  ", "  #  ", "     "}},
        {'-', {"     ", "     ", "     ", "#####", "     ", "     ", "     "}},
        {'*', {"     ", "# # #", " ### ", "#####", " ### ", "# # #", "     "}},
        {'=', {"     ", "     ", "#####", "     ", "#####", "     ", "     "}},
        {'/', {"    #", "    #", "   # ", "  #  ", " #   ", "#    ", "#    "}},
        {'?', {" ### ", "#   #", "    #", "   # ", "  #  ", "     ", "  #  "}},
        {'<', {"   # ", "  #  ", " #   ", "#    ", " #   ", "  #  ", "   # "}},
        {'>', {" #   ", "  #  ", "   # ", "    #", "   # ", "  #  ", " #   "}},
        {'p', {"     ", "     ", "#### ", "#   #", "#### ", "#    ", "#    "}},
        {'P', {"     ", "#####", " # # ", " # # ", " # # ", " # # ", " # ##"}}, // pi
        {'a', {"     ", "     ", " ### ", "    #", " ####", "#   #", " ####"}},
        {'c', {"     ", "     ", " ### ", "#    ", "#    ", "#   #", " ### "}},
        {'e', {"     ", "     ", " ### ", "#   #", "#####", "#    ", " ### "}},
        {'g', {"     ", " ####", "#   #", "#   #", " ####", "    #", " ### "}},
        {'i', {"  #  ", "     ", " ##  ", "  #  ", "  #  ", "  #  ", " ### "}},
        {'l', {" ##  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "}},
        {'m', {"     ", "     ", "## # ", "# # #", "# # #", "#   #", "#   #"}},
        // The Greek letters of the calculator's symbol buttons.
        {'A', {"     ", "     ", " ## #", "#  # ", "#  # ", "#  # ", " ## #"}}, // alpha
        {'B', {" ### ", "#   #", "#### ", "#   #", "#   #", "#### ", "#    "}}, // beta
        {'G', {"     ", "#   #", " # # ", "  #  ", "  #  ", "  #  ", "  #  "}}, // gamma
        {'E', {"     ", " ### ", "#    ", " ##  ", "#    ", "#    ", " ### "}}, // epsilon
        {'n', {"     ", "     ", "# ## ", "##  #", "#   #", "#   #", "#   #"}},
        {'o', {"     ", "     ", " ### ", "#   #", "#   #", "#   #", " ### "}},
        {'s', {"     ", "     ", " ####", "#    ", " ### ", "    #", "#### "}},
        {'t', {" #   ", " #   ", "###  ", " #   ", " #   ", " #  #", "  ## "}},
        {'u', {"     ", "     ", "#   #", "#   #", "#   #", "#  ##", " ## #"}},
        {'v', {"     ", "     ", "#   #", "#   #", "#   #", " # # ", "  #  "}},
        {'x', {"     ", "     ", "#   #", " # # ", "  #  ", " # # ", "#   #"}},
        {'L', {"#    ", "#    ", "#    ", "#    ", "#    ", "#    ", "#####"}},
        {'M', {"#   #", "## ##", "# # #", "# # #", "#   #", "#   #", "#   #"}},
        {'N', {"#   #", "##  #", "# # #", "#  ##", "#   #", "#   #", "#   #"}},
        {'S', {" ####", "#    ", "#    ", " ### ", "    #", "    #", "#### "}},
        {'V', {"#   #", "#   #", "#   #", "#   #", "#   #", " # # ", "  #  "}},
        {'w', {"     ", "     ", "#   #", "#   #", "# # #", "# # #", " # # "}},
        {'!', {"  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "     ", "  #  "}},
        {' ', {"     ", "     ", "     ", "     ", "     ", "     ", "     "}},
    };
    return table;
}

class Picture {
public:
    Picture(int width, int height)
    {
        m_image.width = width;
        m_image.height = height;
        m_image.pixels.assign(static_cast<size_t>(width) * height * 3, 255);
    }

    void plot(int x, int y, Colour colour)
    {
        if (x < 0 || y < 0 || x >= m_image.width || y >= m_image.height)
            return;
        std::uint8_t* pixel = m_image.at(x, y);
        pixel[0] = colour.red;
        pixel[1] = colour.green;
        pixel[2] = colour.blue;
    }

    void fill(int x1, int y1, int x2, int y2, Colour colour)
    {
        for (int y = y1; y < y2; ++y)
            for (int x = x1; x < x2; ++x)
                plot(x, y, colour);
    }

    // A line of the given thickness by stepping along its longer axis.
    void line(double x1, double y1, double x2, double y2, Colour colour, int thickness = 2)
    {
        int steps = static_cast<int>(std::max(std::abs(x2 - x1), std::abs(y2 - y1))) + 1;
        for (int step = 0; step <= steps; ++step) {
            double t = static_cast<double>(step) / steps;
            int x = static_cast<int>(std::lround(x1 + (x2 - x1) * t));
            int y = static_cast<int>(std::lround(y1 + (y2 - y1) * t));
            fill(x - thickness / 2, y - thickness / 2, x - thickness / 2 + thickness,
                 y - thickness / 2 + thickness, colour);
        }
    }

    void button(Colour face)
    {
        int width = m_image.width;
        int height = m_image.height;
        fill(0, 0, width, height, face);
        for (int x = 0; x < width; ++x) {
            plot(x, 0, kEdge);
            plot(x, height - 1, kEdge);
        }
        for (int y = 0; y < height; ++y) {
            plot(0, y, kEdge);
            plot(width - 1, y, kEdge);
        }
    }

    int textWidth(const std::string& text, int scale) const
    {
        return static_cast<int>(text.size()) * 6 * scale - scale;
    }

    void text(int x, int y, const std::string& text, int scale, Colour colour)
    {
        for (char character : text) {
            auto found = glyphs().find(character);
            if (found != glyphs().end()) {
                for (int row = 0; row < 7; ++row)
                    for (int column = 0; column < 5; ++column)
                        if (found->second[row][column] == '#')
                            fill(x + column * scale, y + row * scale, x + (column + 1) * scale,
                                 y + (row + 1) * scale, colour);
            }
            x += 6 * scale;
        }
    }

    void centredText(const std::string& label, Colour colour)
    {
        int scale = 3;
        while (scale > 1 &&
               (textWidth(label, scale) > m_image.width - 6 || 7 * scale > m_image.height - 6))
            --scale;
        text((m_image.width - textWidth(label, scale)) / 2, (m_image.height - 7 * scale) / 2, label,
             scale, colour);
    }

    const RgbImage& image() const { return m_image; }

private:
    RgbImage m_image;
};

Picture labelled(int width, int height, const std::string& label, Colour face = kFace,
                 Colour ink = kInk)
{
    Picture picture(width, height);
    picture.button(face);
    picture.centredText(label, ink);
    return picture;
}

// A small empty box, the slot of an expression.
void slot(Picture& picture, int x, int y, int width, int height)
{
    picture.line(x, y, x + width, y, kInk, 1);
    picture.line(x, y + height, x + width, y + height, kInk, 1);
    picture.line(x, y, x, y + height, kInk, 1);
    picture.line(x + width, y, x + width, y + height, kInk, 1);
}

Picture fractionSign()
{
    Picture picture(41, 27);
    picture.button(kFace);
    slot(picture, 15, 3, 10, 7);
    picture.line(10, 13, 30, 13, kInk, 2);
    slot(picture, 15, 17, 10, 7);
    return picture;
}

Picture powerSign()
{
    Picture picture(41, 27);
    picture.button(kFace);
    slot(picture, 10, 10, 12, 12);
    slot(picture, 24, 4, 7, 6);
    return picture;
}

Picture rootSign()
{
    Picture picture(41, 27);
    picture.button(kFace);
    picture.line(7, 15, 11, 13, kAccent, 2);
    picture.line(11, 13, 15, 22, kAccent, 2);
    picture.line(15, 22, 19, 5, kAccent, 2);
    picture.line(19, 5, 35, 5, kAccent, 2);
    slot(picture, 22, 9, 10, 11);
    return picture;
}

struct Named {
    std::string name;
    Picture picture;
};

std::vector<Named> allPictures()
{
    std::vector<Named> pictures;
    pictures.push_back({"fraction", fractionSign()});
    pictures.push_back({"power", powerSign()});
    pictures.push_back({"root", rootSign()});
    const std::pair<const char*, const char*> fractionButtons[] = {
        {"new_variable", "New"},  {"variables", "List"}, {"substitute", "x=?"},
        {"simplify", "Simpl"},    {"restore", "<<"},     {"list_help", "?"},
        {"main_expression", "<"}, {"comment", "!"},
    };
    for (auto [name, label] : fractionButtons)
        pictures.push_back({name, labelled(41, 27, label)});
    for (int memory = 1; memory <= 2; ++memory) {
        std::string digit = std::to_string(memory);
        pictures.push_back({"memory" + digit + "_in", labelled(41, 27, "M" + digit + "+")});
        pictures.push_back(
            {"memory" + digit + "_in_red", labelled(41, 27, "M" + digit + "+", kFace, kAccent)});
        pictures.push_back({"memory" + digit + "_out", labelled(41, 27, "M" + digit)});
    }
    for (int digit = 0; digit <= 9; ++digit)
        pictures.push_back(
            {"key_" + std::to_string(digit), labelled(48, 40, std::to_string(digit))});
    const std::pair<const char*, const char*> keys[] = {
        {"key_point", "."}, {"key_minus", "-"},  {"key_plus", "+"},
        {"key_times", "*"}, {"key_sign", "+/-"}, {"key_equals", "="},
    };
    for (auto [name, label] : keys)
        pictures.push_back({name, labelled(48, 40, label == std::string("+/-") ? "+-" : label)});
    const char* functions[] = {"exp", "log",  "sin",  "cos",  "tan",
                               "cot", "asin", "acos", "atan", "acot"};
    for (const char* function : functions)
        pictures.push_back({std::string("function_") + function, labelled(56, 32, function)});
    pictures.push_back({"function_pi", labelled(56, 32, "P")});
    const std::pair<const char*, const char*> greek[] = {
        {"greek_alpha", "A"}, {"greek_beta", "B"}, {"greek_gamma", "G"}, {"greek_epsilon", "E"}};
    for (auto [name, label] : greek)
        pictures.push_back({name, labelled(44, 32, label)});
    // The calculator's buttons shown with a result, and the variable editor's
    // help buttons.
    pictures.push_back({"compute", labelled(90, 34, "=")});
    pictures.push_back({"new_expression", labelled(90, 34, "New")});
    pictures.push_back({"editor_help", labelled(41, 27, "?")});
    pictures.push_back({"editor_variables", labelled(41, 27, "x")});
    return pictures;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "Usage: make_images DIRECTORY\n";
        return 2;
    }
    int written = 0;
    for (const Named& named : allPictures()) {
        auto bytes = kestrane::encodeJpeg(named.picture.image());
        std::string path = kestrane::joinPath(argv[1], named.name + ".jpg");
        if (!bytes || !kestrane::replaceFile(path, *bytes)) {
            std::cerr << "make_images: cannot write " << path << '\n';
            return 2;
        }
        ++written;
    }
    std::cout << written << " pictures written to " << argv[1] << '\n';
    return 0;
}
