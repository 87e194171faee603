#include "app/EdidDialogPr.h"

#include "app/LibraryMessages.h"
#include "markup/EditorConversion.h"
#include "output/LanguageTables.h"
#include "output/Windows1251.h"

#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace {

// Control numbers of the buttons, in the order of their "SelectDialog" entries.
constexpr int kButtonControls[] = {1010, 1009, 1024, 1046, 1011};
constexpr int kSelect = 1010, kDelete = 1009, kSaveChanges = 1024, kFilter = 1046, kExit = 1011;
constexpr char kNoFilter[] = "NULL";

QString FromSingleByte(const std::string& text) {
    return QString::fromStdString(Windows1251ToUtf8(text));
}

} // namespace

EdidDialogPr::EdidDialogPr(const CLanguageTables& texts, CLibraryMessages& messages, ProblemKind kind,
                           int language, const std::string& sampleText, std::string& filter, int& lastChoice,
                           FilterDialog filterDialog, QWidget* parent)
    : QDialog(parent), m_texts(texts), m_messages(messages), m_samples(ParseSamples(sampleText)),
      m_firstUserSample(m_samples.size()), m_filter(filter), m_lastChoice(lastChoice),
      m_filterDialog(std::move(filterDialog)) {
    setWindowTitle(FromSingleByte(m_texts.WindowTitleText(static_cast<std::size_t>(ToNumber(kind)))));
    m_list = new CVListBox(this);
    m_list->SetLanguage(language);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { SelectChosen(); });
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) {
            m_lastChoice = row;
        }
    });
    // The chosen line is the current one once it is selected as well.
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] { UpdateDeleteButton(); });

    auto* buttons = new QHBoxLayout;
    for (std::size_t i = 0; i < std::size(kButtonControls); ++i) {
        auto* button = new QPushButton(FromSingleByte(m_texts.SelectDialogText(i)), this);
        button->setObjectName(QString("button%1").arg(kButtonControls[i]));
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    Button(kDelete)->setEnabled(false);
    Button(kSaveChanges)->setEnabled(false);
    Button(kSelect)->setDefault(true);
    connect(Button(kSelect), &QPushButton::clicked, this, [this] { SelectChosen(); });
    connect(Button(kFilter), &QPushButton::clicked, this, [this] { ChooseFilter(); });
    connect(Button(kDelete), &QPushButton::clicked, this, [this] { DeleteChosen(); });
    connect(Button(kExit), &QPushButton::clicked, this, [this] { reject(); });
    // Not one of the language file's buttons: its text is built in, in both languages.
    auto* recode = new QPushButton(
        language == 0 ? QStringLiteral("Код раздела…") : QStringLiteral("Category code…"), this);
    recode->setObjectName(QString("button%1").arg(kCategoryCodeButton));
    recode->setAutoDefault(false);
    recode->setEnabled(false);
    buttons->insertWidget(2, recode);
    connect(recode, &QPushButton::clicked, this, [this] { RecodeChosen(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    resize(640, 480);
    FillList();
}

QPushButton* EdidDialogPr::Button(int control) const {
    return findChild<QPushButton*>(QString("button%1").arg(control));
}

void EdidDialogPr::FillList() {
    const int lastChoice = m_lastChoice;
    m_list->Clear();
    for (std::size_t i = 0; i < m_samples.size(); ++i) {
        SampleEntry& sample = m_samples[i];
        sample.displayText = EditorDisplayText(sample.problemText);
        if (m_filter != kNoFilter && sample.code != m_filter) {
            continue;
        }
        m_list->AddFormula(sample.displayText, static_cast<int>(i));
    }
    m_lastChoice = lastChoice;
    if (m_lastChoice >= 0 && m_lastChoice < m_list->count()) {
        m_list->setCurrentRow(m_lastChoice);
    } else {
        m_list->setCurrentRow(-1);
    }
    UpdateDeleteButton();
}

void EdidDialogPr::SetUserSamples(std::vector<SampleEntry> samples, UserSaver save) {
    m_samples.resize(m_firstUserSample);
    m_samples.insert(m_samples.end(), std::make_move_iterator(samples.begin()),
                     std::make_move_iterator(samples.end()));
    m_saveUserSamples = std::move(save);
    FillList();
}

int EdidDialogPr::ChosenSample() const {
    const int line = m_list->currentRow();
    return line >= 0 && m_list->currentItem()->isSelected() ? m_list->SampleOf(line) : -1;
}

bool EdidDialogPr::ChosenIsUserSample() const {
    const int sample = ChosenSample();
    return m_saveUserSamples && sample >= 0 && static_cast<std::size_t>(sample) >= m_firstUserSample;
}

void EdidDialogPr::UpdateDeleteButton() {
    Button(kDelete)->setEnabled(ChosenIsUserSample());
    Button(kCategoryCodeButton)->setEnabled(ChosenIsUserSample() && m_chooseCode);
}

void EdidDialogPr::SetCodeChooser(CodeChooser choose) {
    m_chooseCode = std::move(choose);
    UpdateDeleteButton();
}

bool EdidDialogPr::SaveUserSamples() {
    const auto first = m_samples.begin() + static_cast<std::ptrdiff_t>(m_firstUserSample);
    if (!m_saveUserSamples(std::vector<SampleEntry>(first, m_samples.end()))) {
        m_messages.Inform(LibraryMessage::kCannotWriteFile, this);
        return false;
    }
    return true;
}

void EdidDialogPr::RecodeChosen() {
    if (!ChosenIsUserSample() || !m_chooseCode) {
        return;
    }
    SampleEntry& sample = m_samples[static_cast<std::size_t>(ChosenSample())];
    const std::optional<std::string> code = m_chooseCode(sample.code);
    if (!code || *code == sample.code) {
        return;
    }
    const std::string previous = std::exchange(sample.code, *code);
    if (!SaveUserSamples()) {
        sample.code = previous;
        return;
    }
    // Under a filter the example may no longer be listed.
    FillList();
}

void EdidDialogPr::DeleteChosen() {
    const int sample = ChosenSample();
    if (!Button(kDelete)->isEnabled() || sample < 0) {
        return;
    }
    const bool russian = m_list->Language() == 0;
    const QString question = russian ? QStringLiteral("Удалить этот пример из копилки?")
                                     : QStringLiteral("Delete this example from the collection?");
    if (QMessageBox::question(this, windowTitle(), question) != QMessageBox::Yes) {
        return;
    }
    const SampleEntry removed = m_samples[static_cast<std::size_t>(sample)];
    m_samples.erase(m_samples.begin() + sample);
    if (!SaveUserSamples()) {
        m_samples.insert(m_samples.begin() + sample, removed);
        return;
    }
    m_lastChoice = -1;
    FillList();
}

void EdidDialogPr::SelectChosen() {
    const int line = m_list->currentRow();
    const int sample = ChosenSample();
    if (sample < 0) {
        m_messages.Inform(LibraryMessage::kChooseExample, this);
        return;
    }
    m_chosenProblem = m_samples[static_cast<std::size_t>(sample)].problemText;
    m_lastChoice = line;
    accept();
}

void EdidDialogPr::ChooseFilter() {
    if (m_filterDialog && m_filterDialog(m_filter, m_samples) == 1) {
        FillList();
    }
}
