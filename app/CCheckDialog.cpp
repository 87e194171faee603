#include "app/CCheckDialog.h"

#include "export/ReadableFormula.h"
#include "output/CIniFile.h"
#include "output/Windows1251.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// Keys of the section "CheckDialog".
constexpr int kTitleKey = 0;
constexpr int kCheckKey = 1;
constexpr int kShowSolutionKey = 2;
constexpr int kLinesCaptionKey = 3;

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Mark(LineVerdict verdict) {
    switch (verdict) {
    case LineVerdict::Right:
        return QStringLiteral("\u2713");
    case LineVerdict::Wrong:
    case LineVerdict::Unreadable:
        return QStringLiteral("\u2717");
    case LineVerdict::NotChecked:
        return QStringLiteral("?");
    }
    return QStringLiteral("?");
}

// A right line's mark is green, a wrong one's red on a reddened row: the eye finds the fault at once.
const QColor kRightMark(0, 140, 0);
const QColor kWrongMark(200, 0, 0);
const QColor kWrongRow(255, 228, 228);

// Lines a pupil reads from a little distance: larger than the dialog's own texts.
constexpr double kLineFontScale = 1.3;

bool IsWrong(LineVerdict verdict) {
    return verdict == LineVerdict::Wrong || verdict == LineVerdict::Unreadable;
}

} // namespace

CCheckDialog::CCheckDialog(CheckDialogSetup setup, QWidget* parent)
    : QDialog(parent), m_setup(std::move(setup)),
      m_checkTexts(CheckTexts::Load(m_setup.language, m_setup.baseFolder)) {
    setWindowTitle(DialogText(m_setup.baseFolder, m_setup.language, kTitleKey));
    ReadableStyle style;
    style.decimalSeparator = m_setup.language == kRussianLanguage ? ',' : '.';
    QFont large = font();
    large.setPointSizeF(large.pointSizeF() * kLineFontScale);
    auto* problem = new QLabel(FromUtf8(ReadableFormula(m_setup.problem, style)), this);
    problem->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = large;
    bold.setBold(true);
    problem->setFont(bold);
    m_lines = new QPlainTextEdit(this);
    m_lines->setTabChangesFocus(true);
    m_lines->setFont(large);
    m_lines->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_lines->document()->setDocumentMargin(0);
    m_verdicts = new QTableWidget(0, 3, this);
    m_verdicts->setFont(large);
    m_verdicts->horizontalHeader()->setStretchLastSection(true);
    m_verdicts->horizontalHeader()->hide();
    m_verdicts->verticalHeader()->hide();
    m_verdicts->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_verdicts->setShowGrid(false);
    m_verdicts->setWordWrap(false);
    AlignRowsWithLines();
    m_summary = new QLabel(this);
    m_summary->setWordWrap(true);
    m_summary->setFont(large);
    m_check = new QPushButton(DialogText(m_setup.baseFolder, m_setup.language, kCheckKey), this);
    m_showSolution =
        new QPushButton(DialogText(m_setup.baseFolder, m_setup.language, kShowSolutionKey), this);
    // Enter belongs to the lines: no button is the dialog's default.
    m_check->setAutoDefault(false);
    m_showSolution->setAutoDefault(false);
    connect(m_check, &QPushButton::clicked, this, &CCheckDialog::Check);
    connect(m_showSolution, &QPushButton::clicked, this, [this] {
        m_solutionRequested = true;
        accept();
    });

    auto* panes = new QHBoxLayout;
    // The messages need more room than the lines they judge.
    panes->addWidget(m_lines, 2);
    panes->addWidget(m_verdicts, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_check);
    buttons->addWidget(m_showSolution);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(problem);
    layout->addWidget(new QLabel(DialogText(m_setup.baseFolder, m_setup.language, kLinesCaptionKey), this));
    layout->addLayout(panes);
    layout->addWidget(m_summary);
    layout->addLayout(buttons);
    resize(960, 480);
    m_lines->setFocus();
}

