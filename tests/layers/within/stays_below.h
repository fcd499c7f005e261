// SPDX-License-Identifier: GPL-3.0-or-later
// A header of the exact core that uses only the layers below it, and names
// others only where no include is made. Never compiled.
#pragma once

#include "expressions/fract_node.h"
#include "numbers/long_int.h"
#include "platform/host.h"

#include <string>

// "graphs/graph_window.h" in a comment is no include.
