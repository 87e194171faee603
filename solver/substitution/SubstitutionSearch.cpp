#include "solver/substitution/SubstitutionSearch.h"

#include "model/COAddition.h"
#include "model/COFraction.h"
#include "model/COMultiplication.h"
#include "model/CONumber.h"
#include "model/COPower.h"
#include "model/CORoot.h"
#include "model/COVariable.h"
#include "model/COperationList.h"
#include "model/NodeCast.h"
#include "model/TreeQueries.h"
#include "model/WorkBudget.h"
#include "solver/Methods.h"
#include "solver/substitution/PolynomialDecomposition.h"
#include "solver/substitution/TreePolynomial.h"

#include <algorithm>
#include <numeric>

namespace {

// Most expressions the generators may try, kept or not.
constexpr std::int32_t kMaxProposals = 3'000;

// The work of one search: node comparisons and copied nodes. Every proposal copies the equation
// and compares the expression with its parts, so a long equation with many parts would make the
// search quadratic in the parts and linear in the equation for each; past the bound the search
// proposes nothing more. The work is charged to the solve's budget too.
struct SearchWork {
    std::int64_t done = 0;

    bool Spent() const { return done >= SubstitutionLimits::kMaxSearchWork; }
    void Add(std::int64_t units) {
        done += units;
        WorkBudget::Charge(units * WorkBudget::kUnitsPerNodeComparison);
    }
};

struct Search {
    char unknown = 'x';
    char letter = 't';
    // The left side with its forms unbuilt and its lists flattened.
    NodePtr prepared;
    std::int64_t halfSize = 0;
    // The operation count of the prepared left side: what one copy of it costs.
    std::int64_t operations = 0;
    // The left side as a polynomial in the unknown, when it is one.
    std::optional<CPolynomValue> polynomial;
    std::int64_t degree = -1;
    std::int32_t proposals = 0;
    SearchWork work;
    ReplacementList candidates;
    // The classes (AffineClassOf) of the polynomial expressions proposed so far.
    std::vector<CPolynomValue> classes;

