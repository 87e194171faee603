#include "app/ToolBarIcons.h"

#include "output/LanguageTables.h"

#include <map>

namespace {

const std::map<std::uint32_t, const char*>& IconNames() {
    static const std::map<std::uint32_t, const char*> names = {
        {32771, "fraction"}, {32803, "numerator"}, {32804, "denominator"}, {32793, "brackets"},
        {32772, "enclose"},  {32801, "power"},     {32802, "base"},        {32805, "exponent"},
        {32826, "cut"},      {32818, "copy"},      {32819, "paste"},       {32800, "left"},
        {32799, "right"},    {32775, "solve"},     {32777, "digit0"},      {32778, "digit1"},
        {32779, "digit2"},   {32780, "digit3"},    {32781, "digit4"},      {32782, "digit5"},
        {32783, "digit6"},   {32784, "digit7"},    {32785, "digit8"},      {32786, "digit9"},
        {32787, "plus"},     {32788, "minus"},     {32789, "times"},       {32833, "equals"},
    };
    return names;
}

} // namespace

QString ToolBarIconPath(std::uint32_t command, int language) {
    const bool english = language == kEnglishLanguage;
    if (command == 32791) {
        return english ? QStringLiteral(":/icons/divide-en.svg") : QStringLiteral(":/icons/divide-ru.svg");
    }
    if (command == 32790) {
        return english ? QStringLiteral(":/icons/separator-en.svg")
                       : QStringLiteral(":/icons/separator-ru.svg");
    }
    const auto found = IconNames().find(command);
    if (found == IconNames().end()) {
        return {};
    }
    return QStringLiteral(":/icons/%1.svg").arg(QLatin1String(found->second));
}
