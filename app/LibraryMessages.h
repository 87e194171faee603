#pragma once

// The message boxes of the example library, with the texts and captions of the language file's
// "Messages" section: 0 delete a category? (question), 1 empty code, 2 code exists, 3 recode the
// samples? (question), 4 choose an example first, 6 the file cannot be written, 7 keep the unfinished
// edit? (question), 8 choose a category first. Dialogs ask through this class so that tests can
// answer in place of a person.

#include <cstddef>

class CLanguageTables;
class QWidget;

namespace LibraryMessage {
inline constexpr std::size_t kDeleteCategory = 0;
inline constexpr std::size_t kEmptyCode = 1;
inline constexpr std::size_t kCodeExists = 2;
inline constexpr std::size_t kRecodeSamples = 3;
inline constexpr std::size_t kChooseExample = 4;
inline constexpr std::size_t kExampleCollected = 5;
inline constexpr std::size_t kCannotWriteFile = 6;
inline constexpr std::size_t kKeepUnfinishedEdit = 7;
inline constexpr std::size_t kChooseCategory = 8;
} // namespace LibraryMessage

class CLibraryMessages {
public:
    explicit CLibraryMessages(const CLanguageTables& texts) : m_texts(texts) {}
    virtual ~CLibraryMessages() = default;

    // An information box with an OK button.
    virtual void Inform(std::size_t message, QWidget* parent);
    // A question with Yes and No; true for Yes.
    virtual bool Ask(std::size_t message, QWidget* parent);

protected:
    const CLanguageTables& m_texts;
};
