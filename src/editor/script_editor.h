// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/edit_history.h"
#include "editor/message_lines.h"
#include "platform/canvas.h"
#include "platform/keys.h"
#include "platform/translation.h"
#include "script/compiler.h"
#include "script/directories.h"
#include "script/module.h"
#include "script/script_file.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

class Clipboard;
class Host;

enum class RunState : std::uint8_t {
    Nothing = 0,       // nothing to run
    Run = 1,           // run (or step) the compiled program
    ShowText = 2,      // show the text on screen (OnScreen)
    CompileToDisk = 3, // compiled to be written to disk
};

enum class SteppingMode : std::uint8_t { StepByStep = 1, StepOver = 2 };

// What the construction window reads after the editor closes: the run
// state, the stepping mode and the compiled program, which is the normalised
// text of the main file plus the ScriptFile tree with its procedure records.
// How the construction window starts a handed-over program: Run (F9) runs it
// to the end, the two stepping commands step it with the space bar.
enum class StartMode : std::uint8_t { Run, StepByStep, StepOver };

// A line of the program: in the main file when `file` is empty, else in the
// include of that name (as its #include line names it); lines count from 0.
struct LineMark {
    std::string file;
    int line = 0;
    friend auto operator<=>(const LineMark&, const LineMark&) = default;
};

struct HandOver {
    RunState runState = RunState::Nothing;
    StartMode start = StartMode::Run;
    SteppingMode stepping = SteppingMode::StepByStep;
    bool toDisk = false;     // set only by Compile to disk
    bool show = false;       // set by OnScreen
    std::string programText; // normalised text of the main file, lines joined with CR LF
    std::string rawText;     // source lines joined with CR LF
    ScriptFile* mainFile = nullptr;
    ScriptFile* currentFile = nullptr;
    int moduleCode = 501;
    int effectiveModule = 502;
    // The lines a run stops before, and the line Run to cursor runs to.
    std::vector<LineMark> breakpoints;
    std::optional<LineMark> runTo;
};

// A place in the text of the current file: a line and a byte column.
struct TextPosition {
    int line = 0;
    int column = 0;
    friend auto operator<=>(const TextPosition&, const TextPosition&) = default;
};

// The selection, from start to end (end may lie before start while the
// mouse button is held).
struct Selection {
    TextPosition start;
    TextPosition end;
    bool active = false;
    bool empty() const { return start == end; }
};

// Whether programs of a module can be run: an executor is registered for
// the module code.
using RunnableModule = std::function<bool(int)>;

// What a mouse press asks of the window beyond the model.
enum class MouseAction { None, ChooseModule };

// Whether the completion list is offered while a word is typed ("&Hints").
enum class HintsState { Off, On };

// The width in pixels of a piece of line text (bytes as in the file) in the
// editor's font. The window measures with its real font; without one every
// character is kDefaultCharacterWidth wide.
using TextMeasure = std::function<int(std::string_view)>;

// The script editor's model: the module state, the directories, the main
// script file with its includes, the cursor, selection, completion list and
// find state, the status area's message lines, the File, Edit and Program
// commands and their hand-over to the construction window. Keys and mouse
// arrive as plain codes and positions; paint() draws the window on a Canvas.
//
// Columns are byte offsets into a line and are not limited in size: lines
// longer than the window scroll horizontally with the cursor.
class ScriptEditor {
public:
    // Layout of the window, in pixels.
    static constexpr int kLineHeight = 25;
    static constexpr int kTextLeft = 10;
    static constexpr int kTextTop = 10;
    static constexpr int kDefaultCharacterWidth = 8;
    static constexpr int kPageStep = 10;
    static constexpr int kBlinkPhases = 3;
    static constexpr int kTickWrap = 600;
    static constexpr std::size_t kMaxSearchLength = 40;
    static constexpr std::size_t kMaxPasteLength = 9999;
    static constexpr ColorRef kBackground = 0xFF0000; // blue, as 0x00BBGGRR
    // A press in the status area whose y lies strictly between these
    // distances below the window's middle opens the module dialog.
    static constexpr int kModuleDisplayTop = 45;
    static constexpr int kModuleDisplayBottom = 85;

    // The font the lines and the status area are drawn in.
    static CanvasFont font() { return CanvasFont{"Arial", 12, false, false}; }

