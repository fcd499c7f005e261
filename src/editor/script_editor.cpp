// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/script_editor.h"

#include "editor/line_colouring.h"
#include "platform/files.h"
#include "platform/host.h"
#include "platform/translation.h"
#include "script/compiler_messages.h"
#include "script/script_loader.h"
#include "script/word_reference.h"
#include "script/words.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace kestrane {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kShortestSavedName = 5;
constexpr std::string_view kRunTimeErrorCaption = N_("Run-time error.");

bool hasMainExtension(std::string_view name)
{
    return name.ends_with("kst") || name.ends_with("KST");
}

std::vector<std::string> scriptFilters()
{
    return {N_("Geometry and Algebra files (*.kst)"), N_("Graph Files (*.kst)")};
}

} // namespace

ScriptEditor::ScriptEditor(Host& host, Directories directories)
    : m_host(host)
    , m_directories(std::move(directories))
{
    setTextMeasure({});
    setModule(code(Module::Kestrane));
    newText();
}

void ScriptEditor::setModule(int moduleCode)
{
    m_modules.set(moduleCode);
    rebuildCompletionWords();
}

void ScriptEditor::rebuildCompletionWords()
{
    m_completionWords.clear();
    for (std::string_view word : wordsOfModule(m_modules.module()))
        m_completionWords.emplace_back(word);
    if (m_main) {
        for (const auto& include : m_main->includes) {
            std::vector<std::string> names = procedureNames(*include);
            m_completionWords.insert(m_completionWords.end(), names.begin(), names.end());
        }
    }
    std::sort(m_completionWords.begin(), m_completionWords.end());
    m_completionWords.erase(std::unique(m_completionWords.begin(), m_completionWords.end()),
                            m_completionWords.end());
}

bool ScriptEditor::newText()
{
    // A new text would drop unsaved changes without a word: ask first.
    if (m_modified && !askToSave())
        return false;
    auto file = std::make_unique<ScriptFile>();
    file->moduleCode = m_modules.module();
    file->name = std::string(editor_message::kNoName);
    file->directory = m_directories.main;
    file->setText("");
    replaceMain(std::move(file), std::string(editor_message::kNoName));
    m_history.clear();
    markSaved();
    return true;
}

bool ScriptEditor::open()
{
    // Cancel keeps the unsaved text rather than losing it to the opened file.
    if (m_modified && !askToSave())
        return false;
    FileDialogRequest request;
    request.title = N_("Open");
    request.directory = examplesDirectory();
    request.filters = scriptFilters();
    std::optional<std::string> chosen = m_host.chooseFileToOpen(request);
    if (!chosen)
        return false;
    return openFile(*chosen);
}

// The "Examples" folder of the current directory, else the shipped
// examples, else the current directory.
std::string ScriptEditor::examplesDirectory() const
{
    std::error_code error;
    fs::path current = fs::current_path(error);
    std::optional<fs::path> examples = findExisting(current / "Examples");
    if (examples && fs::is_directory(*examples, error))
        return examples->string();
    if (!m_examplesDirectory.empty() && fs::is_directory(m_examplesDirectory, error))
        return m_examplesDirectory;
    return current.string();
}

bool ScriptEditor::openFile(const std::string& path)
{
    ScriptLoader loader(m_host, m_directories);
    std::unique_ptr<ScriptFile> file = loader.openMainFile(path, m_modules.module());
    if (!file)
        return false;
    m_modules.set(file->moduleCode);
    replaceMain(std::move(file), path);
    rebuildCompletionWords();
    m_history.clear();
    markSaved();
    return true;
}

bool ScriptEditor::openRecent(const std::string& path)
{
    std::error_code error;
    if (fs::exists(nativePath(path), error) && m_modified && !askToSave())
        return false;
    return openFile(path);
}

bool ScriptEditor::save()
{
    if (m_fileName.size() < kShortestSavedName)
        return false;
    if (!hasMainExtension(m_fileName)) {
        m_host.message(std::string(compile_message::kErrorCaption),
                       std::string(editor_message::kWrongExtension), MessageButtons::Ok,
                       MessageIcon::Error);
        return false;
    }
    m_main->moduleCode = m_modules.module();
    // The file is replaced as a whole: a failed write keeps the old one.
    if (!replaceFile(nativePath(m_fileName), m_main->fileBytes()))
        return false;
    // An include shown after a compile error may have been edited there;
    // its changes are saved with the main file rather than lost.
    for (ScriptFile* include : m_editedIncludes) {
        if (!replaceFile(include->path, include->fileBytes()))
            return false;
    }
    m_editedIncludes.clear();
    m_modified = false;
    markSaved();
    return true;
}

