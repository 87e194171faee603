#include "app/CMainFrame.h"

#include "app/CCheckDialog.h"
#include "app/CCorvaneView.h"
#include "app/CHelpWindow.h"
#include "app/CNoteDlg.h"
#include "app/CQtAudioPlayer.h"
#include "app/CVoice.h"
#include "app/EdidDialogPr.h"
#include "app/LibraryMessages.h"
#include "app/NoteFile.h"
#include "app/PageLayoutText.h"
#include "app/SampleList.h"
#include "app/SolutionExporter.h"
#include "app/ToolBarIcons.h"
#include "app/UserCollection.h"
#include "app/UserFolder.h"
#include "display/SolutionRenderer.h"
#include "editor/MathRedactor.h"
#include "markup/EditorConversion.h"
#include "output/VoiceFragments.h"
#include "output/Windows1251.h"
#include "solver/SolveProblem.h"

#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileInfo>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QStackedWidget>
#include <QToolBar>
#include <QTranslator>
#include <QUrl>

#include <cstdlib>
#include <iostream>
#include <utility>

namespace {

QString FromSingleByte(const std::string& text) {
    return QString::fromStdString(Windows1251ToUtf8(text));
}

constexpr MenuCommand kKindCommands[kProblemKindCount] = {
    MenuCommand::KindEquations, MenuCommand::KindFactorisation, MenuCommand::KindCompleteFactorisation,
    MenuCommand::KindSimplification};

} // namespace

CMainFrame::CMainFrame(const MainFrameOptions& options)
    : m_options(options),
      m_store(options.settingsPath.isEmpty() ? CSettingsStore() : CSettingsStore(options.settingsPath)) {
    m_settings = m_store.Read();
    m_baseFolder = m_store.ReadBaseFolder();
    if (m_baseFolder.empty()) {
        m_baseFolder = options.fallbackBaseFolder;
    }
    m_userFolder = UserFolderFor(m_baseFolder, options.userDataFolder);
    if (options.kind) {
        m_settings.mathType = *options.kind;
    }
    if (options.language) {
        m_settings.language = *options.language;
    }
    if (options.textComments) {
        m_settings.commentText = *options.textComments;
    }

    m_player = std::make_unique<CQtAudioPlayer>();
    m_voice = std::make_unique<CVoice>(*m_player, m_texts);
    m_pane = new QStackedWidget(this);
    m_view = new CCorvaneView(m_document, m_texts, m_pane);
    m_view->SetVoice(m_voice.get());
    m_view->SetOutputStateListener([this] { UpdateCommandStates(); });
    m_view->SetSolutionReadable([this] { return SolutionReadable(); });
    m_pane->addWidget(m_view);
    setCentralWidget(m_pane);

    CreateEditor();
    m_exporter = new CSolutionExporter(
        [this]() -> const COutputList* { return SolutionReadable() ? &m_document.solution : nullptr; },
        m_texts, m_settings, this);
    // The view's context menu holds the ways the solution leaves the program.
    m_view->addActions({m_exporter->CopyAction(), m_exporter->CopyLatexAction(), m_exporter->SaveAction()});
    m_view->setContextMenuPolicy(Qt::ActionsContextMenu);
    CreateActions();
    CreateMenus();
    CreateToolBars();

    m_view->SetTextComments(m_settings.commentText);
    SetOutputPace(m_settings.outputPace);
    m_view->SetSoundComments(m_settings.commentSound);
    SwitchLanguage(m_settings.language);
    SwitchKind(m_settings.mathType);

    if (!m_baseFolder.empty()) {
        if (!options.headless) {
            m_player->Start(QString::fromStdString(m_baseFolder + "Res/zastav.wav"));
        }
        m_view->LoadSplash(QString::fromStdString(m_baseFolder + "Res/mirel.bmp"));
    }
    PlaceWithinScreen();
    UpdateCommandStates();
}

CMainFrame::~CMainFrame() {
    // A running solve writes the document's solution and the editor waits for it when it goes: the
    // editor must go before the document does.
    delete std::exchange(m_editor, nullptr);
    m_view->SetVoice(nullptr);
    if (m_options.writeSettings) {
        m_store.Write(m_settings);
    }
}

