// SPDX-License-Identifier: GPL-3.0-or-later
// Loads arbitrary bytes as a script and compiles it in every module. The
// bytes up to a 0x00 0x01 pair are the main file; what follows, if
// anything, is written as the include file "a.ksu" beside it, so include
// loading and the include checks are reached too.
#include "platform/scripted_host.h"
#include "script/compiler.h"
#include "script/module.h"
#include "script/script_loader.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const fs::path& workDirectory()
{
    static const fs::path directory = [] {
        fs::path path =
            fs::temp_directory_path() / ("kestrane-script-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(path);
        return path;
    }();
    return directory;
}

void writeInclude(std::string_view bytes)
{
    fs::path include = workDirectory() / "a.ksu";
    if (bytes.empty()) {
        std::error_code error;
        fs::remove(include, error);
        return;
    }
    std::ofstream(include, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kestrane;
    // Past a few kilobytes an input only repeats statements shorter ones reach,
    // at a fraction of the speed.
    if (size > 4096)
        return 0;
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::size_t split = input.find(std::string_view("\x00\x01", 2));
    std::string_view main = input.substr(0, split);
    writeInclude(split == std::string_view::npos ? std::string_view() : input.substr(split + 2));

    std::string directory = workDirectory().string();
    Directories directories;
    directories.main = directory;
    ScriptedHost host;
    std::string_view text = main.empty() ? main : main.substr(1);
    for (const ModuleInfo& info : moduleTable()) {
        ModuleState modules;
        modules.set(info.module);
        ScriptLoader loader(host, directories);
        auto file =
            loader.build(text, code(info.module), "fuzz.kst", directory + "/fuzz.kst", directory);
        Compiler compiler(modules, host);
        compiler.compile(*file);
        // A second compile of the same tree must rebuild, not pile up; one
        // module shows that, and halves the time of every input.
        if (&info == &moduleTable().front())
            compiler.compile(*file);
    }
    return 0;
}
