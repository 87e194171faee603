#pragma once

// The font cache and the memory of the font selected into the device. Fonts are created on first use
// and kept (up to kFontCacheSize of them); a font is selected only when the kind, height or narrow
// flag differs from the one selected last.

#include "display/LayoutDevice.h"

#include <vector>

inline constexpr int kFontCacheSize = 50;

// One cached font.
struct OpisShrift {
    CLayoutDevice::FontHandle font = 0;
    int kind = 0;
    int height = 0;
    bool narrow = false;
};

class CFontCache {
public:
    explicit CFontCache(CLayoutDevice& device) : m_device(device) {}
    ~CFontCache();
    CFontCache(const CFontCache&) = delete;
    CFontCache& operator=(const CFontCache&) = delete;

    // Selects the font of this kind and height (narrowed for the system brace) unless it is the one
    // selected last.
    void Select(int kind, int height, bool narrow = false);
    // Forgets which font is selected, so that the next Select selects again.
    void ResetSelection();

    const std::vector<OpisShrift>& Entries() const { return m_entries; }

private:
    CLayoutDevice::FontHandle FindOrCreate(int kind, int height, bool narrow);

    CLayoutDevice& m_device;
    std::vector<OpisShrift> m_entries;
    int m_selectedKind = 3;
    int m_selectedHeight = -1;
    bool m_selectedNarrow = false;
};

// The narrowed character width asked for the system brace: the height divided by 7, at least 6.
int NarrowFontWidth(int height);
