// SPDX-License-Identifier: GPL-3.0-or-later
// A file of the exact core that reaches up into a window: the layer check
// must stop the build here. Never compiled.
#include "algebra/simplify.h"
#include "numbers/long_int.h"
#include "graphs/graph_window.h"

#include <vector>
