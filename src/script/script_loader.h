// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/translation.h"
#include "script/directories.h"
#include "script/script_file.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

class Host;

// Builds ScriptFiles from text and loads their include files recursively,
// searching each include in the including file's directory and then in the
// main, working and library directories. Failures are message boxes with the
// caption "Error"; a failed include is left out and loading goes on.
class ScriptLoader {
public:
    // Include chains deeper than this, or trees of more files, are refused
    // with a message instead of exhausting memory or the stack.
    static constexpr int kMaxIncludeDepth = 32;
    static constexpr int kMaxIncludedFiles = 256;

    ScriptLoader(Host& host, const Directories& directories);

    // A file from its text (without the module character), with includes.
    std::unique_ptr<ScriptFile> build(std::string_view text, int moduleCode, std::string name,
                                      std::string path, std::string directory);

    // Whether a main file's first byte sets its module, or a module given
    // by the caller is used and the byte is only skipped.
    enum class FirstByte { SetsModule, Skipped };

    // Reads a main file: the first byte gives the module, the rest the
    // lines. Message boxes: "Include file does not exist." when it cannot be
    // read; the wrong-first-character message when its first byte names no
    // module (an empty file keeps the given module).
    std::unique_ptr<ScriptFile> openMainFile(const std::string& path, int moduleCode,
                                             FirstByte firstByte = FirstByte::SetsModule);

private:
    void loadIncludes(ScriptFile& file, int depth);
    void loadInclude(ScriptFile& file, std::string_view name, int depth);
    std::optional<std::string> findInclude(const ScriptFile& file, std::string_view name) const;
    void error(const std::string& text);

    Host& m_host;
    const Directories& m_directories;
    std::vector<std::string> m_chain; // the files being loaded, outermost first
    int m_filesLoaded = 0;
};

// The name of an include line ("#include <name>"), or nothing when the line
// is no well-formed include line.
std::optional<std::string> includeName(std::string_view line);

// The message boxes of loading, as the user sees them.
namespace load_message {
inline constexpr std::string_view kCaption = N_("Error");
inline constexpr std::string_view kIncludeMissing = N_("Included file does not exist.");
inline constexpr std::string_view kIncludeEmpty = N_("Included file cannot be emmpty.");
inline constexpr std::string_view kWrongFirstCharacter =
    N_("Wrong first character of a file. File is not loaded.\nCorrect file using notebook.\n"
       "(Write first character).");
inline constexpr std::string_view kMainMissing = N_("Include file does not exist.");
inline constexpr std::string_view kIncludeCycle =
    N_("Included file includes itself (directly or through other files). File is not loaded.");
inline constexpr std::string_view kTooDeep =
    N_("Included files are nested too deeply. File is not loaded.");
inline constexpr std::string_view kTooMany = N_("Too many included files. File is not loaded.");
} // namespace load_message

} // namespace kestrane