// The editor is made at once, hidden behind the view, because the toolbars hold its commands.
void CMainFrame::CreateEditor() {
    m_editor = new MathRedactor(m_pane);
    m_pane->addWidget(m_editor);
    m_pane->setCurrentWidget(m_view);
    m_editor->SetSolution(&m_document.solution);
    m_editor->SetLanguageTables(&m_texts);
    m_editor->SetBaseFolder(m_baseFolder);
    m_editor->SetUserFolder(m_userFolder);
    CQtAudioPlayer* player = m_player.get();
    m_editor->SetSoundPlayer(
        [player](const std::string& path) { player->PlayToEnd(QString::fromStdString(path)); });
    CVoice* voice = m_voice.get();
    m_editor->SetSpeaker(
        [voice](MyWord& formula, CGraphics& graphics) { voice->SpeakFormula(formula, graphics); });
    connect(m_editor, &MathRedactor::TextChanged, this, [this] { UpdateCommandStates(); });
    connect(m_editor, &MathRedactor::SolutionWritten, this, [this] {
        m_document.problemText = m_editor->SolvedProblem();
        RememberSolvedProblem(m_editor->SolvedProblem());
        m_view->SplashOff();
        m_view->LayOutNewSolution();
    });
    connect(m_editor, &MathRedactor::SolutionReady, this, [this] { ShowView(); });
}

// The window as restored (not maximised) keeps within the screen's free area, title bar and all.
void CMainFrame::PlaceWithinScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect free = screen->availableGeometry();
    const QSize size = free.size() * 9 / 10;
    setGeometry(
        QRect(free.topLeft() + QPoint(free.width() - size.width(), free.height() - size.height()) / 2, size));
}

void CMainFrame::ShowOnScreen() {
    showMaximized();
}

bool CMainFrame::EditorShown() const {
    return m_pane->currentWidget() == m_editor;
}

bool CMainFrame::SolutionReadable() const {
    return m_editor == nullptr || !m_editor->IsSolving();
}

// The menu's editing commands act on the editor only while it is shown.
void CMainFrame::ForwardToEditor(MenuCommand command) {
    QAction* action = m_editor->Action(static_cast<int>(CommandNumber(command)));
    if (EditorShown() && action != nullptr && action->isEnabled()) {
        action->trigger();
    }
}

// --- commands and menus ----------------------------------------------------------------------------

void CMainFrame::CreateActions() {
    auto make = [this](MenuCommand command) {
        auto* action = new QAction(this);
        m_actions[CommandNumber(command)] = action;
        return action;
    };
    m_kindGroup = new QActionGroup(this);
    for (const ProblemKind kind : kProblemKinds) {
        QAction* action = make(kKindCommands[ToNumber(kind)]);
        action->setCheckable(true);
        m_kindGroup->addAction(action);
        connect(action, &QAction::triggered, this, [this, kind] { SwitchKind(kind); });
    }
    m_languageGroup = new QActionGroup(this);
    const std::pair<MenuCommand, int> languages[] = {{MenuCommand::LanguageRussian, kRussianLanguage},
                                                     {MenuCommand::LanguageEnglish, kEnglishLanguage}};
    for (const auto& [command, language] : languages) {
        QAction* action = make(command);
        action->setCheckable(true);
        m_languageGroup->addAction(action);
        connect(action, &QAction::triggered, this, [this, language = language] { SwitchLanguage(language); });
    }

    connect(make(MenuCommand::NewExample), &QAction::triggered, this,
            [this] { ShowEditorWithExample(kEmptyProblem); });
    connect(make(MenuCommand::LoadLastExample), &QAction::triggered, this, [this] { LoadLastExample(); });
    connect(make(MenuCommand::PutIntoCollection), &QAction::triggered, this, [this] { PutIntoCollection(); });
    connect(make(MenuCommand::ChooseExample), &QAction::triggered, this, [this] { ChooseExample(); });
    connect(make(MenuCommand::EditClassifier), &QAction::triggered, this, [this] { EditClassifier(); });

    QAction* spoken = make(MenuCommand::SpokenComments);
    spoken->setCheckable(true);
    connect(spoken, &QAction::triggered, this, [this](bool on) {
        m_settings.commentSound = on;
        m_view->SetSoundComments(on);
    });
    QAction* text = make(MenuCommand::TextComments);
    text->setCheckable(true);
    connect(text, &QAction::triggered, this, [this] { ToggleTextComments(); });
    QAction* lineByLine = make(MenuCommand::LineByLine);
    lineByLine->setCheckable(true);
    connect(lineByLine, &QAction::triggered, this, [this] { ToggleLineByLine(); });

    connect(make(MenuCommand::ShowAll), &QAction::triggered, this, [this] { m_view->ShowAll(); });
    connect(make(MenuCommand::Print), &QAction::triggered, this, [this] { PrintWithDialog(); });
    connect(make(MenuCommand::PrintPreview), &QAction::triggered, this, [this] { PrintPreview(); });
    connect(make(MenuCommand::PrintSetup), &QAction::triggered, this, [this] { PageSetup(); });
    QAction* help = make(MenuCommand::Help);
    help->setShortcut(QKeySequence(Qt::Key_F1));
    help->setShortcutContext(Qt::ApplicationShortcut);
    addAction(help);
    connect(help, &QAction::triggered, this, [this] { OpenHelp(); });
    connect(make(MenuCommand::About), &QAction::triggered, this, [this] { ShowAbout(); });

    // The editor's commands in the menu; the toolbars hold the editor's own actions.
    for (const MenuCommand command :
         {MenuCommand::Cut, MenuCommand::Copy, MenuCommand::Paste, MenuCommand::Solve}) {
        connect(make(command), &QAction::triggered, this, [this, command] { ForwardToEditor(command); });
        connect(m_editor->Action(static_cast<int>(CommandNumber(command))), &QAction::changed, this,
                [this] { UpdateCommandStates(); });
    }
}

