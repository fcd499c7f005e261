// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "algebra/numeric_eval.h"
#include "expressions/expression_editor.h"
#include "graphs/domain_dialog.h"
#include "graphs/graph_plot.h"
#include "platform/colour.h"
#include "platform/keys.h"
#include "platform/translation.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

class Canvas;
class Host;

// What a menu item, a shortcut or a painted control asks of the graph window.
enum class GraphCommand {
    New,
    Open,
    SaveAs,
    Exit,
    NewExpression,
    Root,
    Ratio,
    Power,
    Pi,
    ShowGraph,
    ChangeDomain,
    Function,
    HelpIndex,
    About,
};

// One item of the window's menus; the Functions items carry their code.
struct GraphMenuItem {
    const char* menu;
    const char* caption;
    GraphCommand command;
    int code = 0;
};

// A painted button or picture: its rectangle, caption and what it does.
struct GraphButton {
    const char* name;
    int x1;
    int y1;
    int x2;
    int y2;
    GraphCommand command;
    int code = 0;
};

// The graph window: the user builds a function of x with the cursor editor,
// chooses its domain, draws its graph and saves or opens it as a function
// file. Sizes follow the client area (W x H); the function buttons and the
// click areas hang from its right and bottom edges.
class GraphWindow {
public:
    static constexpr int kInitialWidth = 1000;
    static constexpr int kInitialHeight = 700;
    static constexpr int kBlinkInterval = 350; // ms
    static constexpr int kExpressionLeft = 20;
    static constexpr int kExpressionTop = 40;
    static constexpr PixelRect kGraphRect{200, 300, 400, 500};
    static constexpr const char* kNoName = N_("NoName");
    static constexpr const char* kFileFilter = N_("Functions (*.fct)");
    static constexpr const char* kHelpPage = "graph_window.html";
    // The painted controls: buttons and pictures from W - 150, the click
    // areas from W - 220 to W - 30, 42 high, their tops H - 171 and H - 101.
    static constexpr int kButtonWidth = 35;
    static constexpr int kButtonHeight = 20;
    static constexpr int kPictureSize = 35;
    static constexpr int kPictureTop = 310;
    static constexpr int kAreaLeft = 220;
    static constexpr int kAreaRight = 30;
    static constexpr int kGraphArea = 171;
    static constexpr int kDomainArea = 101;
    static constexpr int kAreaHeight = 42;

    GraphWindow(Host& host, Canvas& metrics, int fontHeight = 20);
    GraphWindow(const GraphWindow&) = delete;
    GraphWindow& operator=(const GraphWindow&) = delete;

    // The font height and colours of the window's option file.
    void setColours(ColorRef expressionBackground, ColorRef window);
    void resize(int width, int height);
    int width() const { return m_width; }
    int height() const { return m_height; }

    ExpressionEditor& editor() { return m_editor; }
    const ExpressionEditor& editor() const { return m_editor; }
    const GraphDomain& domain() const { return m_domain; }
    // The file name, or "NoName" before Open or Save as.
    std::string caption() const;
    // The file opened or saved last; empty before either.
    const std::string& fileName() const { return m_fileName; }
    // The expression or the domain differ from what was last opened, saved
    // or started anew.
    bool modified() const;
    // The graph shown, until the expression or the domain changes.
    const GraphPlot* plot() const;
    // What the mouse over the graph shows below it: x and f(x).
    const std::string& hoverText() const { return m_hoverText; }
    bool closeRequested() const { return m_closeRequested; }

    static std::span<const GraphMenuItem> menuItems();
    // The buttons and pictures at the current width.
    std::vector<GraphButton> buttons() const;

    // --- Commands ------------------------------------------------------------
    // About is the host's: the model does nothing for it. Exit only asks.
    void run(GraphCommand command, int code = 0);
    // A menu item by caption, with or without '&'; false for an unknown one.
    bool menu(std::string_view caption);
    void newFile();
    void newExpression();
    bool open();
    bool openFile(const std::string& path);
    // Open Recent: asks about unsaved changes, then opens the file.
    bool openAsking(const std::string& path);
    bool saveAs();
    // Save as with the name typed in the dialog.
    bool saveTo(const std::string& name);
    void showGraph();
    void changeDomain();
    void insertFunction(int code);
    void insertPi();
    void insertPower();
    // Closing (Exit, the close box) with unsaved changes asks to save them;
    // false when the user cancels.
    bool close();

    // --- Events --------------------------------------------------------------
    void keyDown(std::uint16_t key, Modifiers modifiers);
    void click(int x, int y);
    void mouseMove(int x, int y);
    void tick();
    void paint(Canvas& canvas) const;

private:
    bool askToSave();
    void error(const char* text);
    // Letters, digits and the decimal keys typed into the cell under the
    // caret; true when a rule of the window took the key.
    bool cellRules(std::uint16_t key, Modifiers modifiers);
    bool expressionReady();
    std::string snapshot() const;
    void markSaved();
    void paintControls(Canvas& canvas) const;
    void paintGraph(Canvas& canvas) const;

    Host& m_host;
    ExpressionEditor m_editor;
    int m_fontHeight;
    int m_width = kInitialWidth;
    int m_height = kInitialHeight;
    ColorRef m_expressionBackground = rgb(128, 255, 255);
    ColorRef m_windowColour = rgb(208, 208, 208);
    GraphDomain m_domain;
    std::string m_fileName;
    std::string m_saved;
    bool m_closeRequested = false;
    // The graph and what it was drawn from: a change of either hides it.
    std::optional<GraphPlot> m_plot;
    NumericProgram m_program;
    std::string m_plotted;
    std::string m_hoverText;
};

} // namespace kestrane
