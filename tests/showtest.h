// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

// Helpers shared by the show's tests: playing shows against a recording
// surface and slicing the trace.

#include "player/call.h"
#include "player/recordingsurface.h"
#include "show/palette.h"
#include "show/sequence.h"

#include <QList>
#include <QtTest>

namespace player {
inline char *toString(const Call &call)
{
    return qstrdup(call.Line().c_str());
}
} // namespace player

namespace showtest {

using player::Call;
using Calls = QList<Call>;

inline constexpr float kDesignWidth = 7485;
inline constexpr float kDesignHeight = 5340;

inline Calls ToList(const std::vector<Call> &calls)
{
    return Calls(calls.begin(), calls.end());
}

// Plays `clicks` shows on one ClickShow; returns every call of every show.
inline Calls Play(float width = kDesignWidth, float height = kDesignHeight, int clicks = 1)
{
    player::RecordingSurface surface(width, height);
    show::ClickShow show(surface, surface);
    for (int i = 0; i < clicks; ++i)
        show.PlayClickShow();
    return ToList(surface.calls());
}

// The calls after the n-th backdrop (1-based) up to the next one.
inline Calls Act(const Calls &calls, int n)
{
    Calls act;
    int backdrops = 0;
    for (const Call &call : calls) {
        if (call.kind == Call::Kind::Backdrop)
            ++backdrops;
        else if (backdrops == n)
            act.append(call);
        if (backdrops > n)
            break;
    }
    return act;
}

inline Calls Only(const Calls &calls, Call::Kind kind)
{
    Calls only;
    for (const Call &call : calls) {
        if (call.kind == kind)
            only.append(call);
    }
    return only;
}

inline Calls CirclesOf(const Calls &calls, show::Rgb rgb)
{
    Calls circles;
    for (const Call &call : Only(calls, Call::Kind::Circle)) {
        if (call.colour == show::Compose(rgb))
            circles.append(call);
    }
    return circles;
}

inline show::Rgb ColourByName(const QString &name)
{
    static const QHash<QString, show::Rgb> colours = {
        {"blue", show::kBlue}, {"gold", show::kGold}, {"black", show::kBlack},
        {"red", show::kRed},   {"green", show::kGreen},
    };
    return colours.value(name);
}

} // namespace showtest
