#include "app/ToolBarIcons.h"

#include "editor/EditorCommand.h"
#include "output/LanguageTables.h"

#include <map>

namespace {

using namespace EditorCommand;

const std::map<int, const char*>& IconNames() {
    static const std::map<int, const char*> names = {
        {kFraction, "fraction"},
        {kWrapNumerator, "numerator"},
        {kWrapDenominator, "denominator"},
        {kBrackets, "brackets"},
        {kWrapBrackets, "enclose"},
        {kPower, "power"},
        {kWrapPowerBase, "base"},
        {kWrapPowerExponent, "exponent"},
        {kCut, "cut"},
        {kCopy, "copy"},
        {kPaste, "paste"},
        {kCaretLeft, "left"},
        {kCaretRight, "right"},
        {kSolve, "solve"},
        {kPlus, "plus"},
        {kMinus, "minus"},
        {kTimes, "times"},
        {kEquals, "equals"},
    };
    return names;
}

} // namespace

QString ToolBarIconPath(int command, int language) {
    const bool english = language == kEnglishLanguage;
    if (command >= kDigit0 && command <= kDigit9) {
        return QStringLiteral(":/icons/digit%1.svg").arg(command - kDigit0);
    }
    if (command == kDivide) {
        return english ? QStringLiteral(":/icons/divide-en.svg") : QStringLiteral(":/icons/divide-ru.svg");
    }
    if (command == kComma) {
        return english ? QStringLiteral(":/icons/separator-en.svg")
                       : QStringLiteral(":/icons/separator-ru.svg");
    }
    const auto found = IconNames().find(command);
    if (found == IconNames().end()) {
        return {};
    }
    return QStringLiteral(":/icons/%1.svg").arg(QLatin1String(found->second));
}
