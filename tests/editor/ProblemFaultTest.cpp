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
        int kind;
        ProblemFaultKind fault;
        const char* marked;
    };
    const Case cases[] = {
        {"x^2+=1", 0, ProblemFaultKind::Parse, " {{ x }^{ 2 }} +[ =] 1"},
        {"1/(x-1)+=2", 0, ProblemFaultKind::Parse, " {{ 1 }/{ ( x - 1 ) }} +[ =] 2"},
        {"x=1=2", 0, ProblemFaultKind::Parse, " x = 1[ =] 2"},
        {"x^2+1", 0, ProblemFaultKind::NoRelation, " {{ x }^{ 2 }} + 1[]"},
        {"x^2+1", 3, ProblemFaultKind::None, ""},
        {"2a+b=1", 0, ProblemFaultKind::SecondUnknown, " 2 a +[ b] = 1"},
        {"2a+b", 3, ProblemFaultKind::None, ""},
        {"x^", 3, ProblemFaultKind::EmptyPlace, " {{ x }^{[ ~]}}"},
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
    EXPECT_EQ(FindProblemFault(m_model.Text(), m_model.SolverText(), 0).kind, ProblemFaultKind::None);
    EXPECT_EQ(m_model.SolverText(), "");
}
