// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the help page "Keys", generated from the windows' key tables:
// make_keys_page FILE.
#include "app/key_tables.h"
#include "platform/files.h"

#include <filesystem>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "Usage: make_keys_page FILE\n";
        return 2;
    }
    std::filesystem::path file = argv[1];
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    // Written atomically: a failed build never leaves half a page.
    if (error || !kestrane::replaceFile(file, kestrane::keysHelpPage())) {
        std::cerr << "make_keys_page: cannot write " << file << '\n';
        return 1;
    }
    return 0;
}