    bool Exhausted() const {
        return proposals >= kMaxProposals || work.Spent() ||
               candidates.size() >= SubstitutionLimits::kMaxCandidates;
    }
    // Counts one proposal; false when the search may make no more.
    bool Propose() {
        if (Exhausted()) {
            return false;
        }
        ++proposals;
        return true;
    }
    // A copy of the prepared equation to rewrite, charged as work.
    NodePtr Copy() {
        work.Add(operations);
        return prepared->Clone();
    }
    void Add(NodePtr expression, NodePtr equation) {
        if (std::optional<CPolynomValue> value = PolynomialOf(*expression)) {
            classes.push_back(AffineClassOf(*value));
        }
        auto record = std::make_unique<Substitution>();
        record->expression = std::move(expression);
        record->equation = std::move(equation);
        record->letter = letter;
        candidates.push_back(ReplacementStruct{std::move(record)});
    }
};

bool Holds(const COperation& node, char letter) {
    return CollectLetters(node).find(letter) != std::string::npos;
}

// Every node of the tree, parents before children.
std::vector<const COperation*> NodesOf(const COperation& root) {
    std::vector<const COperation*> nodes;
    std::vector<const COperation*> pending{&root};
    while (!pending.empty()) {
        const COperation* node = pending.back();
        pending.pop_back();
        nodes.push_back(node);
        if (const COperationList* list = node->AsList()) {
            for (auto cell = list->GetCells().rbegin(); cell != list->GetCells().rend(); ++cell) {
                pending.push_back(cell->child.get());
            }
        } else if (node->GetFamily() == NodeFamily::Power) {
            pending.push_back(NodeAs<COPower>(*node).Exponent());
            pending.push_back(NodeAs<COPower>(*node).Base());
        } else if (node->GetFamily() == NodeFamily::Root) {
            pending.push_back(NodeAs<CORoot>(*node).Radicand());
        }
    }
    return nodes;
}

std::int32_t CountLetter(const COperation& root, char letter) {
    std::int32_t count = 0;
    for (const COperation* node : NodesOf(root)) {
        if (node->GetFamily() == NodeFamily::Variable && NodeAs<COVariable>(*node).Letter() == letter) {
            ++count;
        }
    }
    return count;
}

bool SameListKind(const COperation& a, const COperation& b) {
    return (a.GetFamily() == NodeFamily::Addition) == (b.GetFamily() == NodeFamily::Addition);
}

// Finds the pattern's elements among the list's, each matched once, with the signs of the pattern
// times `sign`; on success the matched cells are replaced by one cell holding the replacement.
bool ReplaceOnceInList(COperationList& list, const COperationList& pattern, const COperation& replacement,
                       std::int32_t sign, SearchWork& work) {
    std::vector<COperationList::Position> matched;
    for (const ListCell& wanted : pattern.GetCells()) {
        bool found = false;
        for (auto cell = list.Head(); cell != list.End(); ++cell) {
            work.Add(1);
            if (cell->sign != wanted.sign * sign ||
                std::find(matched.begin(), matched.end(), cell) != matched.end() ||
                !IsEqualNodes(*cell->child, *wanted.child)) {
                continue;
            }
            matched.push_back(cell);
            found = true;
            break;
        }
        if (!found) {
            return false;
        }
    }
    list.InsertBefore(matched.front(), replacement.Clone(), sign);
    for (COperationList::Position cell : matched) {
        list.RemoveAt(cell, 1);
    }
    return true;
}

// Replaces every occurrence of the pattern in the tree at slot, also as a part of a larger sum or
// product, by a copy of the replacement.
void ReplaceOccurrences(NodePtr& slot, const COperation& pattern, const COperation& replacement,
                        SearchWork& work) {
    work.Add(1);
    if (IsEqualNodes(*slot, pattern)) {
        slot = replacement.Clone();
        return;
    }
    if (COperationList* list = slot->AsList()) {
        const COperationList* patternList = pattern.AsList();
        if (patternList && SameListKind(*slot, pattern) && patternList->GetCount() <= list->GetCount()) {
            const bool isSum = slot->GetFamily() == NodeFamily::Addition;
            for (std::int32_t round = list->GetCount(); round > 0; --round) {
                if (!ReplaceOnceInList(*list, *patternList, replacement, 1, work) &&
                    !(isSum && ReplaceOnceInList(*list, *patternList, replacement, -1, work))) {
                    break;
                }
            }
        }
        for (ListCell& cell : *list) {
            ReplaceOccurrences(cell.child, pattern, replacement, work);
        }
    } else if (slot->GetFamily() == NodeFamily::Power) {
        auto& power = NodeAs<COPower>(*slot);
        ReplaceOccurrences(power.BaseSlot(), pattern, replacement, work);
        ReplaceOccurrences(power.ExponentSlot(), pattern, replacement, work);
    } else if (slot->GetFamily() == NodeFamily::Root) {
        ReplaceOccurrences(NodeAs<CORoot>(*slot).RadicandSlot(), pattern, replacement, work);
    }
}

std::int64_t ExponentGcd(const CPolynomValue& polynom, char letter) {
    std::int64_t g = 0;
    for (const PolynomTerm& term : polynom.Terms()) {
        g = std::gcd(g, term.ExponentOf(static_cast<unsigned char>(letter)));
    }
    return g;
}

CPolynomValue ExponentsDivided(const CPolynomValue& polynom, std::int64_t q) {
    CPolynomValue result;
    for (PolynomTerm term : polynom.Terms()) {
        for (LetterPower& power : term.powers) {
            power.exponent /= q;
        }
        result.Append(std::move(term));
    }
    result.Normalize();
    return result;
}

// A polynomial rewriting is kept when it lowers the degree to 2 or more.
bool LowersDegree(const Search& search, std::int64_t newDegree) {
    return newDegree >= 2 && (search.degree < 0 || newDegree < search.degree);
}

// --- generator 1: powers and runs, replaced where they occur ------------------------------------

void ProposeByReplacement(Search& search, const COperation& expression) {
    if (expression.GetFamily() == NodeFamily::Variable || !Holds(expression, search.unknown) ||
        !search.Propose()) {
        return;
    }
    NodePtr copy = search.Copy();
    ReplaceOccurrences(copy, expression, COVariable(search.letter), search.work);
    if (Holds(*copy, search.unknown) ||
        (SubstitutionSize(expression) > search.halfSize && CountLetter(*copy, search.letter) < 2)) {
        return;
    }
    std::optional<CPolynomValue> rewritten = PolynomialOf(*copy);
    if (!rewritten) {
        return;
    }
    const std::int64_t g = ExponentGcd(*rewritten, search.letter);
    const std::int64_t degree = rewritten->DegreeIn(static_cast<unsigned char>(search.letter));
    for (std::int64_t q = 1; q <= g; ++q) {
        if (g % q != 0 || !LowersDegree(search, degree / q)) {
            continue;
        }
        if (q == 1) {
            search.Add(expression.Clone(), copy->Clone());
        } else {
            search.Add(std::make_unique<COPower>(expression.Clone(),
                                                 std::make_unique<CONumber>(static_cast<std::int32_t>(q))),
                       PlainTreeOf(ExponentsDivided(*rewritten, q)));
        }
    }
}

std::vector<const ListCell*> CellsOf(const COperation& owner) {
    std::vector<const ListCell*> cells;
    for (const ListCell& cell : owner.AsList()->GetCells()) {
        cells.push_back(&cell);
    }
    return cells;
}

// The elements first..last of a list as a node of the list's plain family; a run of a sum starts
// with a plus (the signs are flipped when it does not).
NodePtr RunOf(const COperation& owner, const std::vector<const ListCell*>& cells, std::size_t first,
              std::size_t last) {
    NodePtr run;
    switch (owner.GetFamily()) {
    case NodeFamily::Addition:
        run = std::make_unique<COAddition>();
        break;
    case NodeFamily::Fraction:
        run = std::make_unique<COFraction>();
        break;
    default:
        run = std::make_unique<COMultiplication>();
        break;
    }
    const std::int32_t flip = owner.GetFamily() == NodeFamily::Addition && cells[first]->sign < 0 ? -1 : 1;
    for (std::size_t index = first; index <= last; ++index) {
        run->AsList()->AddTail(cells[index]->child->Clone(), cells[index]->sign * flip);
    }
    return run;
}

void ProposePowersAndRuns(Search& search, const std::vector<const COperation*>& nodes) {
    for (const COperation* node : nodes) {
        if (node->GetFamily() == NodeFamily::Power) {
            ProposeByReplacement(search, *node);
        }
        if (!node->AsList()) {
            continue;
        }
        const std::vector<const ListCell*> cells = CellsOf(*node);
        for (std::size_t first = 0; first + 1 < cells.size(); ++first) {
            if (node->GetFamily() != NodeFamily::Addition && cells[first]->sign < 0) {
                continue;
            }
            for (std::size_t last = first + 1; last < cells.size() && !search.Exhausted(); ++last) {
                search.work.Add(static_cast<std::int64_t>(last - first + 1));
                ProposeByReplacement(search, *RunOf(*node, cells, first, last));
            }
        }
    }
}

// --- generators 2 and 3: expressions the whole left side is a polynomial in -------------------

bool ClassAlreadyProposed(const Search& search, const CPolynomValue& polynomClass) {
    return std::find(search.classes.begin(), search.classes.end(), polynomClass) != search.classes.end();
}

// A rewriting by decomposition is proposed only for a class of expressions that the replacement of
// occurring expressions has not proposed already, and never for a power of the unknown alone (the
// biquadratic and like tests are there for those).
void ProposeByDecomposition(Search& search, const CPolynomValue& inner) {
    if (!search.polynomial || inner.DegreeIn(search.unknown) < 1 || !search.Propose()) {
        return;
    }
    const CPolynomValue polynomClass = AffineClassOf(inner);
    if (polynomClass.TermCount() < 2 || ClassAlreadyProposed(search, polynomClass)) {
        return;
    }
    // The outer polynomial of a decomposition has the degree of the whole over that of the inner
    // one. A decomposition that could not lower the degree is not built: an inner polynomial of
    // degree 1 splits every polynomial, at the price of all its powers in long fractions.
    const auto unknown = static_cast<unsigned char>(search.unknown);
    const std::int64_t innerDegree = inner.DegreeIn(unknown);
    const std::int64_t wholeDegree = search.polynomial->DegreeIn(unknown);
    if (wholeDegree % innerDegree != 0 || !LowersDegree(search, wholeDegree / innerDegree)) {
        return;
    }
    std::optional<CPolynomValue> outer =
        DecomposeIn(*search.polynomial, inner, search.unknown, search.letter);
    if (outer && LowersDegree(search, outer->DegreeIn(static_cast<unsigned char>(search.letter)))) {
        search.Add(PlainTreeOf(inner), PlainTreeOf(*outer));
    }
}

void ProposeTermPairs(Search& search, const std::vector<const COperation*>& nodes) {
    for (const COperation* node : nodes) {
        if (node->GetFamily() != NodeFamily::Addition || node->AsList()->GetCount() < 3) {
            continue;
        }
        const std::vector<const ListCell*> cells = CellsOf(*node);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            for (std::size_t j = i + 1; j < cells.size() && !search.Exhausted(); ++j) {
                search.work.Add(2);
                COAddition pair(cells[i]->child->Clone(), cells[i]->sign);
                pair.AddTail(cells[j]->child->Clone(), cells[j]->sign);
                std::optional<CPolynomValue> inner = PolynomialOf(pair);
                if (inner) {
                    ProposeByDecomposition(search, AffineClassOf(*inner));
                }
            }
        }
    }
}

