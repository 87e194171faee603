// Whole solutions written as documents: every band and block in order, the formulas read back and
// compared by value with the records, the band colours and nesting as on screen, the comment texts
// escaped for each format, and the documents' frames (preamble, page) complete.

#include "ExportTestSupport.h"
#include "export/SolutionBands.h"
#include "export/SolutionExport.h"
#include "markup/LinearNotation.h"
#include "solver/SolveProblem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

namespace {

std::filesystem::path ProgramFolder() {
    return std::filesystem::canonical("/proc/self/exe").parent_path();
}

std::unique_ptr<COutputList> Solve(ProblemKind kind, const std::string& linear) {
    const LinearReading reading = ReadLinearNotation(linear);
    EXPECT_FALSE(reading.Refused()) << linear;
    auto solution = std::make_unique<COutputList>();
    SolveProblem(kind, reading.markup, solution.get());
    return solution;
}

// The formula markups of the bands, in order.
std::vector<std::string> FormulaMarkups(const std::vector<ShownBand>& bands) {
    std::vector<std::string> formulas;
    for (const ShownBand& band : bands) {
        for (const ShownBlock& block : band.blocks) {
            if (block.formula) {
                formulas.push_back(block.text);
            }
        }
    }
    return formulas;
}

// The rule of the style sheet that gives the band its colour (and its indent, for the level).
std::string ColourRule(const ShownBand& band, const std::string& level) {
    char colour[8];
    std::snprintf(colour, sizeof colour, "#%02x%02x%02x", band.background.red, band.background.green,
                  band.background.blue);
    if (band.firstOrLast) {
        return std::string(".orbelin-solution .band.end{background-color:") + colour + "}";
    }
    if (IsDomainOrCheckStage(band.blockKind)) {
        return ".orbelin-solution .level-" + level + ".stage{background-color:" + colour + "}";
    }
    return ".orbelin-solution .level-" + level + "{padding-left:" + level +
           ".6em;background-color:" + colour + "}";
}

struct Problem {
    ProblemKind kind;
    const char* text;
};

// Problems whose solutions hold nested bands, domain conditions and their check, crossed-out
// factors, roots and systems.
const Problem kProblems[] = {
    {ProblemKind::Equation, "x^2 - 5x + 6 = 0"},
    {ProblemKind::Equation, "x/(x-1) + 1/(x+1) = 2"},
    {ProblemKind::Equation, "1/(x-2) = 3/(x^2-4)"},
    {ProblemKind::Equation, "x^4 - 5x^2 + 4 = 0"},
    {ProblemKind::Simplify, "(x^2-1)/(x+1) + 2x"},
    {ProblemKind::Simplify, "1/(x-1) - 1/(x+1)"},
    {ProblemKind::Factorise, "x^3 - 8"},
    {ProblemKind::FactoriseCompletely, "x^4 - 16"},
};

class DocumentExport : public ::testing::Test {
protected:
    std::mt19937 random{7};
    const CommentTexts english = CommentTexts::Load(kEnglishLanguage, ProgramFolder());
    const CommentTexts russian = CommentTexts::Load(kRussianLanguage, ProgramFolder());

