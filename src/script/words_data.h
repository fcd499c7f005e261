// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "script/words.h"

#include <vector>

// The parts of the word table, one per family of modules; words.cpp joins
// them in table order.
namespace kestrane::words_data {

std::vector<WordEntry> planeWords();   // Kestrane, Dimension 2
std::vector<WordEntry> spaceWords();   // Dimension 3, Dimension 4
std::vector<WordEntry> algebraWords(); // Graphs, algebra, quadratic, cubic, curves
std::vector<WordEntry> generalWords(); // every module

// Every list of `length` arguments whose entries are each one of `choices`.
std::vector<ArgumentList> everyCombination(int length, const std::vector<int>& choices);
// The lists (first, v), (first, v, v), ... up to `most` repetitions of v.
std::vector<ArgumentList> repeatedTail(int first, int repeated, int most);

} // namespace kestrane::words_data
