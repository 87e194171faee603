#pragma once

// The main window: the menu with every command, the editing and keypad toolbars (shown only while the
// editor is shown), and one pane that shows either the formula editor or the solution view. It holds
// the program-wide state: the settings read at start and written back at exit, the language tables,
// the kind of problem with the files of its group, the library filter of each group and the voice
// folder.

#include "app/CCorvaneDoc.h"
#include "app/KindFiles.h"
#include "app/MenuCommands.h"
#include "app/ProgramSettings.h"
#include "output/LanguageTables.h"

#include <QMainWindow>

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CCorvaneView;
class CHelpWindow;
class QTranslator;
class MathRedactor;
class CQtAudioPlayer;
class CSolutionExporter;
class CVoice;
class QAction;
class QActionGroup;
class QMenu;
class QPagedPaintDevice;
class QPrinter;
class QStackedWidget;
class QToolBar;

struct MainFrameOptions {
    // The settings store; empty for the user's own.
    QString settingsPath;
    // Whether the settings are written back when the window goes.
    bool writeSettings = true;
    // The base folder when the store names none (empty: the current folder).
    std::string fallbackBaseFolder;
    // Where the user's own files go when the base folder's Samples/ cannot be written (empty: the base
    // folder all the same).
    std::string userDataFolder;
    // Settings that replace the stored ones for this run.
    std::optional<ProblemKind> kind;
    std::optional<int> language;
    std::optional<bool> textComments;
    // No window is ever shown: problems are reported on standard error, not in message boxes.
    bool headless = false;
};

class CMainFrame final : public QMainWindow, private CLanguageHost {
public:
    // The filter string of a group without a filter.
    static constexpr char kNoFilter[] = "NULL";

    explicit CMainFrame(const MainFrameOptions& options = {});
    ~CMainFrame() override;

    // Shows the window maximised, so that the whole solution view, its last band included, lies on the
    // screen; the window starts as large as the screen's free area allows.
    void ShowOnScreen();

    QAction* CommandAction(MenuCommand command) const;
    // The menu items in the order of the language file's "Menu" keys, popups included.
    const std::vector<QAction*>& MenuItems() const { return m_menuItems; }
    // The help window once help has been asked for (null before).
    CHelpWindow* HelpWindow() const { return m_helpWindow; }
    QToolBar* EditingToolBar() const { return m_editingToolBar; }
    QToolBar* KeypadToolBar() const { return m_keypadToolBar; }
    // Tools › Check my solution.
    QAction* SolutionCheckAction() const { return m_solutionCheckAction; }

    CCorvaneDoc& Document() { return m_document; }
    CCorvaneView& View() { return *m_view; }
    MathRedactor& Editor() const { return *m_editor; }
    bool EditorShown() const;
    const CLanguageTables& Texts() const { return m_texts; }
    const ProgramSettings& Settings() const { return m_settings; }
    const std::string& BaseFolder() const { return m_baseFolder; }
    const KindFiles& Files() const { return m_files; }
    const std::string& VoiceFolderName() const { return m_voiceFolder; }
    bool LineByLine() const { return m_lineByLine; }
    CVoice& Voice() { return *m_voice; }
    // Copy the solution, Copy as LaTeX and Save the solution as.
    CSolutionExporter& Exporter() { return *m_exporter; }

    // The example library's filter of the current group ("NULL": none).
    const std::string& LibraryFilter() const { return m_filter; }
    void SetLibraryFilter(std::string filter) { m_filter = std::move(filter); }
    bool LibraryFilterActive() const { return m_filter != kNoFilter; }

    void SwitchKind(ProblemKind kind);
    void SwitchLanguage(int language);
    // The pace of the output (OutputPace), kept in the settings store.
    void SetOutputPace(int pace);
    // Puts a problem (editor form) into the user's collection of the current group with a category
    // code; false when the collection could not be written.
    bool AddToCollection(const std::string& problem, const std::string& code);
    QAction* PaceAction(int pace) const { return m_paceActions.at(static_cast<std::size_t>(pace)); }
    // Tools › Zoom: larger, smaller, the usual size (Ctrl+plus, Ctrl+minus, Ctrl+0 in the view).
    enum class ZoomCommand { In = 0, Out = 1, Normal = 2 };
    QAction* ZoomAction(ZoomCommand command) const {
        return m_zoomActions.at(static_cast<std::size_t>(command));
    }
    // Example › the problems solved last, the newest first: one item each, none hidden.
    std::vector<QAction*> RecentProblemActions() const;

    // Shows the editor with a problem text in the editor's form (the example library's entry point):
    // the view is told to show all.
    void ShowEditorWithExample(const std::string& text);
    void ShowEditor();
    void ShowView();

