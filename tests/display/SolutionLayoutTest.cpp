// Paragraphs, the bands of the solution view and the printed pages, against the fake device.

#include "FakeDevice.h"

#include "display/FormulaLayout.h"
#include "display/PrintPages.h"
#include "display/ViewLines.h"

#include <gtest/gtest.h>

#include <map>

namespace {

class SolutionLayoutTest : public ::testing::Test {
protected:
    CFakeDevice m_device;
    CGraphics m_graphics{m_device};
};

// At font height 20 the text face gives a word gap of trunc(1.5 x 10) = 15 and a row gap of 20 / 4.
TEST_F(SolutionLayoutTest, ParagraphPutsWordsOnOneRowWithWordGaps) {
    CParagraph paragraph("Answer:  $x=1$ \r\n", 20);
    ASSERT_EQ(paragraph.Layout(m_graphics), 0);
    MyString& row = paragraph.Row();
    ASSERT_EQ(row.Count(), 2);
    EXPECT_EQ(row.words[0]->Text(), "Answer:");
    EXPECT_EQ(row.words[0]->FontKind(), kFontKindText);
    EXPECT_EQ(row.words[1]->FontKind(), kFontKindFormula);
    EXPECT_EQ(row.words[1]->Color(), MakeRgb(0, 0, 255));
    EXPECT_EQ(row.words[0]->x, 0);
    EXPECT_EQ(row.words[1]->x, 70 + 15);
    EXPECT_EQ(row.width, 70 + 15 + 50);
    EXPECT_EQ(row.height, 5 + 20);
    EXPECT_EQ(paragraph.TotalHeight(), 25);
}

TEST_F(SolutionLayoutTest, ParagraphAlignsWordsOnTheLargestAxis) {
    CParagraph paragraph("so $1/2$ x", 20);
    paragraph.x = 30;
    ASSERT_EQ(paragraph.Layout(m_graphics), 0);
    MyString& row = paragraph.Row();
    ASSERT_EQ(row.Count(), 3);
    EXPECT_EQ(row.words[0]->x, 30);
    EXPECT_EQ(row.words[0]->y, 24 - 10);
    EXPECT_EQ(row.words[1]->y, 0);
    EXPECT_EQ(row.words[2]->y, 14);
    EXPECT_EQ(row.height, 5 + 48);
}

TEST_F(SolutionLayoutTest, ParagraphRowReachesDownToItsLowestWord) {
    // x^2 has its axis low (19 of 29), 1/{2/3} high (24 of 76): aligned, they reach 24 + 52 down.
    CParagraph paragraph("$x^2$ $1/{2/3}$", 20);
    ASSERT_EQ(paragraph.Layout(m_graphics), 0);
    EXPECT_EQ(paragraph.Row().words[0]->y, 24 - 19);
    EXPECT_EQ(paragraph.Row().height, 5 + 76);

    // {1/2}/3 has its axis at 52 of 76, 1/{2/3} at 24 of 76: aligned, the second reaches 52 + 52 down,
    // further than the tallest word (76), and the row takes all of it so the next row does not cover it.
    CParagraph deep("${1/2}/3$ $1/{2/3}$", 20);
    ASSERT_EQ(deep.Layout(m_graphics), 0);
    EXPECT_EQ(deep.Row().words[1]->y, 52 - 24);
    EXPECT_EQ(deep.Row().height, 5 + 104);
}

TEST_F(SolutionLayoutTest, ParagraphCodes) {
    CParagraph empty(" \r\n", 20);
    EXPECT_EQ(empty.Layout(m_graphics), LayoutCode::kEmptyText);
    EXPECT_EQ(empty.TotalHeight(), 0);
    CParagraph unclosed("so $x+1 and more", 20);
    EXPECT_EQ(unclosed.Layout(m_graphics), LayoutCode::kBraces);
    EXPECT_EQ(unclosed.Row().Count(), 1);
    // A formula that fails keeps its place in the row with nothing to show.
    CParagraph failing("a $(x$ b", 20);
    EXPECT_EQ(failing.Layout(m_graphics), 0);
    ASSERT_EQ(failing.Row().Count(), 3);
    EXPECT_EQ(failing.Row().words[1]->Width(m_graphics), 0);
    EXPECT_EQ(failing.Row().words[2]->x, 10 + 15 + 0 + 15);
}

// A language with a text for a few comments.
std::string CommentText(CommentIDType id) {
    static const std::map<CommentIDType, std::string> texts = {
        {CommentID::AnswerHeadingExpression, "Answer:"},
        {CommentID::TermsReordered, "Terms reordered"},
        {CommentID::Cancellation, "Cancel"},
        {CommentID::AnswerHeadingEquation0, "Answer"},
        {CommentID::AnswerJoint, ":"},
        {CommentID::BetweenRoots, ";"},
        {CommentID::SubProblemHeading, "Case"},
        {CommentID::SubProblemLabelSeparator, "."},
    };
    const auto found = texts.find(id);
    return found == texts.end() ? std::string() : found->second;
}

LineBlockList Blocks(std::initializer_list<LineBlockInfo> entries) {
    return LineBlockList(entries);
}

TEST_F(SolutionLayoutTest, OneRecordIsOneYellowBand) {
    COutputList solution;
    solution.AddFormula(nullptr, "x+1", false);
    CViewList view;
    view.Build(solution, true, CommentText, m_graphics, 640);
    ASSERT_EQ(view.Lines().size(), 1u);
    const LineStruct& line = view.Lines()[0];
    EXPECT_EQ(line.background, MakeRgb(255, 255, 0));
    EXPECT_EQ(line.band.top, 0);
    // Font height 26: row gap 6, formula 26 high.
    EXPECT_EQ(line.band.bottom, 6 + 26);
    EXPECT_EQ(line.band.right, 640);
    EXPECT_EQ(view.ScrollHeight(), 32);
    EXPECT_EQ(view.ScrollWidth(), 13 * 3 + 26);
}

TEST_F(SolutionLayoutTest, BandsAreIndentedAndColouredByLevelAndStage) {
    COutputList solution;
    const LineBlockList top = Blocks({{LineBlockKind::Problem, 0}});
    const LineBlockList level1 = Blocks({{LineBlockKind::Steps, 0}, {LineBlockKind::CaseNumber, 0}});
    const LineBlockList level2 =
        Blocks({{LineBlockKind::Steps, 0}, {LineBlockKind::CaseNumber, 0}, {LineBlockKind::CaseSolving, 0}});
    const LineBlockList domain = Blocks({{LineBlockKind::Steps, 0}, {LineBlockKind::Domain, 0}});
    const LineBlockList check =
        Blocks({{LineBlockKind::Steps, 0}, {LineBlockKind::CaseNumber, 1}, {LineBlockKind::Check, 0}});
    solution.AddFormula(&top, "x=1", false);
    solution.AddFormula(&level1, "x=2", false);
    solution.AddFormula(&level2, "x=3", false);
    solution.AddFormula(&domain, "x=4", false);
    solution.AddFormula(&check, "x=5", false);
    solution.AddFormula(&level2, "x=6", false);
    CViewList view;
    view.Build(solution, true, CommentText, m_graphics, 100);
    const std::vector<LineStruct>& lines = view.Lines();
    ASSERT_EQ(lines.size(), 6u);
    struct Expected {
        int indent;
        Rgb background;
    };
    const Expected expected[] = {
        {0, MakeRgb(255, 255, 0)},   // first
        {1, MakeRgb(234, 234, 234)}, // 0.92 x 255
        {2, MakeRgb(214, 214, 214)}, // 0.84 x 255
        {1, MakeRgb(147, 255, 255)}, // domain: 0.92 x 160
        {2, MakeRgb(134, 255, 255)}, // check: 0.84 x 160
        {2, MakeRgb(255, 255, 0)},   // last
    };
    int bandTop = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(lines[i].indentLevel, expected[i].indent);
        EXPECT_EQ(lines[i].background, expected[i].background);
        EXPECT_EQ(lines[i].textLeft, 25 * expected[i].indent);
        EXPECT_EQ(lines[i].band.top, bandTop);
        EXPECT_EQ(lines[i].paragraph.y, bandTop + 1);
        ASSERT_EQ(lines[i].items.size(), 1u);
        EXPECT_EQ(lines[i].items[0].x, 25 * expected[i].indent);
        EXPECT_EQ(lines[i].items[0].y, bandTop + 1);
        EXPECT_EQ(lines[i].textRight, 25 * expected[i].indent + 65);
        bandTop = lines[i].band.bottom;
    }
    EXPECT_EQ(view.ScrollWidth(), 50 + 65);
    EXPECT_EQ(lines[0].band.right, 115);
}

