// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/host.h"
#include "platform/json_writer.h"

#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

class ConstructionWindow;

// The construction as JSON: "module" (the executor code of the run), then
// one array per kind ("points", "lines", "segments", "halfLines",
// "circles", "distances", "polygons", "vectors", "strings", "labels",
// "titles") in creation order, then the arrays of the module scene of the
// run, if any, then "messages" (the message boxes given,
// with "caption" and "text"). Objects carry "label", "names" ([name, scope]
// pairs), "visible", "outOfView", "showLabel", "colour" (0x00BBGGRR as an
// integer) and their long numbers as decimal text with every fraction digit
// and the sign kept ("-0.000000000000000").
// A run that stopped before its end writes "result": null first.
// `extraMembers` (members of an object without braces, such as where a run
// paused) go before "messages".
enum class RunOutcome { Completed, Stopped };
std::string storeJson(const ConstructionWindow& window, const std::vector<MessageRequest>& messages,
                      RunOutcome outcome = RunOutcome::Completed,
                      std::string_view extraMembers = {});

} // namespace kestrane