QAction* CMainFrame::CommandAction(MenuCommand command) const {
    const auto found = m_actions.find(CommandNumber(command));
    return found == m_actions.end() ? nullptr : found->second;
}

QMenu* CMainFrame::AddPopup() {
    QMenu* popup = menuBar()->addMenu(QString());
    m_menuItems.push_back(popup->menuAction());
    return popup;
}

QMenu* CMainFrame::AddPopup(QMenu* parent) {
    QMenu* popup = parent->addMenu(QString());
    m_menuItems.push_back(popup->menuAction());
    return popup;
}

QAction* CMainFrame::AddCommand(QMenu* menu, MenuCommand command) {
    QAction* action = CommandAction(command);
    menu->addAction(action);
    m_menuItems.push_back(action);
    return action;
}

// The walk order of the items is the order of the language file's "Menu" keys 0 to 31.
void CMainFrame::CreateMenus() {
    QMenu* kinds = AddPopup();
    for (const MenuCommand command : kKindCommands) {
        AddCommand(kinds, command);
    }
    QMenu* example = AddPopup();
    for (const MenuCommand command : {MenuCommand::NewExample, MenuCommand::LoadLastExample,
                                      MenuCommand::PutIntoCollection, MenuCommand::ChooseExample}) {
        AddCommand(example, command);
    }
    CreateRecentProblemItems(example);
    QMenu* edit = AddPopup();
    for (const MenuCommand command : {MenuCommand::Cut, MenuCommand::Copy, MenuCommand::Paste}) {
        AddCommand(edit, command);
    }
    edit->addSeparator();
    edit->addActions({m_exporter->CopyAction(), m_exporter->CopyLatexAction()});
    QMenu* tools = AddPopup();
    QMenu* language = AddPopup(tools);
    AddCommand(language, MenuCommand::LanguageRussian);
    AddCommand(language, MenuCommand::LanguageEnglish);
    QMenu* comments = AddPopup(tools);
    AddCommand(comments, MenuCommand::SpokenComments);
    AddCommand(comments, MenuCommand::TextComments);
    for (const MenuCommand command :
         {MenuCommand::LineByLine, MenuCommand::EditClassifier, MenuCommand::ShowAll}) {
        AddCommand(tools, command);
    }
    CreatePaceMenu(tools);
    CreateZoomMenu(tools);
    QMenu* print = AddPopup();
    print->addAction(m_exporter->SaveAction());
    print->addSeparator();
    for (const MenuCommand command :
         {MenuCommand::Print, MenuCommand::PrintPreview, MenuCommand::PrintSetup}) {
        AddCommand(print, command);
    }
    QMenu* help = AddPopup();
    AddCommand(help, MenuCommand::Help);
    AddCommand(help, MenuCommand::About);
    // The menu bar shows the solve item as text; the toolbar button with its icon is the command itself.
    QAction* solve = menuBar()->addAction(QString());
    connect(solve, &QAction::triggered, CommandAction(MenuCommand::Solve), &QAction::trigger);
    m_menuItems.push_back(solve);
    connect(tools, &QMenu::aboutToShow, this, [this] { UpdateCommandStates(); });
    // Not one of the language file's "Menu" entries: its text comes with the check's own texts.
    m_solutionCheckAction = tools->addAction(QString());
    connect(m_solutionCheckAction, &QAction::triggered, this, &CMainFrame::OpenSolutionCheck);
    connect(tools, &QMenu::aboutToShow, this, [this] {
        m_solutionCheckAction->setText(CCheckDialog::CommandText(m_baseFolder, m_settings.language));
    });
}