// The stage colour comes from the innermost line block: a step nested inside the finding of the
// domain or the check of the roots, but in a plain block of its own, is grey, and a domain or check
// block opened inside another block is tinted.
TEST_F(SolutionLayoutTest, BandColourFollowsTheInnermostLineBlock) {
    COutputList solution;
    const LineBlockList top = Blocks({{LineBlockKind::Problem, 0}});
    const LineBlockList insideDomain = Blocks({{LineBlockKind::Domain, 0}, {LineBlockKind::CaseNumber, 0}});
    const LineBlockList domainInside = Blocks({{LineBlockKind::CaseNumber, 0}, {LineBlockKind::Check, 0}});
    solution.AddFormula(&top, "x=1", false);
    solution.AddFormula(&insideDomain, "x=2", false);
    solution.AddFormula(&domainInside, "x=3", false);
    solution.AddFormula(&top, "x=4", false);
    CViewList view;
    view.Build(solution, true, CommentText, m_graphics, 100);
    ASSERT_EQ(view.Lines().size(), 4u);
    EXPECT_EQ(view.Lines()[1].background, MakeRgb(234, 234, 234));
    EXPECT_EQ(view.Lines()[2].background, MakeRgb(147, 255, 255));
}

TEST_F(SolutionLayoutTest, CommentsAppearByTheirFlagsAndSpokenOnesLeaveSoundCues) {
    COutputList solution;
    solution.AddFormula(nullptr, "x", false);
    solution.AddComment(nullptr, CommentID::TermsReordered, false, true);
    solution.AddComment(nullptr, CommentID::Cancellation, true, true);
    auto answer = solution.AddFormula(nullptr, "y", true);
    (*answer)->AddComment(CommentID::AnswerHeadingExpression, true, false);

    for (const bool textComments : {true, false}) {
        SCOPED_TRACE(textComments);
        CViewList view;
        view.Build(solution, textComments, CommentText, m_graphics, 0);
        const std::vector<LineStruct>& lines = view.Lines();
        ASSERT_EQ(lines.size(), 4u);
        // Record 2: a sound cue, then the two words of its text only with text comments on.
        ASSERT_EQ(lines[1].items.size(), textComments ? 3u : 1u);
        EXPECT_EQ(lines[1].items[0].kind, TypeStruct::Kind::SoundCue);
        EXPECT_FALSE(lines[1].items[0].repaintsPrevious);
        if (textComments) {
            EXPECT_EQ(lines[1].items[1].word->Text(), "Terms");
            EXPECT_GT(lines[1].band.bottom, lines[1].band.top);
        } else {
            EXPECT_EQ(lines[1].band.bottom, lines[1].band.top) << "nothing shown: a band of height 0";
        }
        // Record 3 is always shown, and its cue repaints the band before it.
        ASSERT_EQ(lines[2].items.size(), 2u);
        EXPECT_TRUE(lines[2].items[0].repaintsPrevious);
        EXPECT_EQ(lines[2].items[1].word->Text(), "Cancel");
        // The answer: a spoken formula and its always-shown heading.
        ASSERT_EQ(lines[3].items.size(), 2u);
        EXPECT_TRUE(lines[3].items[0].spoken);
        EXPECT_EQ(lines[3].items[0].word->Text(), "$y$");
        EXPECT_EQ(lines[3].items[1].word->Text(), "Answer:");
        EXPECT_EQ(lines[3].paragraph.Text(), "$y$  Answer:");
    }
}

