// The editing rules of the formula editor, on the model alone.

#include "EditorModelTestSupport.h"

// --- typing ---------------------------------------------------------------------------------------

TEST_F(EditorModelTest, TypedTokensArePrecededByBlanksAndReplaceThePlaceholder) {
    EXPECT_EDITOR(" ~", 0);
    Type("2x");
    EXPECT_EDITOR(" 2 x", 4);
    EXPECT_EQ(m_model.DisplayText(), "$2.x$");
    EXPECT_EQ(m_model.SolverText(), "2.x");
}

TEST_F(EditorModelTest, SlashOnAnEmptyProblemInsertsAFractionWithTheCaretOnItsNumerator) {
    Type("/");
    EXPECT_EDITOR(" {{ ~}/{ ~}}", 3);
    Type("1");
    EXPECT_EDITOR(" {{ 1 }/{ ~}}", 5);
    Press(EditorKey::Right);
    EXPECT_EQ(m_model.Caret(), 9);
    Type("4");
    EXPECT_EDITOR(" {{ 1 }/{ 4 }}", 11);
    Press(EditorKey::End);
    Type("+x");
    EXPECT_EQ(m_model.SolverText(), "1/4+x");
}

TEST_F(EditorModelTest, TypedProblemsTakeTheFormOfTheBuiltInExamples) {
    Type("(x-4");
    Press(EditorKey::Right);
    Type("(x-2");
    Press(EditorKey::Right);
    Type("+8=0");
    EXPECT_EQ(m_model.Text(), " ( x - 4 ) ( x - 2 ) + 8 = 0");
    EXPECT_EQ(m_model.SolverText(), "(x-4).(x-2)+8=0");

    // A mixed number: the whole part, then the fraction template (a typed "/" would take the 2 as the
    // numerator).
    m_model.Load(" ~");
    Type("2");
    m_model.InsertTemplate(EditorTemplate::Fraction);
    Type("1");
    Press(EditorKey::Right);
    Type("3");
    Press(EditorKey::End);
    Type("+x");
    EXPECT_EQ(m_model.Text(), " 2 {{ 1 }/{ 3 }} + x");
    EXPECT_EQ(m_model.SolverText(), "2@{1/3}+x");
}

// Typed as it is written on one line, a problem becomes the formula linear notation means: a sign
// after a complete exponent or denominator leaves it, "/" and "^" take the operand before them, and ")"
// steps over the bracket the template put there.
TEST_F(EditorModelTest, NaturalTypingBuildsTheFormulaOfLinearNotation) {
    const std::pair<const char*, const char*> cases[] = {
        {"x^2-5x+6=0", "x^2-5.x+6=0"},
        {"12^2+x^3=0", "12^2+x^3=0"},
        {"2x^2*3", "2.x^2*3"},
        {"1/(x-1)+1/(x+1)+1/(x-2)=0", "1/(x-1)+1/(x+1)+1/(x-2)=0"},
        {"2x/3+1", "{2.x}/3+1"},
        {"(x+1)/(x-1)=2", "(x+1)/(x-1)=2"},
        {"x^(n+1)-x", "x^(n+1)-x"},
        {"x^2^3+1", "x^{2^3}+1"},
        {"3,5x/7=1", "{3,5.x}/7=1"},
        {"a/b:c", "a/b:c"},
        {"(x-2)(x+3)^2=0", "(x-2).(x+3)^2=0"},
    };
    for (const auto& [typed, solverText] : cases) {
        SCOPED_TRACE(typed);
        m_model.Load(" ~");
        Type(typed);
        EXPECT_EQ(m_model.SolverText(), solverText);
        EXPECT_TRUE(FormulaLaysOut(m_graphics, m_model.DisplayText()));
    }
    // Inside an exponent still empty, a sign stays there (it starts the exponent: x^-1).
    m_model.Load(" ~");
    Type("x^-1");
    EXPECT_EQ(m_model.SolverText(), "x^{-1}");
}

TEST_F(EditorModelTest, EitherSeparatorKeyTypesTheDecimalCommaInEitherLanguage) {
    for (const int language : {kEnglishLanguage, kRussianLanguage}) {
        m_model.SetLanguage(language);
        for (const char* typed : {"0.5x", "0,5x"}) {
            SCOPED_TRACE(typed);
            m_model.Load(" ~");
            Type(typed);
            EXPECT_EQ(m_model.Text(), " 0 , 5 x");
            EXPECT_EQ(m_model.SolverText(), "0,5.x");
        }
    }
}