void ProposeShiftedSums(Search& search, const std::vector<const COperation*>& nodes) {
    std::vector<CPolynomValue> sums;
    for (const COperation* node : nodes) {
        if (node->GetFamily() == NodeFamily::Addition && node != search.prepared.get()) {
            std::optional<CPolynomValue> value = PolynomialOf(*node);
            if (value && value->HasLetter(static_cast<unsigned char>(search.unknown))) {
                sums.push_back(std::move(*value));
            }
        }
    }
    // The lower of the two sums is proposed: x^2+x+1 for (x^2+x+1)(x^2+x+2).
    for (std::int32_t shift = 1; shift <= 3; ++shift) {
        for (const CPolynomValue& first : sums) {
            for (const CPolynomValue& second : sums) {
                if (search.Exhausted()) {
                    return;
                }
                search.work.Add(static_cast<std::int64_t>(first.TermCount() + second.TermCount()));
                const CPolynomValue difference = second.Difference(first);
                if (difference.IsNumber(CNumber(shift))) {
                    ProposeByDecomposition(search, first);
                }
            }
        }
    }
}

// --- generator 4: a fraction and its reciprocal -------------------------------------------------

NodePtr ReciprocalOf(const COperation& fraction) {
    auto reciprocal = std::make_unique<COFraction>();
    for (const ListCell& cell : fraction.AsList()->GetCells()) {
        if (cell.sign < 0) {
            reciprocal->AddTail(cell.child->Clone(), 1);
        }
    }
    for (const ListCell& cell : fraction.AsList()->GetCells()) {
        if (cell.sign > 0) {
            reciprocal->AddTail(cell.child->Clone(), -1);
        }
    }
    return reciprocal;
}

