#include "WorkspaceTranscript.h"
#include "solver/SolveProblem.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <iostream>
TEST(ZzDump, Print) {
    const char* p = std::getenv("DUMP");
    if (!p) return;
    COutputList solution;
    SolveProblem(kProblemEquation, p, &solution);
    for (auto& l : Transcript(solution)) std::cout << l << "\n";
}
#include "SubstitutionTestSupport.h"
#include "markup/ProblemText.h"
#include "solver/CExEquation.h"
#include "solver/Reductions.h"
TEST(ZzDump, Two) {
    const char* p = std::getenv("DUMP2");
    if (!p) return;
    std::string text = "x^4-5*x^3+x^2+12*x+6=0";
    PrepareProblemText(text);
    COutputList solution;
    CExEquation workspace(text, &solution, 'x');
    Substitution record;
    record.equation = LeftSideOf(std::string(p) + "=0");
    record.expression = LeftSideOf("x^2=0");
    record.secondExpression = LeftSideOf("x+1=0");
    record.letter = 'A';
    record.secondLetter = 'B';
    std::cout << FindTwoLetterSubstitution(workspace, true, &record) << "\n";
    for (auto& l : Transcript(solution)) std::cout << l << "\n";
}
#include "markup/EditorConversion.h"
#include <fstream>
TEST(ZzDump, Samples) {
    if (!std::getenv("SAMPLES")) return;
    std::ifstream in(ORBELIN_SOURCE_DIR "/res/samples/Equations.txt");
    std::string line;
    while (std::getline(in, line)) {
        std::string text = line.substr(0, line.find(";&"));
        ConvertEditorText(text);
        COutputList solution;
        SolveProblem(kProblemEquation, text, &solution);
        bool bad = false;
        for (auto& l : Transcript(solution)) bad = bad || l.find("C83/") != std::string::npos || l.find("C22/") != std::string::npos || l.find("C2/") != std::string::npos || l.find("C31/") != std::string::npos;
        auto t = Transcript(solution);
        std::cout << (bad ? "BAD " : "ok  ") << text << "  ->  " << (t.empty() ? "" : t.back()) << "\n";
    }
}
