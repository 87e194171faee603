#pragma once

// A device together with its font cache: what layout measures with and painting draws with. The
// cache belongs to the device because metrics depend on it (a printer's units are not a screen's).

#include "display/LayoutDevice.h"
#include "display/OpisShrift.h"
#include "output/TextLanguage.h"

#include <algorithm>
#include <string_view>

class CGraphics {
public:
    explicit CGraphics(CLayoutDevice& device) : m_device(device), m_fonts(device) {}

    CLayoutDevice& Device() { return m_device; }
    CFontCache& Fonts() { return m_fonts; }

    DeviceTextMetrics Metrics(int kind, int height) {
        m_fonts.Select(kind, height);
        return m_device.GetTextMetrics();
    }
    TextExtent Extent(int kind, int height, std::string_view text, bool narrow = false) {
        m_fonts.Select(kind, height, narrow);
        return m_device.GetTextExtent(text);
    }
    InkBounds Ink(int kind, int height, std::string_view text, bool narrow = false) {
        m_fonts.Select(kind, height, narrow);
        return m_device.GetInkBounds(text);
    }

    // The largest font height, from height down, at which the ink of text is no wider (or, with
    // acrossHeight, no taller) than limit.
    int HeightFittingInk(int kind, int height, std::string_view text, bool narrow, bool acrossHeight,
                         int limit) {
        const auto size = [&](int at) {
            const InkBounds ink = Ink(kind, at, text, narrow);
            return acrossHeight ? ink.Height() : ink.Width();
        };
        const int full = size(height);
        if (full <= limit) {
            return height;
        }
        int fitting = std::max(1, height * limit / full);
        while (fitting > 1 && size(fitting) > limit) {
            --fitting;
        }
        return fitting;
    }

private:
    CLayoutDevice& m_device;
    CFontCache m_fonts;
};
