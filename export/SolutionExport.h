#pragma once

// Solutions leave the program: a solved problem's records written as one document in a format that
// other programs read. The documents hold the whole solution as the solution view shows it: every
// formula, the comment texts in the chosen language (only the always-shown ones when text comments
// are off), the bands with their nesting (problem, steps, domain and check blocks indented, the
// answer) and the crossed-out parts. Exporting only reads the records; it never solves again.
//
// How to call it:
//
//   COutputList solution;                                   // records of a solve (SolveProblem)
//   SolveProblem(ProblemKind::Equation, "x^2-5x+6=0", &solution);
//   const CommentTexts texts = CommentTexts::Load(kEnglishLanguage, baseFolder);  // "Res/English.ini"
//   ExportOptions options;
//   options.format = ExportFormat::Html;                    // or Text, Markdown, Latex, ...
//   options.language = kEnglishLanguage;
//   const std::string html = ExportSolution(solution, texts, options);
//
// The result is UTF-8. The function has no other effect and may be called from any thread as long as
// the records are not changed meanwhile. The pictures (PNG, SVG, PDF) are drawn by the display
// library (display/SolutionRenderer.h), not here.

#include "export/CommentTexts.h"
#include "output/COutputList.h"
#include "output/LanguageTables.h"

#include <optional>
#include <string>
#include <string_view>

enum class ExportFormat {
    Text,          // readable Unicode text, one line per band, indented two blanks a level
    Markdown,      // paragraphs with LaTeX maths ($…$ inline, $$…$$ display), nesting as block quotes
    Latex,         // a complete document: article, amsmath, cancel, babel (T2A/UTF-8 for Russian)
    LatexFragment, // the document's body alone, for pasting into a document that loads amsmath and cancel
    Html,          // one self-contained page: no scripts, no external files, MathML formulas, bands coloured
    HtmlFragment,  // the page's solution alone: one <div class="orbelin-solution">, styled by
                   // SolutionStyleSheet() (the page holds that sheet in its <style>)
};

struct ExportOptions {
    ExportFormat format = ExportFormat::Text;
    // 0 Russian, 1 English: the decimal separator, the document's language (LaTeX babel, HTML lang).
    // The comment texts themselves come from the CommentTexts given.
    int language = kEnglishLanguage;
    // Off: only the comments marked always shown, as the view shows them with text comments off.
    bool textComments = true;
};

std::string ExportSolution(const COutputList& solution, const CommentTexts& texts,
                           const ExportOptions& options);

// The CSS that colours and indents the bands of an HTML export as on screen, scoped to
// ".orbelin-solution". The page carries it in its <style>; a server that embeds fragments serves it
// as its own style sheet (no style attributes are used, so a strict content security policy holds).
std::string SolutionStyleSheet();

// The format's name on the command line: "text", "markdown", "latex", "latex-fragment", "html",
// "html-fragment"; and back.
std::string_view ExportFormatName(ExportFormat format);
std::optional<ExportFormat> ExportFormatNamed(std::string_view name);

// The usual file extension, without the dot: "txt", "md", "tex", "html".
std::string_view ExportFileExtension(ExportFormat format);
