#pragma once

// The printed solution: one line per record, each fitted to the page width by lowering its font, the
// lines cut into pages, every page numbered at its foot.

#include "display/ViewLines.h"

#include <memory>
#include <vector>

// One printed paragraph and its row.
struct PageIndents {
    std::unique_ptr<CParagraph> paragraph;
};

// A page: its number (from 1) and its paragraphs in the order they were placed: the page number
// first, then the lines.
struct PageParam {
    int pageNumber = 0;
    std::vector<PageIndents> paragraphs;
};

inline constexpr int kPrintFontHeight = 16;
inline constexpr int kPageNumberFontHeight = 24;

class CPrintPages {
public:
    // scale: how many printer units make one screen unit of font height; horzRes and vertRes: the
    // printable width and height in printer units.
    void Build(const COutputList& solution, bool textComments, const CommentTextFunction& commentText,
               CGraphics& printer, double scale, int horzRes, int vertRes);

    const std::vector<PageParam>& Pages() const { return m_pages; }
    int PageCount() const { return static_cast<int>(m_pages.size()); }

    // Paints page pageNumber (from 1); nothing for a page that does not exist.
    void PaintPage(int pageNumber, CGraphics& printer, int language);

private:
    std::vector<PageParam> m_pages;
};

// Lays a printed line out at the largest font height trunc(F x scale), F from 16 down to 1, at which
// the row fits into width.
void FitToWidth(CParagraph& paragraph, CGraphics& printer, double scale, int width);
