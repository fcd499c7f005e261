#pragma once

#include "fractions/expression_editor.h"
#include "fractions/fract_node.h"
#include "fractions/variable_table.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace kestrane {

class Canvas;
class Clipboard;
class Host;

// The Fractions and Roots window: one main expression typed with the cursor
// editor, simplified exactly and restored, two memories of subexpressions, a
// short description, the user variables, and fraction files. View mode 0
// shows the main expression, 2 the list of variables.
class FractionsWindow {
public:
    static constexpr int kWidth = 991;
    static constexpr int kHeight = 726;
    static constexpr int kCentre = 450;
    static constexpr int kTopMargin = 120;
    static constexpr const char* kNoName = "NoName";
    static constexpr const char* kFileFilter = "Fractions (*.fra)";

    enum class Mode { Main = 0, NewVariable = 1, List = 2 };

    FractionsWindow(Host& host, Canvas& metrics, std::span<const std::int32_t> primes = {});
    FractionsWindow(const FractionsWindow&) = delete;
    // Where Ctrl+C copies and Shift+Insert pastes the linear notation.
    void setClipboard(Clipboard* clipboard) { m_clipboard = clipboard; }
    FractionsWindow& operator=(const FractionsWindow&) = delete;

    ExpressionEditor& editor() { return m_editor; }
    const ExpressionEditor& editor() const { return m_editor; }
    Mode mode() const { return m_mode; }
    // The file name, or "NoName" before a file is opened or saved.
    std::string caption() const;
    const VariableTable& variables() const { return m_variables; }
    VariableTable& variables() { return m_variables; }
    // The expression as it was before Simplify; null when not simplified.
    const FractNode* unsimplified() const { return m_unsimplified.get(); }
    const FractNode* memory(int index) const
    {
        return m_memories[static_cast<std::size_t>(index)].get();
    }
    bool complexNumbers() const { return m_complex; }
    bool modified() const { return m_modified; }

    // --- File -------------------------------------------------------------------
    void newFile();
    bool open();
    // Open without the dialog: reads the file at path.
    bool openFile(const std::string& path);
    // Save under the current name (as Save as when there is none); both
    // take the description from the box.
    bool save();
    bool saveAs();
    // Closing with unsaved changes asks to save them; false when the user
    // cancels (the window stays open).
    bool close();

    // --- Expression and view -------------------------------------------------
    void showMain();
    // Refused with "Wrong character discovered." while an empty slot remains.
    void showList();
    void listHelp();
    void simplify();
    void restore();
    void toggleComplexNumbers() { m_complex = !m_complex; }
    // Value: the expression (the unsimplified one after Simplify) in single
    // precision with 7 significant digits ("0.7071068"), or "undefined"
    // where it has none. Complex numbers and undefined names are refused.
    void value();
    // The text shown after "Approximate value is:"; empty before Value.
    const std::string& valueText() const { return m_valueText; }

    // --- Memories and description -------------------------------------------
    // Stores the selected subexpression; an empty slot leaves the memory empty.
    void storeMemory(int index);
    // Puts the memory's copy into the empty slot under the caret.
    void recallMemory(int index);
    const std::string& description() const { return m_description; }
    // The text of the description box, cut to 250 characters.
    void setDescription(std::string text);

    // Buttons by name (Imge3-5, NImage2, NImage4, NImage5, HImage1, HImage2,
    // M1In, M1InRed, M2In, M2InRed, M1Out, M2Out); false for an unknown one.
    bool pressButton(const std::string& name);
    // Menu items by caption without '&'; false for an unknown one.
    bool menu(const std::string& caption);
    // '=' without Shift simplifies; Escape restores a simplified expression
    // or starts a new one; Ctrl+M and Ctrl+H show the main expression; the
    // rest is cursor editing.
    void keyDown(std::uint16_t key, Modifiers modifiers);

    void paint(Canvas& canvas) const;

private:
    void afterNewExpression(std::unique_ptr<FractNode> tree);
    bool writeTo(const std::string& fileName);

    Host& m_host;
    Clipboard* m_clipboard = nullptr;
    std::span<const std::int32_t> m_primes;
    ExpressionEditor m_editor;
    Mode m_mode = Mode::Main;
    VariableTable m_variables;
    std::unique_ptr<FractNode> m_unsimplified;
    std::array<std::unique_ptr<FractNode>, 2> m_memories;
    bool m_complex = false;
    bool m_modified = false;
    std::string m_fileName;
    std::string m_description;
    std::string m_valueText;
};

} // namespace kestrane
