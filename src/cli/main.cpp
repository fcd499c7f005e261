// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/picture_module.h"
#include "platform/translation.h"

#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    // The executable's own path, for the data installed beside it.
    char self[4096];
    ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string program = length > 0 ? std::string(self, static_cast<size_t>(length)) : argv[0];
#ifdef KESTRANE_PICTURE_MODULE_DIR
    // Beside the program in the build tree, in the library folder once
    // installed.
    std::filesystem::path folder = std::filesystem::path(program).parent_path();
    kestrane::cli::usePictureModule({folder, folder / KESTRANE_PICTURE_MODULE_DIR});
#endif
    kestrane::cli::setProgramPath(program);
    kestrane::setUpTranslations(kestrane::localeDirectoryFor(kestrane::cli::programPath()));
    return kestrane::cli::runCli(arguments, std::cout, std::cerr);
}
