// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "saverarguments.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <limits>

namespace player {

namespace {

// A window's handle in decimal, as Windows writes it: none is 0, and none
// is wider than a pointer.
bool ReadWindow(const std::string &text, std::uintptr_t &window)
{
    if (text.empty() || text.size() > 20)
        return false;
    for (const char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    }
    errno = 0;
    const unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
    if (errno == ERANGE || value == 0 || value > std::numeric_limits<std::uintptr_t>::max())
        return false;
    window = std::uintptr_t(value);
    return true;
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
        else
            request.problem = handle.empty() ? "/p takes the window to preview in: /p HWND"
                                             : "/p takes a window's handle, a whole number from 1: not \"" + handle + "\"";
        break;
    case 'c':
        request.mode = SaverRequest::Mode::Settings;
        if (!handle.empty() && !ReadWindow(handle, request.window)) {
            request.mode = SaverRequest::Mode::None;
            request.problem = "/c takes a window's handle, a whole number from 1: not \"" + handle + "\"";
        }
        break;
    default:
        break;
    }
    return request;
}

} // namespace player