void CMainFrame::OpenSolutionCheck() {
    CheckDialogSetup setup{m_settings.mathType, m_settings.language, m_editor->Model().SolverText(),
                           m_baseFolder, &m_texts};
    CCheckDialog dialog(std::move(setup), this);
    if (dialog.exec() == QDialog::Accepted && dialog.SolutionRequested()) {
        SolveNow(m_editor->Model().Text());
    }
}

void CMainFrame::CreateToolBars() {
    m_editingToolBar = addToolBar(QStringLiteral("editing"));
    addToolBarBreak();
    m_keypadToolBar = addToolBar(QStringLiteral("keypad"));
    auto fill = [this](QToolBar* bar, const auto& commands) {
        bar->setIconSize(QSize(24, 24));
        bar->setMovable(false);
        for (const int command : commands) {
            if (command == kToolbarSeparator) {
                bar->addSeparator();
                continue;
            }
            QAction* action = m_editor->Action(command);
            action->setIcon(QIcon(ToolBarIconPath(command, m_settings.language)));
            bar->addAction(action);
        }
        bar->hide();
    };
    fill(m_editingToolBar, kEditingToolbar);
    fill(m_keypadToolBar, kKeypadToolbar);
}

void CMainFrame::ApplyMenuTexts() {
    for (std::size_t k = 0; k < m_menuItems.size(); ++k) {
        m_menuItems[k]->setText(FromSingleByte(m_texts.MenuText(k)));
    }
}

void CMainFrame::ApplyKeypadIcons() {
    for (const int command : kKeypadToolbar) {
        if (command != kToolbarSeparator) {
            m_editor->Action(command)->setIcon(QIcon(ToolBarIconPath(command, m_settings.language)));
        }
    }
}

void CMainFrame::UpdateWindowTitle() {
    setWindowTitle(
        FromSingleByte(m_texts.WindowTitleText(static_cast<std::size_t>(ToNumber(m_settings.mathType)))));
}

void CMainFrame::UpdateCommandStates() {
    if (m_editor == nullptr) {
        return;
    }
    CommandAction(MenuCommand::TextComments)->setEnabled(m_view->IsComplete());
    CommandAction(MenuCommand::TextComments)->setChecked(m_settings.commentText);
    CommandAction(MenuCommand::SpokenComments)->setChecked(m_settings.commentSound);
    CommandAction(MenuCommand::LineByLine)->setChecked(m_lineByLine);
    if (m_exporter != nullptr) {
        m_exporter->UpdateStates();
    }
    const bool editing = EditorShown();
    CommandAction(MenuCommand::PutIntoCollection)
        ->setEnabled(editing && !m_editor->IsSolving() && m_editor->Model().Text() != kEmptyProblem);
    for (const MenuCommand command :
         {MenuCommand::Cut, MenuCommand::Copy, MenuCommand::Paste, MenuCommand::Solve}) {
        const QAction* editorAction = m_editor->Action(static_cast<int>(CommandNumber(command)));
        CommandAction(command)->setEnabled(editing && editorAction->isEnabled());
    }
}

// --- kind and language -----------------------------------------------------------------------------

