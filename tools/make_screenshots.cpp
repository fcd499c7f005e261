// SPDX-License-Identifier: GPL-3.0-or-later
// Draws a picture of each main window from the shipped examples, without a
// display (QT_QPA_PLATFORM=offscreen), for the help pages and the software
// centre:
//   make_screenshots SOURCE_DIRECTORY OUTPUT_DIRECTORY
// writes plane.png, space.png, four_d.png, graphs.png, fractions.png and
// calculator.png.

#include "app/application.h"
#include "cli/script_run.h"
#include "expressions/expression_text.h"
#include "gui/calculator_widget.h"
#include "gui/construction_window_widget.h"
#include "gui/fractions_window_widget.h"
#include "platform/console_host.h"
#include "runtime/construction_window.h"

#include <QApplication>
#include <QPixmap>
#include <QWidget>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The main window after running one example to its end.
struct ScriptShot {
    const char* example;
    const char* picture;
};

constexpr ScriptShot kScriptShots[] = {
    {"circumcircle.kst", "plane.png"},
    {"stellation.kst", "space.png"},
    {"tesseract.kst", "four_d.png"},
    {"graphs.kst", "graphs.png"},
};

bool save(QWidget& window, const fs::path& path)
{
    window.show();
    QApplication::processEvents();
    if (window.grab().save(QString::fromStdString(path.string()), "PNG"))
        return true;
    std::cerr << "make_screenshots: cannot write " << path.string() << '\n';
    return false;
}

// Runs the example in the window's model as Run does, passing every Break.
bool runExample(kestrane::Application& application, kestrane::Host& host, const fs::path& file,
                std::vector<std::unique_ptr<kestrane::ScriptFile>>& programs)
{
    kestrane::Directories directories;
    kestrane::cli::ScriptCompilation compilation(host, directories);
    if (compilation.compile(file.string()) != kestrane::cli::ScriptRunStatus::Finished) {
        std::cerr << "make_screenshots: " << file.string() << " does not compile\n";
        return false;
    }
    programs.push_back(compilation.takeFile());
    kestrane::ConstructionWindow& model = application.constructionWindow();
    model.state().dataFiles().shippedExamples = file.parent_path().string();
    if (!model.startProgram(*programs.back(), compilation.module(), kestrane::RunMode::Run))
        return false;
    while (model.running())
        model.pressSpace();
    return model.programCompleted();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "Usage: make_screenshots SOURCE_DIRECTORY OUTPUT_DIRECTORY\n");
        return 2;
    }
    QApplication qtApplication(argc, argv);
    fs::path source = fs::absolute(argv[1]);
    fs::path output = fs::absolute(argv[2]);
    fs::create_directories(output);
    fs::path examples = source / "examples";

    // Message boxes print instead of waiting for a click no one gives.
    kestrane::ConsoleHost host(std::cerr);
    kestrane::ProgramPaths paths;
    paths.programDirectory = output;
    paths.dataDirectories = {source / "data", source};
    paths.homeOptions = output / "no-options";
    std::vector<std::unique_ptr<kestrane::ScriptFile>> programs;
    bool written = true;
    for (const ScriptShot& shot : kScriptShots) {
        kestrane::Application application(host, paths);
        application.start();
        kestrane::ConstructionWindowWidget window(application);
        window.resize(1040, 700);
        written &= runExample(application, host, examples / shot.example, programs) &&
                   save(window, output / shot.picture);
    }

    kestrane::FractionsWindowWidget fractions(host, source / "images");
    fractions.model().openFile((examples / "textbook.fra").string());
    written &= save(fractions, output / "fractions.png");

    kestrane::CalculatorWidget calculator(host, source / "images");
    calculator.model().editor().setExpression(
        kestrane::parseExpressionText("root(3,2)*sqrt(2)+pi").tree);
    calculator.model().compute();
    written &= save(calculator, output / "calculator.png");
    return written ? 0 : 1;
}
