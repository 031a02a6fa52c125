// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include <string>

namespace player {

// The design's values and the timeline's, as JSON, for what is not C++:
// the page's script lays itself out by them, the page's build subsets the
// captions' face by them, and the browser tests expect by them.
std::string DesignValuesJson();

// The players' rules as the page's script takes them, as JSON: the numbers
// of each player::Action and player::Key, the loop's longest finale, the
// captions' face.
std::string RulesValuesJson();

} // namespace player
