#include "cli/commands.h"

#include <algorithm>

namespace kestrane::cli {

namespace {

// Each subcommand adds its line here.
constexpr Command kCommands[] = {
    {"help", "show the help of a command", "Usage: kestrane-cli help [COMMAND]\n", nullptr},
    {"primes", "print the prime table read from the \"dtst\" file",
     "Usage: kestrane-cli primes [--count]\n"
     "Reads the prime table as the program does at start (from the current\n"
     "directory, then from the installed data) and prints its primes, one a line,\n"
     "or only how many there are with --count.\n",
     runPrimes},
    {"options", "print the directories and window options read at start",
     "Usage: kestrane-cli options [DIRECTORY]\n"
     "Reads \"options\" (or the one in ~/.config/kestrane, which wins), \"MainOpt\",\n"
     "\"FractOpt\", \"FunOpt\" and \"CalcOpt\" from DIRECTORY, the current directory\n"
     "when none is given, as the program does at start, and prints what it found.\n",
     runOptions},
    {"check", "compile a script and report its first error",
     "Usage: kestrane-cli check FILE [--module CODE]\n\n"
     "Loads the script FILE with its include files and compiles it in the module of\n"
     "its first byte, or in the module CODE (501-508, 604) when given. Prints \"ok\",\n"
     "or \"FILE:LINE: MESSAGE\" for the first error, LINE counted from 1 in the file\n"
     "that holds it. Message boxes raised on the way go to standard error as\n"
     "\"Caption: text\". Exit status: 0 valid, 1 refused, 2 usage or file error.\n",
     runCheck},
    {"run", "compile and run a script, write its construction as JSON, PNG or SVG",
     "Usage: kestrane-cli run FILE [--json PATH|-] [--png PATH] [--svg PATH] [--click X,Y]...\n\n"
     "Loads the script FILE with its include files, compiles it as check does and\n"
     "runs start(...) to its end (a Break is passed over). Each --click X,Y is a\n"
     "mouse click on the drawing area that chooses the next parameter of start(...),\n"
     "in order. Then writes the construction: --json as JSON (\"-\" for standard\n"
     "output; the format is described in README.md), --png and --svg as a picture of\n"
     "the 800 x 550 drawing area. Message boxes raised on the way go to standard\n"
     "error as \"Caption: text\" and into the JSON. A compile error is printed as\n"
     "check prints it. Exit status: 0 success, 1 compile error or a parameter left\n"
     "unchosen, 2 usage or file error.\n",
     runRun},
    {"long", "compute with long numbers",
     "Usage: kestrane-cli long [--words N] OP A [B]\n"
     "Computes with fixed-point long numbers of N digit words (10 to 360, 10 by default).\n"
     "A and B are decimal numbers with an optional leading '-'.\n"
     "Real OP: add sub mul div divsmall halve sqrt ln exp root sin cos tan cot atan asin acos\n"
     "  (divsmall and root take an integer B: the divisor, the degree).\n"
     "Complex OP: cmul cdiv cexp cln croot csin ccos ctan ccot casin cacos catan cacot,\n"
     "  with arguments written \"re,im\" (croot takes the degree as B).\n"
     "Prints every fraction digit and the sign; complex results as \"re im\".\n"
     "Message boxes go to standard error as \"Caption: text\".\n"
     "Exit status: 0 success, 1 a number could not be read, 2 usage error.\n",
     runLong},
    {"expr", "read an exact expression and print it, its bytes, its layout or its picture",
     "Usage: kestrane-cli expr [--font-height N] [--json] [--hex] [--svg PATH] [--png PATH] EXPR\n"
     "       kestrane-cli expr [options] --from-hex HEX\n\n"
     "Reads EXPR in the linear notation and prints it canonically:\n"
     "  numbers 12 0.5; names of up to 4 letters and digits (no 'I' or 'i'); i;\n"
     "  pi or \u03C0, \u03B1 \u03B2 \u03B3 \u03B5; ? an empty slot; + - * (* first);\n"
     "  / a fraction, tighter than *; ^ tightest, right-associative; name=value at\n"
     "  the top; (...) brackets, sqrt(x), root(N,x) with N from 2 to 9, and\n"
     "  exp log sin cos tan cot asin acos atan acot (x). A minus stands only at the\n"
     "  start of the expression, a bracket, an argument, a numerator, a denominator\n"
     "  or an exponent: write 2*(-3), not 2*-3.\n"
     "With --from-hex, HEX is the byte form of an expression as hex pairs.\n"
     "--hex prints the byte form as lowercase hex pairs separated by blanks; --json\n"
     "prints the laid-out tree (fields of each node, rows \"open\" and \"close\",\n"
     "children \"left\" \"right\" \"numerator\" \"denominator\" \"exponent\"); --svg and\n"
     "--png write its picture. Font height N (pixels, 20 by default); text is measured\n"
     "with a fixed metric: each character 3N/5 pixels wide.\n"
     "Exit status: 0 success, 1 a notation error or a byte form that cannot be read,\n"
     "2 usage or file error.\n",
     runExpr},
    {"edit", "type keys into the expression editor and print the expression",
     "Usage: kestrane-cli edit [--start EXPR] [--json] KEYS\n\n"
     "Types KEYS into a fresh expression (one empty slot), or into EXPR (see\n"
     "\"kestrane-cli help expr\") with the cursor at its end, by the rules of the\n"
     "Fractions and Roots window, and prints the expression in the linear notation.\n"
     "A printable character is the key that types it on a US keyboard: a is the A\n"
     "key, A is Shift+A, + is Shift+=, _ is Shift+- (toggle the sign), * is Shift+8,\n"
     "( and ) are Shift+9 and Shift+0; - / . , = and digits are unshifted.\n"
     "Named keys: {Left} {Right} {Up} {Down} {Home} {End} {PageUp} {PageDown}\n"
     "{Backspace} {Delete} {Escape} {Enter} {F2} {F5}, with modifiers as {Ctrl+N}\n"
     "(fraction), {Ctrl+P} (power), {Ctrl+R} (root), {Shift+Left}. {Degree N} clicks\n"
     "degree N (2-9) in the root-degree control; {Drag X1,Y1,X2,Y2} drags the mouse\n"
     "over the expression area, in its pixels (text 3/5 of the 20-pixel font wide).\n"
     "Refused keys show their message box on standard error as \"Caption: text\".\n"
     "--json prints \"expression\", \"cursor\" (\"path\" of child names, \"area\",\n"
     "\"position\"), \"selection\", \"degreeControl\", \"tree\" and \"messages\".\n"
     "Exit status: 0 done (refused keys included), 1 a notation error in --start,\n"
     "2 usage error.\n",
     runEdit},
};

std::string& storedProgramPath()
{
    static std::string path = "kestrane-cli";
    return path;
}

} // namespace

const std::string& programPath()
{
    return storedProgramPath();
}
void setProgramPath(std::string path)
{
    storedProgramPath() = std::move(path);
}

std::span<const Command> commands()
{
    return std::span(kCommands).subspan(1);
}

const Command* findCommand(std::string_view name)
{
    auto all = commands();
    auto found = std::find_if(all.begin(), all.end(),
                              [name](const Command& command) { return command.name == name; });
    return found == all.end() ? nullptr : &*found;
}

} // namespace kestrane::cli
