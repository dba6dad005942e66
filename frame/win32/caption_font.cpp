#include "caption_font.h"

#include <string>

#include "later_windows.h"
#include "system.h"
#include "window_rules.h"

namespace forms::detail::win32 {

namespace {

// The system's measures of the message font at a height in pixels, for the core's caption rule.
class GdiCaptionMeasurer final : public CaptionMeasurer {
public:
    GdiCaptionMeasurer(const LOGFONTW& font, UINT dpi) : font_(font), dpi_(dpi), context_(GetDC(nullptr)) {}
    ~GdiCaptionMeasurer() {
        useFont(nullptr);
        ReleaseDC(nullptr, context_);
    }
    GdiCaptionMeasurer(const GdiCaptionMeasurer&) = delete;
    GdiCaptionMeasurer& operator=(const GdiCaptionMeasurer&) = delete;

    void useSize(int height) override {
        font_.lfHeight = (font_.lfHeight < 0 ? -1 : 1) * height;
        useFont(CreateFontIndirectW(&font_));
        TEXTMETRICW metrics{};
        GetTextMetricsW(context_, &metrics);
        lineHeight_ = metrics.tmHeight;
    }
    double textWidth(std::string_view caption) override {
        const std::wstring text = wide(caption);
        RECT needed{};
        DrawTextW(context_, text.c_str(), static_cast<int>(text.size()), &needed,
                  DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
        return needed.right;
    }
    double lineHeight() override { return lineHeight_; }
    double optionMarkWidth() override { return systemMetric(SM_CXMENUCHECK, dpi_); }

private:
    // Selects `font` (nullptr: the context's own again) and deletes the one selected before.
    void useFont(HFONT font) {
        if (font) {
            const HGDIOBJ previous = SelectObject(context_, font);
            if (!original_) original_ = previous;
        } else if (original_) {
            SelectObject(context_, original_);
        }
        if (fontInUse_) DeleteObject(fontInUse_);
        fontInUse_ = font;
    }

    LOGFONTW font_;
    UINT dpi_;
    HDC context_;
    HGDIOBJ original_ = nullptr;
    HFONT fontInUse_ = nullptr;
    double lineHeight_ = 0;
};

}  // namespace

HFONT fittingFont(const WindowDescription& window, UINT dpi) {
    LOGFONTW font = messageFont(dpi);
    const int sign = font.lfHeight < 0 ? -1 : 1;
    int height = sign * font.lfHeight;
    {
        GdiCaptionMeasurer measurer(font, dpi);
        height = fittedFontSize(window, dpi, {height, scaled(8, dpi)}, measurer);
    }
    font.lfHeight = sign * height;
    return CreateFontIndirectW(&font);
}

}  // namespace forms::detail::win32
