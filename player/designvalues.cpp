// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "designvalues.h"

#include "timeline.h"

#include "show/design.h"

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

} // namespace player