// Each verdict stands on the row of its line: rows as high as the lines, and both panes scroll together
// (the text by lines, the table by rows).
void CCheckDialog::AlignRowsWithLines() {
    const int lineHeight = QFontMetrics(m_lines->font()).lineSpacing();
    QHeaderView* rows = m_verdicts->verticalHeader();
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(lineHeight);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    QScrollBar* text = m_lines->verticalScrollBar();
    QScrollBar* table = m_verdicts->verticalScrollBar();
    connect(text, &QScrollBar::valueChanged, table, &QScrollBar::setValue);
    connect(table, &QScrollBar::valueChanged, text, &QScrollBar::setValue);
}

QString CCheckDialog::CommandText(const std::string& baseFolder, int language) {
    return DialogText(baseFolder, language, kTitleKey);
}

QString CCheckDialog::DialogText(const std::string& baseFolder, int language, int key) {
    CIniFile file;
    file.Load(baseFolder + LanguageFileName(language));
    return FromUtf8(Windows1251ToUtf8(
        file.GetString("CheckDialog", std::to_string(key), CLanguageTables::kValueBufferSize)));
}

void CCheckDialog::Check() {
    std::vector<std::string> lines = {m_setup.problem};
    const QStringList written = m_lines->toPlainText().split(QLatin1Char('\n'));
    for (const QString& line : written) {
        lines.push_back(line.toStdString());
    }
    // The problem's compact markup reads as linear notation too ("." multiplies, braces group).
    m_lastCheck = CheckSolution(m_setup.kind, lines, LineForm::Linear);
    ShowVerdicts();
}

void CCheckDialog::ShowVerdicts() {
    // One row a written line, so that a verdict stands beside its line even after a blank one.
    m_verdicts->setRowCount(0);
    m_verdicts->setRowCount(m_lines->document()->blockCount());
    for (const CheckedLine& line : m_lastCheck.lines) {
        // The problem is line 1; the pupil's own lines are numbered from 1, as they see them.
        const int row = static_cast<int>(line.number) - 2;
        if (row < 0 || row >= m_verdicts->rowCount()) {
            continue;
        }
        auto* number = new QTableWidgetItem(QString::number(line.number - 1));
        auto* mark = new QTableWidgetItem(Mark(line.verdict));
        auto* message = new QTableWidgetItem(FromUtf8(m_checkTexts.Text(line.message)));
        // A message longer than its pane is cut; the pointer shows it whole.
        message->setToolTip(message->text());
        if (line.verdict == LineVerdict::Right) {
            mark->setForeground(kRightMark);
        } else if (IsWrong(line.verdict)) {
            mark->setForeground(kWrongMark);
            for (QTableWidgetItem* cell : {number, mark, message}) {
                cell->setBackground(kWrongRow);
            }
        }
        m_verdicts->setItem(row, 0, number);
        m_verdicts->setItem(row, 1, mark);
        m_verdicts->setItem(row, 2, message);
    }
    m_verdicts->resizeColumnsToContents();
    m_verdicts->verticalScrollBar()->setValue(m_lines->verticalScrollBar()->value());
    m_summary->setText(SummaryText());
}

QString CCheckDialog::SummaryText() const {
    const SolutionCheck& check = m_lastCheck;
    if (check.problemError) {
        return FromUtf8(m_checkTexts.Text(*check.problemError));
    }
    if (check.finished) {
        return FromUtf8(m_checkTexts.Text(CheckMessage{CheckMessageID::Finished, {}}));
    }
    for (const CheckedLine& line : check.lines) {
        if (IsWrong(line.verdict)) {
            return FromUtf8(m_checkTexts.Text(
                CheckMessage{CheckMessageID::WrongFromLine, {std::to_string(line.number - 1)}}));
        }
    }
    if (!check.next) {
        return {};
    }
    QString text = FromUtf8(m_checkTexts.Text(CheckMessage{CheckMessageID::NotFinished, {}}));
    for (const CommentIDType comment : check.next->comments) {
        if (m_setup.texts != nullptr) {
            text += QLatin1Char('\n') + FromUtf8(Windows1251ToUtf8(m_setup.texts->CommentText(comment)));
        }
    }
    ReadableStyle style;
    style.decimalSeparator = m_setup.language == kRussianLanguage ? ',' : '.';
    return text + QLatin1Char('\n') + FromUtf8(ReadableFormula(check.next->formula, style));
}
