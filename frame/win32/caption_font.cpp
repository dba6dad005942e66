#include "caption_font.h"

#include <string>

#include "layout.h"
#include "system.h"

namespace forms::detail::win32 {

namespace {

// Room a caption leaves inside its control besides the text: button edges, the option mark.
SIZE captionMargins(ControlKind kind, UINT dpi) {
    switch (kind) {
    case ControlKind::CommandButton: return {scaled(10, dpi), scaled(6, dpi)};
    case ControlKind::OptionButton:
        return {GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi) + scaled(6, dpi), 0};
    default: return {0, 0};
    }
}

// Whether every caption of the window fits its control in `font`: a label's words wrap within
// its width and height; buttons keep one line.
bool captionsFit(const WindowDescription& window, HFONT font, UINT dpi) {
    HDC context = GetDC(nullptr);
    const HGDIOBJ previous = SelectObject(context, font);
    bool fit = true;
    for (const ControlDescription& control : window.controls) {
        if (control.caption.empty() || control.kind == ControlKind::TextBox) continue;
        const std::wstring caption = wide(control.caption);
        const SIZE margins = captionMargins(control.kind, dpi);
        const int width = pixelsFromTwips(control.width, dpi) - margins.cx;
        const int height = pixelsFromTwips(control.height, dpi) - margins.cy;
        RECT needed{0, 0, width, 0};
        const UINT wrap = control.kind == ControlKind::Label ? DT_WORDBREAK : DT_SINGLELINE;
        DrawTextW(context, caption.c_str(), static_cast<int>(caption.size()), &needed,
                  DT_CALCRECT | DT_NOPREFIX | wrap);
        if (needed.right > width || needed.bottom > height) {
            fit = false;
            break;
        }
    }
    SelectObject(context, previous);
    ReleaseDC(nullptr, context);
    return fit;
}

}  // namespace

HFONT fittingFont(const WindowDescription& window, UINT dpi) {
    LOGFONTW font = messageFont(dpi);
    const int sign = font.lfHeight < 0 ? -1 : 1;
    const int height = largestFittingSize(sign * font.lfHeight, scaled(8, dpi), [&](int candidate) {
        font.lfHeight = sign * candidate;
        HFONT trial = CreateFontIndirectW(&font);
        const bool fit = captionsFit(window, trial, dpi);
        DeleteObject(trial);
        return fit;
    });
    font.lfHeight = sign * height;
    return CreateFontIndirectW(&font);
}

}  // namespace forms::detail::win32
