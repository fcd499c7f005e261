// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/graph_window.h"

#include "algebra/fraction_file.h"
#include "algebra/long_eval.h"
#include "expressions/fract_bytes.h"
#include "expressions/fract_node.h"
#include "graphs/function_file.h"
#include "graphs/graph_key_table.h"
#include "graphs/script_expressions.h"
#include "graphs/ticks.h"
#include "platform/files.h"
#include "platform/host.h"
#include "platform/translation.h"
#include "runtime/float_text.h"

#include <algorithm>
#include <array>
#include <filesystem>

namespace kestrane {

namespace {

constexpr const char* kErrorCaption = N_("Error");
constexpr const char* kCtrlNotPressed = N_("Probably a key 'Ctrl' was not pressed");
constexpr const char* kOnlyX = N_("Not allowed keyboard key. Only variable 'x' is allowed.");
constexpr const char* kOneComma = N_("Only one comma allowed.");
constexpr const char* kNumberOnly =
    N_("Since first character is a number, all following characters must be numbers or '.'.");
constexpr const char* kOneCharacter = N_("Symbol may have only one character.");
constexpr const char* kNotAllowed = N_("Not allowed operation.");
constexpr const char* kWrongCharacter = N_("Wrong character discovered.");
constexpr const char* kCannotRead = N_("File cannot be read.");
constexpr const char* kCannotWrite = N_("File cannot be written.");
constexpr const char* kTooLarge = N_("The expression is too large for a function file.");

// The keys of the items are in the window's key table.
constexpr GraphMenuItem kMenuItems[] = {
    {N_("&File"), N_("&New"), GraphCommand::New},
    {N_("&File"), N_("&Open"), GraphCommand::Open},
    {N_("&File"), N_("Sa&ve as"), GraphCommand::SaveAs},
    {N_("&File"), N_("E&xit"), GraphCommand::Exit},
    {N_("Edit"), N_("&New expression"), GraphCommand::NewExpression},
    {N_("Edit"), N_("&Root"), GraphCommand::Root},
    {N_("Edit"), N_("Ra&tio"), GraphCommand::Ratio},
    {N_("Edit"), N_("Power"), GraphCommand::Power},
    {N_("&View"), N_("&Graph"), GraphCommand::ShowGraph},
    {N_("&View"), N_("&Domain"), GraphCommand::ChangeDomain},
    {N_("F&unctions"), "Exp", GraphCommand::Function, 200},
    {N_("F&unctions"), "Log", GraphCommand::Function, 201},
    {N_("F&unctions"), "Sin", GraphCommand::Function, 202},
    {N_("F&unctions"), "Cos", GraphCommand::Function, 203},
    {N_("F&unctions"), "Tan", GraphCommand::Function, 204},
    {N_("F&unctions"), "Cot", GraphCommand::Function, 205},
    {N_("F&unctions"), "ASin", GraphCommand::Function, 210},
    {N_("F&unctions"), "ACos", GraphCommand::Function, 207},
    {N_("F&unctions"), "ATan", GraphCommand::Function, 208},
    {N_("F&unctions"), "ACot", GraphCommand::Function, 209},
    {N_("&Help"), N_("&Index"), GraphCommand::HelpIndex},
    {N_("&Help"), N_("&About"), GraphCommand::About},
};

struct FunctionButton {
    const char* caption;
    int code;
    int row; // top of the row
    int column;
};

constexpr FunctionButton kFunctionButtons[] = {
    {"sin", 202, 70, 0},   {"cos", 203, 70, 1},   {"tan", 204, 70, 2},   {"cot", 205, 70, 3},
    {"asin", 210, 160, 0}, {"acos", 207, 160, 1}, {"atan", 208, 160, 2}, {"acot", 209, 160, 3},
    {"exp", 200, 250, 0},  {"log", 201, 250, 1},
};

std::string withoutAmpersands(std::string_view text)
{
    std::string plain;
    for (char c : text)
        if (c != '&')
            plain += c;
    return plain;
}

bool isLetterKey(std::uint16_t key)
{
    return key >= 'A' && key <= 'Z';
}

bool isDigitKey(std::uint16_t key, Modifiers modifiers)
{
    return (key >= '0' && key <= '9' && !modifiers.shift()) ||
           (key >= editor_keys::kNumpad0 && key <= editor_keys::kNumpad9);
}

bool isDecimalKey(std::uint16_t key)
{
    return key == editor_keys::kPeriod || key == editor_keys::kComma ||
           key == editor_keys::kNumpadDecimal;
}

bool startsWithNumber(const std::string& text)
{
    return !text.empty() &&
           ((text[0] >= '0' && text[0] <= '9') || text[0] == '.' || text[0] == ',');
}

// The two words after "domain" in a function file, as the reader takes them.
std::array<std::string, 2> domainWords(std::string_view bytes)
{
    std::array<std::string, 2> words;
    std::size_t domain = bytes.find("domain");
    if (domain == std::string_view::npos)
        return words;
    std::size_t end = std::min(bytes.find_first_of("\r\n", domain), bytes.size());
    std::string_view line = bytes.substr(domain + 6, end - domain - 6);
    if (!line.empty() && line.front() == ':')
        line.remove_prefix(1);
    std::size_t index = 0;
    std::size_t position = 0;
    while (index < 2) {
        std::size_t start = line.find_first_not_of(" \t", position);
        if (start == std::string_view::npos)
            break;
        std::size_t stop = std::min(line.find_first_of(" \t", start), line.size());
        words[index++] = std::string(line.substr(start, stop - start));
        position = stop;
    }
    return words;
}

// The text shown for a domain end read from a file: the file's word when
// it is a valid field of that value, else the value written shortly.
std::string endText(double value, const std::array<std::string, 2>& words)
{
    for (const std::string& word : words) {
        std::optional<float> parsed = domainFieldValue(word);
        if (parsed && word.size() <= static_cast<std::size_t>(DomainDialog::kFieldLength) &&
            readFloatText(word) == value)
            return word;
    }
    return tickLabel(value);
}

} // namespace

GraphWindow::GraphWindow(Host& host, Canvas& metrics, int fontHeight)
    : m_host(host)
    , m_editor(host, metrics, fontHeight)
    , m_fontHeight(fontHeight)
{
    m_editor.setDecimalsAllowed(true);
    m_editor.setOrigin(kExpressionLeft, kExpressionTop);
    resize(kInitialWidth, kInitialHeight);
    markSaved();
}

void GraphWindow::setColours(ColorRef expressionBackground, ColorRef window)
{
    m_expressionBackground = expressionBackground;
    m_windowColour = window;
}

void GraphWindow::resize(int width, int height)
{
    m_width = width;
    m_height = height;
    m_editor.setArea(std::max(1, width - kAreaLeft - 40), std::max(1, 290 - kExpressionTop));
    m_editor.setWindowSize(width, height);
}

std::string GraphWindow::caption() const
{
    return m_fileName.empty() ? kNoName : m_fileName;
}

std::string GraphWindow::snapshot() const
{
    std::string bytes = m_domain.leftText + ' ' + m_domain.rightText + '\n';
    if (!serializeExpression(m_editor.expression(), bytes))
        bytes += "\x01unwritable";
    return bytes;
}

void GraphWindow::markSaved()
{
    m_saved = snapshot();
}

bool GraphWindow::modified() const
{
    return snapshot() != m_saved;
}

const GraphPlot* GraphWindow::plot() const
{
    if (!m_plot || snapshot() != m_plotted)
        return nullptr;
    return &*m_plot;
}

std::span<const GraphMenuItem> GraphWindow::menuItems()
{
    return kMenuItems;
}

std::vector<GraphButton> GraphWindow::buttons() const
{
    std::vector<GraphButton> buttons;
    int left = m_width - 150;
    for (const FunctionButton& button : kFunctionButtons) {
        int x = left + kButtonWidth * button.column;
        buttons.push_back({button.caption, x, button.row, x + kButtonWidth,
                           button.row + kButtonHeight, GraphCommand::Function, button.code});
    }
    const std::pair<const char*, GraphCommand> pictures[] = {{"root", GraphCommand::Root},
                                                             {"fraction", GraphCommand::Ratio},
                                                             {"power", GraphCommand::Power},
                                                             {"pi", GraphCommand::Pi}};
    for (int index = 0; index < 4; ++index) {
        int x = left + kPictureSize * index;
        buttons.push_back({pictures[index].first, x, kPictureTop, x + kPictureSize,
                           kPictureTop + kPictureSize, pictures[index].second});
    }
    buttons.push_back({"graph", m_width - kAreaLeft, m_height - kGraphArea, m_width - kAreaRight,
                       m_height - kGraphArea + kAreaHeight, GraphCommand::ShowGraph});
    buttons.push_back({"domain", m_width - kAreaLeft, m_height - kDomainArea, m_width - kAreaRight,
                       m_height - kDomainArea + kAreaHeight, GraphCommand::ChangeDomain});
    return buttons;
}

void GraphWindow::error(const char* text)
{
    m_host.message(kErrorCaption, text, MessageButtons::Ok, MessageIcon::Error);
}

bool GraphWindow::askToSave()
{
    if (!modified())
        return true;
    // The same question the script editor asks before its text is lost.
    MessageAnswer answer =
        m_host.message(N_("Files"), N_("File not saved. \nDo you want to save it?"),
                       MessageButtons::YesNoCancel, MessageIcon::Question);
    if (answer == MessageAnswer::Yes)
        return saveAs();
    return answer == MessageAnswer::No;
}

// --- Commands ----------------------------------------------------------------

void GraphWindow::run(GraphCommand command, int code)
{
    switch (command) {
    case GraphCommand::New:
        newFile();
        break;
    case GraphCommand::Open:
        open();
        break;
    case GraphCommand::SaveAs:
        saveAs();
        break;
    case GraphCommand::Exit:
        m_closeRequested = close();
        break;
    case GraphCommand::NewExpression:
        newExpression();
        break;
    case GraphCommand::Root:
        m_editor.insertRoot();
        break;
    case GraphCommand::Ratio:
        m_editor.insertFraction();
        break;
    case GraphCommand::Power:
        insertPower();
        break;
    case GraphCommand::Pi:
        insertPi();
        break;
    case GraphCommand::ShowGraph:
        showGraph();
        break;
    case GraphCommand::ChangeDomain:
        changeDomain();
        break;
    case GraphCommand::Function:
        insertFunction(code);
        break;
    case GraphCommand::HelpIndex:
        m_host.showHelp(kHelpPage);
        break;
    case GraphCommand::About:
        break;
    }
}

bool GraphWindow::menu(std::string_view caption)
{
    std::string wanted = withoutAmpersands(caption);
    for (const GraphMenuItem& item : kMenuItems) {
        if (withoutAmpersands(item.caption) == wanted) {
            run(item.command, item.code);
            return true;
        }
    }
    return false;
}

void GraphWindow::newFile()
{
    if (!askToSave())
        return;
    m_fileName.clear();
    m_editor.newExpression();
    markSaved();
}

void GraphWindow::newExpression()
{
    if (!askToSave())
        return;
    m_editor.newExpression();
}

bool GraphWindow::open()
{
    if (!askToSave())
        return false;
    FileDialogRequest request;
    request.title = N_("Open");
    request.filters = {kFileFilter};
    std::optional<std::string> chosen = m_host.chooseFileToOpen(request);
    return chosen && openFile(*chosen);
}

bool GraphWindow::openAsking(const std::string& path)
{
    return askToSave() && openFile(path);
}

bool GraphWindow::openFile(const std::string& path)
{
    std::optional<std::string> bytes = readWholeFile(nativePath(path));
    if (!bytes) {
        error(kCannotRead);
        return false;
    }
    FunctionFileRead read = parseFunctionFile(*bytes, m_fontHeight);
    if (!read.file) {
        m_host.message(read.caption, read.message, MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    std::array<std::string, 2> words = domainWords(*bytes);
    m_domain =
        GraphDomain{endText(read.file->lower, words), endText(read.file->upper, words),
                    static_cast<float>(read.file->lower), static_cast<float>(read.file->upper)};
    m_editor.setExpression(std::move(read.file->expression));
    m_fileName = path;
    markSaved();
    return true;
}

bool GraphWindow::saveAs()
{
    FileDialogRequest request;
    request.title = N_("Save as");
    request.fileName = m_fileName;
    request.filters = {kFileFilter};
    std::optional<std::string> chosen = m_host.chooseFileToSave(request);
    return chosen && saveTo(*chosen);
}

bool GraphWindow::saveTo(const std::string& name)
{
    std::string fileName = name;
    if (!fileName.empty() && fileName.back() == '.')
        fileName += "fct";
    else if (!fileName.ends_with(".fct")) {
        error(kWrongFileNameText);
        return false;
    }
    if (!expressionReady())
        return false;
    std::string bytes =
        "domain: " + m_domain.leftText + " " + m_domain.rightText + "\r\nstart:\r\n";
    if (!serializeExpression(m_editor.expression(), bytes)) {
        error(kTooLarge);
        return false;
    }
    // Written beside the old file and renamed over it: a failed write keeps it.
    if (!replaceFile(nativePath(fileName), bytes)) {
        error(kCannotWrite);
        return false;
    }
    m_fileName = fileName;
    markSaved();
    return true;
}

bool GraphWindow::expressionReady()
{
    const FractNode& expression = m_editor.expression();
    if (!expressionComplete(expression)) {
        error(kWrongParenthesesText);
        return false;
    }
    if (expressionNames(expression).emptyPlace) {
        error(kWrongCharacter);
        return false;
    }
    return true;
}

void GraphWindow::showGraph()
{
    if (!expressionReady())
        return;
    // Drawn as a script's Graph draws the saved file.
    std::unique_ptr<FractNode> simplified = simplifiedForScript(m_editor.expression());
    m_program = NumericProgram::compile(*simplified);
    m_plot = plotGraph(m_program, kGraphRect, m_domain.left, m_domain.right);
    m_plotted = snapshot();
    m_hoverText.clear();
}

void GraphWindow::changeDomain()
{
    DomainDialog dialog(m_domain);
    if (m_host.runModal(dialog) != DialogResult::Accepted)
        return;
    std::optional<GraphDomain> domain = dialog.accepted();
    if (!domain) {
        m_host.message(DomainDialog::kErrorCaption, DomainDialog::kWrongNumbers, MessageButtons::Ok,
                       MessageIcon::Error);
        return;
    }
    m_domain = *domain;
}

void GraphWindow::insertFunction(int code)
{
    FractNode* node = m_editor.cursor().place.node;
    m_editor.insertFunction(code);
    // The caret goes inside the new pair, where its argument begins.
    if (node && node->hasText())
        m_editor.setCaret({node, CursorArea::Text, 0});
}

void GraphWindow::insertPi()
{
    const Cursor& cursor = m_editor.cursor();
    if (!cursor.place.node->isSlot() || cursor.place.area != CursorArea::Text) {
        error(kNotAllowed);
        return;
    }
    m_editor.fillSlot("p", true);
}

void GraphWindow::insertPower()
{
    m_editor.insertPower();
}

bool GraphWindow::close()
{
    return askToSave();
}

// --- Events ------------------------------------------------------------------

bool GraphWindow::cellRules(std::uint16_t key, Modifiers modifiers)
{
    const Cursor& cursor = m_editor.cursor();
    const FractNode& node = *cursor.place.node;
    if (cursor.place.area != CursorArea::Text || !node.hasText())
        return false;
    bool letter = isLetterKey(key);
    bool digit = isDigitKey(key, modifiers);
    bool decimal = isDecimalKey(key);
    if (!letter && !digit && !decimal)
        return false;
    char typed =
        letter && !modifiers.shift() ? static_cast<char>(key - 'A' + 'a') : static_cast<char>(key);
    if (node.isSlot()) {
        if (digit || (letter && typed == 'x'))
            return false;
        error(kOnlyX);
        return true;
    }
    const std::string& text = *node.text;
    if (startsWithNumber(text)) {
        if (letter) {
            error(kNumberOnly);
            return true;
        }
        if (decimal && text.find_first_of(".,") != std::string::npos) {
            error(kOneComma);
            return true;
        }
        return false;
    }
    if (letter) {
        error(kOneCharacter);
        return true;
    }
    return false;
}

void GraphWindow::keyDown(std::uint16_t key, Modifiers modifiers)
{
    if (modifiers.control()) {
        // Items of the host (Print, Quit) are not the model's: menu() skips them.
        if (const KeyBinding* binding = findKeyBinding(graphWindowKeys(), {key, modifiers}))
            menu(binding->action);
        return;
    }
    if (cellRules(key, modifiers))
        return;
    if (key == 'P' || key == 'R' || key == 'N' || key == 'W') {
        error(kCtrlNotPressed);
        return;
    }
    if (key == static_cast<std::uint16_t>(Key::Escape)) {
        newFile();
        return;
    }
    // '=' asks the editor for a simplification this window does not offer.
    m_editor.keyDown(key, modifiers);
}

void GraphWindow::click(int x, int y)
{
    if (m_editor.clickDegreeControl(x, y))
        return;
    for (const GraphButton& button : buttons()) {
        if (x >= button.x1 && x < button.x2 && y >= button.y1 && y < button.y2) {
            run(button.command, button.code);
            return;
        }
    }
}

void GraphWindow::mouseMove(int x, int y)
{
    const GraphPlot* shown = plot();
    const PixelRect& rect = kGraphRect;
    if (!shown || x < rect.x1 || x >= rect.x2 || y < rect.y1 || y > rect.y2) {
        m_hoverText.clear();
        return;
    }
    // The sample of the column, as the graph took it.
    double span = static_cast<double>(m_domain.right) - m_domain.left;
    double value = m_domain.left + ((x - rect.x1) * span) / rect.width();
    std::optional<float> result = m_program.evaluate(static_cast<float>(value));
    m_hoverText = "x = " + trimmedFloatText(value) +
                  "   f(x) = " + (result ? trimmedFloatText(*result) : translate("undefined"));
}

void GraphWindow::tick()
{
    m_editor.tick();
}

} // namespace kestrane
