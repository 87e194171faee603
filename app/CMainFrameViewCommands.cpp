// The main window's commands about what the view shows: the zoom of the solution (Tools) and the
// problems solved last (Example). Their texts are built in, as the pace menu's are.

#include "app/CCorvaneView.h"
#include "app/CMainFrame.h"
#include "editor/MathRedactor.h"
#include "export/ReadableFormula.h"
#include "markup/EditorConversion.h"
#include "output/Windows1251.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

namespace {

const char* const kZoomTexts[2][4] = {
    {"Масштаб решения", "Крупнее", "Мельче", "Обычный размер"},
    {"Zoom of the solution", "Zoom in", "Zoom out", "Normal size"},
};

// The longest problem text an item of the recent list shows before it is cut with an ellipsis.
constexpr int kRecentItemLength = 60;

// The problem as the item shows it: in linear notation, as a person writes it on one line.
QString RecentItemText(std::size_t number, const std::string& problem, const QString& kind, int language) {
    ReadableStyle style;
    style.decimalSeparator = language == kRussianLanguage ? ',' : '.';
    std::string compact = problem;
    ConvertEditorText(compact);
    QString text = QString::fromStdString(ReadableFormula(compact, style));
    if (text.size() > kRecentItemLength) {
        text = text.left(kRecentItemLength - 1) + QChar(0x2026);
    }
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1  %2    (%3)").arg(number).arg(text, kind);
}

} // namespace

void CMainFrame::CreateZoomMenu(QMenu* tools) {
    m_zoomMenu = tools->addMenu(QString());
    // In the view's context menu the zoom follows the ways the solution leaves the program.
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    m_view->addAction(separator);
    const QKeySequence keys[] = {QKeySequence(Qt::CTRL | Qt::Key_Plus),
                                 QKeySequence(Qt::CTRL | Qt::Key_Minus), QKeySequence(Qt::CTRL | Qt::Key_0)};
    const int steps[] = {CCorvaneView::kZoomStep, -CCorvaneView::kZoomStep, 0};
    for (std::size_t i = 0; i < m_zoomActions.size(); ++i) {
        QAction* action = m_zoomMenu->addAction(QString());
        action->setShortcuts({keys[i]});
        if (i == 0) {
            // Ctrl and the key that holds "+" above "=", without Shift.
            action->setShortcuts({keys[i], QKeySequence(Qt::CTRL | Qt::Key_Equal)});
        }
        // The keys zoom while the solution is shown; the editor keeps its own keys.
        action->setShortcutContext(Qt::WidgetShortcut);
        m_view->addAction(action);
        const int step = steps[i];
        connect(action, &QAction::triggered, this, [this, step] {
            m_view->SetZoom(step == 0 ? CCorvaneView::kNormalZoom : m_view->Zoom() + step);
        });
        m_zoomActions[i] = action;
    }
    m_view->SetZoom(m_settings.zoom);
    m_view->SetZoomListener([this](int zoom) { m_settings.zoom = zoom; });
}

void CMainFrame::ApplyZoomTexts() {
    if (m_zoomMenu == nullptr) {
        return;
    }
    const auto& texts = kZoomTexts[m_settings.language == kEnglishLanguage ? 1 : 0];
    m_zoomMenu->setTitle(QString::fromUtf8(texts[0]));
    for (std::size_t i = 0; i < m_zoomActions.size(); ++i) {
        m_zoomActions[i]->setText(QString::fromUtf8(texts[i + 1]));
    }
}

void CMainFrame::CreateRecentProblemItems(QMenu* example) {
    example->addSeparator();
    for (std::size_t i = 0; i < m_recentActions.size(); ++i) {
        QAction* action = example->addAction(QString());
        connect(action, &QAction::triggered, this, [this, i] { OpenRecentProblem(i); });
        m_recentActions[i] = action;
    }
}

void CMainFrame::UpdateRecentProblemItems() {
    const std::vector<RecentProblem>& problems = m_settings.recentProblems;
    for (std::size_t i = 0; i < m_recentActions.size(); ++i) {
        QAction* action = m_recentActions[i];
        action->setVisible(i < problems.size());
        if (i < problems.size()) {
            // The kinds' items follow the first popup in the language file's "Menu" keys.
            QString kind = QString::fromStdString(Windows1251ToUtf8(
                m_texts.MenuText(1 + static_cast<std::size_t>(ToNumber(problems[i].kind)))));
            action->setText(
                RecentItemText(i + 1, problems[i].text, kind.remove(QLatin1Char('&')), m_settings.language));
        }
    }
}

std::vector<QAction*> CMainFrame::RecentProblemActions() const {
    std::vector<QAction*> shown;
    std::copy_if(m_recentActions.begin(), m_recentActions.end(), std::back_inserter(shown),
                 [](const QAction* action) { return action->isVisible(); });
    return shown;
}

void CMainFrame::RememberSolvedProblem(const std::string& problem) {
    if (problem.empty() || problem == kEmptyProblem) {
        return;
    }
    RememberProblem(m_settings.recentProblems, {m_settings.mathType, problem});
    UpdateRecentProblemItems();
}

// The problem comes back in the editor under its own kind.
void CMainFrame::OpenRecentProblem(std::size_t index) {
    if (index >= m_settings.recentProblems.size() || !SolutionReadable()) {
        return;
    }
    const RecentProblem problem = m_settings.recentProblems[index];
    SwitchKind(problem.kind);
    ShowEditorWithExample(problem.text);
}