    // Solves a problem (as typed, in the editor's form or linear notation) at once, on this thread,
    // and shows its solution as a finished solve does.
    void SolveNow(const std::string& problem);
    // A solve has filled the document's solution: lay it out and show the view.
    void SolutionReady();

    // Prints the document's solution on a paged device; returns the page count (0 without a solution,
    // -1 when it cannot print or a solve is writing the solution).
    int PrintTo(QPagedPaintDevice& device);
    QPrinter& Printer();

    // Enables and checks the commands that follow the output and the settings.
    void UpdateCommandStates();

private:
    void LanguageFileMissing(const std::string& text, const std::string& caption) override;
    void LanguageLoaded(const CLanguageTables& tables) override;

    void PlaceWithinScreen();
    void CreateEditor();
    void CreateActions();
    void ForwardToEditor(MenuCommand command);
    // Whether the solution list may be read: not while a solve is writing it.
    bool SolutionReadable() const;
    void CreateMenus();
    void CreateToolBars();
    QAction* AddCommand(QMenu* menu, MenuCommand command);
    QMenu* AddPopup(QMenu* parent);
    QMenu* AddPopup();
    void ApplyMenuTexts();
    void ApplyKeypadIcons();
    void UpdateWindowTitle();
    void ToggleTextComments();
    void ToggleLineByLine();
    void OpenHelp();
    void LoadQtTranslation(int language);
    void CreatePaceMenu(QMenu* tools);
    void ApplyPaceTexts();
    void ShowAbout();
    void CreateZoomMenu(QMenu* tools);
    void ApplyZoomTexts();
    void CreateRecentProblemItems(QMenu* example);
    // Puts the problem just solved at the head of the recent problems and shows the list anew.
    void RememberSolvedProblem(const std::string& problem);
    void UpdateRecentProblemItems();
    void OpenRecentProblem(std::size_t index);
    // Keeps the printer's page set-up in the settings store.
    void KeepPageLayout();
    void PrintWithDialog();
    void PrintPreview();
    void PageSetup();
    void LoadLastExample();
    // The example library: choose a sample of the current group, and edit the group's classifier.
    void ChooseExample();
    void EditClassifier();
    // Puts the editor's problem into the user's collection of the group, with a category code of the
    // group's classifier (or a new one) chosen by the user.
    void PutIntoCollection();
    // Asks for a category code of the group's classifier (or a new one), offering current first.
    std::optional<std::string> AskCategoryCode(const std::string& current);
    // Check my solution (Tools): the pupil's own lines under the editor's problem, checked line by line.
    void OpenSolutionCheck();

    QAction* m_solutionCheckAction = nullptr;
    MainFrameOptions m_options;
    CSettingsStore m_store;
    ProgramSettings m_settings;
    std::string m_baseFolder;
    // Holds Samples/ with the user's own files.
    std::string m_userFolder;
    CLanguageTables m_texts;
    CCorvaneDoc m_document;
    KindFiles m_files;
    std::string m_voiceFolder;
    std::array<std::string, kGroupCount> m_groupFilters{kNoFilter, kNoFilter, kNoFilter};
    std::string m_filter = kNoFilter;
    // The example list's line chosen last (-1: none yet).
    int m_lastExampleChoice = -1;
    std::string m_pendingText = kEmptyProblem;
    bool m_lineByLine = false;

    QStackedWidget* m_pane = nullptr;
    CCorvaneView* m_view = nullptr;
    MathRedactor* m_editor = nullptr;
    QToolBar* m_editingToolBar = nullptr;
    QToolBar* m_keypadToolBar = nullptr;
    std::map<std::uint32_t, QAction*> m_actions;
    std::vector<QAction*> m_menuItems;
    QActionGroup* m_kindGroup = nullptr;
    QActionGroup* m_languageGroup = nullptr;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<CQtAudioPlayer> m_player;
    std::unique_ptr<CVoice> m_voice;
    // Qt's own texts (the standard print, page setup and preview dialogs) in the chosen language.
    std::unique_ptr<QTranslator> m_qtTranslator;
    CHelpWindow* m_helpWindow = nullptr;
    // Tools > the pace of the output: one checkable item per pace.
    QMenu* m_paceMenu = nullptr;
    std::vector<QAction*> m_paceActions;
    CSolutionExporter* m_exporter = nullptr;
    QMenu* m_zoomMenu = nullptr;
    std::array<QAction*, 3> m_zoomActions{};
    std::array<QAction*, kRecentProblemCount> m_recentActions{};
};