void ProposeFractions(Search& search, const std::vector<const COperation*>& nodes) {
    for (const COperation* node : nodes) {
        if (node->GetFamily() != NodeFamily::Addition) {
            continue;
        }
        for (const ListCell& cell : node->AsList()->GetCells()) {
            const COperation& fraction = *cell.child;
            if (fraction.GetFamily() != NodeFamily::Fraction || !HasDenominator(fraction) ||
                !Holds(fraction, search.unknown) || !search.Propose()) {
                continue;
            }
            NodePtr copy = search.Copy();
            ReplaceOccurrences(copy, fraction, COVariable(search.letter), search.work);
            COFraction inverse(std::make_unique<CONumber>(1), 1);
            inverse.AddTail(std::make_unique<COVariable>(search.letter), -1);
            ReplaceOccurrences(copy, *ReciprocalOf(fraction), inverse, search.work);
            if (!Holds(*copy, search.unknown) && CountLetter(*copy, search.letter) >= 2) {
                search.Add(fraction.Clone(), std::move(copy));
            }
        }
    }
}

} // namespace

NodePtr PreparedForSearch(const COperation& left) {
    NodePtr copy = left.Clone();
    UnbuildHyperMonoms(&copy);
    UnbuildPolynoms(&copy);
    UnbuildMonoms(&copy);
    FlattenLists(&copy);
    return copy;
}

ReplacementList FindSubstitutionCandidates(const COperation& left, char unknown) {
    Search search;
    search.unknown = unknown;
    search.letter = NewLetterFor(unknown);
    search.prepared = PreparedForSearch(left);
    search.operations = CountOperations(*search.prepared);
    if (search.operations > SubstitutionLimits::kMaxSearchedOperations) {
        return {};
    }
    search.halfSize = SubstitutionSize(*search.prepared) / 2;
    search.polynomial = PolynomialOf(*search.prepared);
    if (search.polynomial) {
        if (search.polynomial->Letters() != std::string(1, unknown)) {
            search.polynomial.reset();
        } else {
            search.degree = search.polynomial->DegreeIn(static_cast<unsigned char>(unknown));
        }
    }
    const std::vector<const COperation*> nodes = NodesOf(*search.prepared);
    ProposePowersAndRuns(search, nodes);
    ProposeTermPairs(search, nodes);
    ProposeShiftedSums(search, nodes);
    ProposeFractions(search, nodes);
    return std::move(search.candidates);
}

