// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/command_output.h"
#include "cli/commands.h"
#include "cli/png_export.h"
#include "cli/typed_keys.h"
#include "platform/translation.h"

#include "algebra/fraction_file.h"
#include "algebra/long_eval.h"
#include "expressions/expression_editor.h"
#include "expressions/expression_text.h"
#include "graphs/graph_window.h"
#include "platform/console_host.h"
#include "platform/files.h"
#include "platform/json_writer.h"
#include "platform/recording_canvas.h"
#include "platform/svg_canvas.h"

#include <charconv>
#include <cstdio>
#include <deque>
#include <optional>
#include <ostream>
#include <variant>
#include <vector>

namespace kestrane::cli {

namespace {

using KeyAction = KeyStroke;
struct ButtonAction {
    std::string name;
};
struct ClickAction {
    int x = 0;
    int y = 0;
};
struct DomainAction {
    std::string left;
    std::string right;
    bool cancel = false;
};
// New, Open (with its path), Save as (with its name), Show graph.
struct CommandAction {
    GraphCommand command;
    std::string path;
};
using Action = std::variant<KeyAction, ButtonAction, ClickAction, DomainAction, CommandAction>;

// The driver's desktop: message boxes go to the console, "File not saved"
// is answered No, and the dialogs take the answers of the actions.
class DriverHost final : public Host {
public:
    explicit DriverHost(std::ostream& err) : m_console(err) {}

    using Host::message;
    MessageAnswer message(const MessageRequest& request) override
    {
        MessageAnswer answer = m_console.message(request);
        return request.buttons == MessageButtons::YesNoCancel ? MessageAnswer::No : answer;
    }
    std::optional<std::string> chooseFileToOpen(const FileDialogRequest&) override
    {
        return takeFile();
    }
    std::optional<std::string> chooseFileToSave(const FileDialogRequest&) override
    {
        return takeFile();
    }
    std::optional<FontChoice> chooseFont(const FontChoice&) override { return {}; }
    std::optional<ColorRef> chooseColour(ColorRef) override { return {}; }
    DialogResult runModal(ModalDialog& dialog) override
    {
        auto* domain = dynamic_cast<DomainDialog*>(&dialog);
        if (!domain || !m_domain || m_domain->cancel)
            return DialogResult::Rejected;
        domain->setLeftField(m_domain->left);
        domain->setRightField(m_domain->right);
        return DialogResult::Accepted;
    }
    void showHelp(const std::string&) override {}

    void setFile(std::string path) { m_file = std::move(path); }
    void clearFile() { m_file.reset(); }
    void setDomain(DomainAction domain) { m_domain = std::move(domain); }
    const std::vector<MessageRequest>& messages() const { return m_console.messages(); }

private:
    std::optional<std::string> takeFile()
    {
        std::optional<std::string> file = std::move(m_file);
        m_file.reset();
        return file;
    }