TEST_F(EditorModelTest, CharactersOutsideTheAcceptedSetChangeNothing) {
    for (const unsigned char c : std::string("#!_ $~{[;\xE9")) {
        SCOPED_TRACE(static_cast<int>(c));
        EXPECT_FALSE(m_model.TypeCharacter(c));
        EXPECT_EDITOR(" ~", 0);
    }
    // The division sign is kept as its own byte, and the solver gets the markup's division.
    Type("6");
    EXPECT_TRUE(m_model.TypeCharacter(0xB8));
    Type("x");
    EXPECT_EQ(m_model.Text(), " 6 \xB8 x");
    EXPECT_EQ(m_model.SolverText(), "6:x");
}

TEST_F(EditorModelTest, TypingReplacesAShownSelection) {
    Type("2x+1");
    Press(EditorKey::Home);
    Press(EditorKey::Right, 2, true);
    ASSERT_EQ(m_model.SelectedText(), "2 x");
    Type("y");
    EXPECT_EDITOR(" y + 1", 2);
    EXPECT_FALSE(m_model.SelectionShown());
}

// --- templates and wrapping ------------------------------------------------------------------------

TEST_F(EditorModelTest, TemplatesLandTheCaretOnTheirFirstSlot) {
    m_model.InsertTemplate(EditorTemplate::Power);
    EXPECT_EDITOR(" {{ ~}^{ ~}}", 3);
    m_model.Load(" ~");
    m_model.InsertTemplate(EditorTemplate::Brackets);
    EXPECT_EDITOR(" ( ~)", 2);
    Type(")");
    EXPECT_EDITOR(" ( ( ~) )", 4);
}