    ScriptEditor(Host& host, Directories directories);

    // Module (editor Module menu, module dialog, script head, opened file).
    const ModuleState& moduleState() const { return m_modules; }
    ModuleState& moduleState() { return m_modules; }
    void setModule(int moduleCode);
    // The completion list's words: the reserved words of the current module
    // and the procedures of the loaded include files, sorted.
    const std::vector<std::string>& completionWords() const { return m_completionWords; }

    Directories& directories() { return m_directories; }
    const Directories& directories() const { return m_directories; }
    // Where the open dialog starts when the current directory has no
    // "Examples" subdirectory: the examples the program ships.
    void setExamplesDirectory(std::string directory) { m_examplesDirectory = std::move(directory); }

    // File menu. New and Open ask about unsaved changes first; Cancel, or a
    // save that fails, keeps the text.
    bool newText();
    // Asks about unsaved changes, shows the open dialog, opens the file.
    bool open();
    // Opens a main file by path (the module comes from its first byte).
    bool openFile(const std::string& path);
    // Open Recent: as Open with the file chosen. A file that is gone gets
    // the open's message at once, without the question about unsaved text.
    bool openRecent(const std::string& path);
    bool save();
    bool saveAs();
    // Closing the window: asks about unsaved changes when no run is pending;
    // false when the user cancels. Closing ends the find and the include
    // editing state.
    bool requestClose();

