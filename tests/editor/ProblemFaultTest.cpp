// Where the editor places the fault of a problem before handing it over.

#include "editor/ProblemFault.h"
#include "EditorModelTestSupport.h"

namespace {

// The editor text with the tokens at fault between "[" and "]".
std::string Marked(const std::string& text, const ProblemFault& fault) {
    std::string marked = text;
    marked.insert(static_cast<std::size_t>(fault.end), "]");
    marked.insert(static_cast<std::size_t>(fault.start), "[");
    return marked;
}

} // namespace

TEST_F(EditorModelTest, FaultsArePlacedOnTheTokensOfTheEditorText) {
    struct Case {
        const char* typed;
        ProblemKind kind;
        ProblemFaultKind fault;
        const char* marked;
    };
    const Case cases[] = {
        {"x^2+=1", ProblemKind::Equation, ProblemFaultKind::Parse, " {{ x }^{ 2 }} +[ =] 1"},
        {"1/(x-1)+=2", ProblemKind::Equation, ProblemFaultKind::Parse, " {{ 1 }/{ ( x - 1 ) }} +[ =] 2"},
        {"x=1=2", ProblemKind::Equation, ProblemFaultKind::Parse, " x = 1[ =] 2"},
        {"x^2+1", ProblemKind::Equation, ProblemFaultKind::NoRelation, " {{ x }^{ 2 }} + 1[]"},
        {"x^2+1", ProblemKind::Simplify, ProblemFaultKind::None, ""},
        {"2a+b=1", ProblemKind::Equation, ProblemFaultKind::SecondUnknown, " 2 a +[ b] = 1"},
        {"2a+b", ProblemKind::Simplify, ProblemFaultKind::None, ""},
        {"x^", ProblemKind::Simplify, ProblemFaultKind::EmptyPlace, " {{ x }^{[ ~]}}"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        m_model.Load(" ~");
        Type(c.typed);
        const ProblemFault fault = FindProblemFault(m_model.Text(), m_model.SolverText(), c.kind);
        EXPECT_EQ(fault.kind, c.fault);
        if (fault.kind != ProblemFaultKind::None) {
            EXPECT_EQ(Marked(m_model.Text(), fault), c.marked);
        }
    }
    // An empty problem has no fault, and hands over nothing.
    m_model.Load(" ~");
    EXPECT_EQ(FindProblemFault(m_model.Text(), m_model.SolverText(), ProblemKind::Equation).kind,
              ProblemFaultKind::None);
    EXPECT_EQ(m_model.SolverText(), "");
}
