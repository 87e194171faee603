#include "display/OpisShrift.h"

#include <algorithm>

CFontCache::~CFontCache() {
    for (const OpisShrift& entry : entries_) {
        device_.DeleteFont(entry.font);
    }
}

int NarrowFontWidth(int height) {
    return std::max(height / 7, 6);
}

void CFontCache::ResetSelection() {
    selectedKind_ = 3;
    selectedHeight_ = -1;
    selectedNarrow_ = false;
}

void CFontCache::Select(int kind, int height, bool narrow) {
    if (kind == selectedKind_ && height == selectedHeight_ && narrow == selectedNarrow_) {
        return;
    }
    device_.SelectFont(FindOrCreate(kind, height, narrow));
    selectedKind_ = kind;
    selectedHeight_ = height;
    selectedNarrow_ = narrow;
}

CLayoutDevice::FontHandle CFontCache::FindOrCreate(int kind, int height, bool narrow) {
    for (const OpisShrift& entry : entries_) {
        if (entry.kind == kind && entry.height == height && entry.narrow == narrow) {
            return entry.font;
        }
    }
    FontRequest request;
    request.kind = kind;
    request.height = height;
    request.width = narrow ? NarrowFontWidth(height) : 0;
    OpisShrift entry{device_.CreateFont(request), kind, height, narrow};
    if (static_cast<int>(entries_.size()) < kFontCacheSize) {
        entries_.push_back(entry);
    } else {
        // The cache is full: the last entry's font gives way to the new one.
        device_.DeleteFont(entries_.back().font);
        entries_.back() = entry;
    }
    return entry.font;
}
