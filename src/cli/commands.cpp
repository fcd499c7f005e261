// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commands.h"

#include "platform/translation.h"

#include <algorithm>

namespace kestrane::cli {

namespace {

using enum ValueKind;

// Every subcommand's table: its options (one entry an option), operands and
// help. The parser, the help, the manual page and the shell completion all
// read these tables.

constexpr Option kJson = flag("--json", "print the result as JSON");
// Where a command writes files beside its JSON, the JSON itself may go to a
// file; "-" or no value is standard output.
constexpr Option kJsonOutput =
    valued("--json", "PATH", Output, "write the JSON to PATH (\"-\" or none: standard output)")
        .optionalValue();

constexpr Option kPrimesOptions[] = {
    flag("--count", "print only how many primes there are"),
    kJson,
};

constexpr Operand kOptionsOperands[] = {{"DIRECTORY", Directory, {}, Operand::Optional}};
constexpr Option kOptionsOptions[] = {kJson};

constexpr Operand kScriptOperand[] = {{"FILE", File, "kst", Operand::One}};
constexpr Option kCheckOptions[] = {
    valued("--module", "CODE", Word, "compile in the module CODE instead of the file's own")
        .words("501 502 503 504 505 506 507 508 604"),
    valued("--options", "DIR", Directory, "read the options file in DIR only"),
    kJson,
};

constexpr Option kRunOptions[] = {
    kJsonOutput,
    valued("--png", "PATH", Output, "write a PNG picture of the drawing area").files("png"),
    valued("--svg", "PATH", Output, "write an SVG picture of the drawing area").files("svg"),
    valued("--obj", "PATH", Output, "write the polyhedra as Wavefront OBJ").files("obj"),
    valued("--tikz", "PATH", Output, "write the drawing as a LaTeX tikzpicture").files("tex"),
    flag("--tikz-standalone", "make --tikz a whole standalone LaTeX document"),
    valued("--tikz-scale", "N", Number, "pixels per centimetre of --tikz (1 to 10000; 40)"),
    valued("--pdf", "PATH", Output, "write a PDF page of the drawing").files("pdf"),
    valued("--save-program", "PATH", Output, "write a script that draws the figure again")
        .files("kst"),
    valued("--click", "X,Y", Text, "a click that chooses the next parameter of start(...)")
        .repeated(),
    valued("--ticks", "N", Number, "run N ticks of the window's timer after the run (0 to 100000)"),
    valued("--keep", "FILE", File, "run FILE first and keep its figure").files("kst").repeated(),
    valued("--options", "DIR", Directory, "read the options file and MainOpt in DIR only"),
    valued("--allow-write", "DIR", Directory, "let the program write files in DIR too").repeated(),
    valued("--trace", "PATH", Output,
           "write a JSON line per executed statement (\"-\": standard output)"),
    valued("--break", "LINE", Text, "stop before LINE (FILE:LINE in an include) and write the JSON")
        .repeated(),
};

constexpr Operand kLongOperands[] = {
    {"OP", Word,
     "add sub mul div divsmall halve sqrt ln exp root sin cos tan cot atan asin acos cmul cdiv "
     "cexp cln croot csin ccos ctan ccot casin cacos catan cacot",
     Operand::One},
    {"A", Number, {}, Operand::One},
    {"B", Number, {}, Operand::Optional},
};
constexpr Option kLongOptions[] = {
    valued("--words", "N", Number, "digit words of the numbers (10 to 360; 10)"),
    kJson,
};

constexpr Operand kLongIntOperands[] = {
    {"OP", Word, "parse add mul times div rem gcd factor", Operand::One},
    {"A", Number, {}, Operand::One},
    {"B", Number, {}, Operand::Optional},
};
constexpr Option kLongIntOptions[] = {kJson};

constexpr Operand kSolidOperands[] = {{"FILE", File, "txt plh", Operand::One}};
constexpr Option kSolidOptions[] = {
    valued("--kind", "KIND", Word, "read the file as a polyhedron, cell or polytope file")
        .words("polyhedron cell polytope"),
    flag("--json", "print the file as JSON (the only output)"),
};

constexpr Operand kFramesOperands[] = {{"FILE", File, "frm", Operand::One}};
constexpr Option kFramesOptions[] = {
    flag("--info", "list the frames (the default without pictures)"),
    valued("--svg", "DIR", Directory, "write each frame as an SVG picture into DIR"),
    valued("--png", "DIR", Directory, "write each frame as a PNG picture into DIR"),
    kJson,
};

constexpr Operand kExpressionOperands[] = {{"EXPR", Expression, {}, Operand::Many}};
constexpr Option kExprOptions[] = {
    valued("--font-height", "N", Number, "font height in pixels (4 to 400; 20)"),
    flag("--json", "print the laid-out tree as JSON"),
    flag("--hex", "print the byte form as hex pairs"),
    flag("--from-hex", "read the operand as the byte form in hex pairs"),
    valued("--svg", "PATH", Output, "write the picture as SVG").files("svg"),
    valued("--png", "PATH", Output, "write the picture as PNG").files("png"),
};

constexpr Operand kEditOperands[] = {{"KEYS", Text, {}, Operand::Many}};
constexpr Option kEditOptions[] = {
    valued("--start", "EXPR", Expression, "type into EXPR instead of an empty slot"),
    flag("--json", "print the editor's state as JSON"),
    valued("--window", "NAME", Word, "drive a whole window (prints JSON)")
        .words("calculator fractions"),
    flag("--complex", "turn complex numbers on in the window"),
    valued("--file", "FILE", File, "open a fraction file in the window first").files("fra"),
    valued("--digits", "N", Number, "start the Calculator at N significant digits"),
};

constexpr Option kCalcOptions[] = {
    valued("--digits", "N", Number, "significant digits, a multiple of 6 from 54 to 900 (120)"),
    flag("--complex", "compute in complex numbers"),
    valued("--var", "NAME=EXPR", Expression, "define a variable first").repeated(),
    kJson,
    valued("--repeat", "N", Number, "compute N times and print once"),
};

constexpr Operand kSimplifyOperands[] = {{"EXPR", Expression, {}, Operand::AnyNumber}};
constexpr Option kSimplifyOptions[] = {
    valued("--var", "NAME=EXPR", Expression, "define a variable").repeated(),
    valued("--disable", "NAME", Text, "keep the variable NAME a symbol").repeated(),
    kJson,
    valued("--repeat", "N", Number, "simplify N times and print once"),
    valued("--file", "FILE", File, "simplify the expression of a fraction file").files("fra"),
};

constexpr Operand kFractionOperands[] = {
    {"ACTION", Word, "read write", Operand::One},
    {"FILE", File, "fra", Operand::One},
    {"EXPR", Expression, {}, Operand::AnyNumber},
};
constexpr Option kFractionOptions[] = {
    flag("--json", "read: print the file's contents as JSON"),
    valued("--description", "TEXT", Text, "write: the file's description"),
    valued("--var", "NAME=EXPR", Expression, "write: a variable of the file").repeated(),
};

constexpr Operand kEvalOperands[] = {{"SOURCE", File, "fct fra txt", Operand::Optional}};
constexpr Option kEvalOptions[] = {
    valued("--expr", "TEXT", Expression, "evaluate TEXT instead of a file's expression"),
    valued("--at", "T", Number, "a point of x (RE,IM of z with --complex)").repeated(),
    flag("--complex", "evaluate an analytic function of z in complex numbers"),
    kJson,
};

constexpr Operand kRootsOperands[] = {
    {"A", Expression, {}, Operand::One},
    {"B", Expression, {}, Operand::One},
    {"C", Expression, {}, Operand::One},
    {"D", Expression, {}, Operand::Optional},
};
constexpr Option kRootsOptions[] = {
    flag("--numeric", "solve numerically only, without exact roots"),
    kJson,
    valued("--repeat", "N", Number, "solve N times and print once"),
};

constexpr Operand kTicksOperands[] = {
    {"LENGTH", Number, {}, Operand::One},
    {"MIN", Number, {}, Operand::One},
    {"MAX", Number, {}, Operand::One},
};
constexpr Option kTicksOptions[] = {flag("--json", "print the ticks as JSON (the only output)")};

constexpr Operand kPlotOperands[] = {{"FILE", File, "fct", Operand::One}};
constexpr Option kPlotOptions[] = {
    valued("--size", "WxH", Text, "the picture's size in pixels (600x400)"),
    valued("--domain", "LO,HI", Text, "the domain instead of the file's"),
    kJsonOutput,
    valued("--png", "PATH", Output, "write the picture as PNG").files("png"),
    valued("--svg", "PATH", Output, "write the picture as SVG").files("svg"),
};

constexpr Option kGraphWindowOptions[] = {
    valued("--key", "KEY", Text, "press a key: [Ctrl+][Alt+][Shift+]NAME").repeated(),
    valued("--type", "TEXT", Text, "type each character of TEXT").repeated(),
    valued("--button", "NAME", Word, "click a painted button")
        .words("sin cos tan cot asin acos atan acot exp log root fraction power pi")
        .repeated(),
    valued("--click", "X,Y", Text, "click the window").repeated(),
    valued("--domain", "LEFT,RIGHT", Text, "the domain dialog with both fields, then OK")
        .repeated(),
    flag("--domain-cancel", "the domain dialog, then Cancel").repeated(),
    flag("--new", "File > New").repeated(),
    valued("--open", "PATH", File, "File > Open, choosing PATH").files("fct").repeated(),
    valued("--save", "NAME", Output, "File > Save as, typing NAME").files("fct").repeated(),
    flag("--show", "View > Graph").repeated(),
    kJsonOutput,
    valued("--png", "PATH", Output, "write the window's picture as PNG").files("png"),
    valued("--svg", "PATH", Output, "write the window's picture as SVG").files("svg"),
};

constexpr Operand kWordsOperands[] = {
    {"MODULE", Word, "501 502 503 504 505 506 507 508 604", Operand::Optional}};
constexpr Option kWordsOptions[] = {kJson};

constexpr Operand kKeysOperands[] = {
    {"WINDOW", Word, "construction editor graph fractions calculator", Operand::Optional}};
constexpr Option kKeysOptions[] = {kJson};

constexpr Operand kHelpOperands[] = {{"COMMAND", Subcommand, {}, Operand::Optional}};

int runHelpCommand(const ParsedArguments& arguments, std::ostream& out, std::ostream& err);

constexpr Command kCommands[] = {
    {"primes",
     N_("print the prime table read from the \"dtst\" file"),
     "primes [--count] [--json]",
     N_("Reads the prime table as the program does at start (from the current\n"
        "directory, then from the installed data) and prints its primes, one a line,\n"
        "or only how many there are with --count. --json prints {\"count\",\"primes\"}\n"
        "(\"primes\" left out with --count).\n"
        "Exit status: 0 printed, 2 the table could not be read.\n"),
     kPrimesOptions,
     {},
     runPrimes},
    {"options", N_("print the directories and window options read at start"),
     "options [DIRECTORY] [--json]",
     N_("Reads \"options\" (or the one in ~/.config/kestrane, which wins), \"MainOpt\",\n"
        "\"FractOpt\", \"FunOpt\" and \"CalcOpt\" from DIRECTORY, the current directory\n"
        "when none is given, as the program does at start, and prints what it found.\n"
        "--json prints {\"main\", \"working\", \"library\", \"showMessages\", \"windows\":\n"
        "[{\"file\",\"font\",\"fontHeight\",\"expressionBackground\",\"window\"}]},\n"
        "colours as [red, green, blue].\n"
        "Exit status: 0 printed, 2 DIRECTORY is not a directory.\n"),
     kOptionsOptions, kOptionsOperands, runOptions},
    {"check", N_("compile a script and report its first error"),
     "check FILE [--module CODE] [--options DIR] [--json]",
     N_("Loads the script FILE with its include files and compiles it in the module of\n"
        "its first byte, or in the module CODE (501-508, 604) when given. Include files\n"
        "are searched beside the including file, then in the main, working and library\n"
        "directories of the options file, read as the program reads it: \"options\" in\n"
        "the current directory or in ~/.config/kestrane (which wins), or only the one\n"
        "in DIR with --options. Prints \"ok\", or \"FILE:LINE: MESSAGE\" for the first\n"
        "error, LINE counted from 1 in the file that holds it, or \"FILE: MESSAGE\" when\n"
        "the program compiles but start(...) could not begin (its module cannot be run\n"
        "yet, there is no start, or a parameter of start cannot be chosen on the\n"
        "screen). --json prints {\"result\" (\"ok\", null when refused), \"file\", \"line\"\n"
        "(null when the problem has no line), \"message\", \"messages\"}, what an\n"
        "editor's problem matcher reads.\n"
        "Exit status: 0 valid, 1 refused, 2 FILE cannot be read or a usage error.\n"),
     kCheckOptions, kScriptOperand, runCheck},
    {"run", N_("compile and run a script, write its construction as JSON, PNG, SVG, TikZ or PDF"),
     "run FILE [--json [PATH]] [--png PATH] [--svg PATH] [--obj PATH]\n"
     "[--tikz PATH [--tikz-standalone] [--tikz-scale N]] [--pdf PATH]\n"
     "[--save-program PATH] [--click X,Y]... [--ticks N] [--keep FILE]... [--options DIR]\n"
     "[--allow-write DIR]... [--trace PATH] [--break [FILE:]LINE]...",
     N_("Loads the script FILE with its include files, compiles it as check does\n"
        "(reading the options file the same way, and \"MainOpt\" for whether messages\n"
        "are drawn) and runs start(...) to its end, passing every Break. Each --keep\n"
        "FILE is run first, in order, and the main program then works on the figure\n"
        "they left: a start with parameters chooses among their objects. Each --click\n"
        "X,Y is a mouse click on the drawing area that chooses the next parameter of\n"
        "start(...), in order; X and Y are finite numbers from -1000000 to 1000000.\n"
        "Clicks left over then reach the window in order (the control panel of a\n"
        "stellated solid in Dimension 3, of a net made by BuildNet in Dimension 4),\n"
        "and --ticks N (0 to 100000) runs N ticks of the window's timer at once (Play\n"
        "turns the solid, PlayCross moves its section, a picture show writes its\n"
        "pictures). --obj writes the polyhedra as Wavefront OBJ.\n"
        "Then writes the construction: --json as JSON (to standard output when PATH is\n"
        "\"-\" or left out; the format is described in README.md; Dimension 3 runs add\n"
        "the arrays planes, lines3D, spheres, circles3D and polyhedra), --png and --svg\n"
        "as a picture of the 800 x 550 drawing area, --tikz as a LaTeX tikzpicture of\n"
        "it in centimetres (N pixels per centimetre, 40 by default; --tikz-standalone\n"
        "writes a whole standalone document) and --pdf as a vector PDF page, A4\n"
        "landscape, the drawing fitted with its aspect kept (Qt builds only);\n"
        "--save-program writes a script that draws the figure again. Message boxes\n"
        "raised on the way go to standard error as \"Caption: text\" and into the JSON.\n"
        "A compile error goes to standard error as \"kestrane-cli run: FILE:LINE:\n"
        "MESSAGE\"; the JSON is then {\"result\":null,\"messages\"}. A run that stopped\n"
        "still writes its construction, the JSON with \"result\":null.\n"
        "A program writes files (WritePolyhedron, SavePolyhedron, WritePolytope,\n"
        "SaveCross, SaveParCross, pictures) only inside its own folder and the working\n"
        "directory of the options (the current directory when none is set), subfolders\n"
        "included; each --allow-write DIR adds a folder. Any other file is refused with\n"
        "a run-time error naming it, and nothing is written.\n"
        "--trace PATH writes one JSON line per executed statement (\"-\": standard\n"
        "output, before the JSON): {\"file\", \"line\", \"procedure\", \"depth\",\n"
        "\"statement\", \"names\" (the names it made or changed with their values),\n"
        "\"condition\" (for an if)}. Each --break LINE (FILE:LINE for a line of an\n"
        "include file) stops the program before that line, as Break pauses it, and\n"
        "writes the construction as --json does (to standard output unless --json\n"
        "says otherwise) with \"paused\": the place, the call stack and the values of\n"
        "the names of the innermost procedure; the exit status is then 0.\n"
        "Exit status: 0 the program ran to its end; 1 it was refused or stopped\n"
        "(compile error, run-time stop, start never ran, a parameter left unchosen,\n"
        "a write refused);\n"
        "2 FILE cannot be read, an output cannot be written, or a usage error.\n"),
     kRunOptions, kScriptOperand, runRun},
    {"long", N_("compute with long numbers"), "long [--words N] [--json] OP A [B]",
     N_("Computes with fixed-point long numbers of N digit words (10 to 360, 10 by\n"
        "default). A and B are decimal numbers with an optional leading '-'.\n"
        "Real OP: add sub mul div divsmall halve sqrt ln exp root sin cos tan cot atan\n"
        "  asin acos (divsmall and root take an integer B: the divisor, the degree).\n"
        "Complex OP: cmul cdiv cexp cln croot csin ccos ctan ccot casin cacos catan\n"
        "  cacot, with arguments written \"re,im\" (croot takes the degree as B).\n"
        "Prints every fraction digit and the sign; complex results as \"re im\".\n"
        "Message boxes go to standard error as \"Caption: text\"; one raised by the\n"
        "arithmetic (a division by zero, the square root of a negative number) means\n"
        "no result. --json prints {\"operation\", \"words\", \"result\" (a decimal text,\n"
        "{\"re\",\"im\"} for a complex result, null when none), \"messages\"}.\n"
        "Exit status: 0 a result, 1 no result or a number that could not be read,\n"
        "2 usage error.\n"),
     kLongOptions, kLongOperands, runLong},
    {"longint", N_("compute with the two-word integers of exact simplification"),
     "longint [--json] OP A [B]",
     N_("Computes with the signed two-word integers (base one million) that exact\n"
        "simplification uses; their magnitude is at most 2147483647999999.\n"
        "A and B are decimal integers with an optional leading '-'.\n"
        "OP: parse A (read and print back), add, mul, times (A times the integer B),\n"
        "  div (quotient truncated toward zero), rem (remainder with the sign of A),\n"
        "  gcd (common divisor), factor A (the prime factors, \"p^k\" for powers).\n"
        "A result that does not fit shows \"Error.: Too large numbers. Major error may\n"
        "occur.\" on standard error and prints nothing. --json prints {\"operation\",\n"
        "\"result\" (the text printed, null when none), \"messages\"}.\n"
        "Exit status: 0 success, 1 overflow, a number that could not be read or a\n"
        "division by zero, 2 usage error.\n"),
     kLongIntOptions, kLongIntOperands, runLongInt},
    {"solid", N_("print a polyhedron, cell or polytope file as JSON"),
     "solid FILE [--kind polyhedron|cell|polytope] [--json]",
     N_("Reads FILE as the space commands read it and prints it as JSON:\n"
        "{\"kind\",\"words\",\"faces\"} for a polyhedron or cell file, {\"kind\", \"words\",\n"
        "\"cells\"} for a polytope file. A face is {\"vertices\":[...]} with every entry\n"
        "(the first vertex repeated at the end), each vertex its coordinates as decimal\n"
        "strings (x, y, z; a cell's also w); a cell is {\"faces\":[...]}. \"words\" is the\n"
        "word count the file was written with, and every digit it holds is shown.\n"
        "Without --kind a file of polyhedron structure is a \"polyhedron\" when\n"
        "every fourth coordinate is zero, else a \"cell\"; otherwise it is read as a\n"
        "polytope. A file of the wrong format prints {\"result\":null, \"kind\":null,\n"
        "\"words\":null, \"messages\"}.\n"
        "Exit status: 0 success, 1 \"Error.: Wrong format of file 'FILE'.\",\n"
        "2 usage error or \"Error.: Could not open file 'FILE'.\".\n"),
     kSolidOptions, kSolidOperands, runSolid},
    {"frames", N_("list the frames of a frame file or write them as pictures"),
     "frames FILE [--info] [--svg DIR] [--png DIR] [--json]",
     N_("Reads the frame file FILE (written by SavePolyhedron and the cross-section\n"
        "savers). --info (the default when no pictures are asked for) prints one line\n"
        "a frame: \"frame K: faces N, front faces F, points P\". --svg and --png write\n"
        "\"frame001.svg\" (\".png\") and on into DIR, made when missing: the 800 x 550\n"
        "drawing area with the front faces filled in their colours, outlined in black.\n"
        "--json prints {\"frames\":[{\"faces\",\"frontFaces\",\"points\"}], \"messages\"}\n"
        "instead of the lines. A malformed file: the frames before the bad one are\n"
        "listed and written, then \"kestrane-cli frames: FILE: bad frame K at byte B\"\n"
        "(K from 1, B from 0); the JSON then has \"result\":null.\n"
        "Exit status: 0 success, 1 a malformed file, 2 usage or file error.\n"),
     kFramesOptions, kFramesOperands, runFrames},
    {"expr", N_("read an exact expression and print it, its bytes, its layout or its picture"),
     "expr [--font-height N] [--json] [--hex] [--svg PATH] [--png PATH] EXPR\n"
     "expr [OPTIONS] --from-hex HEX",
     N_("Reads EXPR in the linear notation and prints it canonically:\n"
        "  numbers 12 0.5; names of up to 4 letters and digits (no 'I' or 'i'); i;\n"
        "  pi or \u03C0, \u03B1 \u03B2 \u03B3 \u03B5; ? an empty slot; + - * (* first);\n"
        "  / a fraction, tighter than *; ^ tightest, right-associative; name=value at\n"
        "  the top; (...) brackets, sqrt(x), root(N,x) with N from 2 to 9, and\n"
        "  exp log sin cos tan cot asin acos atan acot (x). A minus stands only at the\n"
        "  start of the expression, a bracket, an argument, a numerator, a denominator\n"
        "  or an exponent: write 2*(-3), not 2*-3.\n"
        "Operands are joined by blanks: kestrane-cli expr 1 + 2 reads \"1 + 2\".\n"
        "With --from-hex, HEX is the byte form of an expression as hex pairs.\n"
        "--hex prints the byte form as lowercase hex pairs separated by blanks; --json\n"
        "prints the laid-out tree (fields of each node, rows \"open\" and \"close\",\n"
        "children \"left\" \"right\" \"numerator\" \"denominator\" \"exponent\"), or\n"
        "{\"result\":null,\"messages\"} for an expression that cannot be read; --svg\n"
        "and --png write its picture. Font height N (pixels, 20 by default); text is\n"
        "measured with a fixed metric: each character 3N/5 pixels wide.\n"
        "Exit status: 0 success, 1 a notation error or a byte form that cannot be read,\n"
        "2 usage or file error.\n"),
     kExprOptions, kExpressionOperands, runExpr},
    {"edit", N_("type keys into the expression editor and print the expression"),
     "edit [--start EXPR] [--json] KEYS\n"
     "edit --window calculator|fractions [--complex] [--file F.fra] [--digits N] [--start EXPR] "
     "KEYS",
     N_("Types KEYS into a fresh expression (one empty slot), or into EXPR (see\n"
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
        "Operands are joined without blanks. Refused keys show their message box on\n"
        "standard error as \"Caption: text\".\n"
        "--json prints \"expression\", \"cursor\" (\"path\" of child names, \"area\",\n"
        "\"position\"), \"selection\", \"degreeControl\", \"tree\" and \"messages\".\n"
        "With --window the keys drive a whole window and JSON is printed: KEYS may also\n"
        "hold {Menu:CAPTION} (without '&', e.g. {Menu:Simplify}, {Menu:List of variables},\n"
        "{Menu:Complex Numbers}) and {Button:NAME} (e.g. {Button:NImage4}, {Button:M1In},\n"
        "{Button:KImage15}); = computes in the calculator and simplifies in the Fractions\n"
        "and Roots window. --file opens a fraction file first. The JSON has \"mode\",\n"
        "\"caption\", \"expression\", \"cursor\", \"unsimplified\", \"value\", \"result\",\n"
        "\"clipboard\", \"variables\", \"memories\", \"font\" and \"messages\".\n"
        "The Calculator is the Fractions and Roots window extended: it takes all its\n"
        "menu items, buttons and clicks, and its JSON adds \"resultsWindow\" and\n"
        "\"resultLines\" ({\"width\":the window the result is drawn in, 931 or 990,\n"
        "\"lines\":[{\"text\",\"x\",\"y\",\"width\"}]}, null without a result).\n"
        "--digits N starts it at N significant digits (see \"kestrane-cli help calc\").\n"
        "{Click X,Y} clicks the window (the list of variables: a name opens the\n"
        "variable editor, a value edits it in mode 1, the box with the cross enables\n"
        "or disables; the buttons Fraction, Accept and List at the window's height less\n"
        "60; in the main view the cursor goes to the place under the click) and\n"
        "{Scroll N} moves the list's scroll bar. {Button:NImage1} opens\n"
        "the variable editor: keys then go to it ({F2} switches name and value,\n"
        "{Enter} accepts, {Escape} closes it, {Button:Variables} deletes the variable\n"
        "it edits). The JSON adds \"main\" (the main\n"
        "expression in any mode), \"list\" (\"scrollPosition\", \"scrollMaximum\",\n"
        "\"editedRecord\", \"rows\") and \"variableEditor\" (null when closed).\n"
        "Both windows read FractOpt or CalcOpt from the current directory, and take\n"
        "{Menu:Font} (cancelled), {Font NAME,HEIGHT} (Options > Font with that font\n"
        "and an even height of 8 to 96 pixels chosen in the Font window, then OK),\n"
        "{Menu:Colors}, {Menu:Save options} (writing FractOpt or CalcOpt in the\n"
        "current directory) and {Menu:Precision} (OK at the dialog's opening position,\n"
        "which is the current precision).\n"
        "A notation error in --start prints {\"result\":null,\"messages\"} where JSON\n"
        "is printed.\n"
        "Exit status: 0 done (refused keys included), 1 a notation error in --start,\n"
        "2 usage error or a fraction file that cannot be read.\n"),
     kEditOptions, kEditOperands, runEdit},
    {"calc", N_("evaluate an expression to many digits, real or complex, as the calculator does"),
     "calc [--digits N] [--complex] [--var NAME=EXPR]... [--json] [--repeat N] EXPR",
     N_("Evaluates EXPR (the linear notation of \"kestrane-cli help expr\"; name=value\n"
        "defines a variable and shows its value) in long numbers as the Calculator\n"
        "does. N is the precision dialog's number of significant digits, a multiple of 6\n"
        "from 54 to 900 (120 by default): N/3 digit words show, at most N/2 of them\n"
        "fraction digits, each the correctly rounded one: the evaluation carries 17\n"
        "words more and a bound on its error, and runs again with more words when a\n"
        "shown digit is in doubt (places still in doubt at the most words are left\n"
        "out). A result or intermediate value may have (N + 51)/6 - 1 integer words\n"
        "(rounded down: 48 digits at N = 54). --complex computes\n"
        "in complex numbers (an i in EXPR turns them on as well). Each --var NAME=EXPR\n"
        "defines a variable first (NAME as the notation writes it: x, ab1, \u03B1).\n"
        "Integer powers are exact products; others go through exp and log.\n"
        "Prints the text the calculator puts on the clipboard: the real part with a\n"
        "leading '-' when negative, and for a complex result \" +i*\" or \" -i*\" and the\n"
        "imaginary digits. Message boxes go to standard error as \"Caption: text\"; a\n"
        "message of the evaluation (square root of a negative number, logarithm of\n"
        "zero, division by zero, a number too large, a result whose units digit\n"
        "cannot be known) means no result.\n"
        "--json prints \"calcWords\", \"longWords\", \"real\" and \"imaginary\" (null\n"
        "when real) with \"sign\", \"text\" and \"lines\" (as split for the window they\n"
        "are drawn in),\n"
        "\"clipboard\", \"resultsWindow\" (true when the results window would open) and\n"
        "\"messages\"; without a result the values are null and \"result\":null is\n"
        "added. --repeat N computes N times and prints once.\n"
        "Exit status: 0 a result, 1 no result or a notation error, 2 usage error.\n"),
     kCalcOptions, kExpressionOperands, runCalc},
    {"simplify", N_("simplify an exact expression to its normal form"),
     "simplify [--var NAME=EXPR]... [--disable NAME]... [--json] [--repeat N] EXPR\n"
     "simplify [OPTIONS] --file FILE.fra",
     N_("Simplifies the expression (see \"kestrane-cli help expr\" for the notation)\n"
        "exactly, as the Simplify command of the Fractions and Roots window does, and\n"
        "prints its normal form: one fraction, roots of numbers reduced, the\n"
        "denominator free of roots of numbers and of i, common factors cancelled.\n"
        "--var NAME=EXPR defines a variable (substituted while enabled); --disable NAME\n"
        "keeps it a symbol. --file takes the expression and variables of a fraction\n"
        "file. --repeat N simplifies N times and prints once (for timing).\n"
        "Messages go to standard error as \"Caption: text\".\n"
        "--json prints \"input\", \"result\" (null when refused), \"messages\" (\"caption\",\n"
        "\"text\"), \"overflow\", \"definitions\" (the working table after the expression\n"
        "is first taken apart: \"name\", \"value\" or null) and \"main\".\n"
        "Exit status: 0 simplified, 1 refused, left unchanged by an overflow or an\n"
        "expression that cannot be read, 2 usage error or a file that cannot be read.\n"),
     kSimplifyOptions, kSimplifyOperands, runSimplify},
    {"fraction", N_("read or write a fraction file"),
     "fraction read FILE [--json]\n"
     "fraction write FILE [--description TEXT] [--var NAME=EXPR]... EXPR",
     N_("read prints the main expression of a fraction file as the window holds it\n"
        "after Open (an empty slot, \"?\", when the file is damaged). --json prints\n"
        "\"titled\", \"description\", \"expression\", \"variables\" (\"name\", \"value\")\n"
        "and \"messages\", with \"result\":null added for a damaged file.\n"
        "write saves EXPR with the description and variables as the window's Save\n"
        "does (\".fra\" is added to a name without extension) and prints the name\n"
        "written.\n"
        "Exit status: 0 done, 1 a damaged file, a refused name or an expression that\n"
        "cannot be read, 2 usage error or a file that cannot be read or written.\n"),
     kFractionOptions, kFractionOperands, runFraction},
    {"eval", N_("evaluate an expression in single precision at points of its variable x"),
     "eval FILE [--at T]... [--json]\n"
     "eval --expr TEXT [--at T]... [--json]\n"
     "eval SOURCE --complex [--at RE,IM]... [--json]",
     N_("Evaluates an expression as graphs and the Value command do: in single\n"
        "precision, x standing for T (0 when no --at is given), other names read from\n"
        "the variables of the file, pi as pi and I as -1. FILE is a function file\n"
        "(.fct), a fraction file, a file holding one expression in the byte form, or a\n"
        "text file whose first line is an expression in the linear notation (see\n"
        "\"kestrane-cli help expr\"); --expr gives the expression on the command line.\n"
        "Prints one line per T: \"T<tab>VALUE<tab>TEXT\", VALUE the shortest number that\n"
        "reads back as the same float and TEXT the two-decimal text the window draws,\n"
        "or \"T<tab>undefined\" where the expression has no value (an even root or a\n"
        "logarithm out of its domain, a zero denominator, an overflow). --json prints\n"
        "[{\"t\",\"defined\",\"value\",\"text\"}] instead. T may be negative: -1.5 is a\n"
        "number, not an option.\n"
        "--complex evaluates an analytic function of z as the images of curves do, in\n"
        "single-precision complex numbers: z stands for RE + i*IM (0 when no --at is\n"
        "given), i is the imaginary unit, whole powers are multiplied out, other powers,\n"
        "roots, logarithms and inverse functions take their principal values. Prints\n"
        "\"RE,IM<tab>re<tab>im\" per point, or \"RE,IM<tab>undefined\" where a divisor is\n"
        "zero, a logarithm is taken of 0 or the value overflows; --json prints\n"
        "[{\"z\":[RE, IM],\"defined\",\"re\",\"im\"}].\n"
        "An expression that cannot be read prints {\"result\":null,\"messages\"} with\n"
        "--json.\n"
        "Exit status: 0 success (undefined points included), 1 an expression that cannot\n"
        "be read, 2 usage error or a file that cannot be read.\n"),
     kEvalOptions, kEvalOperands, runEval},
    {"roots", N_("the exact and 45-digit roots of a quadratic or cubic"),
     "roots [--numeric] [--json] [--repeat N] A B C [D]",
     N_("Solves a x^2 + b x + c = 0 (three coefficients) or a x^3 + b x^2 + c x + d = 0\n"
        "(four) as QuadraticFunct and CubicFunct do; --numeric solves as ValCubFunct,\n"
        "without exact roots. Coefficients are expressions in the linear notation (see\n"
        "\"kestrane-cli help expr\"): -3, 1/2, sqrt(2). Prints per root \"x1 = TEXT\",\n"
        "the root text of the numeric solver (45 decimals at most; \"-     \" before a\n"
        "negative value, \"+  i *    \" or \"-  i *    \" before an imaginary part), and\n"
        "\"x1 exact: EXPRESSION\" in the normal form of \"kestrane-cli simplify\"; when\n"
        "the simplifier's integers cannot hold the formula's numbers, the exact roots\n"
        "are left out and its message (\"Error.: Too large numbers. ...\") goes to\n"
        "standard error once. Real roots come first in ascending order, then a\n"
        "complex pair, the positive imaginary part first. --json prints {\"roots\":\n"
        "[{\"value\",\"re\",\"im\",\"exact\",\"exactValue\"}], \"messages\"}; \"re\" and\n"
        "\"im\" are decimal texts, \"exactValue\" the exact root evaluated at 50 words;\n"
        "when refused, \"result\" and \"roots\" are null.\n"
        "--repeat N solves N times and prints once (for timing).\n"
        "Exit status: 0 solved, 1 a coefficient that cannot be read or a = 0 (with the\n"
        "module's message \"Cubic equation not found.\" or \"Quadratic equation not\n"
        "found.\"), 2 usage error.\n"),
     kRootsOptions, kRootsOperands, runRoots},
    {"ticks", N_("print the ticks a graph draws along an axis"), "ticks LENGTH MIN MAX [--json]",
     N_("Prints as JSON the ticks of an axis LENGTH pixels long from MIN to MAX:\n"
        "\"k\" = (LENGTH*9/10)/50 intervals, \"step\" the smallest of 0.02 0.05 0.1 0.2 0.5\n"
        "1 2 5 ... 100000 not below (MAX-MIN)/k (0.02 when the raw step is smaller),\n"
        "\"values\" from the smallest multiple of the step not below MIN-0.005 up to\n"
        "MAX+0.005, their \"labels\" and their \"positions\" in pixels from the axis\n"
        "start. \"step\" is null and the lists empty when k is 0, MAX is not above MIN or\n"
        "the raw step is above 100000. MIN and MAX may be negative.\n"
        "Exit status: 0 success, 2 usage error.\n"),
     kTicksOptions, kTicksOperands, runTicks},
    {"plot", N_("draw the graph of a function file"),
     "plot FILE.fct [--size WxH] [--domain LO,HI] [--json [PATH]] [--png PATH] [--svg PATH]",
     N_("Reads a function file, simplifies its expression and plots it as a graph\n"
        "draws it: one sample per pixel column over the domain (the file's, or LO,HI),\n"
        "the range from the defined samples, a failed sample breaking the line, axes\n"
        "on the left and bottom edges with ticks and labels. The picture is W x H\n"
        "pixels (600 x 400 by default) with the graph's rectangle inset 60 pixels\n"
        "left, 20 above and right and 40 below. --json writes \"expression\",\n"
        "\"domain\", \"rectangle\" and \"plot\" (as in the \"graphs\" of kestrane-cli run)\n"
        "to PATH, or to standard output when PATH is \"-\" or left out; a malformed file\n"
        "gives {\"result\":null,\"messages\"}. --svg and --png write the picture.\n"
        "LO may be negative.\n"
        "Exit status: 0 success, 1 a malformed function file, 2 usage or file error.\n"),
     kPlotOptions, kPlotOperands, runPlot},
    {"graph-window",
     N_("drive the graph window: build a function, set its domain, draw, save, open"),
     "graph-window [ACTION]... [--json [PATH]] [--png PATH] [--svg PATH]",
     N_("Drives the graph window with a 1000 x 700 client area, doing the actions in\n"
        "order:\n"
        "  --key [Ctrl+][Alt+][Shift+]NAME  a key: a letter or digit, Period Comma Minus\n"
        "      Plus Multiply Slash Equals Left Right Up Down Home End PageUp PageDown\n"
        "      Backspace Delete Escape Enter F5 (Ctrl+G shows the graph, Ctrl+D the\n"
        "      domain dialog, Ctrl+S a sine, ... as the window's menus say)\n"
        "  --type TEXT           each character as the key that types it\n"
        "  --button NAME         clicks a painted button at its centre: sin cos tan cot\n"
        "                        asin acos atan acot exp log root fraction power pi\n"
        "  --click X,Y           a click in the window\n"
        "  --domain LEFT,RIGHT   the domain dialog with both fields replaced, then OK\n"
        "  --domain-cancel       the domain dialog, then Cancel\n"
        "  --new                 File > New\n"
        "  --open PATH           File > Open, choosing PATH\n"
        "  --save NAME           File > Save as, NAME typed in the save dialog\n"
        "  --show                View > Graph\n"
        "Relative names resolve against the current directory. \"File not saved\"\n"
        "questions are answered No; the window is not closed at the end. Message boxes\n"
        "print on standard error as \"Caption: text\"; a file the window cannot open or\n"
        "save gives its message, as in the window. --json (standard output when PATH\n"
        "is \"-\" or left out, or when no output is given) writes {\"caption\",\n"
        "\"domain\":{\"left\",\"right\",\"leftValue\",\"rightValue\"}, \"expression\"\n"
        "(linear notation), \"complete\", \"graph\" (the plot object of kestrane-cli\n"
        "plot, or null), \"messages\"}; --svg and --png write the window's picture.\n"
        "Exit status: 0 done (refusals are in the messages), 2 usage or output error.\n"),
     kGraphWindowOptions,
     {},
     runGraphWindow},
    {"words", N_("print the language reference: every word with its arguments, result and example"),
     "words [MODULE] [--json]",
     N_("Prints every word a program of MODULE may use (all modules when none is\n"
        "given): the forms the checker accepts with the types of their arguments, the\n"
        "type of the result, a one-line description and an example program that\n"
        "checks in the module. MODULE is a code (501-508, 604) or a name such as\n"
        "\"Dimension 3\" or dimension3, case and blanks ignored. The same reference is\n"
        "in the help pages (Help > Index > Language reference).\n"
        "--json prints {\"modules\":[{\"code\", \"name\", \"words\":[{\"word\", \"code\",\n"
        "\"kind\", \"arguments\" (lists of type names), \"forms\", \"result\" (null for\n"
        "none), \"description\", \"example\"}]}]}.\n"
        "Exit status: 0 printed, 2 usage error or unknown module.\n"),
     kWordsOptions, kWordsOperands, runWords},
    {"keys", N_("print the keys of the windows and what each one does"), "keys [WINDOW] [--json]",
     N_("Prints every key of WINDOW (all windows when none is given): construction,\n"
        "editor, graph, fractions or calculator, the keys of their menu items and the\n"
        "keys the window reads itself. The same tables make the windows' shortcuts\n"
        "and the help page Keys.\n"
        "--json prints {\"windows\": [{\"name\", \"title\", \"keys\": [{\"keys\",\n"
        "\"action\", \"description\", \"route\" (\"menu\" or \"window\")}]}]}.\n"
        "Exit status: 0 printed, 2 usage error or unknown window.\n"),
     kKeysOptions, kKeysOperands, runKeys},
    {"help",
     N_("show the help of a command, or the command list"),
     "help [COMMAND]",
     N_("Prints the help of COMMAND, as \"kestrane-cli COMMAND --help\" does, or without\n"
        "COMMAND the list of commands and the conventions they all follow.\n"
        "Exit status: 0 printed, 2 an unknown command.\n"),
     {},
     kHelpOperands,
     runHelpCommand},
};

std::string& storedProgramPath()
{
    static std::string path = "kestrane-cli";
    return path;
}

int runHelpCommand(const ParsedArguments& arguments, std::ostream& out, std::ostream& err)
{
    if (arguments.operands.empty()) {
        printCommandList(out);
        return kSuccess;
    }
    const Command* command = findCommand(arguments.operands.front());
    if (!command)
        return usageError(err, "help",
                          translateFilled("unknown command '%1'", {arguments.operands.front()}));
    out << commandHelp(*command);
    return kSuccess;
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
    return kCommands;
}

const Command* findCommand(std::string_view name)
{
    auto found = std::ranges::find(kCommands, name, &Command::name);
    return found == std::end(kCommands) ? nullptr : &*found;
}

} // namespace kestrane::cli
