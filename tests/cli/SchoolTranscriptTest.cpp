// Whole solutions as a pupil reads them in the text output, in both languages: every comment text and
// every line by value. They pin down the wording of the comments (what the line under each one does),
// the lines a pupil must write (the division by the coefficient, the roots worked out from the
// formula), the answer line ("Answer: x = 2; x = 3", "x is any number except 1") and the ascending
// order of the roots.

#include "cli/SolutionWriter.h"
#include "export/CommentTexts.h"
#include "output/LanguageTables.h"
#include "output/Windows1251.h"
#include "solver/SolveProblem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The comment texts of the shipped language file, as the command line shows them.
CommentTexts ShippedTexts(int language) {
    CLanguageTables tables;
    const std::string name = language == kEnglishLanguage ? "English.ini" : "Russian.ini";
    EXPECT_TRUE(tables.LoadFile(std::string(ORBELIN_SOURCE_DIR) + "/res/" + name, nullptr));
    CommentTexts texts;
    for (const CommentSound& comment : tables.Comments()) {
        texts.SetText(static_cast<CommentIDType>(comment.number), Windows1251ToUtf8(comment.text));
    }
    return texts;
}

std::vector<std::string> SolvedLines(int language, const std::string& problem) {
    COutputList solution;
    SolveProblem(ProblemKind::Equation, problem, &solution);
    const std::string text = SolutionAsText(solution, ShippedTexts(language));
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

struct SchoolSolution {
    int language;
    const char* problem;
    std::vector<std::string> lines;
};

const SchoolSolution kSolutions[] = {
    {kEnglishLanguage,
     "3-2*x=7",
     {
         "3 − 2x = 7",
         "We change the order of the terms.",
         "−2x + 3 = 7",
         "We move all the terms to the left side.",
         "−2x + 3 − 7 = 0",
         "We combine like terms.",
         "−2x − 4 = 0",
         "We move the constant term to the right side.",
         "−2x = 4",
         "We multiply both sides of the equation by –1.",
         "2x = −4",
         "We divide both sides of the equation by the coefficient of the unknown.",
         "x = (−4) : 2",
         "x = −2",
         "Answer: x = −2",
     }},
    {kEnglishLanguage,
     "x^2-5*x+6=0",
     {
         "x² − 5x + 6 = 0",
         "We find the discriminant.",
         "D = b² − 4ac = (−5)² − 4·1·6 = 1",
         "The discriminant is not negative, so we find the roots by the formula.",
         "The discriminant is a perfect square, so the roots are rational.",
         "x₁,₂ = (−b ± √D)/(2a) = (5 ± 1)/2",
         "x₁ = (5 − 1)/2 = 2",
         "x₂ = (5 + 1)/2 = 3",
         "Answer: x = 2; x = 3",
     }},
    {kEnglishLanguage,
     "(x^2-x)^2-8*(x^2-x)+12=0",
     {
         "(x² − x)² − 8(x² − x) + 12 = 0",
         "  We introduce a new variable.",
         "  Let t = x² − x",
         "  The equation in the new variable:",
         "  t² − 8t + 12 = 0",
         "  We find the discriminant.",
         "  D = b² − 4ac = (−8)² − 4·1·12 = 16",
         "  The discriminant is not negative, so we find the roots by the formula.",
         "  The discriminant is a perfect square, so the roots are rational.",
         "  t₁,₂ = (−b ± √D)/(2a) = (8 ± 4)/2",
         "  t₁ = (8 − 4)/2 = 2",
         "  t₂ = (8 + 4)/2 = 6",
         "  Roots of the equation in the new variable: t = 2; t = 6",
         "We substitute back.",
         "x² − x = 2; x² − x = 6",
         "We solve an equation for each value of the new variable.",
         "  Case 1",
         "  x² − x = 2",
         "  We move all the terms to the left side.",
         "  x² − x − 2 = 0",
         "  We find the discriminant.",
         "  D = b² − 4ac = (−1)² − 4·1·(−2) = 9",
         "  The discriminant is not negative, so we find the roots by the formula.",
         "  The discriminant is a perfect square, so the roots are rational.",
         "  x₁,₂ = (−b ± √D)/(2a) = (1 ± 3)/2",
         "  x₁ = (1 − 3)/2 = −1",
         "  x₂ = (1 + 3)/2 = 2",
         "  Roots of this equation: x = −1; x = 2",
         "  Case 2",
         "  x² − x = 6",
         "  We move all the terms to the left side.",
         "  x² − x − 6 = 0",
         "  We find the discriminant.",
         "  D = b² − 4ac = (−1)² − 4·1·(−6) = 25",
         "  The discriminant is not negative, so we find the roots by the formula.",
         "  The discriminant is a perfect square, so the roots are rational.",
         "  x₁,₂ = (−b ± √D)/(2a) = (1 ± 5)/2",
         "  x₁ = (1 − 5)/2 = −2",
         "  x₂ = (1 + 5)/2 = 3",
         "  Roots of this equation: x = −2; x = 3",
         "Answer: x = −2; x = −1; x = 2; x = 3",
     }},
    {kEnglishLanguage,
     "1/(x-1)+1/(x+1)=2/(x^2-1)",
     {
         "1/(x − 1) + 1/(x + 1) = 2/(x² − 1)",
         "We move all the terms to the left side.",
         "1/(x − 1) + 1/(x + 1) − 2/(x² − 1) = 0",
         "  Conditions: no denominator may be zero.",
         "  {x − 1 ≠ 0 (1); x + 1 ≠ 0 (2); x² − 1 ≠ 0 (3)}",
         "We factorise the denominator.",
         "1/(x − 1) + 1/(x + 1) − 2/((x − 1)(x + 1)) = 0",
         "We bring the fractions to the common denominator.",
         "(x + 1)/((x − 1)(x + 1)) + (x − 1)/((x − 1)(x + 1)) − 2/((x − 1)(x + 1)) = 0",
         "We write the sum of the fractions as one fraction over the common denominator.",
         "((x + 1) + (x − 1) − 2)/((x − 1)(x + 1)) = 0",
         "A fraction is zero when its numerator is zero and its denominator is not.",
         "(x + 1) + (x − 1) − 2 = 0",
         "We change the order of the terms.",
         "(x − 1) − 2 + (x + 1) = 0",
         "We group the terms.",
         "(x − 1) + (−2 + (x + 1)) = 0",
         "We group the terms.",
         "(x − 1) + (x − 1) = 0",
         "We take out the common factor.",
         "(x − 1)(1 + 1) = 0",
         "We open the brackets.",
         "(x − 1)·2 = 0",
         "x − 1 = 0",
         "We move the constant term to the right side.",
         "x = 1",
         "  We check whether the roots satisfy the conditions.",
         "  x = 1 does not satisfy condition (1), so it is not a root",
         "Answer: the equation has no roots",
     }},
    {kRussianLanguage,
     "3-2*x=7",
     {
         "3 − 2x = 7",
         "Меняем порядок слагаемых.",
         "−2x + 3 = 7",
         "Переносим все слагаемые в левую часть.",
         "−2x + 3 − 7 = 0",
         "Приводим подобные слагаемые.",
         "−2x − 4 = 0",
         "Переносим свободный член в правую часть.",
         "−2x = 4",
         "Умножаем обе части уравнения на –1.",
         "2x = −4",
         "Делим обе части уравнения на коэффициент при неизвестном.",
         "x = (−4) : 2",
         "x = −2",
         "Ответ: x = −2",
     }},
    {kRussianLanguage,
     "x^2-5*x+6=0",
     {
         "x² − 5x + 6 = 0",
         "Находим дискриминант.",
         "D = b² − 4ac = (−5)² − 4·1·6 = 1",
         "Дискриминант неотрицательный, поэтому находим корни по формуле.",
         "Дискриминант является точным квадратом, поэтому корни рациональные.",
         "x₁,₂ = (−b ± √D)/(2a) = (5 ± 1)/2",
         "x₁ = (5 − 1)/2 = 2",
         "x₂ = (5 + 1)/2 = 3",
         "Ответ: x = 2; x = 3",
     }},
    {kRussianLanguage,
     "(x^2-x)^2-8*(x^2-x)+12=0",
     {
         "(x² − x)² − 8(x² − x) + 12 = 0",
         "  Вводим новую переменную.",
         "  Пусть t = x² − x",
         "  Уравнение с новой переменной:",
         "  t² − 8t + 12 = 0",
         "  Находим дискриминант.",
         "  D = b² − 4ac = (−8)² − 4·1·12 = 16",
         "  Дискриминант неотрицательный, поэтому находим корни по формуле.",
         "  Дискриминант является точным квадратом, поэтому корни рациональные.",
         "  t₁,₂ = (−b ± √D)/(2a) = (8 ± 4)/2",
         "  t₁ = (8 − 4)/2 = 2",
         "  t₂ = (8 + 4)/2 = 6",
         "  Корни уравнения с новой переменной: t = 2; t = 6",
         "Выполняем обратную замену.",
         "x² − x = 2; x² − x = 6",
         "Решаем уравнение для каждого значения новой переменной.",
         "  Случай 1",
         "  x² − x = 2",
         "  Переносим все слагаемые в левую часть.",
         "  x² − x − 2 = 0",
         "  Находим дискриминант.",
         "  D = b² − 4ac = (−1)² − 4·1·(−2) = 9",
         "  Дискриминант неотрицательный, поэтому находим корни по формуле.",
         "  Дискриминант является точным квадратом, поэтому корни рациональные.",
         "  x₁,₂ = (−b ± √D)/(2a) = (1 ± 3)/2",
         "  x₁ = (1 − 3)/2 = −1",
         "  x₂ = (1 + 3)/2 = 2",
         "  Корни этого уравнения: x = −1; x = 2",
         "  Случай 2",
         "  x² − x = 6",
         "  Переносим все слагаемые в левую часть.",
         "  x² − x − 6 = 0",
         "  Находим дискриминант.",
         "  D = b² − 4ac = (−1)² − 4·1·(−6) = 25",
         "  Дискриминант неотрицательный, поэтому находим корни по формуле.",
         "  Дискриминант является точным квадратом, поэтому корни рациональные.",
         "  x₁,₂ = (−b ± √D)/(2a) = (1 ± 5)/2",
         "  x₁ = (1 − 5)/2 = −2",
         "  x₂ = (1 + 5)/2 = 3",
         "  Корни этого уравнения: x = −2; x = 3",
         "Ответ: x = −2; x = −1; x = 2; x = 3",
     }},
    {kRussianLanguage,
     "1/(x-1)+1/(x+1)=2/(x^2-1)",
     {
         "1/(x − 1) + 1/(x + 1) = 2/(x² − 1)",
         "Переносим все слагаемые в левую часть.",
         "1/(x − 1) + 1/(x + 1) − 2/(x² − 1) = 0",
         "  Условия: ни один знаменатель не равен нулю.",
         "  {x − 1 ≠ 0 (1); x + 1 ≠ 0 (2); x² − 1 ≠ 0 (3)}",
         "Раскладываем знаменатель на множители.",
         "1/(x − 1) + 1/(x + 1) − 2/((x − 1)(x + 1)) = 0",
         "Приводим дроби к общему знаменателю.",
         "(x + 1)/((x − 1)(x + 1)) + (x − 1)/((x − 1)(x + 1)) − 2/((x − 1)(x + 1)) = 0",
         "Записываем сумму дробей одной дробью с общим знаменателем.",
         "((x + 1) + (x − 1) − 2)/((x − 1)(x + 1)) = 0",
         "Дробь равна нулю, когда ее числитель равен нулю, а знаменатель не равен нулю.",
         "(x + 1) + (x − 1) − 2 = 0",
         "Меняем порядок слагаемых.",
         "(x − 1) − 2 + (x + 1) = 0",
         "Группируем слагаемые.",
         "(x − 1) + (−2 + (x + 1)) = 0",
         "Группируем слагаемые.",
         "(x − 1) + (x − 1) = 0",
         "Выносим общий множитель за скобки.",
         "(x − 1)(1 + 1) = 0",
         "Раскрываем скобки.",
         "(x − 1)·2 = 0",
         "x − 1 = 0",
         "Переносим свободный член в правую часть.",
         "x = 1",
         "  Проверяем, удовлетворяют ли корни условиям.",
         "  x = 1 не удовлетворяет условию (1), поэтому это не корень",
         "Ответ: уравнение не имеет корней",
     }},
};

TEST(SchoolTranscript, EveryLineAndCommentReadsAsATeacherExpects) {
    for (const SchoolSolution& solution : kSolutions) {
        SCOPED_TRACE(std::string(solution.language == kEnglishLanguage ? "en " : "ru ") + solution.problem);
        EXPECT_EQ(SolvedLines(solution.language, solution.problem), solution.lines);
    }
}

// The two cases of a homogeneous equation in two new letters: each new line under the comment that
// says why it follows, and no letter used before the line that brings it in.
TEST(SchoolTranscript, TheCasesOfTwoNewLettersSayWhyEachLineFollows) {
    const std::vector<std::string> caseLines[] = {
        {"    B = 0", "    Then, by the equation, the first new variable is zero as well.", "    A = 0",
         "    We substitute back.", "    x + 1 = 0"},
        {"    B ≠ 0",
         "    We divide both sides of the equation by the power of the second new variable, which is not "
         "zero here.",
         "    (A/B)² − 1 = 0", "    We substitute back.", "    ((x + 1)/(x − 1))² − 1 = 0",
         "      We introduce a new variable.", "      Let t = (x + 1)/(x − 1)"},
        {"    B = 0", "    Тогда из уравнения следует, что и первая новая переменная равна нулю.",
         "    A = 0", "    Выполняем обратную замену.", "    x + 1 = 0"},
        {"    B ≠ 0",
         "    Делим обе части уравнения на степень второй новой переменной, она здесь не равна нулю.",
         "    (A/B)² − 1 = 0", "    Выполняем обратную замену.", "    ((x + 1)/(x − 1))² − 1 = 0",
         "      Вводим новую переменную.", "      Пусть t = (x + 1)/(x − 1)"},
    };
    for (int language : {kEnglishLanguage, kRussianLanguage}) {
        const std::vector<std::string> lines = SolvedLines(language, "(x+1)^2=(x-1)^2");
        for (int n = 0; n < 2; ++n) {
            const std::vector<std::string>& expected = caseLines[(language == kEnglishLanguage ? 0 : 2) + n];
            SCOPED_TRACE(expected.front());
            const auto at = std::find(lines.begin(), lines.end(), expected.front());
            ASSERT_LE(expected.size(), static_cast<std::size_t>(lines.end() - at));
            EXPECT_EQ(std::vector<std::string>(at, at + static_cast<std::ptrdiff_t>(expected.size())),
                      expected);
        }
    }
}

} // namespace
