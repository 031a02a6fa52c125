// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "sequence.h"

#include "emblem.h"
#include "palette.h"

namespace show {

namespace {

constexpr std::int32_t kStampRadius = 350;

// Act 1's blue and gold runs step 50 further right at k = 14 and 18.
constexpr std::int32_t Act1X(int k)
{
    return k == 14 ? 3650 : k == 18 ? 4650 : D(k);
}

std::int32_t Form(Coord c, float width, float height)
{
    switch (c.edge) {
    case Coord::Edge::Width:
        return c.value == 0 ? ToStampArg(width) : EdgeRelative(width, float(c.value), "W");
    case Coord::Edge::Height:
        return c.value == 0 ? ToStampArg(height) : EdgeRelative(height, float(c.value), "H");
    case Coord::Edge::None:
        break;
    }
    return c.value;
}

} // namespace

ClickShow::ClickShow(Surface &surface, Pacer &pacer)
    : pacer_(pacer)
    , window_(surface)
    , stamps_(window_, pacer)
    , scatter_(window_, stamps_)
{
}

void ClickShow::StampAt(StampFn stamp, Coord x, Coord y)
{
    using Edge = Coord::Edge;
    // The size is read afresh for every stamp, W before H, and y is formed
    // before x.
    float width = 0;
    float height = 0;
    if (x.edge == Edge::Width || y.edge == Edge::Width)
        width = window_.ClientWidth();
    if (x.edge == Edge::Height || y.edge == Edge::Height)
        height = window_.ClientHeight();
    StampArgs args;
    args.y = Form(y, width, height);
    args.x = Form(x, width, height);
    args.radius = kStampRadius;
    (stamps_.*stamp)(args);
}

template <std::size_t N>
void ClickShow::PlayRuns(const Run (&runs)[N])
{
    for (const Run &run : runs) {
        for (int k = run.first; k <= run.last; ++k) {
            if (k != run.missing)
                StampAt(run.stamp, run.x(k), run.y(k));
        }
    }
}

// The convergence act: every colour still moving takes one fast step per
// round, blue, gold, red, green, then the black pair closing in from top and
// bottom.
void ClickShow::PlayConvergence()
{
    constexpr int kSteps = 15;
    constexpr int kLastRedGreenStep = 13;
    int blackPairs = 0;
    for (int k = 1; k <= kSteps; ++k) {
        StampAt(&Stamps::DrawBlueFast, Const(D(k - 1)), Const(k <= 11 ? D(k - 1) : 2600));
        if (k <= 10)
            StampAt(&Stamps::DrawGoldFast, Const(D(k - 1)), FromH(250 * (k - 1)));
        else
            StampAt(&Stamps::DrawGoldFast, Const(250 * k + 100), FromH(2250));
        if (k <= kLastRedGreenStep) {
            if (k <= 9)
                StampAt(&Stamps::DrawRedFast, FromW(250 * (k - 1)), Const(250 * (k - 1)));
            else
                StampAt(&Stamps::DrawRedFast, FromW(250 * k), Const(2500));
            StampAt(&Stamps::DrawGreenFast, FromW(250 * k), FromH(k <= 9 ? 250 * k : 2250));
        }
        // Pairs close every second step up to 9, then steps 11, 12, 13 and 15.
        if (k % 2 == 1 || k == 12) {
            const int j = blackPairs++;
            StampAt(&Stamps::DrawBlackFast, Const(3850), Const(250 * j));
            StampAt(&Stamps::DrawBlackFast, Const(3850), Const(5250 - 250 * j));
        }
    }
}

void ClickShow::PlayClickShow()
{
    using K = int;
    pacer_.StartShow();
    window_.SetLabelVisible(Label::Top, false);
    window_.SetLabelVisible(Label::Words, false);

    // Act 1: five straight runs, one after another.
    static constexpr Run kAct1[] = {
        {&Stamps::DrawBlueSlow, 0, 20, [](K k) { return Const(Act1X(k)); }, [](K k) { return Const(D(k)); }},
        {&Stamps::DrawGoldSlow, 0, 21, [](K k) { return Const(Act1X(k)); }, [](K k) { return FromH(250 * k); }},
        {&Stamps::DrawBlackSlow, 0, 21, [](K) { return Const(3850); }, [](K k) { return Const(250 * k); }},
        {&Stamps::DrawRedSlow, 0, 21, [](K k) { return FromW(250 * k); }, [](K k) { return Const(250 * k); }},
        {&Stamps::DrawGreenSlow, 1, 21, [](K k) { return FromW(250 * k); }, [](K k) { return FromH(250 * k); }},
    };
    // Act 2: diagonal, then down or up after the turn (blue and gold at
    // k = 11, red and green at k = 10).
    static constexpr Run kAct2[] = {
        {&Stamps::DrawBlueSlow, 0, 20, [](K k) { return Const(k <= 11 ? D(k) : 2850); }, [](K k) { return Const(D(k)); }},
        {&Stamps::DrawGoldSlow, 0, 21, [](K k) { return Const(k <= 11 ? D(k) : 2850); }, [](K k) { return FromH(250 * k); }},
        {&Stamps::DrawBlackSlow, 0, 21, [](K) { return Const(3850); }, [](K k) { return Const(250 * k); }},
        {&Stamps::DrawRedSlow, 0, 21, [](K k) { return FromW(k <= 10 ? 250 * k : 2500); }, [](K k) { return Const(250 * k); }},
        {&Stamps::DrawGreenSlow, 1, 21, [](K k) { return FromW(k <= 10 ? 250 * k : 2500); }, [](K k) { return FromH(250 * k); }},
    };
    // Act 3: diagonal, then across after the turn; gold skips k = 10.
    static constexpr Run kAct3[] = {
        {&Stamps::DrawBlueSlow, 0, 13, [](K k) { return Const(D(k)); }, [](K k) { return Const(k <= 10 ? D(k) : 2600); }},
        {&Stamps::DrawGreenSlow, 1, 13, [](K k) { return FromW(250 * k); }, [](K k) { return FromH(k <= 9 ? 250 * k : 2250); }},
        {&Stamps::DrawBlackSlow, 0, 21, [](K) { return Const(3850); }, [](K k) { return Const(250 * k); }},
        {&Stamps::DrawGoldSlow, 0, 13, [](K k) { return Const(D(k)); }, [](K k) { return FromH(k <= 9 ? 250 * k : 2250); }, 10},
        {&Stamps::DrawRedSlow, 0, 13, [](K k) { return FromW(250 * k); }, [](K k) { return Const(k <= 10 ? 250 * k : 2500); }},
    };

    window_.SetBackdrop(kGrey100);
    PlayRuns(kAct1);
    window_.SetBackdrop(kGrey110);
    PlayRuns(kAct2);
    window_.SetBackdrop(kGrey109);
    PlayRuns(kAct3);
    window_.SetBackdrop(kGrey110);
    PlayConvergence();

    window_.SetBackdrop(kGrey109);
    scatter_.ScatterCircles();
    stamps_.PauseMedium();

    window_.SetBackdrop(kWhite);
    DrawEmblem(window_);
    window_.SetLabelVisible(Label::Top, true);
    window_.SetLabelVisible(Label::Words, true);
    window_.SetLabelCaption(Label::Top, "Salt Lake City");
    window_.SetLabelCaption(Label::Words, "2002");
}

} // namespace show