void CMainFrame::SwitchKind(ProblemKind kind) {
    kind = ProblemKindOfNumber(ToNumber(kind)).value_or(ProblemKind::Equation);
    CommandAction(kKindCommands[ToNumber(kind)])->setChecked(true);
    m_groupFilters[static_cast<std::size_t>(m_files.group - 1)] = m_filter;
    m_settings.mathType = kind;
    m_files = FilesOfKind(kind, m_settings.language, m_userFolder);
    m_filter = m_groupFilters[static_cast<std::size_t>(m_files.group - 1)];
    m_editor->SetProblemKind(kind);
    UpdateWindowTitle();
}

void CMainFrame::SwitchLanguage(int language) {
    language = language == kEnglishLanguage ? kEnglishLanguage : kRussianLanguage;
    CommandAction(language == kEnglishLanguage ? MenuCommand::LanguageEnglish : MenuCommand::LanguageRussian)
        ->setChecked(true);
    m_settings.language = language;
    ApplyKeypadIcons();
    m_voiceFolder = VoiceFolderOf(language);
    m_voice->SetVoiceFolder(m_baseFolder, language);
    m_files = FilesOfKind(m_settings.mathType, language, m_userFolder);
    m_editor->SetLanguage(language);
    LoadQtTranslation(language);
    m_texts.LoadLanguage(m_baseFolder, language, this);
    m_view->SetLanguage(language);
    if (SolutionReadable()) {
        m_view->LayOutAgain();
    }
}

void CMainFrame::LoadQtTranslation(int language) {
    if (m_qtTranslator) {
        QCoreApplication::removeTranslator(m_qtTranslator.get());
        m_qtTranslator.reset();
    }
    if (language != kRussianLanguage) {
        return;
    }
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator.get());
        m_qtTranslator = std::move(translator);
    }
}

void CMainFrame::LanguageFileMissing(const std::string& text, const std::string& caption) {
    if (m_options.headless) {
        std::cerr << "orbelin: " << text << '\n';
        std::exit(2);
    }
    QMessageBox::critical(nullptr, QString::fromStdString(caption), QString::fromStdString(text));
    std::exit(0);
}

void CMainFrame::LanguageLoaded(const CLanguageTables&) {
    ApplyMenuTexts();
    ApplyPaceTexts();
    ApplyZoomTexts();
    UpdateRecentProblemItems();
    m_exporter->ApplyTexts();
    UpdateWindowTitle();
}

// --- editor and view -------------------------------------------------------------------------------

void CMainFrame::ShowEditorWithExample(const std::string& text) {
    m_pendingText = text;
    ShowEditor();
    m_view->ShowAll();
}

void CMainFrame::ChooseExample() {
    CLibraryMessages messages(m_texts);
    auto chooseFilter = [this, &messages](std::string& filter, std::vector<SampleEntry>& samples) {
        CNoteDlg notes(NoteDialogMode::Filter, m_texts, messages, m_files.noteFile, filter, &samples, this);
        return notes.exec();
    };
    EdidDialogPr dialog(m_texts, messages, m_settings.mathType, m_settings.language,
                        SampleResourceText(m_files.sampleResource), m_filter, m_lastExampleChoice,
                        chooseFilter, this);
    const std::string collection = UserCollectionFile(m_userFolder, m_files.group);
    dialog.SetUserSamples(ReadUserCollection(collection),
                          [collection](const std::vector<SampleEntry>& samples) {
                              return WriteUserCollection(collection, samples);
                          });
    dialog.SetCodeChooser([this](const std::string& current) { return AskCategoryCode(current); });
    if (dialog.exec() == QDialog::Accepted) {
        ShowEditorWithExample(dialog.ChosenProblem());
    }
}

void CMainFrame::EditClassifier() {
    CLibraryMessages messages(m_texts);
    CNoteDlg notes(NoteDialogMode::Classifier, m_texts, messages, m_files.noteFile, m_filter, nullptr, this);
    notes.exec();
}

bool CMainFrame::AddToCollection(const std::string& problem, const std::string& code) {
    const std::string collection = UserCollectionFile(m_userFolder, m_files.group);
    std::vector<SampleEntry> samples = ReadUserCollection(collection);
    SampleEntry sample;
    sample.problemText = problem;
    sample.code = code;
    samples.push_back(std::move(sample));
    return WriteUserCollection(collection, samples);
}

