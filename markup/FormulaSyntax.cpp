#include "markup/FormulaSyntax.h"

#include "output/MarkupBytes.h"

namespace {

bool IsAtom(const SyntaxNode& node) {
    return node.kind == SyntaxKind::Letter || (node.kind == SyntaxKind::Number && IsPlainNumber(node)) ||
           node.kind == SyntaxKind::Verbatim || node.kind == SyntaxKind::Root ||
           node.kind == SyntaxKind::Function || node.kind == SyntaxKind::CrossedOut;
}

void Write(std::string& out, const SyntaxNode& node);

void WriteBracketed(std::string& out, const SyntaxNode& node, char open, char close) {
    out += open;
    Write(out, node);
    out += close;
}

// Sums and nested products stand in visible brackets where they are a factor; the parser reads
// brackets without making a node, so the child keeps its own node.
void WriteFactor(std::string& out, const SyntaxNode& node) {
    if (node.kind == SyntaxKind::Sum || node.kind == SyntaxKind::Product ||
        node.kind == SyntaxKind::Relation) {
        WriteBracketed(out, node, '(', ')');
    } else {
        Write(out, node);
    }
}

// The parts of fractions and powers are single operands of the parser: anything larger is braced.
void WriteSingleOperand(std::string& out, const SyntaxNode& node) {
    if (IsAtom(node)) {
        Write(out, node);
    } else {
        WriteBracketed(out, node, '{', '}');
    }
}

void WriteSum(std::string& out, const SyntaxNode& node) {
    for (std::size_t i = 0; i < node.children.size(); ++i) {
        const int sign = node.signs[i];
        if (sign < 0) {
            out += '-';
        } else if (sign == kPlusOrMinus) {
            out += static_cast<char>(MarkupBytes::kPlusOrMinus);
        } else if (i > 0) {
            out += '+';
        }
        const SyntaxNode& term = node.children[i];
        if (term.kind == SyntaxKind::Sum || term.kind == SyntaxKind::Relation) {
            WriteBracketed(out, term, '(', ')');
        } else {
            Write(out, term);
        }
    }
}

void WriteProduct(std::string& out, const SyntaxNode& node) {
    for (std::size_t i = 0; i < node.children.size(); ++i) {
        if (i > 0 || node.signs[i] < 0) {
            out += node.signs[i] < 0 ? ':' : '*';
        }
        WriteFactor(out, node.children[i]);
    }
}

void WriteRoot(std::string& out, const SyntaxNode& node) {
    if (node.children.size() > 1) {
        out += "!sqn{";
        Write(out, node.children[1]);
        out += ';';
    } else {
        out += "!sq2{";
    }
    Write(out, node.children[0]);
    out += '}';
}

void WriteSystem(std::string& out, const SyntaxNode& node) {
    out += "!sys{";
    for (std::size_t i = 0; i < node.children.size(); ++i) {
        if (i > 0) {
            out += ';';
        }
        Write(out, node.children[i]);
    }
    out += '}';
}

void Write(std::string& out, const SyntaxNode& node) {
    switch (node.kind) {
    case SyntaxKind::Number:
    case SyntaxKind::Letter:
    case SyntaxKind::Verbatim:
        out += node.text;
        return;
    case SyntaxKind::Sum:
        WriteSum(out, node);
        return;
    case SyntaxKind::Product:
        WriteProduct(out, node);
        return;
    case SyntaxKind::Fraction: {
        WriteSingleOperand(out, node.children[0]);
        // Digits, "/", digits is a fraction literal: a denominator that starts with a digit after
        // a numerator that ends with one is braced.
        const SyntaxNode& denominator = node.children[1];
        const bool afterDigit = !out.empty() && out.back() >= '0' && out.back() <= '9';
        out += '/';
        if (afterDigit && denominator.kind == SyntaxKind::Number) {
            WriteBracketed(out, denominator, '{', '}');
        } else {
            WriteSingleOperand(out, denominator);
        }
        return;
    }
    case SyntaxKind::Power:
        WriteSingleOperand(out, node.children[0]);
        out += '^';
        WriteSingleOperand(out, node.children[1]);
        return;
    case SyntaxKind::Relation:
        for (std::size_t i = 0; i < node.children.size(); ++i) {
            if (i > 0) {
                out += RelationMarkup(node.signs[i - 1]);
            }
            Write(out, node.children[i]);
        }
        return;
    case SyntaxKind::Root:
        WriteRoot(out, node);
        return;
    case SyntaxKind::CrossedOut:
        out += "!cross{1;";
        Write(out, node.children[0]);
        out += '}';
        return;
    case SyntaxKind::System:
        WriteSystem(out, node);
        return;
    case SyntaxKind::Function:
        out += '!' + node.text + '{';
        Write(out, node.children[0]);
        out += '}';
        return;
    case SyntaxKind::Subscript:
        WriteSingleOperand(out, node.children[0]);
        out += "_{" + node.text + '}';
        return;
    case SyntaxKind::ConditionReference:
        out += "!brssil{0;" + node.text + '}';
        return;
    case SyntaxKind::Labelled:
        Write(out, node.children[0]);
        out += " (" + node.text + ')';
        return;
    }
}

} // namespace

const char* RelationMarkup(int sign) {
    static constexpr const char* kMarkup[] = {
        "=", "<=", ">=", "<", ">", MarkupBytes::kNotEqualText, MarkupBytes::kApproximatelyEqualText};
    return sign >= 0 && sign < 7 ? kMarkup[sign] : "=";
}

SyntaxNode MakeLeaf(SyntaxKind kind, std::string text) {
    SyntaxNode node;
    node.kind = kind;
    node.text = std::move(text);
    return node;
}

SyntaxNode MakeNode(SyntaxKind kind, std::vector<SyntaxNode> children) {
    SyntaxNode node;
    node.kind = kind;
    node.children = std::move(children);
    return node;
}

SyntaxNode MakeUnary(SyntaxKind kind, SyntaxNode child) {
    SyntaxNode node;
    node.kind = kind;
    node.children.push_back(std::move(child));
    return node;
}

SyntaxNode MakeBinary(SyntaxKind kind, SyntaxNode first, SyntaxNode second) {
    SyntaxNode node;
    node.kind = kind;
    node.children.reserve(2);
    node.children.push_back(std::move(first));
    node.children.push_back(std::move(second));
    return node;
}

bool IsPlainNumber(const SyntaxNode& node) {
    return node.kind == SyntaxKind::Number && node.text.find_first_of("/@") == std::string::npos;
}

std::string WriteSyntaxMarkup(const SyntaxNode& node) {
    std::string out;
    Write(out, node);
    return out;
}
