// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "captionface.h"

#include "resources.h"

#include "player/captionfit.h"

#include <cmath>
#include <vector>

namespace win32 {

namespace {

constexpr wchar_t kFace[] = L"P052";

Font MakeFont(int pixels)
{
    return Font(CreateFontW(-pixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS,
                            CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_ROMAN, kFace));
}

// The ink of a line drawn from (0, 0), found in the pixels GDI draws.
player::Ink MeasureInk(const std::wstring &text, int pixels)
{
    const int margin = pixels, width = pixels * int(text.size() + 2), height = 3 * pixels;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void *bits = nullptr;
    const MemoryDc dc(CreateCompatibleDC(nullptr));
    const Bitmap bitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const Font font = MakeFont(pixels);
    if (!dc || !bitmap || !font)
        return {};
    const Selected selectBitmap(dc.get(), bitmap.get());
    const Selected selectFont(dc.get(), font.get());
    const RECT all{0, 0, width, height};
    FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), RGB(0, 0, 0));
    TextOutW(dc.get(), margin, margin, text.c_str(), int(text.size()));
    GdiFlush();
    const auto *pixel = static_cast<const std::uint32_t *>(bits);
    int left = width, top = height, right = -1, bottom = -1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if ((pixel[y * width + x] & 0xffffff) != 0xffffff) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0)
        return {};
    return {double(left - margin), double(top - margin), double(right - margin), double(bottom - margin)};
}

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

HFONT CaptionFace::FontFor(show::Label label, const std::string &text, double scale)
{
    Fitted &fitted = fitted_[int(label)];
    if (!fitted.font || fitted.text != text || fitted.scale != scale) {
        const canvas::Rect box = player::Picture::CaptionRect(label);
        const int pixels = player::FitCaption(text, box.width, box.height, [](const std::string &line, int size) {
            return MeasureInk(Wide(line), size);
        });
        fitted.font = MakeFont(int(std::lround(pixels * scale)));
        fitted.text = text;
        fitted.scale = scale;
    }
    return fitted.font.get();
}

void CaptionFace::Paint(HDC dc, const player::Picture &picture, double scale, POINT origin)
{
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    for (const show::Label label : {show::Label::Top, show::Label::Words}) {
        if (!picture.caption(label).shown)
            continue;
        const canvas::Rect box = player::Picture::CaptionRect(label);
        RECT rect{origin.x + LONG(std::lround(box.x * scale)), origin.y + LONG(std::lround(box.y * scale)),
                  origin.x + LONG(std::lround((box.x + box.width) * scale)),
                  origin.y + LONG(std::lround((box.y + box.height) * scale))};
        FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        const std::string shown = picture.ShownText(label);
        const std::wstring text = Wide(shown);
        const Selected font(dc, FontFor(label, shown, scale));
        DrawTextW(dc, text.c_str(), int(text.size()), &rect, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    }
}

} // namespace win32
