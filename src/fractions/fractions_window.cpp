// SPDX-License-Identifier: GPL-3.0-or-later
#include "fractions/fractions_window.h"

#include "algebra/fraction_file.h"
#include "algebra/long_eval.h"
#include "algebra/numeric_eval.h"
#include "algebra/simplify.h"
#include "algebra/simplify_passes.h"
#include "algebra/variable_table.h"
#include "expressions/expression_build.h"
#include "expressions/expression_text.h"
#include "expressions/mark_matching.h"
#include "fractions/colors_dialog.h"
#include "fractions/precision_dialog.h"
#include "fractions/variable_list.h"
#include "numbers/long_num.h"
#include "platform/canvas.h"
#include "platform/colour.h"
#include "platform/host.h"
#include "platform/translation.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <tuple>

namespace kestrane {

namespace {

constexpr const char* kListHelpText = N_(
    "To edit expression from list, click on rectangle of this expression or on rectangle of "
    "name.\n\nTo disable or enable click on corresponding rectangle with cross.\n\nSee help file "
    "for more.");
constexpr const char* kNotSelectedText =
    N_("Fraction was not selected.\nSelect fraction dragging mouse on a fraction.");
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
    : FractionsWindow(host, metrics, primes, Setup{})
{
}

FractionsWindow::FractionsWindow(Host& host, Canvas& metrics, std::span<const std::int32_t> primes,
                                 Setup setup)
    : m_setup(setup)
    , m_host(host)
    , m_metrics(metrics)
    , m_primes(primes)
    , m_editor(host, metrics)
    , m_previousWords(longWords())
{
    m_editor.setArea(width() - 40, height() - 200);
    m_editor.setWindowSize(width(), height());
    m_editor.setDecimalsAllowed(m_setup.decimals);
    // Large in the middle of the window, as a class sees it on a projector.
    m_editor.setCentredOrigin(kCentre, kTopMargin);
}

FractionsWindow::~FractionsWindow()
{
    setLongWords(m_previousWords);
}

std::string FractionsWindow::caption() const
{
    return m_fileName.empty() ? kNoName : m_fileName;
}

const FractNode& FractionsWindow::mainExpression() const
{
    return m_mainAside ? *m_mainAside : m_editor.expression();
}

void FractionsWindow::keepMainAside()
{
    if (m_mode != Mode::Main || m_mainAside)
        return;
    m_mainCaret = m_editor.cursor().place;
    m_mainEditing = m_editor.editingAllowed();
    m_mainAside = m_editor.takeExpression();
}

void FractionsWindow::bringMainBack()
{
    m_mode = Mode::Main;
    m_editedRecord = -1;
    if (!m_mainAside)
        return;
    m_editor.setExpression(std::move(m_mainAside));
    m_editor.setCaret(m_mainCaret);
    m_editor.setEditingAllowed(m_mainEditing);
}

void FractionsWindow::afterNewExpression(std::unique_ptr<FractNode> tree)
{
    m_mainAside.reset();
    m_editedRecord = -1;
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
    if (m_variableEditor) {
        m_variableEditor->newValue();
        return;
    }
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
    if (!chosen)
        return false;
    if (m_variableEditor) {
        // The editor takes the file's main expression as the value.
        auto contents = readFractionFile(*chosen, m_host);
        if (!contents)
            return false;
        m_variableEditor->setValue(std::move(contents->expression));
        return true;
    }
    return openFile(*chosen);
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
        writeFractionFile(fileName, mainExpression(), m_description, m_variables, m_host);
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
    MessageAnswer answer = m_host.message(N_("Files"), N_("Save changes?"),
                                          MessageButtons::YesNoCancel, MessageIcon::Question);
    if (answer == MessageAnswer::Cancel)
        return false;
    return answer == MessageAnswer::No || save();
}

void FractionsWindow::showMain()
{
    if (m_mode != Mode::Main)
        bringMainBack();
}

void FractionsWindow::showList()
{
    if (m_mode == Mode::List)
        return;
    if (containsSlot(mainExpression())) {
        m_host.message(N_("Error"), N_("Wrong character discovered."), MessageButtons::Ok,
                       MessageIcon::Information);
        return;
    }
    keepMainAside();
    m_editedRecord = -1;
    m_variables.scrollOffset = 0;
    m_mode = Mode::List;
    layoutList();
}

void FractionsWindow::layoutList()
{
    for (int index = 0; index < m_variables.count(); ++index)
        if (FractNode* value = m_variables.record(index).value.get())
            value->fontHeight = m_options.fontHeight;
    layoutVariableList(m_variables, m_metrics, m_options.fontName);
}

void FractionsWindow::openVariableEditor(int index)
{
    m_variableEditor = std::make_unique<VariableEditor>(m_host, m_metrics, m_options.fontHeight);
    m_variableEditor->setFontName(m_options.fontName);
    m_variableEditor->setDecimalsAllowed(m_setup.decimals);
    if (index >= 0)
        m_variableEditor->startEdit(m_variables, index);
    else
        m_variableEditor->startNew();
}

bool FractionsWindow::acceptVariable()
{
    if (!m_variableEditor || !m_variableEditor->accept(m_variables))
        return false;
    m_variableEditor.reset();
    m_modified = true;
    if (m_mode == Mode::List)
        layoutList();
    return true;
}

void FractionsWindow::deleteEditedVariable()
{
    if (!m_variableEditor || !m_variableEditor->confirmDelete())
        return;
    int index = m_variableEditor->editedIndex();
    m_variableEditor.reset();
    if (index < 0 || index >= m_variables.count())
        return;
    m_variables.remove(index);
    m_modified = true;
    if (m_mode == Mode::List)
        layoutList();
}

bool FractionsWindow::click(int x, int y)
{
    if (m_variableEditor)
        return false;
    if (m_mode != Mode::List && m_editor.clickDegreeControl(x, y))
        return true;
    if (m_mode == Mode::Main)
        return m_editor.clickCaret(x, y);
    int buttonsY = listButtonsY();
    if (y >= buttonsY && y <= buttonsY + kListButtonHeight) {
        auto on = [x](int left) { return x >= left && x <= left + kListButtonWidth; };
        if (on(kFractionButtonX)) {
            fractionButton();
            return true;
        }
        if (on(kAcceptButtonX)) {
            acceptButton();
            return true;
        }
        if (on(kListButtonX)) {
            listButton();
            return true;
        }
    }
    if (m_mode != Mode::List)
        return m_editor.clickCaret(x, y);
    ListHit hit = hitVariableList(m_variables, x, y);
    switch (hit.target) {
    case ListTarget::Name:
        openVariableEditor(hit.index);
        return true;
    case ListTarget::Value:
        editValue(hit.index);
        return true;
    case ListTarget::Enable:
        toggleEnabled(hit.index);
        return true;
    case ListTarget::None:
        break;
    }
    return false;
}

void FractionsWindow::editValue(int index)
{
    if (index < 0 || index >= m_variables.count())
        return;
    keepMainAside();
    const VariableRecord& record = m_variables.record(index);
    if (record.value)
        m_editor.setExpression(standalone(*record.value));
    else
        m_editor.newExpression();
    m_editor.setEditingAllowed(true);
    m_editedRecord = index;
    m_mode = Mode::NewVariable;
}

void FractionsWindow::fractionButton()
{
    showMain();
}

void FractionsWindow::acceptButton()
{
    if (m_mode == Mode::List) {
        openVariableEditor();
        return;
    }
    if (m_mode != Mode::NewVariable || m_editedRecord < 0)
        return;
    const FractNode& edited = m_editor.expression();
    if (!expressionComplete(edited)) {
        m_host.message(N_("Error."), N_("Wrong parentheses in a second expression."),
                       MessageButtons::Ok, MessageIcon::Information);
        return;
    }
    if (containsSlot(edited)) {
        m_host.message(N_("Error"), N_("Wrong character discovered."), MessageButtons::Ok,
                       MessageIcon::Information);
        return;
    }
    auto value = standalone(edited);
    setLastSign(*value, '+');
    fixUp(*value);
    m_variables.record(m_editedRecord).value = std::move(value);
    m_modified = true;
    listButton();
}

void FractionsWindow::listButton()
{
    if (m_mode == Mode::Main)
        return;
    m_editedRecord = -1;
    m_mode = Mode::List;
    layoutList();
}

void FractionsWindow::toggleEnabled(int index)
{
    if (index < 0 || index >= m_variables.count())
        return;
    VariableRecord& record = m_variables.record(index);
    record.enabled = !record.enabled;
    m_modified = true;
}

int FractionsWindow::scrollMaximum() const
{
    return variableListScrollMaximum(m_variables);
}

int FractionsWindow::scrollPosition() const
{
    return m_variables.scrollOffset / variable_list::kScrollStep;
}

void FractionsWindow::scrollTo(int position)
{
    scrollVariableList(m_variables, position, m_metrics, m_options.fontName);
}

void FractionsWindow::setOptions(const WindowOptions& options)
{
    m_options = options;
    m_editor.setFontHeight(options.fontHeight);
    m_editor.setFontName(options.fontName);
    if (m_mainAside)
        m_mainAside->fontHeight = options.fontHeight;
    if (m_variableEditor) {
        m_variableEditor->setFontHeight(options.fontHeight);
        m_variableEditor->setFontName(options.fontName);
    }
    layoutList();
}

void FractionsWindow::chooseFont()
{
    WindowOptions options = m_options;
    if (chooseWindowFont(m_host, options))
        setOptions(options);
}

void FractionsWindow::chooseColours()
{
    chooseWindowColours(m_host, m_options);
}

bool FractionsWindow::saveOptions()
{
    return saveWindowOptions(m_host, m_setup.optionsKind, m_options);
}

void FractionsWindow::applyPrecision(const PrecisionDialog& dialog)
{
    dialog.accept();
}

void FractionsWindow::substitute()
{
    showMain();
    if (m_unsimplified)
        restore();
    // Only enabled variables give their values.
    VariableTable values = m_variables.copy();
    for (int index = 0; index < values.count(); ++index) {
        if (!values.record(index).enabled)
            values.record(index).value.reset();
    }
    std::unique_ptr<FractNode> tree = copyTree(m_editor.expression());
    // A variable defined through itself would grow for ever: one round per
    // variable reaches every chain that ends.
    for (int round = 0; round <= values.count(); ++round) {
        if (!substituteOnce(tree, values))
            break;
    }
    if (treeLimitProblem(*tree)) {
        m_host.message(N_("Error"), N_("The variables cannot be substituted."), MessageButtons::Ok,
                       MessageIcon::Information);
        return;
    }
    tree->fontHeight = m_options.fontHeight;
    fixUp(*tree);
    matchMarks(*tree);
    m_editor.setExpression(std::move(tree));
    m_editor.setEditingAllowed(true);
    m_modified = true;
}

void FractionsWindow::listHelp()
{
    m_host.message(N_("Handling of list"), kListHelpText, MessageButtons::Ok,
                   MessageIcon::Information);
}

void FractionsWindow::simplify()
{
    // Outside the main view Simplify stops once the expression is put back
    // together, so the list shows the fractions lifted but not normalised.
    int viewMode = static_cast<int>(m_mode);
    showMain();
    SimplifyRequest request;
    request.viewMode = viewMode;
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
    showMain();
    if (!m_unsimplified)
        return;
    m_editor.setExpression(std::move(m_unsimplified));
    m_editor.setEditingAllowed(true);
}

void FractionsWindow::value()
{
    const FractNode& tree = m_unsimplified ? *m_unsimplified : mainExpression();
    ExpressionNames found = expressionNames(tree);
    auto refuse = [this](const std::string& text) {
        m_valueText.clear();
        m_host.message(N_("Error"), text, MessageButtons::Ok, MessageIcon::Information);
    };
    if (found.emptyPlace)
        return refuse(N_("Wrong character discovered."));
    if (found.usesI)
        return refuse(N_("Complex numbers have no approximate value here."));
    for (const std::string& name : found.names) {
        int index = m_variables.find(name);
        if (index < 0 || !m_variables.record(index).enabled || !m_variables.record(index).value)
            return refuse(translate("Variable ") + name + translate(" is not defined."));
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
        m_host.message(N_("Error."), kNotSelectedText, MessageButtons::Ok,
                       MessageIcon::Information);
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
        m_host.message(N_("Error."), N_("A memory goes into an empty place only."),
                       MessageButtons::Ok, MessageIcon::Information);
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

void FractionsWindow::paint(Canvas& canvas) const
{
    canvas.fillRect(0, 0, width(), height(), m_options.window);
    if (m_mode == Mode::List) {
        paintVariableList(m_variables, canvas, m_options.expressionBackground, m_options.fontName);
    } else {
        // The expression's box: half the font height of room around it.
        const FractNode& tree = m_editor.expression();
        int margin = tree.fontHeight / 2;
        int left = tree.x - tree.width / 2;
        int top = tree.y - tree.aboveTotal;
        canvas.fillRect(left - margin, top - margin, left + tree.width + margin,
                        top + tree.height + margin, m_options.expressionBackground);
        m_editor.paint(canvas);
    }
    if (m_mode != Mode::Main) {
        canvas.setFont(CanvasFont{.name = "Arial", .size = 10, .pixelHeight = 16});
        canvas.setPen(kBlack);
        canvas.setBrush(rgb(230, 230, 230));
        const std::pair<int, const char*> buttons[] = {{kFractionButtonX, N_("Fraction")},
                                                       {kAcceptButtonX, N_("Accept")},
                                                       {kListButtonX, N_("List")}};
        for (const auto& [x, text] : buttons) {
            canvas.rectangle(x, listButtonsY(), x + kListButtonWidth,
                             listButtonsY() + kListButtonHeight);
            std::string shown = translate(text);
            canvas.text(x + (kListButtonWidth - canvas.textWidth(shown)) / 2, listButtonsY() + 7,
                        shown);
        }
        canvas.clearBrush();
    }
    // Each label and shortcut stands over the button that does it.
    canvas.setFont(CanvasFont{.name = "Arial", .size = 10, .pixelHeight = 15});
    const std::tuple<int, const char*, const char*> labels[] = {
        {kRootLabelOffset, N_("Root"), "Ctrl-R"},
        {kFractionLabelOffset, N_("Fraction"), "Ctrl-N"},
        {kPowerLabelOffset, N_("Power"), "Ctrl-P"}};
    for (const auto& [offset, label, shortcut] : labels) {
        canvas.setTextColour(kLabelColour);
        canvas.text(width() - offset, height() - kLabelBottomOffset, translate(label));
        canvas.setTextColour(kShortcutColour);
        canvas.text(width() - offset, height() - kShortcutBottomOffset, shortcut);
    }
    canvas.setTextColour(kBlack);
    if (!m_valueText.empty()) {
        canvas.setFont(CanvasFont{.name = "Arial", .size = 10, .pixelHeight = 20});
        canvas.text(m_setup.valueX, m_setup.valueY,
                    translate("Approximate value is: ") + m_valueText);
    }
}

} // namespace kestrane
