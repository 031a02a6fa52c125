// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "picture.h"

#include "xdriver.h"

namespace {

// A ring of the emblem: its leftmost point, 600 twips (40 px) left of its centre.
struct Ring
{
    QRgb colour;
    QPoint left;
};
const Ring kRings[] = {
    {kBlue, {95, 135}}, {kBlack, {195, 135}}, {kRed, {295, 135}},
    {kGold, {145, 185}}, {kGreen, {245, 185}},
};

} // namespace

bool ShowsEmblem(const QImage &image)
{
    if (Backdrop(image) != kWhite)
        return false;
    for (const Ring &ring : kRings) {
        if (!HasColourIn(image, QRect(ring.left - QPoint(2, 2), QSize(5, 5)), ring.colour))
            return false;
    }
    // Caption text: dark pixels inside each white caption box.
    return HasColourIn(image, kTopCaption, kBlack) && HasColourIn(image, kWordsCaption, kBlack);
}
