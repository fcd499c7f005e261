// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kestrane {

// A procedure declared in a script file, as the compiler found it. The
// interpreter finds procedures by name and reads their bodies from the
// normalised text of the file that declares them.
struct ProcedureRecord {
    std::size_t bodyStart = 0; // offset in the normalised text just after the name
    std::size_t bodyEnd = 0;   // offset just after the closing END
    int parameterCount = 0;
    int typeCode = 0; // the word before the name: void is 24; 0 when none
    std::string name;
    std::string fileName;            // the file that declares it
    std::vector<int> parameterTypes; // one type code per parameter
};

} // namespace kestrane