void ScriptEditor::markModified()
{
    m_modified = true;
    ScriptFile* current = m_current;
    if (current != m_main.get() && !current->path.empty() &&
        std::find(m_editedIncludes.begin(), m_editedIncludes.end(), current) ==
            m_editedIncludes.end())
        m_editedIncludes.push_back(current);
}

bool ScriptEditor::saveAs()
{
    FileDialogRequest request;
    request.title = N_("Save as");
    // A file saved before is saved again beside itself; a text that never
    // had a file starts where the examples are, like Open.
    request.directory = m_main->path.empty() ? examplesDirectory()
                                             : nativePath(m_main->path).parent_path().string();
    request.fileName =
        m_main->path.empty() ? m_fileName : nativePath(m_main->path).filename().string();
    request.filters = {N_("Geometry and Algebra Files (*.kst)"), N_("Graphs Files (*.kst)")};
    std::optional<std::string> chosen = m_host.chooseFileToSave(request);
    if (!chosen)
        return false;
    // The default extension: a name typed without one gets ".kst".
    if (!nativePath(*chosen).has_extension())
        *chosen += ".kst";
    m_fileName = *chosen;
    fs::path native = nativePath(*chosen);
    m_main->name = native.filename().string();
    m_main->path = native.string();
    m_main->directory = native.parent_path().string();
    return save();
}

bool ScriptEditor::requestClose()
{
    if (m_modified && m_handOver.runState == RunState::Nothing && !askToSave())
        return false;
    m_searched = false;
    m_includeEdited = false;
    hideCompletion();
    return true;
}

// "File not saved": Yes saves, No goes on, Cancel stops. Returns false for
// Cancel, and for Yes when the text could not be saved, so that unsaved
// text is never dropped. A text that has no file name yet is saved with
// "Save as".
bool ScriptEditor::askToSave()
{
    MessageAnswer answer = m_host.message(std::string(editor_message::kFilesCaption),
                                          std::string(editor_message::kNotSaved),
                                          MessageButtons::YesNoCancel, MessageIcon::Question);
    if (answer == MessageAnswer::Yes)
        return m_fileName == editor_message::kNoName ? saveAs() : save();
    return answer != MessageAnswer::Cancel;
}

void ScriptEditor::setText(std::string_view text)
{
    ScriptLoader loader(m_host, m_directories);
    EditingView view = m_main->view;
    auto file =
        loader.build(text, m_modules.module(), m_main->name, m_main->path, m_main->directory);
    std::string fileName = m_fileName;
    replaceMain(std::move(file), fileName);
    m_main->view = view;
    clampView();
    m_modified = true;
    rebuildCompletionWords();
}

const std::string& ScriptEditor::caption() const
{
    if (m_current == m_main.get())
        return m_fileName;
    return m_current->path.empty() ? m_current->name : m_current->path;
}

void ScriptEditor::setVisibleLines(int count)
{
    m_visibleLines = std::max(1, count);
    m_current->view.visibleLines = m_visibleLines;
}

void ScriptEditor::setViewSize(int width, int height)
{
    m_width = std::max(0, width);
    m_height = std::max(0, height);
    setVisibleLines((m_height - kTextTop) / kLineHeight);
    followCursorHorizontally();
    breakErrorMessage();
}

void ScriptEditor::setTextMeasure(TextMeasure measure)
{
    if (!measure)
        measure = [](std::string_view text) {
            return static_cast<int>(text.size()) * kDefaultCharacterWidth;
        };
    m_measure = std::move(measure);
    breakErrorMessage();
}

void ScriptEditor::replaceMain(std::unique_ptr<ScriptFile> file, std::string fileName)
{
    m_main = std::move(file);
    m_main->view = EditingView{};
    m_main->view.visibleLines = m_visibleLines;
    m_current = m_main.get();
    m_fileName = std::move(fileName);
    m_modified = false;
    m_editedIncludes.clear();
    // The message of the previous text's compile does not belong to this one.
    m_messageLines = {};
    m_errorShown = false;
    m_lastError.reset();
    m_selection = {};
    m_horizontalOffset = 0;
    hideCompletion();
}

namespace {

bool wordCharacter(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '#' || c == '_';
}

} // namespace

std::string ScriptEditor::helpPageAtCursor() const
{
    const std::string& text = lineText(cursorLine());
    auto column =
        static_cast<std::size_t>(std::clamp(cursorColumn(), 0, static_cast<int>(text.size())));
    // The caret just after a word still asks about that word.
    if (column > 0 && (column == text.size() || !wordCharacter(text[column])) &&
        wordCharacter(text[column - 1]))
        --column;
    std::size_t start = column;
    while (start > 0 && wordCharacter(text[start - 1]))
        --start;
    std::size_t end = column;
    while (end < text.size() && wordCharacter(text[end]))
        ++end;
    auto [page, anchor] =
        referenceLocation(std::string_view(text).substr(start, end - start), m_modules.module());
    if (page.empty())
        return "reference/index.html";
    return "reference/" + page + "#" + anchor;
}