std::optional<std::string> CMainFrame::AskCategoryCode(const std::string& current) {
    // The codes of the group's classifier, the root's empty code first ("no category"); a code the
    // classifier does not hold (typed when the example was added) is offered as well.
    QStringList codes;
    for (const NoteEntry& entry : ReadNoteFile(m_files.noteFile, m_texts.NoteDialogText(11))) {
        codes << FromSingleByte(entry.code);
    }
    const QString currentCode = FromSingleByte(current);
    if (!codes.contains(currentCode)) {
        codes << currentCode;
    }
    const bool russian = m_settings.language == kRussianLanguage;
    QInputDialog dialog(this);
    dialog.setWindowTitle(FromSingleByte(m_texts.MenuText(8)));
    dialog.setLabelText(russian ? QStringLiteral("Код раздела классификатора:")
                                : QStringLiteral("Category code of the classifier:"));
    dialog.setComboBoxItems(codes);
    dialog.setComboBoxEditable(true);
    dialog.setTextValue(currentCode);
    // Wide enough for its title and a long code.
    if (auto* box = dialog.findChild<QComboBox*>()) {
        box->setMinimumWidth(360);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return Utf8ToWindows1251(dialog.textValue().trimmed().toStdString());
}

void CMainFrame::PutIntoCollection() {
    const std::string problem = m_editor->Model().Text();
    if (!EditorShown() || problem == kEmptyProblem) {
        return;
    }
    const std::optional<std::string> code = AskCategoryCode({});
    if (!code) {
        return;
    }
    CLibraryMessages messages(m_texts);
    const bool written = AddToCollection(problem, *code);
    messages.Inform(written ? LibraryMessage::kExampleCollected : LibraryMessage::kCannotWriteFile, this);
}

void CMainFrame::LoadLastExample() {
    ShowEditorWithExample(ReadLastProblem(m_files.lastProblemFile));
}

void CMainFrame::ShowEditor() {
    m_view->SplashOff();
    m_pane->setCurrentWidget(m_editor);
    m_editingToolBar->show();
    m_keypadToolBar->show();
    m_editor->PlayAnimation();
    m_view->SetComplete(true);
    m_editor->SetPendingExample(m_pendingText);
    m_editor->LoadProblem();
    m_editor->setFocus();
    UpdateCommandStates();
}

void CMainFrame::ShowView() {
    m_view->SetComplete(false);
    m_pane->setCurrentWidget(m_view);
    m_editingToolBar->hide();
    m_keypadToolBar->hide();
    m_view->StartOutput();
    m_view->setFocus();
    UpdateCommandStates();
}

void CMainFrame::SolveNow(const std::string& problem) {
    if (!SolutionReadable()) {
        return;
    }
    m_document.problemText = problem;
    m_document.solution.RemoveAll();
    std::string text = problem;
    ConvertEditorText(text);
    SolveProblem(m_settings.mathType, text, &m_document.solution);
    SolutionReady();
}

void CMainFrame::SolutionReady() {
    m_view->SplashOff();
    m_view->LayOutNewSolution();
    ShowView();
}

void CMainFrame::ToggleTextComments() {
    if (!m_view->IsComplete() || !SolutionReadable()) {
        return;
    }
    m_settings.commentText = !m_settings.commentText;
    m_view->SetTextComments(m_settings.commentText);
    m_view->LayOutAgain();
    UpdateCommandStates();
}

// --- the pace of the output -----------------------------------------------------------------------

namespace {

// The pace menu is not one of the language file's menu items: its texts are built in, as the tool
// tips are.
const char* const kPaceTexts[2][5] = {
    {"Скорость вывода", "Медленно (как на доске)", "Обычно", "Быстро", "Сразу всё"},
    {"Output pace", "Slow (as on a blackboard)", "Normal", "Fast", "All at once"},
};

} // namespace

void CMainFrame::CreatePaceMenu(QMenu* tools) {
    m_paceMenu = tools->addMenu(QString());
    auto* group = new QActionGroup(this);
    for (int pace = 0; pace <= static_cast<int>(OutputPace::AtOnce); ++pace) {
        QAction* action = m_paceMenu->addAction(QString());
        action->setCheckable(true);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, pace] { SetOutputPace(pace); });
        m_paceActions.push_back(action);
    }
}

