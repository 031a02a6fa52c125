// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "designvalues.h"

#include "captionlayout.h"
#include "inputrules.h"
#include "limits.h"
#include "timeline.h"

#include "show/design.h"

#include <initializer_list>
#include <utility>

namespace player {

namespace {

std::string Number(const char *name, long long value)
{
    return std::string("\"") + name + "\": " + std::to_string(value);
}

std::string CaptionJson(const char *name, const show::DesignRect &rect, const char *text)
{
    return std::string("{\"name\": \"") + name + "\", " + Number("x", rect.x) + ", " + Number("y", rect.y) + ", "
        + Number("width", rect.width) + ", " + Number("height", rect.height) + ", \"text\": \"" + text + "\"}";
}

template <typename Enum>
std::string Names(std::initializer_list<std::pair<const char *, Enum>> names)
{
    std::string json;
    for (const auto &[name, value] : names)
        json += std::string(json.empty() ? "{" : ", ") + Number(name, int(value));
    return json + "}";
}

} // namespace

std::string DesignValuesJson()
{
    std::string faces;
    for (const char *face : show::kCaptionFaces)
        faces += std::string(faces.empty() ? "" : ", ") + '"' + face + '"';
    return "{" + Number("width", show::kDesignWidth) + ", " + Number("height", show::kDesignHeight) + ", "
        + Number("twipsPerPixel", show::kTwipsPerPixel) + ",\n \"captions\": ["
        + CaptionJson("lblTop", show::kTopCaption, show::kTopCaptionAtStart) + ", "
        + CaptionJson("lblWords", show::kWordsCaption, show::kWordsCaptionAtStart) + "],\n "
        + Number("captionPixels", show::kCaptionPixels) + ", \"captionFaces\": [" + faces + "],\n \"openSurface\": ["
        + std::to_string(show::kOpenSurfaceX) + ", " + std::to_string(show::kOpenSurfaceY) + "],\n "
        + Number("nanosecondsPerCount", kNanosecondsPerCount) + ", " + Number("leadInNanoseconds", kLeadInNanoseconds)
        + "}\n";
}

std::string RulesValuesJson()
{
    using A = Action;
    const std::string actions = Names<A>({{"None", A::None}, {"Play", A::Play}, {"LetGo", A::LetGo}, {"Close", A::Close},
                                          {"FullScreenOn", A::FullScreenOn}, {"FullScreenOff", A::FullScreenOff}});
    const std::string keys = Names<Key>({{"Space", Key::Space}, {"Return", Key::Return}, {"F11", Key::F11},
                                         {"Escape", Key::Escape}, {"Q", Key::Q}, {"W", Key::W}, {"Other", Key::Other}});
    const std::string modifiers = Names<Modifier>({{"Shift", kShift}, {"Control", kControl}, {"Alt", kAlt}, {"Meta", kMeta}});
    return "{\"actions\": " + actions + ",\n \"keys\": " + keys + ",\n \"modifiers\": " + modifiers + ",\n "
        + Number("loopSecondsMost", (long long)(kLoopSecondsMost)) + ", \"captionFamily\": \"" + CaptionFamily() + "\"}\n";
}

} // namespace player
