// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the language reference pages, generated from the word table and its
// help, into a directory: make_reference DIRECTORY.
#include "platform/files.h"
#include "script/word_reference.h"

#include <filesystem>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "Usage: make_reference DIRECTORY\n";
        return 2;
    }
    std::filesystem::path directory = argv[1];
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (error) {
        std::cerr << "make_reference: cannot make " << directory << ": " << error.message() << '\n';
        return 1;
    }
    for (const auto& [name, page] : kestrane::referencePages()) {
        // Written atomically: a failed build never leaves half a page.
        if (!kestrane::replaceFile(directory / name, page)) {
            std::cerr << "make_reference: cannot write " << (directory / name) << '\n';
            return 1;
        }
    }
    return 0;
}