std::unique_ptr<Substitution> ChooseSubstitution(ReplacementList& candidates) {
    ReplacementStruct* best = nullptr;
    std::int64_t bestSize = -1;
    for (ReplacementStruct& candidate : candidates) {
        if (!candidate.substitution || candidate.substitution->secondExpression) {
            continue;
        }
        const std::int64_t size = SubstitutionSize(*candidate.substitution->expression);
        if (size > bestSize) {
            best = &candidate;
            bestSize = size;
        }
    }
    if (!best) {
        return nullptr;
    }
    std::unique_ptr<Substitution> chosen = std::move(best->substitution);
    BuildMonoms(&chosen->expression);
    BuildPolynoms(&chosen->expression);
    return chosen;
}

std::unique_ptr<Substitution> FindRepeatedSubstitution(const COperation& left, char unknown) {
    ReplacementList candidates = FindSubstitutionCandidates(left, unknown);
    return ChooseSubstitution(candidates);
}

NodePtr ReplacedBy(const COperation& left, const COperation& expression, char letter) {
    NodePtr copy = PreparedForSearch(left);
    SearchWork work;
    ReplaceOccurrences(copy, expression, COVariable(letter), work);
    return copy;
}

namespace {

// Bases of powers, factors of products and terms of sums that hold the unknown, each once.
std::vector<const COperation*> PairCandidates(const std::vector<const COperation*>& nodes, char unknown) {
    std::vector<const COperation*> parts;
    auto add = [&](const COperation* part) {
        if (!Holds(*part, unknown) || part->GetFamily() == NodeFamily::Number) {
            return;
        }
        for (const COperation* known : parts) {
            if (IsEqualNodes(*known, *part)) {
                return;
            }
        }
        parts.push_back(part);
    };
    for (const COperation* node : nodes) {
        if (node->GetFamily() == NodeFamily::Power) {
            add(NodeAs<COPower>(*node).Base());
        } else if (const COperationList* list = node->AsList()) {
            for (const ListCell& cell : list->GetCells()) {
                add(cell.child.get());
            }
        }
    }
    return parts;
}

// All terms of one total degree n >= 2 in the two letters, A^n and B^n among them.
bool IsHomogeneousPair(const CPolynomValue& polynom, char first, char second) {
    if (polynom.Letters() != std::string{first, second}) {
        return false;
    }
    const std::int64_t n = polynom.TotalDegree();
    bool pureFirst = false;
    bool pureSecond = false;
    for (const PolynomTerm& term : polynom.Terms()) {
        if (term.Degree() != n) {
            return false;
        }
        pureFirst = pureFirst || term.ExponentOf(static_cast<unsigned char>(first)) == n;
        pureSecond = pureSecond || term.ExponentOf(static_cast<unsigned char>(second)) == n;
    }
    return n >= 2 && pureFirst && pureSecond;
}

} // namespace

std::unique_ptr<Substitution> FindTwoLetterCandidate(const COperation& left, char unknown) {
    NodePtr prepared = PreparedForSearch(left);
    const std::int64_t operations = CountOperations(*prepared);
    if (operations > SubstitutionLimits::kMaxSearchedOperations) {
        return nullptr;
    }
    const char first = FirstPairLetterFor(unknown);
    const char second = SecondPairLetterFor(unknown);
    const std::vector<const COperation*> parts = PairCandidates(NodesOf(*prepared), unknown);
    std::int32_t proposals = 0;
    SearchWork work;
    for (const COperation* p : parts) {
        for (const COperation* q : parts) {
            if (p == q) {
                continue;
            }
            if (++proposals > kMaxProposals || work.Spent()) {
                return nullptr;
            }
            work.Add(operations);
            NodePtr copy = prepared->Clone();
            ReplaceOccurrences(copy, *p, COVariable(first), work);
            ReplaceOccurrences(copy, *q, COVariable(second), work);
            if (Holds(*copy, unknown)) {
                continue;
            }
            std::optional<CPolynomValue> rewritten = PolynomialOf(*copy);
            if (!rewritten || !IsHomogeneousPair(*rewritten, first, second)) {
                continue;
            }
            auto record = std::make_unique<Substitution>();
            record->equation = std::move(copy);
            record->expression = p->Clone();
            record->secondExpression = q->Clone();
            record->letter = first;
            record->secondLetter = second;
            return record;
        }
    }
    return nullptr;
}