// A pupil writes "Answer: x = 2; x = 3" and "Case 2.1:": punctuation follows the word before it, and
// the parts of a label follow the separator, without the gap between words. Every block keeps its
// items: a joined comment adds its text to the word before it.
TEST_F(SolutionLayoutTest, PunctuationAndLabelPartsFollowTheWordBeforeThemWithoutAGap) {
    COutputList solution;
    auto answer = solution.AddComment(nullptr, CommentID::AnswerHeadingEquation0, true, true);
    (*answer)->AddComment(CommentID::AnswerJoint, true, false);
    (*answer)->AddFormula("x=2", true);
    (*answer)->AddComment(CommentID::BetweenRoots, true, true);
    (*answer)->AddFormula("x=3", true);
    auto label = solution.AddComment(nullptr, CommentID::SubProblemHeading, true, true);
    (*label)->AddFormula("2", true);
    (*label)->AddComment(CommentID::SubProblemLabelSeparator, true, true);
    (*label)->AddFormula("1", true);
    (*label)->AddComment(CommentID::AnswerJoint, true, false);

    CViewList view;
    view.Build(solution, true, CommentText, m_graphics, 0);
    const std::vector<LineStruct>& lines = view.Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].paragraph.Text(), "Answer:  $x=2$;  $x=3$");
    EXPECT_EQ(lines[1].paragraph.Text(), "Case  $2$.$1$:");

    struct Word {
        const char* text;
        bool gapBefore;
    };
    const std::vector<std::vector<Word>> expected = {
        {{"Answer:", false}, {"$x=2$", true}, {";", false}, {"$x=3$", true}},
        {{"Case", false}, {"$2$", true}, {".", false}, {"$1$", false}, {":", false}},
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        std::vector<const TypeStruct*> words;
        for (const TypeStruct& item : lines[i].items) {
            if (item.kind == TypeStruct::Kind::Word) {
                words.push_back(&item);
            }
        }
        ASSERT_EQ(words.size(), expected[i].size());
        for (std::size_t k = 0; k < words.size(); ++k) {
            SCOPED_TRACE(k);
            EXPECT_EQ(words[k]->word->Text(), expected[i][k].text);
            if (k > 0) {
                const int end = words[k - 1]->x + words[k - 1]->word->Width(m_graphics);
                EXPECT_EQ(words[k]->x > end, expected[i][k].gapBefore);
                EXPECT_GE(words[k]->x, end);
            }
        }
        const TypeStruct& last = *words.back();
        EXPECT_EQ(lines[i].textRight, last.x + last.word->Width(m_graphics));
    }
    // The answer's formulas are read aloud, its punctuation is not a formula.
    EXPECT_TRUE(lines[0].items[1].spoken || lines[0].items[2].spoken);
}

