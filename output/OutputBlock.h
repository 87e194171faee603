#pragma once

// The blocks of an output record: a formula in compact markup, or a comment number whose text and
// voice clip are looked up in the language file when the solution is shown.

#include "output/CommentID.h"

#include <cstdint>
#include <memory>
#include <string>

enum class OutputBlockType : std::int32_t {
    Formula = 0,
    Comment = 1,
};

class OutputBlockFormula;
class OutputBlockComment;

class OutputBlock {
public:
    virtual ~OutputBlock() = default;
    OutputBlock(const OutputBlock&) = delete;
    OutputBlock& operator=(const OutputBlock&) = delete;

    // A new block equal to this one.
    virtual std::unique_ptr<OutputBlock> Clone() const = 0;

    OutputBlockType BlockType() const { return m_blockType; }
    bool IsFormula() const { return m_blockType == OutputBlockType::Formula; }
    bool IsComment() const { return m_blockType == OutputBlockType::Comment; }

    // The block as its own class, or nullptr when it is of the other type.
    const OutputBlockFormula* AsFormula() const;
    const OutputBlockComment* AsComment() const;
    OutputBlockFormula* AsFormula();
    OutputBlockComment* AsComment();

protected:
    explicit OutputBlock(OutputBlockType type) : m_blockType(type) {}

private:
    const OutputBlockType m_blockType;
};

class OutputBlockFormula final : public OutputBlock {
public:
    explicit OutputBlockFormula(std::string formulaText, bool isSpoken = false)
        : OutputBlock(OutputBlockType::Formula), text(std::move(formulaText)), spoken(isSpoken) {}

    std::unique_ptr<OutputBlock> Clone() const override;

    // The formula in compact markup.
    std::string text;
    // The view reads the formula aloud as it writes it.
    bool spoken = false;
};

class OutputBlockComment final : public OutputBlock {
public:
    OutputBlockComment(CommentIDType commentId, bool isAlwaysShown, bool isSpoken)
        : OutputBlock(OutputBlockType::Comment), id(commentId), alwaysShown(isAlwaysShown), spoken(isSpoken) {
    }

    std::unique_ptr<OutputBlock> Clone() const override;

    CommentIDType id;
    // The text is shown even while text comments are switched off.
    bool alwaysShown = false;
    // The voice clip is played when sound comments are on.
    bool spoken = false;
};
