#pragma once

// The example selection dialog: the samples of the current group drawn as formulas, narrowed to one
// category by the library filter; Select hands the chosen sample's problem to the caller, Exit closes
// without a choice, Filter chooses the filter in the classifier dialog and lists the samples again.
// The user's own examples follow the built-in ones; Delete removes the chosen one of them (it is
// disabled on a built-in sample), and Category code gives it another code of the classifier. Save
// changes is shown and stays disabled.

#include "app/CVListBox.h"
#include "app/SampleList.h"

#include "solver/ProblemKind.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class CLanguageTables;
class CLibraryMessages;
class QPushButton;

class EdidDialogPr final : public QDialog {
public:
    // Opens the classifier dialog in filter mode on the filter string; returns its result (1 when the
    // filter changed).
    using FilterDialog = std::function<int(std::string& filter, std::vector<SampleEntry>& samples)>;

    // The samples are parsed from sampleText; filter ("NULL": none) and lastChoice (the list line chosen
    // last, -1 none) belong to the caller and outlive the dialog.
    EdidDialogPr(const CLanguageTables& texts, CLibraryMessages& messages, ProblemKind kind, int language,
                 const std::string& sampleText, std::string& filter, int& lastChoice,
                 FilterDialog filterDialog, QWidget* parent = nullptr);

    // Saves the user's own examples; false when they could not be written.
    using UserSaver = std::function<bool(const std::vector<SampleEntry>& samples)>;
    // Lists the user's own examples after the built-in ones; Delete writes the rest back through save.
    void SetUserSamples(std::vector<SampleEntry> samples, UserSaver save);
    // Deletes the chosen line's sample when it is one of the user's own (after asking).
    void DeleteChosen();
    // Asks a category code for one of the user's own examples, given its code now; none: cancelled.
    using CodeChooser = std::function<std::optional<std::string>(const std::string& current)>;
    void SetCodeChooser(CodeChooser choose);
    // Gives the chosen line's sample, one of the user's own, the code the chooser returns and saves.
    void RecodeChosen();

    void SelectChosen();
    void ChooseFilter();
    // Lists the samples that pass the filter and selects the line of the last choice.
    void FillList();

    // The problem of the chosen sample (editor form) after Select.
    const std::string& ChosenProblem() const { return m_chosenProblem; }
    CVListBox& List() { return *m_list; }
    // A button by its control number (1010 Select, 1009 Delete, 1024 Save changes, 1046 Filter, 1011 Exit,
    // kCategoryCodeButton Category code).
    static constexpr int kCategoryCodeButton = 1100;
    QPushButton* Button(int control) const;

private:
    const CLanguageTables& m_texts;
    CLibraryMessages& m_messages;
    std::vector<SampleEntry> m_samples;
    // The index of the first of the user's own examples in m_samples.
    std::size_t m_firstUserSample = 0;
    std::string& m_filter;
    int& m_lastChoice;
    FilterDialog m_filterDialog;
    std::string m_chosenProblem;
    UserSaver m_saveUserSamples;
    CodeChooser m_chooseCode;
    // The sample of the chosen line, or -1.
    int ChosenSample() const;
    void UpdateDeleteButton();
    bool ChosenIsUserSample() const;
    // Saves the user's own examples as m_samples holds them; false (and the message) when it cannot.
    bool SaveUserSamples();
    CVListBox* m_list = nullptr;
};
