// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "stamps.h"

namespace show {

Stamps::Stamps(CheckedSurface &window, Pacer &pacer)
    : window_(window)
    , pacer_(pacer)
{
}

// A failed outline throws before its pause runs.
void Stamps::Stamp(const StampArgs &args, Rgb rgb, void (Stamps::*pause)())
{
    window_.DrawCircleOutline(float(args.x), float(args.y), float(args.radius), rgb);
    (this->*pause)();
}

void Stamps::DrawBlueSlow(const StampArgs &args) { Stamp(args, kBlue, &Stamps::PauseLong); }
void Stamps::DrawGoldSlow(const StampArgs &args) { Stamp(args, kGold, &Stamps::PauseLong); }
void Stamps::DrawBlackSlow(const StampArgs &args) { Stamp(args, kBlack, &Stamps::PauseLong); }
void Stamps::DrawRedSlow(const StampArgs &args) { Stamp(args, kRed, &Stamps::PauseLong); }
void Stamps::DrawGreenSlow(const StampArgs &args) { Stamp(args, kGreen, &Stamps::PauseLong); }

void Stamps::DrawBlueFast(const StampArgs &args) { Stamp(args, kBlue, &Stamps::PauseMedium); }
void Stamps::DrawGoldFast(const StampArgs &args) { Stamp(args, kGold, &Stamps::PauseMedium); }
void Stamps::DrawBlackFast(const StampArgs &args) { Stamp(args, kBlack, &Stamps::PauseMedium); }
void Stamps::DrawRedFast(const StampArgs &args) { Stamp(args, kRed, &Stamps::PauseMedium); }
void Stamps::DrawGreenFast(const StampArgs &args) { Stamp(args, kGreen, &Stamps::PauseMedium); }

void Stamps::PauseLong() { pacer_.Wait(kLongCounts); }
void Stamps::PauseMedium() { pacer_.Wait(kMediumCounts); }
void Stamps::PauseShort() { pacer_.Wait(kShortCounts); }

} // namespace show
