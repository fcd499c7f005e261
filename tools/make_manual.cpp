// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the manual pages and the shell completion of kestrane-cli from its
// command tables:
//   make_manual DATE DIRECTORY
// puts man/man1/kestrane.1, man/man1/kestrane-cli.1,
// bash-completion/completions/kestrane-cli, zsh/vendor-completions/_kestrane-cli
// and fish/vendor_completions.d/kestrane-cli.fish under DIRECTORY.

#include "cli/manual.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

namespace {

bool write(const std::filesystem::path& path, const std::string& text)
{
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    std::ofstream file(path, std::ios::binary);
    file << text;
    file.close();
    if (!file) {
        std::cerr << "make_manual: cannot write " << path.string() << '\n';
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "Usage: make_manual DATE DIRECTORY\n";
        return 2;
    }
    std::string date = argv[1];
    std::filesystem::path directory = argv[2];
    using namespace kestrane::cli;
    bool written =
        write(directory / "man/man1/kestrane.1", programManualPage(date)) &&
        write(directory / "man/man1/kestrane-cli.1", cliManualPage(date)) &&
        write(directory / "bash-completion/completions/kestrane-cli", bashCompletion()) &&
        write(directory / "zsh/vendor-completions/_kestrane-cli", zshCompletion()) &&
        write(directory / "fish/vendor_completions.d/kestrane-cli.fish", fishCompletion());
    return written ? 0 : 1;
}
