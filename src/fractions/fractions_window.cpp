#include "fractions/fractions_window.h"

#include "fractions/expression_clipboard.h"
#include "fractions/fraction_file.h"
#include "fractions/long_eval.h"
#include "fractions/mark_matching.h"
#include "fractions/numeric_eval.h"
#include "fractions/simplify.h"
#include "platform/canvas.h"
#include "platform/colour.h"
#include "platform/host.h"

#include <cstdio>

namespace kestrane {

namespace {

constexpr const char* kListHelpText =
    "To edit expression from list, click on rectangle of this expression or on rectangle of "
    "name.\n\nTo disable or enable click on corresponding rectangle with cross.\n\nSee help file "
    "for more.";
constexpr const char* kNotSelectedText =
    "Fraction was not selected.\nSelect fraction dragging mouse on a fraction.";
constexpr ColorRef kLabelColour = rgb(128, 0, 0);
constexpr ColorRef kShortcutColour = rgb(0, 64, 0);

bool containsSlot(const FractNode& node)
{
    if (node.isSlot())
        return true;
    for (const FractNode* child : {node.left.get(), node.right.get(), node.numerator.get(),
                                   node.denominator.get(), node.exponent.get()})
        if (child && containsSlot(*child))
            return true;
    for (const MarkRow* row : {node.openRow.get(), node.closeRow.get()})
        if (row)
            for (const auto& item : row->items)
                if (item->paren && item->paren->exponent && containsSlot(*item->paren->exponent))
                    return true;
    return false;
}

std::unique_ptr<FractNode> standalone(const FractNode& tree)
{
    auto copy = copyTree(tree);
    fixUp(*copy);
    matchMarks(*copy);
    return copy;
}

FileDialogRequest fileRequest(const std::string& title, const std::string& fileName)
{
    FileDialogRequest request;
    request.title = title;
    request.fileName = fileName;
    request.filters = {FractionsWindow::kFileFilter};
    return request;
}

} // namespace

FractionsWindow::FractionsWindow(Host& host, Canvas& metrics, std::span<const std::int32_t> primes)
    : m_host(host)
    , m_primes(primes)
    , m_editor(host, metrics)
{
    m_editor.setArea(kWidth - 40, kHeight - 200);
    m_editor.setWindowSize(kWidth, kHeight);
}

std::string FractionsWindow::caption() const
{
    return m_fileName.empty() ? kNoName : m_fileName;
}

void FractionsWindow::afterNewExpression(std::unique_ptr<FractNode> tree)
{
    m_mode = Mode::Main;
    m_unsimplified.reset();
    m_editor.setEditingAllowed(true);
    if (tree)
        m_editor.setExpression(std::move(tree));
    else
        m_editor.newExpression();
}

void FractionsWindow::newFile()
{
    m_fileName.clear();
    m_description.clear();
    m_valueText.clear();
    m_variables = VariableTable();
    m_modified = false;
    afterNewExpression(nullptr);
}

bool FractionsWindow::open()
{
    auto chosen = m_host.chooseFileToOpen(fileRequest("Open", m_fileName));
    return chosen && openFile(*chosen);
}

bool FractionsWindow::openFile(const std::string& path)
{
    auto contents = readFractionFile(path, m_host);
    if (!contents)
        return false;
    m_fileName = path;
    m_description = contents->description;
    m_variables = std::move(contents->variables);
    m_modified = false;
    afterNewExpression(std::move(contents->expression));
    return true;
}

bool FractionsWindow::writeTo(const std::string& fileName)
{
    auto written =
        writeFractionFile(fileName, m_editor.expression(), m_description, m_variables, m_host);
    if (!written)
        return false;
    m_fileName = *written;
    m_modified = false;
    return true;
}

bool FractionsWindow::save()
{
    if (m_fileName.empty())
        return saveAs();
    return writeTo(m_fileName);
}

bool FractionsWindow::saveAs()
{
    auto chosen = m_host.chooseFileToSave(fileRequest("Save as", m_fileName));
    return chosen && writeTo(*chosen);
}

bool FractionsWindow::close()
{
    if (!m_modified)
        return true;
    MessageAnswer answer = m_host.message("Files", "Save changes?", MessageButtons::YesNoCancel,
                                          MessageIcon::Question);
    if (answer == MessageAnswer::Cancel)
        return false;
    return answer == MessageAnswer::No || save();
}

void FractionsWindow::showMain()
{
    m_mode = Mode::Main;
}

void FractionsWindow::showList()
{
    if (m_mode == Mode::List)
        return;
    if (containsSlot(m_editor.expression())) {
        m_host.message("Error", "Wrong character discovered.", MessageButtons::Ok,
                       MessageIcon::Information);
        return;
    }
    m_variables.scrollOffset = 0;
    m_mode = Mode::List;
}

void FractionsWindow::listHelp()
{
    m_host.message("Handling of list", kListHelpText, MessageButtons::Ok, MessageIcon::Information);
}

void FractionsWindow::simplify()
{
    SimplifyRequest request;
    request.tree = &m_editor.expression();
    request.variables = &m_variables;
    request.primes = m_primes;
    SimplifyResult result = simplifyExpression(request, m_host);
    if (!result.tree)
        return;
    std::unique_ptr<FractNode> before =
        m_unsimplified ? std::move(m_unsimplified) : standalone(m_editor.expression());
    m_editor.setExpression(std::move(result.tree));
    m_unsimplified = std::move(before);
    // The simplified expression is the computer's; editing it is turned off.
    m_editor.setEditingAllowed(false);
    m_mode = Mode::Main;
}

void FractionsWindow::restore()
{
    if (!m_unsimplified)
        return;
    m_editor.setExpression(std::move(m_unsimplified));
    m_editor.setEditingAllowed(true);
}

void FractionsWindow::value()
{
    const FractNode& tree = m_unsimplified ? *m_unsimplified : m_editor.expression();
    ExpressionNames found = expressionNames(tree);
    auto refuse = [this](const std::string& text) {
        m_valueText.clear();
        m_host.message("Error", text, MessageButtons::Ok, MessageIcon::Information);
    };
    if (found.emptyPlace)
        return refuse("Wrong character discovered.");
    if (found.usesI)
        return refuse("Complex numbers have no approximate value here.");
    for (const std::string& name : found.names) {
        int index = m_variables.find(name);
        if (index < 0 || !m_variables.record(index).enabled || !m_variables.record(index).value)
            return refuse("Variable " + name + " is not defined.");
    }
    DefinitionLookup lookup = [this](std::string_view name) -> const FractNode* {
        int index = m_variables.find(name);
        if (index < 0 || !m_variables.record(index).enabled)
            return nullptr;
        return m_variables.record(index).value.get();
    };
    // The evaluator reads x as its free variable: a defined x is given its value.
    float x = 0;
    if (const FractNode* definition = lookup("x")) {
        std::optional<float> xValue = evaluateExpression(*definition, 0, lookup);
        if (!xValue) {
            m_valueText = "undefined";
            return;
        }
        x = *xValue;
    }
    std::optional<float> result = evaluateExpression(tree, x, lookup);
    if (!result) {
        m_valueText = "undefined";
        return;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.7g", static_cast<double>(*result));
    m_valueText = text;
}

void FractionsWindow::storeMemory(int index)
{
    if (!m_editor.selection()) {
        m_host.message("Error.", kNotSelectedText, MessageButtons::Ok, MessageIcon::Information);
        return;
    }
    auto copy = m_editor.copySelection();
    auto& memory = m_memories[static_cast<std::size_t>(index)];
    memory.reset();
    if (copy && !copy->isSlot())
        memory = std::move(copy);
}

void FractionsWindow::recallMemory(int index)
{
    const auto& memory = m_memories[static_cast<std::size_t>(index)];
    if (!memory)
        return;
    if (!m_editor.insertTree(standalone(*memory)))
        m_host.message("Error.", "A memory goes into an empty place only.", MessageButtons::Ok,
                       MessageIcon::Information);
    else
        m_modified = true;
}

void FractionsWindow::setDescription(std::string text)
{
    if (text.size() > kMaxDescriptionLength)
        text.resize(kMaxDescriptionLength);
    m_description = std::move(text);
    m_modified = true;
}

bool FractionsWindow::pressButton(const std::string& name)
{
    if (name == "Imge3")
        m_editor.insertFraction();
    else if (name == "Imge4")
        m_editor.insertPower();
    else if (name == "Imge5")
        m_editor.insertRoot();
    else if (name == "NImage2")
        showList();
    else if (name == "NImage4")
        simplify();
    else if (name == "NImage5")
        restore();
    else if (name == "HImage1")
        listHelp();
    else if (name == "HImage2")
        showMain();
    else if (name == "M1In" || name == "M1InRed")
        storeMemory(0);
    else if (name == "M2In" || name == "M2InRed")
        storeMemory(1);
    else if (name == "M1Out")
        recallMemory(0);
    else if (name == "M2Out")
        recallMemory(1);
    else
        return false;
    return true;
}

bool FractionsWindow::menu(const std::string& caption)
{
    if (caption == "New")
        newFile();
    else if (caption == "Open")
        open();
    else if (caption == "Save")
        save();
    else if (caption == "Save as")
        saveAs();
    else if (caption == "Main" || caption == "Main fraction")
        showMain();
    else if (caption == "List of variables")
        showList();
    else if (caption == "Simplify")
        simplify();
    else if (caption == "Value")
        value();
    else if (caption == "Complex Numbers")
        toggleComplexNumbers();
    else if (caption == "Power")
        m_editor.insertPower();
    else if (caption == "Root")
        m_editor.insertRoot();
    else if (caption == "Fraction")
        m_editor.insertFraction();
    else
        return false;
    return true;
}

void FractionsWindow::keyDown(std::uint16_t key, Modifiers modifiers)
{
    if (modifiers.control() && (key == 'M' || key == 'H')) {
        showMain();
        return;
    }
    if (key == editor_keys::kEquals && !modifiers.shift() && !modifiers.control()) {
        simplify();
        return;
    }
    if (m_clipboard && key == 'C' && modifiers.control() && !modifiers.shift()) {
        copyExpression(m_editor, *m_clipboard);
        return;
    }
    if (m_clipboard && key == static_cast<std::uint16_t>(Key::Insert) && modifiers.shift()) {
        if (pasteExpression(m_editor, *m_clipboard))
            m_modified = true;
        return;
    }
    EditorRequest request = m_editor.keyDown(key, modifiers);
    if (request == EditorRequest::Simplify) {
        simplify();
    } else if (request == EditorRequest::Escape || request == EditorRequest::New) {
        if (m_unsimplified)
            restore();
        else
            afterNewExpression(nullptr);
    } else if (key != static_cast<std::uint16_t>(Key::Shift) &&
               key != static_cast<std::uint16_t>(Key::Control)) {
        m_modified = true;
    }
}

void FractionsWindow::paint(Canvas& canvas) const
{
    if (m_mode == Mode::Main)
        m_editor.paint(canvas);
    canvas.setFont(CanvasFont{.name = "Arial", .size = 10, .pixelHeight = 15});
    const std::pair<int, const char*> labels[] = {
        {kWidth - 200, "Root"}, {kWidth - 142, "Fraction"}, {kWidth - 80, "Power"}};
    const std::pair<int, const char*> shortcuts[] = {
        {kWidth - 200, "Ctrl-R"}, {kWidth - 142, "Ctrl-N"}, {kWidth - 80, "Ctrl-P"}};
    canvas.setTextColour(kLabelColour);
    for (const auto& [x, text] : labels)
        canvas.text(x, kHeight - 83, text);
    canvas.setTextColour(kShortcutColour);
    for (const auto& [x, text] : shortcuts)
        canvas.text(x, kHeight - 128, text);
    canvas.setTextColour(kBlack);
    if (!m_valueText.empty()) {
        canvas.setFont(CanvasFont{.name = "Arial", .size = 10, .pixelHeight = 20});
        canvas.text(kWidth - 460, kHeight - 180, "Approximate value is: " + m_valueText);
    }
}

} // namespace kestrane