TEST_F(SolutionLayoutTest, PaintingTheViewFillsBandsThenDrawsEveryWord) {
    COutputList solution;
    const LineBlockList nested = Blocks({{LineBlockKind::Steps, 0}, {LineBlockKind::CaseNumber, 0}});
    solution.AddFormula(nullptr, "1/2", false);
    solution.AddFormula(&nested, "a", false);
    solution.AddComment(nullptr, CommentID::AnswerHeadingExpression, true, false);
    CViewList view;
    view.Build(solution, true, CommentText, m_graphics, 300);
    view.PaintAll(m_graphics, kEnglishLanguage);
    ASSERT_EQ(m_device.fills.size(), 3u);
    EXPECT_EQ(m_device.fills[1].right, 300);
    EXPECT_EQ(m_device.fills[1].top, view.Lines()[0].band.bottom);
    EXPECT_EQ(m_device.fills[1].color, MakeRgb(234, 234, 234));
    // 2 glyphs + 1 + 7 letters; the bar of 1/2.
    EXPECT_EQ(m_device.outputs.size(), 10u);
    EXPECT_EQ(m_device.lines.size(), 1u);
    // "a" is drawn indented in the second band, on the row's axis.
    EXPECT_EQ(m_device.outputs[2].text, "a");
    EXPECT_EQ(m_device.outputs[2].x, 25);
    EXPECT_EQ(m_device.outputs[2].y, view.Lines()[1].band.top + 1);
    EXPECT_TRUE(view.Lines()[2].shown);
}

