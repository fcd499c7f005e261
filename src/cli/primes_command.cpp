#include "app/application.h"
#include "app/prime_table.h"
#include "cli/commands.h"
#include "platform/console_host.h"

#include <ostream>

namespace kestrane::cli {

int runPrimes(CommandArguments arguments, std::ostream& out, std::ostream& err)
{
    bool countOnly = false;
    for (const std::string& argument : arguments) {
        if (argument != "--count") {
            err << "kestrane-cli primes: unknown argument '" << argument << "'\n";
            return kUsageError;
        }
        countOnly = true;
    }
    ConsoleHost host(err);
    auto paths = ProgramPaths::forExecutable(programPath());
    std::vector<std::string> directories;
    for (const auto& directory : paths.dataDirectories)
        directories.push_back(directory.string());
    loadPrimeTable(host, directories);
    if (countOnly) {
        out << primeTable().count() << '\n';
    } else {
        for (std::int32_t prime : primeTable().primes())
            out << prime << '\n';
    }
    return primeTable().count() > 0 ? kSuccess : kUsageError;
}

} // namespace kestrane::cli