    std::string Export(const COutputList& solution, ExportFormat format, int language = kEnglishLanguage,
                       bool textComments = true) {
        ExportOptions options;
        options.format = format;
        options.language = language;
        options.textComments = textComments;
        return ExportSolution(solution, language == kEnglishLanguage ? english : russian, options);
    }
};

TEST_F(DocumentExport, HtmlPageHoldsEveryBandWithItsColourIndentAndFormulas) {
    bool sawStage = false;
    bool sawNesting = false;
    for (const Problem& problem : kProblems) {
        SCOPED_TRACE(problem.text);
        const auto owned = Solve(problem.kind, problem.text);
        const COutputList& solution = *owned;
        const std::vector<ShownBand> bands = ShownBands(solution, english, true);
        const std::string html = Export(solution, ExportFormat::Html);
        const XmlReading page = ReadXml(html);
        ASSERT_EQ(page.error, "") << html;
        ASSERT_EQ(page.root.name, "html");
        EXPECT_EQ(page.root.attributes.at("lang"), "en");
        // Self-contained: nothing fetched, nothing run.
        for (const char* outside : {"script", "link", "img", "iframe", "object"}) {
            std::vector<const XmlElement*> found;
            page.root.FindAll(outside, found);
            EXPECT_TRUE(found.empty()) << outside;
        }
        EXPECT_EQ(html.find("src="), std::string::npos);
        EXPECT_EQ(html.find("url("), std::string::npos);

        std::vector<const XmlElement*> divs;
        page.root.FindAll("div", divs);
        std::vector<const XmlElement*> bandDivs;
        for (const XmlElement* div : divs) {
            if (div->attributes.count("class") && div->attributes.at("class").rfind("band", 0) == 0) {
                bandDivs.push_back(div);
            }
        }
        ASSERT_EQ(bandDivs.size(), bands.size());
        std::vector<const XmlElement*> maths;
        page.root.FindAll("math", maths);
        const std::vector<std::string> formulas = FormulaMarkups(bands);
        ASSERT_EQ(maths.size(), formulas.size());
        for (std::size_t i = 0; i < maths.size(); ++i) {
            EXPECT_EQ(CompareMathML(formulas[i], *maths[i], random, 1), "") << formulas[i];
        }
        // No style attributes: the classes carry the look, which the page's style sheet gives.
        EXPECT_EQ(html.find(" style=\""), std::string::npos);
        for (std::size_t i = 0; i < bands.size(); ++i) {
            const std::string& classes = bandDivs[i]->attributes.at("class");
            const std::string level = std::to_string(std::min<std::size_t>(bands[i].indentLevel, 13));
            EXPECT_NE(classes.find(" level-" + level), std::string::npos) << classes;
            const bool stage = classes.find(" stage") != std::string::npos;
            EXPECT_EQ(stage, IsDomainOrCheckStage(bands[i].blockKind));
            EXPECT_EQ(classes.find(" end") != std::string::npos, bands[i].firstOrLast);
            EXPECT_NE(html.find(ColourRule(bands[i], level)), std::string::npos)
                << ColourRule(bands[i], level);
            sawStage = sawStage || stage;
            sawNesting = sawNesting || bands[i].indentLevel > 0;
        }
        // The comment texts in order, as text.
        std::vector<const XmlElement*> spans;
        page.root.FindAll("span", spans);
        std::size_t comment = 0;
        for (const ShownBand& band : bands) {
            for (const ShownBlock& block : band.blocks) {
                if (!block.formula) {
                    ASSERT_LT(comment, spans.size());
                    EXPECT_EQ(spans[comment++]->AllText(), block.text);
                }
            }
        }
        EXPECT_EQ(comment, spans.size());
    }
    EXPECT_TRUE(sawStage) << "no problem showed a domain or check stage";
    EXPECT_TRUE(sawNesting) << "no problem showed a nested band";
}

TEST_F(DocumentExport, BandsAreColouredAsOnScreen) {
    EXPECT_EQ(BandBackground(0, LineBlockKind::Steps, true), (BandRgb{255, 255, 0}));
    EXPECT_EQ(BandBackground(0, LineBlockKind::Steps, false), (BandRgb{255, 255, 255}));
    EXPECT_EQ(BandBackground(2, LineBlockKind::CaseNumber, false), (BandRgb{214, 214, 214}));
    EXPECT_EQ(BandBackground(1, LineBlockKind::Domain, false), (BandRgb{147, 255, 255}));
    EXPECT_EQ(BandBackground(1, LineBlockKind::Check, false), (BandRgb{147, 255, 255}));
    // Deep nesting stays a colour.
    EXPECT_EQ(BandBackground(40, LineBlockKind::Steps, false), (BandRgb{0, 0, 0}));
}

TEST_F(DocumentExport, HtmlFragmentIsThePagesSolutionDivAndThePageCarriesTheStyleSheet) {
    const auto owned = Solve(ProblemKind::Simplify, "(x^2-1)/(x+1) + 2x");
    const COutputList& solution = *owned;
    const std::string fragment = Export(solution, ExportFormat::HtmlFragment);
    const XmlReading xml = ReadXml(fragment);
    ASSERT_EQ(xml.error, "");
    EXPECT_EQ(xml.root.name, "div");
    EXPECT_EQ(xml.root.attributes.at("class"), "orbelin-solution");
    const std::string page = Export(solution, ExportFormat::Html);
    EXPECT_NE(page.find(fragment), std::string::npos);
    EXPECT_NE(page.find("<style>\nbody{margin:0;background:#fff}\n" + SolutionStyleSheet() + "</style>"),
              std::string::npos);
}

TEST_F(DocumentExport, LatexDocumentHoldsEveryFormulaAndTheLanguageSetUp) {
    for (const Problem& problem : kProblems) {
        SCOPED_TRACE(problem.text);
        const auto owned = Solve(problem.kind, problem.text);
        const COutputList& solution = *owned;
        for (const int language : {kEnglishLanguage, kRussianLanguage}) {
            const std::string document = Export(solution, ExportFormat::Latex, language);
            const std::string fragment = Export(solution, ExportFormat::LatexFragment, language);
            EXPECT_EQ(document.rfind("\\documentclass{article}\n", 0), 0u);
            EXPECT_NE(document.find("\\usepackage{amsmath}"), std::string::npos);
            EXPECT_NE(document.find("\\usepackage{cancel}"), std::string::npos);
            EXPECT_EQ(document.find("\\usepackage[T2A]{fontenc}") != std::string::npos,
                      language == kRussianLanguage);
            EXPECT_NE(document.find(language == kRussianLanguage ? "\\usepackage[russian]{babel}"
                                                                 : "\\usepackage[english]{babel}"),
                      std::string::npos);
            EXPECT_NE(document.find("\\begin{document}"), std::string::npos);
            EXPECT_EQ(document.substr(document.size() - 15), "\\end{document}\n");
            // The fragment is the document's body.
            EXPECT_EQ(fragment.find("\\documentclass"), std::string::npos);
            EXPECT_NE(document.find(fragment), std::string::npos);

            const std::vector<std::string> maths = LatexDocumentMaths(fragment);
            const std::vector<std::string> formulas =
                FormulaMarkups(ShownBands(solution, language == kEnglishLanguage ? english : russian, true));
            ASSERT_EQ(maths.size(), formulas.size());
            for (std::size_t i = 0; i < maths.size(); ++i) {
                EXPECT_EQ(CompareLatex(formulas[i], maths[i], random, 1), "") << maths[i];
            }
            int depth = 0;
            for (std::size_t i = 0; i < document.size(); ++i) {
                depth += document[i] == '\\'  ? (++i, 0)
                         : document[i] == '{' ? 1
                         : document[i] == '}' ? -1
                                              : 0;
                ASSERT_GE(depth, 0) << "a } closes nothing at " << i;
            }
            EXPECT_EQ(depth, 0);
        }
    }
}

TEST_F(DocumentExport, NestedBandsAreIndentedInLatexAndQuotedInMarkdown) {
    const auto owned = Solve(ProblemKind::Equation, "x/(x-1) + 1/(x+1) = 2");
    const COutputList& solution = *owned;
    const std::vector<ShownBand> bands = ShownBands(solution, english, true);
    const std::string latex = Export(solution, ExportFormat::LatexFragment);
    const std::string markdown = Export(solution, ExportFormat::Markdown);
    std::size_t latexLine = 0;
    std::size_t markdownParagraph = 0;
    for (const ShownBand& band : bands) {
        const std::size_t latexEnd = latex.find('\n', latexLine);
        const std::string line = latex.substr(latexLine, latexEnd - latexLine);
        latexLine = latexEnd + 1;
        if (line == "\\medskip") {
            const std::size_t next = latex.find('\n', latexLine);
            const std::string bandLine = latex.substr(latexLine, next - latexLine);
            latexLine = next + 1;
            EXPECT_EQ(bandLine.rfind("{\\setlength{\\leftskip}", 0) == 0, band.indentLevel > 0) << bandLine;
        } else {
            EXPECT_EQ(line.rfind("{\\setlength{\\leftskip}", 0) == 0, band.indentLevel > 0) << line;
        }
        const std::size_t paragraphEnd = markdown.find("\n\n", markdownParagraph);
        const std::string paragraph = markdown.substr(markdownParagraph, paragraphEnd - markdownParagraph);
        markdownParagraph = paragraphEnd + 2;
        std::string quotes;
        for (std::size_t level = 0; level < band.indentLevel; ++level) {
            quotes += "> ";
        }
        EXPECT_EQ(paragraph.rfind(quotes, 0), 0u) << paragraph;
        EXPECT_NE(paragraph.substr(quotes.size(), 2), "> ") << paragraph;
    }
}

TEST_F(DocumentExport, MarkdownMathsIsTheSameLatexAndStepsAreDisplayed) {
    for (const Problem& problem : kProblems) {
        SCOPED_TRACE(problem.text);
        const auto owned = Solve(problem.kind, problem.text);
        const COutputList& solution = *owned;
        const std::vector<ShownBand> bands = ShownBands(solution, english, true);
        const std::string markdown = Export(solution, ExportFormat::Markdown);
        const std::vector<std::string> maths = MarkdownMaths(markdown);
        const std::vector<std::string> formulas = FormulaMarkups(bands);
        ASSERT_EQ(maths.size(), formulas.size()) << markdown;
        for (std::size_t i = 0; i < maths.size(); ++i) {
            EXPECT_EQ(CompareLatex(formulas[i], maths[i], random, 1), "") << maths[i];
            // Inline maths opens and closes next to its text, as Markdown tools require.
            EXPECT_NE(maths[i].front(), ' ');
            EXPECT_NE(maths[i].back(), ' ');
        }
        for (const ShownBand& band : bands) {
            if (band.FormulaOnly()) {
                EXPECT_NE(markdown.find("$$" + maths[0]), std::string::npos);
                break;
            }
        }
    }
}

TEST_F(DocumentExport, CommentTextsAreEscapedForEachFormat) {
    const auto owned = Solve(ProblemKind::Simplify, "2x + 3x");
    const COutputList& solution = *owned;
    CommentTexts texts;
    // Every comment of the solution gets a text full of the characters each format treats specially.
    const std::string hostile = "1. *a* _b_ [c](d) <e> & \"f\" # $g$ % ~h^ {i} \\j";
    for (const auto& record : solution.Records()) {
        for (const auto& block : record->Blocks()) {
            if (const OutputBlockComment* comment = block->AsComment()) {
                texts.SetText(comment->id, hostile);
            }
        }
    }
    ExportOptions options;
    options.format = ExportFormat::Html;
    const XmlReading html = ReadXml(ExportSolution(solution, texts, options));
    ASSERT_EQ(html.error, "");
    std::vector<const XmlElement*> spans;
    html.root.FindAll("span", spans);
    ASSERT_FALSE(spans.empty());
    for (const XmlElement* span : spans) {
        EXPECT_EQ(span->AllText(), hostile);
    }

    options.format = ExportFormat::LatexFragment;
    const std::string latex = ExportSolution(solution, texts, options);
    EXPECT_NE(
        latex.find(
            "1. *a* \\_b\\_ [c](d) <e> \\& \"f\" \\# \\$g\\$ \\% \\textasciitilde{}h\\textasciicircum{} "
            "\\{i\\} \\textbackslash{}j"),
        std::string::npos)
        << latex;

    options.format = ExportFormat::Markdown;
    const std::string markdown = ExportSolution(solution, texts, options);
    EXPECT_NE(markdown.find("1\\. \\*a\\* \\_b\\_ \\[c\\](d) \\<e\\> & \"f\" \\# \\$g\\$ % \\~h^ {i} \\\\j"),
              std::string::npos)
        << markdown;
    // The escaped dollars are no maths: only the formulas are.
    EXPECT_EQ(MarkdownMaths(markdown).size(), FormulaMarkups(ShownBands(solution, texts, true)).size());
}

TEST_F(DocumentExport, TextCommentsOffKeepOnlyTheAlwaysShownComments) {
    const auto owned = Solve(ProblemKind::Equation, "x^2 - 5x + 6 = 0");
    const COutputList& solution = *owned;
    const std::vector<ShownBand> all = ShownBands(solution, english, true);
    const std::vector<ShownBand> shown = ShownBands(solution, english, false);
    std::size_t alwaysShown = 0;
    std::size_t comments = 0;
    for (const auto& record : solution.Records()) {
        for (const auto& block : record->Blocks()) {
            if (const OutputBlockComment* comment = block->AsComment()) {
                ++comments;
                alwaysShown += comment->alwaysShown ? 1 : 0;
            }
        }
    }
    ASSERT_LT(alwaysShown, comments);
    std::size_t shownComments = 0;
    for (const ShownBand& band : shown) {
        for (const ShownBlock& block : band.blocks) {
            shownComments += block.formula ? 0 : 1;
        }
    }
    EXPECT_EQ(shownComments, alwaysShown);
    EXPECT_EQ(FormulaMarkups(shown), FormulaMarkups(all));
    // The answer keeps its heading.
    EXPECT_NE(Export(solution, ExportFormat::Text, kEnglishLanguage, false).find("Answer"),
              std::string::npos);
    const std::string html = Export(solution, ExportFormat::Html, kEnglishLanguage, false);
    EXPECT_EQ(html.find(std::string(english.Text(CommentID::DiscriminantStep))), std::string::npos);
}

TEST_F(DocumentExport, FormatsAreNamedForTheCommandLineAndFiles) {
    for (const ExportFormat format :
         {ExportFormat::Text, ExportFormat::Markdown, ExportFormat::Latex, ExportFormat::LatexFragment,
          ExportFormat::Html, ExportFormat::HtmlFragment}) {
        EXPECT_EQ(ExportFormatNamed(ExportFormatName(format)), format);
    }
    EXPECT_FALSE(ExportFormatNamed("pdf").has_value());
    EXPECT_EQ(ExportFileExtension(ExportFormat::Markdown), "md");
    EXPECT_EQ(ExportFileExtension(ExportFormat::Latex), "tex");
    EXPECT_EQ(ExportFileExtension(ExportFormat::Html), "html");
}

TEST_F(DocumentExport, AnEmptySolutionGivesAnEmptyBodyInAFrameThatStillParses) {
    const COutputList empty;
    EXPECT_EQ(Export(empty, ExportFormat::Text), "");
    EXPECT_EQ(Export(empty, ExportFormat::Markdown), "");
    EXPECT_EQ(ReadXml(Export(empty, ExportFormat::Html)).error, "");
    EXPECT_NE(Export(empty, ExportFormat::Latex).find("\\end{document}"), std::string::npos);
}

} // namespace
