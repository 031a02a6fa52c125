// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "call.h"

#include "show/surface.h"

namespace player {

// The show's surface as a stream of calls: each of its operations becomes
// a Call handed to Take(), which says whether it worked. A player draws
// every call the same way, at once or later (picture.h).
class CallSurface : public show::Surface
{
public:
    // What the show did, as it does it: false if it failed.
    virtual bool Take(const Call &call) = 0;

    // Around every show a session plays (session.h).
    virtual void BeginShow() {}
    virtual void EndShow() {}

    bool SetBackdrop(show::Colour colour) override;
    bool GetClientWidth(float &width) override;
    bool GetClientHeight(float &height) override;
    bool DrawCircleOutline(float x, float y, float radius, show::Colour colour) override;
    bool SetLabelVisible(show::Label label, bool visible) override;
    bool SetLabelCaption(show::Label label, const std::string &text) override;

protected:
    // The client area's size now, in twips.
    virtual float ClientWidth() = 0;
    virtual float ClientHeight() = 0;
};

} // namespace player
