// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "captionface.h"

#include "resources.h"

#include "player/captionlayout.h"

#include <cmath>
#include <vector>

namespace win32 {

namespace {

} // namespace

std::wstring Wide(const std::string &utf8)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring wide(std::size_t(std::max(length, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), length);
    return wide;
}

Status CaptionFace::Load()
{
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(kCaptionFaceResource), MAKEINTRESOURCEW(10)); // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    void *data = loaded ? LockResource(loaded) : nullptr;
    DWORD fonts = 0;
    if (data)
        resource_.reset(AddFontMemResourceEx(data, SizeofResource(nullptr, found), nullptr, &fonts));
    if (!resource_ || fonts == 0)
        return Status::Error("cannot load the captions' face");
    return Status::Ok();
}

HFONT CaptionFace::FontFor(int pixels)
{
    if (!font_ || pixels_ != pixels) {
        font_.reset(CreateFontW(-pixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS,
                                CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_ROMAN,
                                Wide(player::CaptionFamily()).c_str()));
        pixels_ = pixels;
    }
    return font_.get();
}

void CaptionFace::Paint(HDC dc, const player::Picture &picture, double scale, POINT origin)
{
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetTextAlign(dc, TA_LEFT | TA_BASELINE | TA_NOUPDATECP);
    const auto device = [&](double design, LONG from) { return from + LONG(std::lround(design * scale)); };
    for (const show::Label label : {show::Label::Top, show::Label::Words}) {
        if (!picture.caption(label).shown)
            continue;
        const canvas::Rect box = player::Picture::CaptionRect(label);
        const RECT rect{origin.x + LONG(std::floor(box.x * scale)), origin.y + LONG(std::floor(box.y * scale)),
                        origin.x + LONG(std::ceil((box.x + box.width) * scale)),
                        origin.y + LONG(std::ceil((box.y + box.height) * scale))};
        FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        const std::string shown = picture.ShownText(label);
        const player::CaptionLayout layout = player::LayOutCaption(label, shown);
        const std::wstring text = Wide(shown);
        // Each character at its pen position: the advances between them.
        std::vector<INT> advances;
        for (std::size_t i = 0; i + 1 < layout.x.size(); ++i)
            advances.push_back(INT(device(layout.x[i + 1], 0) - device(layout.x[i], 0)));
        advances.push_back(0);
        const Selected font(dc, FontFor(int(std::lround(layout.pixels * scale))));
        ExtTextOutW(dc, device(layout.x.empty() ? box.x : layout.x[0], origin.x), device(layout.baseline, origin.y),
                    ETO_CLIPPED, &rect, text.c_str(), UINT(text.size()), advances.data());
    }
}

} // namespace win32
