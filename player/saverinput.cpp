// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "saverinput.h"

#include <cstdlib>

namespace player {

bool SaverInput::Ends(What what, int x, int y)
{
    switch (what) {
    case What::KeyHeld:
    case What::KeyUp:
        return false;
    case What::Move:
        if (!placed_) {
            placed_ = true;
            x_ = x;
            y_ = y;
        }
        return std::abs(x - x_) > kSlack || std::abs(y - y_) > kSlack;
    case What::KeyDown:
    case What::Button:
    case What::Wheel:
    case What::Deactivated:
        return true;
    }
    return true;
}

} // namespace player
