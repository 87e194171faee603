#pragma once

// The list of the example selection dialog: every line a formula drawn with the project's layout
// (font kind 1, height 20), as tall as the formula plus 6, on the colour of the dialog's buttons.

#include "display/Graphics.h"
#include "display/MyWord.h"
#include "display/QtLayoutDevice.h"

#include <QListWidget>

#include <memory>
#include <string>
#include <vector>

class CVListBox final : public QListWidget {
public:
    static constexpr int kFontHeight = 20;
    static constexpr int kLineMargin = 6;

    explicit CVListBox(QWidget* parent = nullptr);
    ~CVListBox() override;

    // The language picks the decimal separator and the division sign drawn.
    void SetLanguage(int language) { m_language = language; }
    int Language() const { return m_language; }

    void Clear();
    // Adds a line drawing a formula ("$...$") and remembering the sample it stands for.
    void AddFormula(const std::string& displayText, int sample);
    // The sample of a line, -1 for none.
    int SampleOf(int line) const;
    MyWord& Word(int line) { return *m_words[static_cast<std::size_t>(line)]; }
    CGraphics& Graphics() { return m_graphics; }
    CQtLayoutDevice& Device() { return m_device; }

private:
    CQtLayoutDevice m_device;
    CGraphics m_graphics;
    std::vector<std::unique_ptr<MyWord>> m_words;
    int m_language = 0;
};
