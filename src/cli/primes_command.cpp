// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/application.h"
#include "app/prime_table.h"
#include "cli/command_output.h"
#include "cli/commands.h"
#include "platform/console_host.h"

#include <ostream>

namespace kestrane::cli {

int runPrimes(const ParsedArguments& arguments, std::ostream& out, std::ostream& err)
{
    bool countOnly = arguments.has("--count");
    ConsoleHost host(err);
    auto paths = ProgramPaths::forExecutable(programPath());
    std::vector<std::string> directories;
    for (const auto& directory : paths.dataDirectories)
        directories.push_back(directory.string());
    loadPrimeTable(host, directories);
    // A table that cannot be read is a file error: nothing to print.
    if (primeTable().count() == 0)
        return kUsageError;
    if (arguments.has("--json")) {
        JsonWriter json;
        json.beginObject().key("count").number(primeTable().count());
        if (!countOnly) {
            json.key("primes").beginArray();
            for (std::int32_t prime : primeTable().primes())
                json.number(prime);
            json.endArray();
        }
        writeMessages(json, host.messages());
        out << json.endObject().take() << '\n';
    } else if (countOnly) {
        out << primeTable().count() << '\n';
    } else {
        for (std::int32_t prime : primeTable().primes())
            out << prime << '\n';
    }
    return kSuccess;
}

} // namespace kestrane::cli
