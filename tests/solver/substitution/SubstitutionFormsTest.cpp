#include "solver/substitution/SubstitutionForms.h"
#include "SubstitutionTestSupport.h"
#include "solver/substitution/TreePolynomial.h"

#include <gtest/gtest.h>

namespace {

CPolynomValue Poly(const std::string& text) {
    NodePtr left = LeftSideOf(text + "=0");
    std::optional<CPolynomValue> value = left ? PolynomialOf(*left) : std::nullopt;
    EXPECT_TRUE(value.has_value()) << text;
    return value ? *value : CPolynomValue();
}

// A number from its text, with an optional minus in front.
CNumber N(const std::string& text) {
    const bool negative = !text.empty() && text[0] == '-';
    CNumber number;
    std::size_t position = 0;
    number.ParseText(text.substr(negative ? 1 : 0) + ";", position);
    if (negative) {
        number.Negate();
    }
    return number;
}

const CNumber kPoints[] = {N("-7/3"), N("-1/2"), N("2/5"), N("3"), N("11/4")};

CNumber Cube(const CNumber& v) {
    return v.Product(v).Product(v);
}

TEST(FindShiftedCubeForm, WritesTheCubePlusANumber) {
    const char* const cubics[] = {"8*x^3-12*x^2+6*x-1",  "x^3+3*x^2+3*x-7",   "-x^3+6*x^2-12*x+10",
                                  "27*x^3+27*x^2+9*x+5", "4*x^3-6*x^2+3*x-2", "2*x^3+3*x^2+3/2*x+1"};
    for (const char* text : cubics) {
        SCOPED_TRACE(text);
        const CPolynomValue polynom = Poly(text);
        std::optional<ShiftedCubeForm> form = FindShiftedCubeForm(polynom, 'x');
        ASSERT_TRUE(form.has_value());
        EXPECT_GT(form->p.Sign(), 0);
        EXPECT_GT(form->multiplier.Sign(), 0);
        for (const CNumber& x : kPoints) {
            const CNumber inner = form->p.Product(x).Sum(form->q);
            const CNumber expected = form->primitive.ValueAt('x', x).Product(form->multiplier);
            EXPECT_TRUE(form->factor.Product(Cube(inner)).Sum(form->rest).Equal(expected));
            // The primitive polynomial is the original one up to a number.
            const CNumber ratio = polynom.ValueAt('x', x).Quotient(form->primitive.ValueAt('x', x));
            EXPECT_TRUE(ratio.Equal(
                polynom.ValueAt('x', kPoints[0]).Quotient(form->primitive.ValueAt('x', kPoints[0]))));
        }
    }
    std::optional<ShiftedCubeForm> exact = FindShiftedCubeForm(Poly("8*x^3-12*x^2+6*x-1"), 'x');
    EXPECT_TRUE(exact->rest.IsZero());
    EXPECT_EQ(exact->p.ToText() + " " + exact->q.ToText(), "2 -1");
    const char* const refused[] = {"x^3+3*x^2+2*x+1", "x^3+3*x^2+3*x", "x^3-8", "x^4+4*x^3+6*x^2+4*x+1"};
    for (const char* text : refused) {
        EXPECT_FALSE(FindShiftedCubeForm(Poly(text), 'x').has_value()) << text;
    }
}

TEST(FindBiquadraticForm, OnlyWithASquareDiscriminant) {
    std::optional<BiquadraticForm> form = FindBiquadraticForm(Poly("-x^4+5*x^2-4"), 'x');
    ASSERT_TRUE(form.has_value());
    EXPECT_TRUE(form->negated);
    EXPECT_EQ(form->a.ToText() + " " + form->b.ToText() + " " + form->c.ToText(), "1 -5 4");
    EXPECT_TRUE(FindBiquadraticForm(Poly("4*x^4-37*x^2+9"), 'x').has_value());
    const char* const refused[] = {"x^4-3*x^2+1", "x^4+x^2+1",       "x^4-5*x^2",
                                   "x^4-16",      "x^4+x^3-5*x^2+4", "x^6-5*x^3+4"};
    for (const char* text : refused) {
        EXPECT_FALSE(FindBiquadraticForm(Poly(text), 'x').has_value()) << text;
    }
}

TEST(FindSymmetricQuarticForm, GivesTheQuadraticInXPlusKOverX) {
    const char* const quartics[] = {"x^4-5*x^3+8*x^2-5*x+1", "2*x^4+3*x^3-x^2+6*x+8", "-x^4+2*x^3+x^2+4*x-4"};
    for (const char* text : quartics) {
        SCOPED_TRACE(text);
        const CPolynomValue polynom = Poly(text);
        std::optional<SymmetricQuarticForm> form = FindSymmetricQuarticForm(polynom, 'x');
        ASSERT_TRUE(form.has_value());
        for (const CNumber& x : kPoints) {
            // left / x^2 = a·s^2 + b·s + (c - 2ak), s = x + k/x, up to the sign taken out.
            const CNumber s = x.Sum(form->k.Quotient(x));
            const CNumber quadratic = form->a.Product(s)
                                          .Product(s)
                                          .Sum(form->b.Product(s))
                                          .Sum(form->c)
                                          .Difference(form->a.Product(form->k).Product(CNumber(2)));
            CNumber expected = polynom.ValueAt('x', x).Quotient(x.Product(x));
            if (form->negated) {
                expected.Negate();
            }
            EXPECT_TRUE(quadratic.Equal(expected));
        }
    }
    EXPECT_FALSE(FindSymmetricQuarticForm(Poly("x^4-5*x^3+8*x^2-4*x+1"), 'x').has_value());
    EXPECT_FALSE(FindSymmetricQuarticForm(Poly("x^4+8*x^2+1"), 'x').has_value());
}

TEST(FindReciprocalForm, LambdaAndTheEquationInTheNewLetter) {
    struct Case {
        const char* text;
        const char* lambda;
    };
    const Case cases[] = {{"x^4-5*x^3+8*x^2-5*x+1", "1"},           {"x^4+3*x^3-2*x^2+6*x+4", "2"},
                          {"2*x^6-x^5-7*x^4+7*x^3-7*x^2-x+2", "1"}, {"x^4+2*x^3+5*x^2-2*x+1", "-1"},
                          {"x^6+x^5+x^4+x^3+x^2+x+1", "1"},         {"9*x^4-9*x^3+2*x^2-x+1/9", "1/9"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const CPolynomValue polynom = Poly(c.text);
        std::optional<ReciprocalForm> form = FindReciprocalForm(polynom, 'x', 't');
        ASSERT_TRUE(form.has_value());
        EXPECT_EQ(form->lambda.ToText(), c.lambda);
        EXPECT_EQ(form->reduced.DegreeIn('t'), form->halfDegree);
        for (const CNumber& x : kPoints) {
            const CNumber s = x.Sum(form->lambda.Quotient(x));
            const CNumber expected =
                polynom.ValueAt('x', x).Quotient(*x.PowerOf(static_cast<std::int32_t>(form->halfDegree)));
            EXPECT_TRUE(form->reduced.ValueAt('t', s).Equal(expected));
        }
    }
    // With -4x in place of -5x, lambda = 4/5 comes from a_1/a_3, and a_0 = lambda^2 a_4 fails.
    const char* const refused[] = {"x^4-5*x^3+8*x^2-4*x+1", "x^4-5*x^2+4", "x^4+x^3+x+2", "x^5+x^4+x+1",
                                   "x^4+x^3+x^2"};
    for (const char* text : refused) {
        EXPECT_FALSE(FindReciprocalForm(Poly(text), 'x', 't').has_value()) << text;
    }
}

TEST(FindHomogeneousQuarticForm, MatchesCAndDFromTheCubicsRoots) {
    const char* const quartics[] = {"x^4-5*x^3+x^2+12*x+6",    // 1, -5; B = x + 1, d = 6
                                    "2*x^4+x^3-5*x^2+12*x-12", // B = x - 2, d = -3
                                    "x^4+3*x^3+7*x^2+4*x+4"};
    for (const char* text : quartics) {
        SCOPED_TRACE(text);
        const CPolynomValue polynom = Poly(text);
        std::optional<HomogeneousForm> form = FindHomogeneousQuarticForm(polynom, 'x');
        ASSERT_TRUE(form.has_value());
        for (const CNumber& x : kPoints) {
            const CNumber a = x.Product(x);
            const CNumber b = x.Sum(form->c);
            const CNumber value = form->k4.Product(a)
                                      .Product(a)
                                      .Sum(form->k3.Product(a).Product(b))
                                      .Sum(form->d.Product(b).Product(b));
            EXPECT_TRUE(value.Equal(polynom.ValueAt('x', x)));
        }
    }
    EXPECT_FALSE(FindHomogeneousQuarticForm(Poly("x^4-5*x^3+x^2+12*x+7"), 'x').has_value());
    EXPECT_FALSE(FindHomogeneousQuarticForm(Poly("x^4+x^2+1"), 'x').has_value());
}

TEST(RationalRootsOf, AscendingAndOnce) {
    auto text = [](const std::vector<CNumber>& roots) {
        std::string joined;
        for (const CNumber& root : roots) {
            joined += root.ToText() + " ";
        }
        return joined;
    };
    EXPECT_EQ(text(RationalRootsOf(Poly("2*x^3-3*x^2-3*x+2"), 'x')), "-1 1/2 2 ");
    EXPECT_EQ(text(RationalRootsOf(Poly("x^3-x^2"), 'x')), "0 1 ");
    EXPECT_EQ(text(RationalRootsOf(Poly("x^3-2"), 'x')), "");
    EXPECT_EQ(text(RationalRootsOf(Poly("x^3-12345678901*x+1"), 'x')), "");
}

} // namespace