TEST_F(SolutionLayoutTest, PrintedLinesShrinkToFitButNeverBelowOne) {
    CParagraph paragraph("$x+1$", 0);
    // The fake's "x+1" at height h is 5 h / 2 wide. At scale 2, F = 16 gives height 32.
    FitToWidth(paragraph, m_graphics, 2.0, 1000);
    EXPECT_EQ(paragraph.FontHeight(), 32);
    FitToWidth(paragraph, m_graphics, 2.0, 50);
    EXPECT_EQ(paragraph.FontHeight(), 20); // 5 x 20 / 2 = 50 fits; 22 gives 55
    FitToWidth(paragraph, m_graphics, 2.0, 1);
    EXPECT_EQ(paragraph.FontHeight(), 2) << "F stops at 1";
}

TEST_F(SolutionLayoutTest, PrintedPagesBreakBeforeTheFooterAndAreNumbered) {
    COutputList solution;
    for (int i = 0; i < 10; ++i) {
        solution.AddFormula(nullptr, "x", false);
    }
    solution.AddComment(nullptr, CommentID::TermsReordered, false, false);
    // Scale 1: lines at height 16 are 4 + 16 = 20 high; the page number at 24 is 6 + 24 high, so the
    // footer reserve is 45 and a page of 130 holds trunc((130 - 45) / 20) = 4 lines.
    CPrintPages pages;
    pages.Build(solution, false, CommentText, m_graphics, 1.0, 400, 130);
    ASSERT_EQ(pages.PageCount(), 3);
    const int lines[] = {4, 4, 2};
    for (int page = 0; page < 3; ++page) {
        SCOPED_TRACE(page);
        const PageParam& param = pages.Pages()[page];
        EXPECT_EQ(param.pageNumber, page + 1);
        ASSERT_EQ(static_cast<int>(param.paragraphs.size()), 1 + lines[page]);
        const CParagraph& number = *param.paragraphs[0].paragraph;
        EXPECT_EQ(number.Text(), std::string("-").append(std::to_string(page + 1)).append("-"));
        EXPECT_EQ(number.FontHeight(), 24);
        EXPECT_EQ(number.y, 130 - 45 + 10);
        EXPECT_EQ(number.x, 401 / 4);
        for (int line = 0; line < lines[page]; ++line) {
            EXPECT_EQ(param.paragraphs[1 + line].paragraph->y, 20 * line);
        }
    }

    pages.PaintPage(2, m_graphics, kEnglishLanguage);
    // "-2-" and four x.
    EXPECT_EQ(m_device.outputs.size(), 3u + 4u);
    EXPECT_EQ(m_device.outputs[0].text, "-");
    EXPECT_EQ(m_device.outputs[3].y, 0);
    EXPECT_EQ(m_device.outputs.back().y, 60);
    m_device.outputs.clear();
    pages.PaintPage(4, m_graphics, kEnglishLanguage);
    pages.PaintPage(0, m_graphics, kEnglishLanguage);
    EXPECT_TRUE(m_device.outputs.empty());
}

TEST_F(SolutionLayoutTest, PrintedLineTallerThanAPageStillGetsOne) {
    COutputList solution;
    solution.AddFormula(nullptr, "x", false);
    solution.AddFormula(nullptr, "1/{2/{3/{4/5}}}", false);
    solution.AddFormula(nullptr, "y", false);
    CPrintPages pages;
    pages.Build(solution, true, CommentText, m_graphics, 1.0, 1000, 100);
    ASSERT_EQ(pages.PageCount(), 3);
    EXPECT_EQ(pages.Pages()[1].paragraphs.size(), 2u);
    EXPECT_EQ(pages.Pages()[1].paragraphs[1].paragraph->y, 0);
}

} // namespace