void CMainFrame::ApplyPaceTexts() {
    if (m_paceMenu == nullptr) {
        return;
    }
    const auto& texts = kPaceTexts[m_settings.language == kEnglishLanguage ? 1 : 0];
    m_paceMenu->setTitle(QString::fromUtf8(texts[0]));
    for (std::size_t pace = 0; pace < m_paceActions.size(); ++pace) {
        m_paceActions[pace]->setText(QString::fromUtf8(texts[pace + 1]));
    }
}

void CMainFrame::SetOutputPace(int pace) {
    pace = std::clamp(pace, 0, static_cast<int>(OutputPace::AtOnce));
    m_settings.outputPace = pace;
    m_view->SetPace(static_cast<OutputPace>(pace));
    PaceAction(pace)->setChecked(true);
}

void CMainFrame::ToggleLineByLine() {
    m_lineByLine = !m_lineByLine;
    m_view->SetLineByLine(m_lineByLine);
    UpdateCommandStates();
}

// --- help and about --------------------------------------------------------------------------------

// The help page of the language in a window of the program's own, beside the main window.
void CMainFrame::OpenHelp() {
    const QString path = QString::fromStdString(m_baseFolder + HelpFileName(m_settings.language));
    if (!QFileInfo(path).isFile()) {
        return;
    }
    if (m_helpWindow == nullptr) {
        m_helpWindow = new CHelpWindow(this);
    }
    m_helpWindow->ShowPage(path);
}

void CMainFrame::ShowAbout() {
    const bool russian = m_settings.language == kRussianLanguage;
    const QString description =
        russian ? QStringLiteral("Пошаговое решение школьных задач по алгебре: уравнения, "
                                 "разложение на множители, упрощение выражений.")
                : QStringLiteral("Step-by-step solutions of school algebra: equations, "
                                 "factorisation and the simplification of expressions.");
    QMessageBox::about(this, QStringLiteral("Orbelin"),
                       QStringLiteral("<h3>Orbelin</h3><p>%1 %2</p><p>%3</p><p>Vantor Kastrel</p>")
                           .arg(russian ? QStringLiteral("Версия") : QStringLiteral("Version"),
                                QStringLiteral(ORBELIN_VERSION), description));
}

// --- printing --------------------------------------------------------------------------------------

QPrinter& CMainFrame::Printer() {
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (const std::optional<QPageLayout> layout = PageLayoutFromText(m_settings.pageLayout)) {
            m_printer->setPageLayout(*layout);
        }
    }
    return *m_printer;
}

int CMainFrame::PrintTo(QPagedPaintDevice& device) {
    if (!SolutionReadable()) {
        return -1;
    }
    // Without a solution there is nothing to print, not even an empty page.
    if (m_document.solution.IsEmpty()) {
        return 0;
    }
    RenderOptions options;
    options.language = m_settings.language;
    options.textComments = m_settings.commentText;
    const CLanguageTables& texts = m_texts;
    return PrintSolutionPages(
        device, m_document.solution, [&texts](CommentIDType id) { return texts.CommentText(id); }, options);
}

void CMainFrame::PrintWithDialog() {
    QPrintDialog dialog(&Printer(), this);
    if (dialog.exec() == QDialog::Accepted) {
        KeepPageLayout();
        PrintTo(Printer());
    }
}

void CMainFrame::PrintPreview() {
    QPrintPreviewDialog preview(&Printer(), this);
    // Large enough to read a page: most of the screen's free area.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        preview.resize(screen->availableGeometry().size() * 4 / 5);
    }
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { PrintTo(*printer); });
    preview.exec();
    // The preview's own page set-up changes the printer.
    KeepPageLayout();
}

void CMainFrame::PageSetup() {
    QPageSetupDialog dialog(&Printer(), this);
    if (dialog.exec() == QDialog::Accepted) {
        KeepPageLayout();
    }
}

void CMainFrame::KeepPageLayout() {
    m_settings.pageLayout = PageLayoutToText(Printer().pageLayout());
}
