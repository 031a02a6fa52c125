#include "sequence.h"

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
    : window_(surface)
    , stamps_(window_, pacer)
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

void ClickShow::PlayClickShow()
{
    window_.SetLabelVisible(Label::Top, false);
    window_.SetLabelVisible(Label::Words, false);

    // Act 1: five straight runs, one after another.
    static constexpr Run kAct1[] = {
        {&Stamps::DrawBlueSlow, 0, 20, [](int k) { return Const(Act1X(k)); }, [](int k) { return Const(D(k)); }},
        {&Stamps::DrawGoldSlow, 0, 21, [](int k) { return Const(Act1X(k)); }, [](int k) { return FromH(250 * k); }},
        {&Stamps::DrawBlackSlow, 0, 21, [](int) { return Const(3850); }, [](int k) { return Const(250 * k); }},
        {&Stamps::DrawRedSlow, 0, 21, [](int k) { return FromW(250 * k); }, [](int k) { return Const(250 * k); }},
        {&Stamps::DrawGreenSlow, 1, 21, [](int k) { return FromW(250 * k); }, [](int k) { return FromH(250 * k); }},
    };
    window_.SetBackdrop(kGrey100);
    PlayRuns(kAct1);
}

} // namespace show
