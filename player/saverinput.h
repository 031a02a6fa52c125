// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

namespace player {

// What ends a screen saver, for every one that takes input itself: a key
// pressed, any button, a turn of the wheel, the pointer moved more than a
// few pixels, or another window taking the screen. Not the release of a
// key, nor its repeats while it is held (it may be the one that started
// the saver), nor the pointer's first report of where it is.
class SaverInput
{
public:
    enum class What { KeyDown, KeyHeld, KeyUp, Button, Wheel, Move, Deactivated };

    // Points are pixels of the screen.
    bool Ends(What what, int x = 0, int y = 0);

private:
    static constexpr int kSlack = 4; // pixels a hand on the desk may move the pointer

    bool placed_ = false;
    int x_ = 0, y_ = 0; // where the pointer was first seen
};

} // namespace player
