// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "saverarguments.h"

#include <cctype>
#include <cstdlib>

namespace player {

namespace {

// A handle in decimal, as Windows writes it.
bool ReadWindow(const std::string &text, std::uintptr_t &window)
{
    if (text.empty() || !std::isdigit(static_cast<unsigned char>(text[0])))
        return false;
    char *end = nullptr;
    window = std::uintptr_t(std::strtoull(text.c_str(), &end, 10));
    return *end == '\0';
}

} // namespace

SaverRequest ReadSaverArguments(const std::vector<std::string> &arguments)
{
    SaverRequest request;
    if (arguments.empty()) {
        request.mode = SaverRequest::Mode::Settings;
        return request;
    }
    const std::string &first = arguments[0];
    if (first.size() < 2 || (first[0] != '/' && first[0] != '-'))
        return request;
    const char letter = char(std::tolower(static_cast<unsigned char>(first[1])));
    // The handle after a ':' in the same argument, or as the next one.
    std::string handle = first.size() > 2 && first[2] == ':' ? first.substr(3) : std::string();
    if (first.size() > 2 && first[2] != ':')
        return request;
    if (handle.empty() && arguments.size() > 1)
        handle = arguments[1];
    switch (letter) {
    case 's':
        request.mode = SaverRequest::Mode::Play;
        break;
    case 'p':
        if (ReadWindow(handle, request.window))
            request.mode = SaverRequest::Mode::Preview;
        break;
    case 'c':
        request.mode = SaverRequest::Mode::Settings;
        if (!ReadWindow(handle, request.window))
            request.window = 0;
        break;
    default:
        break;
    }
    return request;
}

} // namespace player