    // The text.
    ScriptFile& mainFile() { return *m_main; }
    ScriptFile& currentFile() { return *m_current; }
    const ScriptFile& currentFile() const { return *m_current; }
    const std::vector<SourceLine>& lines() const { return m_current->lines; }
    // Rebuilds the main file from a text (paste, cut, edited include lines),
    // loading its includes again, and marks the text modified.
    void setText(std::string_view text);
    const std::string& fileName() const { return m_fileName; }
    // The window's caption: the file name, or the include shown after a
    // compile error found in it.
    const std::string& caption() const;
    bool modified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }

    // The view of the current file.
    int cursorLine() const { return m_current->view.cursorLine; }
    int cursorColumn() const { return m_current->view.cursorColumn; }
    TextPosition cursor() const { return {cursorLine(), cursorColumn()}; }
    int topLine() const { return m_current->view.topLine; }
    int visibleLines() const { return m_visibleLines; }
    void setVisibleLines(int count);
    // The client area without the scroll bar; sets the visible line count.
    void setViewSize(int width, int height);
    void setTextMeasure(TextMeasure measure);
    // The first visible line, as the vertical scroll bar sets it.
    void scrollTo(int topLine);
    // The largest top line: the scroll bar's range is 0 to this.
    int lastTopLine() const;
    // Whether the text is longer than the window (the scroll bar shows).
    bool needsScrollBar() const;
    // How far the text is scrolled to the left, in pixels.
    int horizontalOffset() const { return m_horizontalOffset; }

    // Keys. `text` is what the key types (UTF-8), empty for keys that type
    // nothing; it is inserted unless Ctrl or Alt is held.
    void keyDown(Key key, Modifiers modifiers, std::string_view text = {});
    // After every key release: rebuilds the file when an include line was
    // edited and the cursor has left it.
    void keyUp();

    // Mouse, in client pixels.
    MouseAction mouseDown(int x, int y);
    void mouseMove(int x, int y); // with the button held
    void mouseUp(int x, int y);
    void wheel(int steps); // positive: down
    // Whether the point lies over the text (an I-beam pointer) or elsewhere.
    bool overText(int x, int y) const;

    // Selection and clipboard (Edit menu).
    const Selection& selection() const { return m_selection; }
    std::string selectedText() const;
    void select(TextPosition start, TextPosition end);
    void copy(Clipboard& clipboard) const;
    void cut(Clipboard& clipboard);
    void paste(const Clipboard& clipboard);

    // Undo and Redo (Edit menu) of the current file's text. Typing is taken
    // back a word at a time; the history survives Save, and undoing back to
    // the saved text clears the modified flag. Opening or starting a text,
    // or showing another file of the tree, starts a new history.
    bool undo();
    bool redo();
    bool canUndo() const { return m_history.canUndo(); }
    bool canRedo() const { return m_history.canRedo(); }

    // Find (Edit menu): Find asks for the text and searches from the start;
    // Find next searches again one character after the last match.
    void find();
    void findNext();
    const std::string& searchText() const { return m_searchText; }

    // Completion list ("&Hints").
    HintsState hints() const { return m_hints; }
    void toggleHints();
    // The words offered for the word being typed; empty when no list shows.
    const std::vector<std::string>& offeredWords() const { return m_offered; }
    int completionIndex() const { return m_completionIndex; }

    // Cursor blink, every 250 ms.
    void tick();
    int blinkPhase() const { return m_blinkPhase; }
    bool cursorShown() const { return m_blinkPhase != kBlinkPhases - 1; }

    // Draws the window: the visible lines coloured, the selection, the
    // cursor, the completion list and the status area.
    void paint(Canvas& canvas) const;
    int width() const { return m_width; }
    int height() const { return m_height; }
    // The status area starts at two thirds of the width.
    int statusLeft() const { return m_width * 2 / 3; }

    // Status area.
    const MessageLines& messageLines() const { return m_messageLines; }
    bool errorShown() const { return m_errorShown; }
    const std::optional<CompileError>& lastError() const { return m_lastError; }

    // Program menu.
    void run();           // F9
    void stepByStep();    // F7
    void stepOver();      // F8
    void compile();       // hidden item: as Step-by-step, keeps the show flag
    void onScreen();      // no compile: show the text on screen
    void compileToDisk(); // hidden item

    // Breakpoints: lines a run stops before, kept while the editor lives
    // (not in the file). F5 and a click in the left margin toggle the
    // caret's or the clicked line of the file shown.
    void toggleBreakpoint();
    void toggleBreakpoint(int line);
    bool hasBreakpoint(int line) const;
    const std::set<LineMark>& breakpoints() const { return m_breakpoints; }
    // The caret's line, as a line of the program.
    LineMark caretMark() const;
    // Run to cursor: compiles and runs as Run does, stopping before the
    // caret's line.
    void runToCursor();
    // The statement a paused program runs next, highlighted when its file
    // is shown (and scrolled to); none while nothing is paused.
    void setExecutionLine(std::optional<LineMark> line);
    const std::optional<LineMark>& executionLine() const { return m_executionLine; }

    // F1: opens the language reference at the word under the caret in the
    // current module, or at its index when the caret is on no reserved word.
    void helpOnWord();
    // The reference page and anchor that F1 opens ("reference/curves.html#Curve").
    std::string helpPageAtCursor() const;

    // Decides which modules' programs Run and the stepping commands hand
    // over; the others are refused here, before the construction window
    // clears anything. Every module is runnable until this is set.
    void setRunnable(RunnableModule runnable) { m_runnable = std::move(runnable); }

    HandOver handOver() const;
    // Set after a successful compile and by OnScreen: the window closes and
    // the construction window takes over.
    bool closeRequested() const { return m_closeRequested; }
    void clearCloseRequest() { m_closeRequested = false; }
    // The hand-over has been taken: nothing is pending any more.
    void clearRunState() { m_handOver.runState = RunState::Nothing; }

