#include "display/OpisShrift.h"

#include <algorithm>

CFontCache::~CFontCache() {
    for (const OpisShrift& entry : m_entries) {
        m_device.DeleteFont(entry.font);
    }
}

int NarrowFontWidth(int height) {
    return std::max(height / 7, 6);
}

void CFontCache::ResetSelection() {
    m_selectedKind = 3;
    m_selectedHeight = -1;
    m_selectedNarrow = false;
}

void CFontCache::Select(int kind, int height, bool narrow) {
    if (kind == m_selectedKind && height == m_selectedHeight && narrow == m_selectedNarrow) {
        return;
    }
    m_device.SelectFont(FindOrCreate(kind, height, narrow));
    m_selectedKind = kind;
    m_selectedHeight = height;
    m_selectedNarrow = narrow;
}

CLayoutDevice::FontHandle CFontCache::FindOrCreate(int kind, int height, bool narrow) {
    for (const OpisShrift& entry : m_entries) {
        if (entry.kind == kind && entry.height == height && entry.narrow == narrow) {
            return entry.font;
        }
    }
    FontRequest request;
    request.kind = kind;
    request.height = height;
    request.width = narrow ? NarrowFontWidth(height) : 0;
    OpisShrift entry{m_device.CreateFont(request), kind, height, narrow};
    if (static_cast<int>(m_entries.size()) < kFontCacheSize) {
        m_entries.push_back(entry);
    } else {
        // The cache is full: the last entry's font gives way to the new one.
        m_device.DeleteFont(m_entries.back().font);
        m_entries.back() = entry;
    }
    return entry.font;
}
