// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numbers/long_num.h"
#include "platform/scripted_host.h"
#include "runtime/construction_window.h"
#include "runtime/plane_executor.h"
#include "script/compiler.h"
#include "script/script_loader.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

namespace kestrane::testing {

// A construction window with the plane executors, running scripts given as
// lines; message boxes are recorded by the scripted host.
class RunFixture : public ::testing::Test {
protected:
    RunFixture()
    {
        auto plane = std::make_shared<PlaneExecutor>();
        window.executors().add(501, plane);
        window.executors().add(502, plane);
        window.executors().add(502, std::make_shared<FurtherPlaneExecutor>());
    }

    // Compiles the lines (joined with CR LF) as a main file of the module
    // and starts it in the mode.
    void start(std::initializer_list<std::string_view> lines, RunMode mode = RunMode::Run,
               int module = 502)
    {
        std::string text;
        for (std::string_view line : lines)
            text += std::string(line) + "\r\n";
        Directories directories;
        ScriptLoader loader(host, directories);
        main = loader.build(text, module, "NoName", "", "");
        ModuleState modules;
        modules.set(module);
        CompileResult result = Compiler(modules, host).compile(*main);
        ASSERT_TRUE(result.ok()) << result.error->message << " at line "
                                 << result.error->sourceLine + 1;
        window.startProgram(*main, module, mode);
    }

    const ObjectStore& store() const { return window.store(); }
    PointRec* point(std::string_view name) const { return store().find<PointRec>(name, "start"); }
    DistanceRec* distance(std::string_view name) const
    {
        return store().find<DistanceRec>(name, "start");
    }
    static std::string decimal(const LongNum& value) { return LongToDecimal(value); }
    // "x,y" of a point, in whole units.
    static std::string position(const PointRec& point)
    {
        return std::to_string(static_cast<int>(point.floats.x)) + "," +
               std::to_string(static_cast<int>(point.floats.y));
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
    std::unique_ptr<ScriptFile> main;
};

} // namespace kestrane::testing