TEST_F(EditorModelTest, WrapsEncloseTheSelectionAndPlaceTheCaretOnTheNewSlot) {
    struct Case {
        SelectionWrap wrap;
        const char* text;
        int caret;
    } const cases[] = {
        {SelectionWrap::Brackets, " ( 2 x ) + 1", 6},
        {SelectionWrap::PowerBase, " {{ 2 x }^{ ~}} + 1", 11},
        {SelectionWrap::Numerator, " {{ 2 x }/{ ~}} + 1", 11},
        {SelectionWrap::PowerExponent, " {{ ~}^{ 2 x }} + 1", 3},
        {SelectionWrap::Denominator, " {{ ~}/{ 2 x }} + 1", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        m_model.Load(" 2 x + 1");
        Press(EditorKey::Right, 2, true);
        ASSERT_TRUE(m_model.SelectionShown());
        m_model.Wrap(c.wrap);
        EXPECT_EDITOR(c.text, c.caret);
        EXPECT_FALSE(m_model.SelectionShown());
        EXPECT_TRUE(FormulaLaysOut(m_graphics, m_model.DisplayText()));
    }
    // Without a selection a wrap inserts its template.
    m_model.Load(" ~");
    m_model.Wrap(SelectionWrap::Denominator);
    EXPECT_EDITOR(" {{ ~}/{ ~}}", 3);
}

TEST_F(EditorModelTest, PowerSignRaisesTheTokenOrGroupBeforeTheCaret) {
    Type("2x^2");
    EXPECT_EQ(m_model.Text(), " 2 {{ x }^{ 2 }}");
    EXPECT_EQ(m_model.SolverText(), "2.x^2");

    m_model.Load(" ~");
    Type("(x+1");
    Press(EditorKey::Right);
    Type("^3");
    EXPECT_EQ(m_model.Text(), " {{ ( x + 1 ) }^{ 3 }}");
    EXPECT_EQ(m_model.SolverText(), "(x+1)^3");

    // Nothing before the caret: the power template.
    m_model.Load(" ~");
    Type("^");
    EXPECT_EDITOR(" {{ ~}^{ ~}}", 3);
}

// --- deleting ----------------------------------------------------------------------------------------

TEST_F(EditorModelTest, BackspaceRightAfterAnOpeningBraceDoesNothing) {
    Type("/");
    m_model.Backspace();
    EXPECT_EDITOR(" {{ ~}/{ ~}}", 3);
    Press(EditorKey::Right);
    m_model.Backspace();
    EXPECT_EDITOR(" {{ ~}/{ ~}}", 8);
}

TEST_F(EditorModelTest, DeletingTheOnlyTokenLeavesTheEmptyProblem) {
    Type("7");
    m_model.Backspace();
    EXPECT_EDITOR(" ~", 0);
    Type("7");
    Press(EditorKey::Home);
    Press(EditorKey::Delete);
    EXPECT_EDITOR(" ~", 0);
    Type("/");
    Press(EditorKey::Home);
    Press(EditorKey::Delete);
    EXPECT_EDITOR(" ~", 0);
}

TEST_F(EditorModelTest, BackspaceDeletesByTheCharacterBeforeTheCaret) {
    const DeletionCase cases[] = {
        // A token goes back to its blank.
        {" 2 x + 1", 4, " 2 + 1", 2},
        // After "(": the brackets go, their content stays.
        {" ( x + 1 ) - 2", 2, " x + 1 - 2", 0},
        // After ")": the same, caret back by four.
        {" ( x ) - 2", 6, " x - 2", 2},
        // A placeholder alone in the brackets goes with them.
        {" 3 ( ~)", 7, " 3", 2},
        // After "}": the whole group.
        {" 2 + {{ 1 }/{ 4 }}", 18, " 2 +", 4},
        // The emptied slot gets its placeholder back.
        {" {{ 1 }/{ 4 }}", 5, " {{ ~}/{ 4 }}", 3},
        {" ( x )", 4, " ( ~)", 2},
    };
    CheckDeletions(cases, [this] { m_model.Backspace(); });
}

TEST_F(EditorModelTest, DeleteRemovesByTheCharacterAfterTheCaretsBlank) {
    const DeletionCase cases[] = {
        {" 2 x + 1", 2, " 2 + 1", 2},
        {" ( x + 1 ) - 2", 0, " x + 1 - 2", 0},
        {" ( x ) - 2", 4, " x - 2", 2},
        {" 2 {{ 1 }/{ 4 }} + 1", 2, " 2 + 1", 2},
        // A closing brace removes nothing, nor does a placeholder in a template's slot.
        {" {{ 1 }/{ 4 }}", 5, " {{ 1 }/{ 4 }}", 5},
        {" {{ ~}/{ 4 }}", 3, " {{ ~}/{ 4 }}", 3},
        // A placeholder alone in brackets removes them.
        {" 2 ( ~) + 1", 4, " 2 + 1", 2},
        // At the end there is nothing to delete.
        {" 2 x", 4, " 2 x", 4},
    };
    CheckDeletions(cases, [this] { Press(EditorKey::Delete); });
}

TEST_F(EditorModelTest, DeletingTheSelectionRunsTheFixUp) {
    Type("/12");
    Press(EditorKey::Home);
    Press(EditorKey::Right);
    Press(EditorKey::Right, 2, true);
    ASSERT_EQ(m_model.SelectedText(), "1 2");
    m_model.Backspace();
    EXPECT_EDITOR(" {{ ~}/{ ~}}", 3);

    m_model.Load(" 2 x");
    Press(EditorKey::End);
    Press(EditorKey::Home, 1, true);
    ASSERT_TRUE(m_model.SelectionShown());
    Press(EditorKey::Delete);
    EXPECT_EDITOR(" ~", 0);
}

// --- caret moves and selection -------------------------------------------------------------------------

TEST_F(EditorModelTest, CaretMovesFromBlankToBlankAndStopsAtTheEnds) {
    m_model.Load(" 2 {{ 1 }/{ 4 }}");
    const int stops[] = {0, 2, 5, 7, 11, 13, 16};
    for (const int stop : stops) {
        EXPECT_EQ(m_model.Caret(), stop);
        Press(EditorKey::Right);
    }
    EXPECT_EQ(m_model.Caret(), 16);
    Press(EditorKey::Up);
    EXPECT_EQ(m_model.Caret(), 13);
    Press(EditorKey::Down);
    EXPECT_EQ(m_model.Caret(), 16);
    Press(EditorKey::Home);
    EXPECT_EQ(m_model.Caret(), 0);
    Press(EditorKey::Left);
    EXPECT_EQ(m_model.Caret(), 0);
    Press(EditorKey::End);
    EXPECT_EQ(m_model.Caret(), 16);
}

TEST_F(EditorModelTest, EndStopsBeforeATrailingPlaceholder) {
    Press(EditorKey::End);
    EXPECT_EQ(m_model.Caret(), 0);
    Press(EditorKey::Right);
    EXPECT_EQ(m_model.Caret(), 0);
}

TEST_F(EditorModelTest, ShiftExtendsTheSelectionUntilItLaysOut) {
    m_model.Load(" 2 + {{ 1 }/{ 4 }} - x");
    Press(EditorKey::Right, 2);
    Press(EditorKey::Right, 1, true);
    // " {{" and " {{ 1" do not lay out; the whole fraction does.
    EXPECT_TRUE(m_model.SelectionShown());
    EXPECT_EQ(m_model.SelectedText(), "{{ 1 }/{ 4 }}");
    Press(EditorKey::Right, 1, true);
    EXPECT_EQ(m_model.SelectedText(), "{{ 1 }/{ 4 }} -");
    // Left without Shift collapses the selection without moving.
    const int caret = m_model.Caret();
    Press(EditorKey::Left);
    EXPECT_FALSE(m_model.SelectionShown());
    EXPECT_EQ(m_model.Anchor(), -1);
    EXPECT_EQ(m_model.Caret(), caret);
}

TEST_F(EditorModelTest, ExtensionThatNeverLaysOutChangesNothing) {
    m_model.Load(" {{ 1 }/{ 4 }}");
    m_model.PlaceCaret(9);
    Press(EditorKey::Left, 1, true);
    EXPECT_FALSE(m_model.SelectionShown());
    EXPECT_EQ(m_model.Anchor(), -1);
    EXPECT_EQ(m_model.Caret(), 9);
}

TEST_F(EditorModelTest, ShrinkingBackToTheAnchorAndBeyondSelectsTheOtherSide) {
    m_model.Load(" a + b");
    m_model.PlaceCaret(2);
    Press(EditorKey::Right, 1, true);
    EXPECT_EQ(m_model.SelectedText(), "+");
    Press(EditorKey::Left, 1, true);
    EXPECT_FALSE(m_model.SelectionShown());
    Press(EditorKey::Left, 1, true);
    EXPECT_EQ(m_model.SelectedText(), "a");
    EXPECT_EQ(m_model.Anchor(), 2);
}

TEST_F(EditorModelTest, MouseDragSelectsToTheTargetAndOnUntilTheSelectionLaysOut) {
    m_model.Load(" 2 + {{ 1 }/{ 4 }} - x");
    m_model.PlaceCaret(0);
    EXPECT_TRUE(m_model.ExtendSelectionTo(8));
    EXPECT_EQ(m_model.SelectedText(), "2 + {{ 1 }/{ 4 }}");
    EXPECT_TRUE(m_model.ExtendSelectionTo(2));
    EXPECT_EQ(m_model.SelectedText(), "2");
    // Back into the fraction: past the target the selection goes on until it lays out.
    EXPECT_TRUE(m_model.ExtendSelectionTo(19));
    EXPECT_EQ(m_model.SelectedText(), "2 + {{ 1 }/{ 4 }} -");
    EXPECT_TRUE(m_model.ExtendSelectionTo(11));
    EXPECT_EQ(m_model.SelectedText(), "2 +");
    // From the fraction's own start nothing inside it lays out, and going on would cross the
    // anchor: the selection stays as it was.
    m_model.PlaceCaret(4);
    EXPECT_TRUE(m_model.ExtendSelectionTo(16));
    EXPECT_EQ(m_model.SelectedText(), "{{ 1 }/{ 4 }}");
    EXPECT_FALSE(m_model.ExtendSelectionTo(11));
    EXPECT_EQ(m_model.SelectedText(), "{{ 1 }/{ 4 }}");
    EXPECT_TRUE(m_model.SelectionShown());
    // A press inside a token snaps the caret to the token's blank.
    m_model.PlaceCaret(3);
    EXPECT_EQ(m_model.Caret(), 2);
    EXPECT_FALSE(m_model.SelectionShown());
}

// --- clipboard ------------------------------------------------------------------------------------------

TEST_F(EditorModelTest, CutCopyAndPasteUseTheInternalClipboard) {
    m_model.Load(" 2 x + 1");
    m_model.Paste();
    EXPECT_EQ(m_model.Text(), " 2 x + 1");
    m_model.Cut();
    m_model.Copy();
    EXPECT_EQ(m_model.Clipboard(), "");

    Press(EditorKey::Right, 2, true);
    m_model.Copy();
    EXPECT_EQ(m_model.Clipboard(), "2 x");
    EXPECT_TRUE(m_model.SelectionShown());
    Press(EditorKey::End);
    m_model.Paste();
    EXPECT_EDITOR(" 2 x + 1 2 x", 12);

    Press(EditorKey::Home);
    Press(EditorKey::Right, 2, true);
    m_model.Cut();
    EXPECT_EDITOR(" + 1 2 x", 0);
    EXPECT_EQ(m_model.Clipboard(), "2 x");

    // Into an empty slot: the placeholder is replaced.
    m_model.Load(" ~");
    Type("/");
    m_model.Paste();
    EXPECT_EDITOR(" {{ 2 x }/{ ~}}", 7);
}

TEST_F(EditorModelTest, PasteOverASelectionMadeLeftwardsKeepsTheCaretAtTheInsertionPoint) {
    m_model.Load(" a + b");
    Press(EditorKey::Right, 1, true);
    m_model.Copy();
    Press(EditorKey::End);
    Press(EditorKey::Left, 1, true);
    ASSERT_EQ(m_model.SelectedText(), "b");
    m_model.Paste();
    EXPECT_EDITOR(" a + a", 4);
}
