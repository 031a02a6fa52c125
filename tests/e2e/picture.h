// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

// What the show looks like from outside, in window pixels.

#include <QImage>
#include <QRect>

inline constexpr QRgb kGrey100 = qRgb(100, 100, 100);
inline constexpr QRgb kGrey110 = qRgb(110, 110, 110);
inline constexpr QRgb kGrey109 = qRgb(109, 109, 109);
inline constexpr QRgb kWhite = qRgb(255, 255, 255);
inline constexpr QRgb kBlue = qRgb(0, 0, 255);
inline constexpr QRgb kGold = qRgb(255, 204, 102);
inline constexpr QRgb kBlack = qRgb(0, 0, 0);
inline constexpr QRgb kRed = qRgb(255, 0, 0);
inline constexpr QRgb kGreen = qRgb(0, 255, 0);

inline constexpr QPoint kOpenSurface(20, 180); // clear of the captions and the emblem
inline constexpr QRect kTopCaption(104, 16, 313, 65);
inline constexpr QRect kWordsCaption(200, 272, 113, 57);

// White, the five rings of the emblem in their places and colours, and
// text in both captions.
bool ShowsEmblem(const QImage &image);
