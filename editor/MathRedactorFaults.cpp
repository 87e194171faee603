// What the editor says about a problem it does not hand to the solver, and where it puts the caret.

#include "editor/MathRedactor.h"

#include "editor/ProblemFault.h"
#include "output/LanguageTables.h"
#include "output/Windows1251.h"

namespace {

constexpr int kRussian = 0;

// The messages of the faults that have no comment of the solver, in both languages.
QString BuiltInFaultText(ProblemFaultKind kind, int language) {
    const bool russian = language == kRussian;
    switch (kind) {
    case ProblemFaultKind::EmptyPlace:
        return russian ? QStringLiteral("В формуле осталось пустое место: заполните его или удалите.")
                       : QStringLiteral("A place of the formula is still empty: fill it in or delete it.");
    case ProblemFaultKind::NoRelation:
        return russian ? QStringLiteral("В уравнении должен быть знак \"=\".")
                       : QStringLiteral("An equation needs a relation sign \"=\".");
    case ProblemFaultKind::SecondUnknown:
        return russian
                   ? QStringLiteral("В уравнении может быть только одно неизвестное, а эта буква — второе.")
                   : QStringLiteral(
                         "An equation may hold only one unknown, and this letter is a second one.");
    default:
        return {};
    }
}

} // namespace

QString MathRedactor::FaultMessage(const ProblemFault& fault) const {
    if (fault.kind != ProblemFaultKind::Parse) {
        return BuiltInFaultText(fault.kind, m_model.Language());
    }
    const std::optional<CommentIDType> comment = ErrorComment(fault.code);
    if (m_tables != nullptr && comment) {
        const std::string& text = m_tables->CommentText(*comment);
        if (!text.empty()) {
            return QString::fromStdString(Windows1251ToUtf8(text));
        }
    }
    return tr("The problem cannot be read here (error %1).").arg(ToNumber(fault.code));
}

bool MathRedactor::ShowFault(const ProblemFault& fault) {
    if (fault.kind == ProblemFaultKind::None) {
        return false;
    }
    m_model.SelectRange(fault.start, fault.end);
    Refresh();
    ShowProblemMessage(FaultMessage(fault));
    setFocus(Qt::OtherFocusReason);
    return true;
}