    ConsoleHost m_console;
    std::optional<std::string> m_file;
    std::optional<DomainAction> m_domain;
};

std::optional<std::uint16_t> namedKey(std::string_view name, Modifiers& modifiers)
{
    using namespace editor_keys;
    static constexpr std::pair<std::string_view, std::uint16_t> kNames[] = {
        {"Period", kPeriod},
        {"Comma", kComma},
        {"Minus", kMinus},
        {"Plus", kNumpadAdd},
        {"Multiply", kNumpadMultiply},
        {"Slash", kSlash},
        {"Equals", kEquals},
        {"Left", static_cast<std::uint16_t>(Key::Left)},
        {"Right", static_cast<std::uint16_t>(Key::Right)},
        {"Up", static_cast<std::uint16_t>(Key::Up)},
        {"Down", static_cast<std::uint16_t>(Key::Down)},
        {"Home", static_cast<std::uint16_t>(Key::Home)},
        {"End", static_cast<std::uint16_t>(Key::End)},
        {"PageUp", static_cast<std::uint16_t>(Key::PageUp)},
        {"PageDown", static_cast<std::uint16_t>(Key::PageDown)},
        {"Backspace", static_cast<std::uint16_t>(Key::Backspace)},
        {"Delete", static_cast<std::uint16_t>(Key::Delete)},
        {"Escape", static_cast<std::uint16_t>(Key::Escape)},
        {"Enter", static_cast<std::uint16_t>(Key::Enter)},
        {"F5", static_cast<std::uint16_t>(Key::F5)},
    };
    while (true) {
        if (name.starts_with("Ctrl+")) {
            modifiers = modifiers | Modifier::Control;
            name.remove_prefix(5);
        } else if (name.starts_with("Alt+")) {
            modifiers = modifiers | Modifier::Alt;
            name.remove_prefix(4);
        } else if (name.starts_with("Shift+")) {
            modifiers = modifiers | Modifier::Shift;
            name.remove_prefix(6);
        } else {
            break;
        }
    }
    for (auto [spelling, key] : kNames)
        if (spelling == name)
            return key;
    if (name.size() == 1 &&
        ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9')))
        return static_cast<std::uint16_t>(name[0]);
    if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z')
        return static_cast<std::uint16_t>(name[0] - 'a' + 'A');
    return std::nullopt;
}

bool knownButton(std::string_view name)
{
    for (const char* known : {"sin", "cos", "tan", "cot", "asin", "acos", "atan", "acot", "exp",
                              "log", "root", "fraction", "power", "pi"})
        if (name == known)
            return true;
    return false;
}

std::optional<ClickAction> point(std::string_view text)
{
    std::size_t comma = text.find(',');
    if (comma == std::string_view::npos)
        return std::nullopt;
    ClickAction click;
    std::string_view x = text.substr(0, comma);
    std::string_view y = text.substr(comma + 1);
    auto [xEnd, xError] = std::from_chars(x.data(), x.data() + x.size(), click.x);
    auto [yEnd, yError] = std::from_chars(y.data(), y.data() + y.size(), click.y);
    if (xError != std::errc() || yError != std::errc() || xEnd != x.data() + x.size() ||
        yEnd != y.data() + y.size())
        return std::nullopt;
    return click;
}

std::string number(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", value);
    return buffer;
}

std::string windowJson(const GraphWindow& window, const std::vector<MessageRequest>& messages)
{
    const FractNode& expression = window.editor().expression();
    bool complete = expressionComplete(expression) && !expressionNames(expression).emptyPlace;
    const GraphDomain& domain = window.domain();
    JsonWriter json;
    json.beginObject().key("caption").string(window.caption());
    json.key("domain").beginObject().key("left").string(domain.leftText);
    json.key("right").string(domain.rightText).key("leftValue").raw(number(domain.left));
    json.key("rightValue").raw(number(domain.right)).endObject();
    json.key("expression").string(printExpressionText(expression));
    json.key("complete").boolean(complete);
    json.key("graph");
    if (window.plot())
        writePlotJson(json, *window.plot());
    else
        json.null();
    writeMessages(json, messages);
    return json.endObject().take() + "\n";
}

void perform(GraphWindow& window, DriverHost& host, const Action& action)
{
    if (const auto* key = std::get_if<KeyAction>(&action)) {
        window.keyDown(key->key, key->modifiers);
    } else if (const auto* button = std::get_if<ButtonAction>(&action)) {
        for (const GraphButton& shown : window.buttons())
            if (shown.name == button->name)
                window.click((shown.x1 + shown.x2) / 2, (shown.y1 + shown.y2) / 2);
    } else if (const auto* click = std::get_if<ClickAction>(&action)) {
        window.click(click->x, click->y);
    } else if (const auto* domain = std::get_if<DomainAction>(&action)) {
        host.setDomain(*domain);
        window.changeDomain();
    } else if (const auto* command = std::get_if<CommandAction>(&action)) {
        if (command->command == GraphCommand::Open || command->command == GraphCommand::SaveAs)
            host.setFile(command->path);
        window.run(command->command);
        // A dialog the window did not come to leaves no answer behind.
        host.clearFile();
    }
}

bool writeOutput(const std::string& path, const std::string& bytes, std::ostream& out,
                 std::ostream& err)
{
    return writeOutputFile(path, bytes, out, err, "graph-window");
}

// The action of one option, in the order given; the problem when its value
// does not fit.
std::string readAction(const GivenOption& given, std::vector<Action>& actions)
{
    std::string_view name = given.option->name;
    const std::string& value = given.value;
    if (name == "--key") {
        Modifiers modifiers;
        std::optional<std::uint16_t> key = namedKey(value, modifiers);
        if (!key)
            return translateFilled("unknown key \"%1\"", {value});
        actions.emplace_back(KeyAction{*key, modifiers});
    } else if (name == "--type") {
        for (char c : value) {
            std::optional<KeyAction> key = keyForCharacter(c);
            if (!key)
                return translateFilled("no key types '%1'", {std::string(1, c)});
            actions.emplace_back(*key);
        }
    } else if (name == "--button") {
        if (!knownButton(value))
            return translateFilled("unknown button \"%1\"", {value});
        actions.emplace_back(ButtonAction{value});
    } else if (name == "--click") {
        std::optional<ClickAction> click = point(value);
        if (!click)
            return N_("--click takes X,Y");
        actions.emplace_back(*click);
    } else if (name == "--domain") {
        std::size_t comma = value.find(',');
        if (comma == std::string::npos)
            return N_("--domain takes LEFT,RIGHT");
        actions.emplace_back(DomainAction{value.substr(0, comma), value.substr(comma + 1)});
    } else if (name == "--domain-cancel") {
        actions.emplace_back(DomainAction{{}, {}, true});
    } else if (name == "--new") {
        actions.emplace_back(CommandAction{GraphCommand::New, {}});
    } else if (name == "--open") {
        actions.emplace_back(CommandAction{GraphCommand::Open, value});
    } else if (name == "--save") {
        actions.emplace_back(CommandAction{GraphCommand::SaveAs, value});
    } else if (name == "--show") {
        actions.emplace_back(CommandAction{GraphCommand::ShowGraph, {}});
    }
    return {};
}

} // namespace

int runGraphWindow(const ParsedArguments& arguments, std::ostream& out, std::ostream& err)
{
    std::vector<Action> actions;
    for (const GivenOption& given : arguments.options) {
        if (std::string problem = readAction(given, actions); !problem.empty())
            return usageError(err, "graph-window", problem);
    }
    std::optional<std::string> jsonPath = jsonOutputPath(arguments);
    std::optional<std::string> png = arguments.value("--png");
    std::optional<std::string> svg = arguments.value("--svg");
    if (!jsonPath && !png && !svg)
        jsonPath = "-";
    if (png && !picturePngWriter()) {
        return usageError(err, "graph-window",
                          N_("--png needs kestrane-cli built with the Qt desktop program "
                             "(KESTRANE_GUI=ON); use --svg instead"));
    }

    DriverHost host(err);
    RecordingCanvas metrics;
    GraphWindow window(host, metrics);
    for (const Action& action : actions)
        perform(window, host, action);

    int width = window.width();
    int height = window.height();
    auto paint = [&window](Canvas& canvas) { window.paint(canvas); };
    if (jsonPath && !writeOutput(*jsonPath, windowJson(window, host.messages()), out, err))
        return kUsageError;
    if (svg) {
        SvgCanvas canvas(width, height);
        paint(canvas);
        if (!writeOutput(*svg, canvas.document(), out, err))
            return kUsageError;
    }
    if (png) {
        std::string error = picturePngWriter()(width, height, paint, *png);
        if (!error.empty()) {
            err << "kestrane-cli graph-window: " << error << '\n';
            return kUsageError;
        }
    }
    return kSuccess;
}

} // namespace kestrane::cli
