// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli.h"
#include "cli/commands.h"
#include "platform/translation.h"

#include <unistd.h>

#include <iostream>

#ifdef KESTRANE_CLI_PNG
namespace kestrane::cli {
void registerQtPngWriter();
}
#endif
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
#ifdef KESTRANE_CLI_PNG
    kestrane::cli::registerQtPngWriter();
#endif
    // The executable's own path, for the data installed beside it.
    char self[4096];
    ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    kestrane::cli::setProgramPath(length > 0 ? std::string(self, static_cast<size_t>(length))
                                             : argv[0]);
    kestrane::setUpTranslations(kestrane::localeDirectoryFor(kestrane::cli::programPath()));
    return kestrane::cli::runCli(arguments, std::cout, std::cerr);
}