void ScriptEditor::helpOnWord()
{
    m_host.showHelp(helpPageAtCursor());
}

void ScriptEditor::run()
{
    m_handOver.toDisk = false;
    m_handOver.show = false;
    m_handOver.start = StartMode::Run;
    m_handOver.programText.clear();
    compileWithMode(RunState::Run);
    m_main->normalisedLines.clear();
}

void ScriptEditor::stepByStep()
{
    stepCommand(SteppingMode::StepByStep);
    m_handOver.show = false;
}

void ScriptEditor::stepOver()
{
    stepCommand(SteppingMode::StepOver);
    m_handOver.show = false;
}

void ScriptEditor::compile()
{
    stepCommand(SteppingMode::StepByStep);
}

void ScriptEditor::stepCommand(SteppingMode mode)
{
    m_handOver.toDisk = false;
    m_handOver.stepping = mode;
    m_handOver.start = mode == SteppingMode::StepOver ? StartMode::StepOver : StartMode::StepByStep;
    m_handOver.programText.clear();
    normaliseFile(*m_main);
    if (m_main->normalisedLines.empty()) {
        m_host.message(std::string(compile_message::kErrorCaption),
                       std::string(compile_message::kNoCommand), MessageButtons::Ok,
                       MessageIcon::Error);
        return;
    }
    m_handOver.rawText = m_main->joinedText();
    compileWithMode(RunState::Run);
    m_main->normalisedLines.clear();
}

void ScriptEditor::onScreen()
{
    m_handOver.rawText = m_current->joinedText();
    m_handOver.runState = RunState::ShowText;
    m_handOver.show = true;
    m_closeRequested = true;
}

void ScriptEditor::compileToDisk()
{
    m_handOver.toDisk = true;
    compileWithMode(RunState::CompileToDisk);
}

void ScriptEditor::compileWithMode(RunState mode)
{
    hideCompletion();
    m_selection.active = false;
    m_handOver.runState = RunState::Run;
    m_errorShown = false;
    Compiler compiler(m_modules, m_host);
    compiler.setDataFiles(DataFileSearch{m_directories, {}, m_examplesDirectory});
    CompileResult result = compiler.compile(*m_main);
    m_handOver.rawText = result.rawText;
    m_current = result.currentFile ? result.currentFile : m_main.get();
    m_lastError = result.error;
    if (result.error) {
        m_handOver.runState = RunState::Nothing;
        m_handOver.programText.clear();
        showError(*result.error);
        return;
    }
    if (mode == RunState::Run && m_runnable && !m_runnable(m_modules.module())) {
        m_handOver.runState = RunState::Nothing;
        m_handOver.programText.clear();
        m_host.message(std::string(kRunTimeErrorCaption),
                       moduleCannotRunMessage(m_modules.module()), MessageButtons::Ok,
                       MessageIcon::Error);
        return;
    }
    m_handOver.runState = mode;
    m_handOver.breakpoints.assign(m_breakpoints.begin(), m_breakpoints.end());
    m_handOver.runTo = m_runTo;
    // Compile to disk hands over the same compiled text as a run.
    m_handOver.programText = m_main->normalisedText;
    m_messageLines = {};
    if (!m_main->normalisedLines.empty())
        m_closeRequested = true;
}

void ScriptEditor::showError(const CompileError& error)
{
    if (error.display == ErrorDisplay::MessageBox)
        return;
    m_errorShown = true;
    ScriptFile& file = *error.file;
    const std::string& source = file.lines.empty()
                                    ? std::string()
                                    : file.lines[static_cast<std::size_t>(error.sourceLine)].text();
    m_errorSource = source;
    breakErrorMessage();
    m_current = &file;
    file.view.visibleLines = m_visibleLines;
    file.view.cursorLine = error.sourceLine;
    file.view.cursorColumn = static_cast<int>(source.size());
    file.view.topLine = std::max(0, error.sourceLine - m_visibleLines / 2);
}

// The message is broken where the status area's drawn width ends, so it is
// broken again when the window changes its width.
void ScriptEditor::breakErrorMessage()
{
    if (!m_errorShown || !m_lastError)
        return;
    int room = messageRoom();
    m_messageLines =
        errorMessageLines(translate(m_lastError->message), m_errorSource,
                          [&](std::string_view text) { return m_measure(text) <= room; });
}

HandOver ScriptEditor::handOver() const
{
    HandOver handOver = m_handOver;
    handOver.mainFile = m_main.get();
    handOver.currentFile = m_current;
    handOver.moduleCode = m_modules.module();
    handOver.effectiveModule = m_modules.effective();
    return handOver;
}

} // namespace kestrane
