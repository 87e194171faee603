#include "ExportTestSupport.h"

#include "markup/MarkupSyntax.h"

namespace {

std::string Joined(const std::vector<std::string>& items) {
    std::string out;
    for (const std::string& item : items) {
        out += out.empty() ? "" : " | ";
        out += item;
    }
    return out;
}

std::string CompareMeanings(std::string_view markup, const ReadBack& readBack, std::mt19937& random,
                            int points) {
    if (!readBack.tree) {
        return "cannot read it back: " + readBack.error;
    }
    std::string_view inner = markup;
    if (!inner.empty() && inner.front() == '=') {
        inner.remove_prefix(1);
    }
    const std::optional<SyntaxNode> original = ReadMarkupSyntax(markup);
    if (!original) {
        return "the markup is no formula";
    }
    if (CountKind(*original, SyntaxKind::CrossedOut) != CountKind(*readBack.tree, SyntaxKind::CrossedOut)) {
        return "the crossed-out parts differ in number";
    }
    for (int i = 0; i < points; ++i) {
        const LetterValues values = RandomLetterValues(random);
        const std::vector<std::string> expected = Meaning(*original, values);
        const std::vector<std::string> actual = Meaning(*readBack.tree, values);
        if (expected != actual) {
            return "read back as " + Joined(actual) + ", the markup means " + Joined(expected);
        }
    }
    return "";
}

} // namespace

std::string CompareLatex(std::string_view markup, std::string_view latex, std::mt19937& random, int points) {
    return CompareMeanings(markup, ReadLatexFormula(latex), random, points);
}

std::string CompareMathML(std::string_view markup, const XmlElement& math, std::mt19937& random, int points) {
    return CompareMeanings(markup, ReadMathMLFormula(math), random, points);
}

std::vector<std::string> MarkdownMaths(std::string_view markdown) {
    std::vector<std::string> maths;
    for (std::size_t i = 0; i < markdown.size(); ++i) {
        if (markdown[i] == '\\') {
            ++i;
            continue;
        }
        if (markdown[i] != '$') {
            continue;
        }
        const std::string_view fence = markdown.substr(i, 2) == "$$" ? "$$" : "$";
        const std::size_t start = i + fence.size();
        const std::size_t end = markdown.find(fence, start);
        if (end == std::string_view::npos) {
            maths.push_back("<unclosed>");
            return maths;
        }
        maths.emplace_back(markdown.substr(start, end - start));
        i = end + fence.size() - 1;
    }
    return maths;
}

std::vector<std::string> LatexDocumentMaths(std::string_view latex) {
    std::vector<std::string> maths;
    constexpr std::string_view kOpen = "$\\displaystyle ";
    for (std::size_t start = latex.find(kOpen); start != std::string_view::npos;
         start = latex.find(kOpen, start)) {
        start += kOpen.size();
        const std::size_t end = latex.find('$', start);
        maths.emplace_back(latex.substr(start, end - start));
        start = end;
    }
    return maths;
}
