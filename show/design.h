// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

namespace show {

// The window the show was made for, as it was laid out: lengths in pixels
// of its client area at 15 twips to the pixel, the show's own unit.
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kDesignWidthTwips = 7485;
inline constexpr int kDesignHeightTwips = 5340;
inline constexpr int kDesignWidth = kDesignWidthTwips / kTwipsPerPixel;   // 499
inline constexpr int kDesignHeight = kDesignHeightTwips / kTwipsPerPixel; // 356

struct DesignRect
{
    int x, y, width, height;
};

// The two captions: where they stand whatever the window's size, the
// text they hold as the window opens, and their face.
inline constexpr DesignRect kTopCaption{104, 16, 313, 65};
inline constexpr DesignRect kWordsCaption{200, 272, 113, 57};
inline constexpr const char *kTopCaptionAtStart = "Salt Lake City "; // the blank never shows
inline constexpr const char *kWordsCaptionAtStart = "2002";
inline constexpr int kCaptionPoints = 36;
inline constexpr int kCaptionPixels = kCaptionPoints * 96 / 72; // 48 at 96 pixels to the inch
// The designed face first, then the faces most like it.
inline constexpr const char *kCaptionFaces[] = {"Book Antiqua", "Palatino", "Palatino Linotype",
                                                "P052",         "TeX Gyre Pagella", "URW Palladio L"};

// A point of the client area that no caption, no ring of the emblem and
// none of the first outlines cover: where tests and the bench click.
inline constexpr int kOpenSurfaceX = 20;
inline constexpr int kOpenSurfaceY = 180;

} // namespace show
