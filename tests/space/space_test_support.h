// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numbers/long_num.h"
#include "platform/scripted_host.h"
#include "runtime/construction_window.h"
#include "script/compiler.h"
#include "script/script_loader.h"
#include "space/space_executor.h"
#include "space/space_scene.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane::testing {

// A point of space from whole numbers.
inline LongTriple at(std::int64_t x, std::int64_t y, std::int64_t z)
{
    return LongTriple::ofIntegers(x, y, z);
}

inline std::vector<double> doubles(const LongTriple& point)
{
    return {toDouble(point.x), toDouble(point.y), toDouble(point.z)};
}

// A construction window running Dimension 3 scripts given as lines, with
// the space executor and its scene; message boxes are recorded.
class SpaceRunFixture : public ::testing::Test {
protected:
    SpaceRunFixture()
    {
        auto owned = std::make_unique<SpaceScene>();
        scene = owned.get();
        window.executors().add(503, std::make_shared<SpaceExecutor>(*owned));
        window.executors().setScene(503, std::move(owned));
    }

    // Compiles the lines of the body of start() and runs them; the compile
    // must succeed.
    void run(const std::vector<std::string_view>& body)
    {
        std::string text = "void start()\r\n";
        for (std::string_view line : body)
            text += std::string(line) + "\r\n";
        text += "END\r\n";
        runText(text);
    }

    // `directory` is the main script's: relative file names start there.
    void runText(const std::string& text, const std::string& directory = "")
    {
        Directories directories;
        ScriptLoader loader(host, directories);
        main = loader.build(text, 503, "NoName", "", directory);
        ModuleState modules;
        modules.set(503);
        CompileResult result = Compiler(modules, host).compile(*main);
        ASSERT_TRUE(result.ok()) << result.error->message << " at line "
                                 << result.error->sourceLine + 1;
        window.startProgram(*main, 503, RunMode::Run);
        window.showDeferredMessage();
    }

    // The first compile error of the lines as the body of start(); empty when
    // they compile.
    std::string compileError(const std::vector<std::string_view>& body)
    {
        std::string text = "void start()\r\n";
        for (std::string_view line : body)
            text += std::string(line) + "\r\n";
        text += "END\r\n";
        Directories directories;
        ScriptLoader loader(host, directories);
        main = loader.build(text, 503, "NoName", "", "");
        ModuleState modules;
        modules.set(503);
        CompileResult result = Compiler(modules, host).compile(*main);
        return result.ok() ? std::string() : result.error->message;
    }

    PointRec* point(std::string_view name) const
    {
        return window.store().find<PointRec>(name, "start");
    }
    PolygonRec* polygon(std::string_view name) const
    {
        return window.figures().findPolygon(name, "start");
    }
    std::vector<std::string> messageTexts() const
    {
        std::vector<std::string> texts;
        for (const MessageRequest& message : host.messages())
            texts.push_back(message.caption + ": " + message.text);
        return texts;
    }

    ScriptedHost host;
    ConstructionWindow window{host};
    SpaceScene* scene = nullptr;
    std::unique_ptr<ScriptFile> main;
};

// The corners of a cube of edge 200 from (300, 200, 0), and its six faces.
inline constexpr std::string_view kCubeLines[] = {
    "A=point(300,200,0)",
    "B=point(500,200,0)",
    "C=point(500,400,0)",
    "D=point(300,400,0)",
    "E=point(300,200,200)",
    "F=point(500,200,200)",
    "G=point(500,400,200)",
    "H=point(300,400,200)",
    "M=point(400,300,100)",
    "p1=polygon(A,B,C,D)",
    "p2=polygon(E,F,G,H)",
    "p3=polygon(A,B,F,E)",
    "p4=polygon(D,C,G,H)",
    "p5=polygon(A,D,H,E)",
    "p6=polygon(B,C,G,F)",
    "cube=polyhedron(M)",
    "AddFaces(cube,p1,p2,p3,p4,p5,p6)",
};

// The cube's lines followed by more lines.
inline std::vector<std::string_view> cubeThen(std::initializer_list<std::string_view> more)
{
    std::vector<std::string_view> lines(std::begin(kCubeLines), std::end(kCubeLines));
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

} // namespace kestrane::testing