private:
    void replaceMain(std::unique_ptr<ScriptFile> file, std::string fileName);
    std::string examplesDirectory() const;
    void compileWithMode(RunState mode);
    void stepCommand(SteppingMode mode);
    void showError(const CompileError& error);
    void breakErrorMessage();
    // The drawn width the message lines may take (editor_painter.cpp).
    int messageRoom() const;
    bool askToSave();
    // Marks the text modified, and the include shown when that is edited.
    void markModified();
    void rebuildCompletionWords();

    // Keys (editor_keys.cpp).
    void moveInList(Key key);
    void moveVertically(int step);
    void moveLeft(Modifiers modifiers);
    void moveRight(Modifiers modifiers);
    void splitLine();
    void backspace();
    void deleteForward();
    void insertText(std::string_view text);
    void takeCompletion();
    void offerCompletion();
    void hideCompletion();
    void lineEdited(int line);
    void setCursor(TextPosition position);
    void clampView();
    void followCursorHorizontally();
    SourceLine& currentLine();
    const std::string& lineText(int line) const;
    void renumberFrom(int line);
    void rebuildAfterIncludeEdit();

    // Mouse, selection, clipboard (editor_selection.cpp).
    std::optional<TextPosition> positionAt(int x, int y) const;
    int columnAt(const std::string& text, int x) const;
    int pixelOf(TextPosition position) const;
    void replaceCurrentText(std::string_view text, TextPosition cursor);
    std::string textBetween(TextPosition from, TextPosition to) const;

    // Find (editor_find.cpp).
    bool searchFrom(TextPosition from);

    // Undo history (editor_undo.cpp).
    EditSnapshot snapshot() const;
    // Before an edit of the current file: the text as it stands goes into
    // the history (or the edit joins the open group).
    void recordEdit(EditKind kind, bool startsWord = false);
    void restore(const EditSnapshot& snapshot);
    // After a text was opened or saved: the text a return to which leaves
    // nothing unsaved.
    void markSaved();
    std::string historyOwner() const;

    // Painting (editor_painter.cpp).
    void paintLines(Canvas& canvas) const;
    void paintSelection(Canvas& canvas) const;
    void paintCursor(Canvas& canvas) const;
    void paintCompletion(Canvas& canvas) const;
    void paintStatus(Canvas& canvas) const;
    // Breakpoints (editor_breakpoints.cpp).
    std::string fileKey() const;
    void paintBreakpoints(Canvas& canvas) const;
    // Breakpoints follow the text of their line as lines come and go: text
    // with `lineBreaks` line breaks was inserted at `at`; the text from
    // `from` to `to` is about to be removed (its two end lines joined); the
    // whole text was replaced (undo, redo), `before` being the lines it had.
    void breakpointsAfterInsert(TextPosition at, int lineBreaks);
    void breakpointsBeforeRemove(TextPosition from, TextPosition to);
    void breakpointsAfterReplace(const std::vector<std::string>& before);
    template<class Move>
    void moveBreakpoints(Move move);
    // The current file's lines as texts.
    std::vector<std::string> lineTexts() const;
    void paintExecutionLine(Canvas& canvas) const;

    Host& m_host;
    ModuleState m_modules;
    Directories m_directories;
    std::string m_examplesDirectory;
    std::unique_ptr<ScriptFile> m_main;
    ScriptFile* m_current = nullptr;
    std::string m_fileName;
    bool m_modified = false;
    std::vector<ScriptFile*> m_editedIncludes; // includes edited since the last save
    std::vector<std::string> m_completionWords;

    int m_visibleLines = 20;
    int m_width = 900;
    int m_height = 600;
    int m_horizontalOffset = 0;
    TextMeasure m_measure;

    Selection m_selection;
    bool m_selecting = false;
    bool m_includeEdited = false;
    int m_lineBeforeMouse = 0;

    HintsState m_hints = HintsState::On;
    std::vector<std::string> m_offered;
    int m_completionIndex = -1;
    int m_completionStart = 0;

    std::string m_searchText;
    TextPosition m_searchPosition;
    bool m_searched = false;

    int m_ticks = 0;
    int m_blinkPhase = 0;

    MessageLines m_messageLines;
    bool m_errorShown = false;
    std::string m_errorSource;
    std::optional<CompileError> m_lastError;

    EditHistory m_history;
    std::string m_historyOwner; // the file the history belongs to
    std::string m_savedText;

    HandOver m_handOver;
    bool m_closeRequested = false;
    std::set<LineMark> m_breakpoints;
    std::optional<LineMark> m_executionLine;
    std::optional<LineMark> m_runTo;
    RunnableModule m_runnable;
};

// The editor's messages.
namespace editor_message {
inline constexpr std::string_view kFilesCaption = N_("Files");
inline constexpr std::string_view kNotSaved = N_("File not saved. \nDo you want to save it?");
inline constexpr std::string_view kWrongExtension =
    N_("Wrong extension. File is not saved. Use 'Save as' option.");
inline constexpr std::string_view kNoName = "NoName";
inline constexpr std::string_view kErrorCaption = N_("Error");
inline constexpr std::string_view kNotFound = N_("Expression not found.");
inline constexpr std::string_view kNothingToFindCaption = N_("error");
inline constexpr std::string_view kNothingToFind = N_("There is no expression to find.");
inline constexpr std::string_view kModuleLabel = N_("Module:");
inline constexpr std::string_view kClickToChange = N_("Click here to change");
} // namespace editor_message

} // namespace kestrane
