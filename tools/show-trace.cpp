// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// Prints every surface call and pause of one or more Click shows played
// against a client area of the given size in twips; or, with --design, the
// design's values as JSON.

#include "player/designvalues.h"
#include "player/recordingsurface.h"
#include "show/design.h"
#include "show/sequence.h"
#include "show/showerror.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

namespace {

constexpr long kMostClicks = 1000;

// A size is a decimal number a float can hold (infinity and NaN included,
// to reach the show's own errors), written without blanks around it.
bool ParseSize(const char *text, float &value)
{
    const char *digits = text + (*text == '+' || *text == '-');
    if (std::isspace(static_cast<unsigned char>(*text)) || std::strncmp(digits, "0x", 2) == 0
        || std::strncmp(digits, "0X", 2) == 0)
        return false;
    char *end = nullptr;
    errno = 0;
    value = std::strtof(text, &end);
    // A subnormal or zero result of underflow is still that number.
    const bool overflow = errno == ERANGE && std::isinf(value);
    return end != text && *end == '\0' && !overflow;
}

// CLICKS is 1 to kMostClicks in plain decimal digits.
bool ParseClicks(const char *text, long &value)
{
    if (!std::isdigit(static_cast<unsigned char>(*text)))
        return false;
    char *end = nullptr;
    errno = 0;
    value = std::strtol(text, &end, 10);
    return *end == '\0' && errno == 0 && value >= 1 && value <= kMostClicks;
}

} // namespace

int main(int argc, char **argv)
{
    const std::string usage = "usage: show-trace WIDTH HEIGHT [CLICKS]\n"
                              "       show-trace --design\n"
                              "Prints every surface call and pause of CLICKS shows (1 to "
        + std::to_string(kMostClicks) + ", 1 if not\ngiven) on a client area of WIDTH x HEIGHT twips: "
        + std::to_string(show::kTwipsPerPixel) + " twips to the pixel, so\nthe window as designed, "
        + std::to_string(show::kDesignWidth) + " x " + std::to_string(show::kDesignHeight) + " pixels, is "
        + std::to_string(show::kDesignWidthTwips) + " " + std::to_string(show::kDesignHeightTwips)
        + ".\n--design prints the design's sizes, captions and timeline as JSON.\n";
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::cout << usage;
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--design") == 0) {
        std::cout << player::DesignValuesJson();
        return 0;
    }
    float width = 0;
    float height = 0;
    long clicks = 1;
    if (argc < 3 || argc > 4 || !ParseSize(argv[1], width) || !ParseSize(argv[2], height)
        || (argc == 4 && !ParseClicks(argv[3], clicks))) {
        std::cerr << usage;
        return 2;
    }

    player::RecordingSurface surface(width, height);
    show::ClickShow show(surface, surface);
    std::ios::sync_with_stdio(false);
    const auto print = [&surface] {
        for (const player::Call &call : surface.calls())
            std::cout << call.Line() << '\n';
        surface.Clear();
    };
    for (long click = 0; click < clicks; ++click) {
        try {
            show.PlayClickShow();
        } catch (const show::ShowError &error) {
            print();
            std::cout << "error " << error.what() << '\n';
            return 1;
        }
        print();
    }
    return 0;
}
