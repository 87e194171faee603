#include "display/PrintPages.h"

#include <string>

void FitToWidth(CParagraph& paragraph, CGraphics& printer, double scale, int width) {
    int factor = kPrintFontHeight;
    paragraph.SetFontHeight(static_cast<int>(factor * scale));
    paragraph.Layout(printer);
    while (paragraph.Row().width > width && factor > 1) {
        --factor;
        paragraph.SetFontHeight(static_cast<int>(factor * scale));
        paragraph.Layout(printer);
    }
}

void CPrintPages::Build(const COutputList& solution, bool textComments,
                        const CommentTextFunction& commentText, CGraphics& printer, double scale, int horzRes,
                        int vertRes) {
    m_pages.clear();
    int footerReserve = 0;
    int y = 0;
    for (const auto& record : solution.Records()) {
        const std::string text = RecordText(*record, textComments, commentText);
        if (text.empty()) {
            continue;
        }
        auto paragraph = std::make_unique<CParagraph>(text, 0);
        paragraph->x = 0;
        paragraph->y = y;
        FitToWidth(*paragraph, printer, scale, horzRes);
        const int height = paragraph->TotalHeight();

        if (m_pages.empty() || footerReserve + y + height > vertRes) {
            PageParam& page = m_pages.emplace_back();
            page.pageNumber = static_cast<int>(m_pages.size());
            std::string numberText = "-";
            numberText += std::to_string(page.pageNumber);
            numberText += '-';
            auto number =
                std::make_unique<CParagraph>(numberText, static_cast<int>(scale * kPageNumberFontHeight));
            number->x = (horzRes + 1) / 4;
            number->Layout(printer);
            footerReserve = number->TotalHeight() + 15;
            number->y = vertRes - footerReserve + 10;
            page.paragraphs.push_back({std::move(number)});
            // The line opens the new page; its layout does not depend on where it stands.
            paragraph->y = 0;
            y = 0;
        }
        y += height;
        m_pages.back().paragraphs.push_back({std::move(paragraph)});
    }
}

void CPrintPages::PaintPage(int pageNumber, CGraphics& printer, int language) {
    if (pageNumber < 1 || pageNumber > PageCount()) {
        return;
    }
    for (PageIndents& indent : m_pages[pageNumber - 1].paragraphs) {
        indent.paragraph->Paint(printer, language);
    }
}
