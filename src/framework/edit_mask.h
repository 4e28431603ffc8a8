// The edit-mask language of masked fields, as pure text logic.
//
// A mask text has three parts separated by ";": the mask, "1" or "0" for
// whether literal characters are part of the field's text, and the blank
// character shown for an unfilled position (default "_").  Mask characters:
//   0 required digit        9 optional digit        # optional digit or sign
//   L required letter       l optional letter
//   A required letter/digit a optional letter/digit
//   C required character    c optional character
//   !  unfilled optional positions become leading blanks (text right-aligned)
//   >  upper-case what follows, <  lower-case what follows, <> no case change
//   \  the next character is a literal
//   _  a blank literal (space);  everything else (":" and "/" included) is a
//      literal.
// Every position holds one cp932 character: a double-byte character takes one
// position and its two bytes are never split.  All texts are cp932 bytes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/cp932_chars.h"

namespace ui {

class EditMask {
public:
    enum class Kind { Literal, Digit, DigitOrSign, Letter, AlphaNum, AnyChar };
    enum class Case { Keep, Upper, Lower };
    struct Position {
        Kind kind = Kind::Literal;
        bool required = false;
        Case letterCase = Case::Keep;
        std::string literal;  // the character of a literal position
    };

    EditMask() = default;  // no mask: a plain field
    explicit EditMask(std::string_view maskText);

    const std::string& MaskText() const { return maskText_; }
    bool Empty() const { return positions_.empty(); }
    size_t Length() const { return positions_.size(); }
    const Position& At(size_t pos) const { return positions_[pos]; }
    bool SaveLiterals() const { return saveLiterals_; }
    bool LeadingBlanks() const { return leadingBlanks_; }
    const std::string& Blank() const { return blank_; }

    bool IsEditable(size_t pos) const;
    // First editable position at or after `pos`; Length() when there is none.
    size_t NextEditable(size_t pos) const;
    // Last editable position before `pos`; nullopt when there is none.
    std::optional<size_t> PrevEditable(size_t pos) const;
    // End of the run of editable positions that contains `pos`.
    size_t GroupEnd(size_t pos) const;

    // Whether the one cp932 character `ch` may stand at editable `pos`.
    bool Accepts(size_t pos, std::string_view ch) const;
    // `ch` with the case conversion of `pos` applied.
    std::string Convert(size_t pos, std::string_view ch) const;

private:
    std::string maskText_;
    std::vector<Position> positions_;
    bool saveLiterals_ = true;
    bool leadingBlanks_ = false;
    std::string blank_ = "_";
};

// The content of a masked field: one character or a blank per position.
// Literal positions always hold their literal.
class MaskedText {
public:
    MaskedText() = default;
    explicit MaskedText(EditMask mask);  // every position blank

    const EditMask& Mask() const { return mask_; }
    size_t Length() const { return cells_.size(); }

    // Replaces the content with `text` fitted to the mask.  A text of the
    // mask's length whose literals stand in place (or, without saved
    // literals, one character for each editable position) is taken position
    // by position; any other text is matched group by group against the
    // literals it contains.  Characters a position does not
    // accept leave it blank.  Without a mask the text is kept as it is.
    void SetText(std::string_view text);

    // All positions with literals, blanks as spaces.
    std::string EditText() const;
    // The field's text: EditText, without the literal positions when the
    // mask does not save literals.  Without a mask, the plain text.
    std::string Text() const;
    // All positions, blanks shown as the mask's blank character.
    std::string DisplayText() const;

    bool IsBlank(size_t pos) const { return cells_[pos].empty(); }
    // The character at `pos`; empty for a blank.
    const std::string& CharAt(size_t pos) const { return cells_[pos]; }

    // Types `ch` at the first editable position at or after `pos`,
    // overwriting it; a space clears it.  A literal typed where it stands
    // (at the caret or right after the caret's group) is stepped over.
    // Returns the caret position after the character, or nullopt when
    // nothing could be typed.
    std::optional<size_t> Type(size_t pos, std::string_view ch);
    // Overwrites editable `pos` with `ch`; false (nothing changed) when the
    // position is a literal or does not accept the character.
    bool Overwrite(size_t pos, std::string_view ch);
    // Inserts `ch` at editable `pos`, shifting the rest of its group right;
    // refused when the group's last position is filled or a shifted
    // character would not fit its new position.
    bool Insert(size_t pos, std::string_view ch);
    // Removes the character at editable `pos`, shifting the rest of its
    // group left; refused when a shifted character would not fit.
    bool Delete(size_t pos);
    // Blanks the editable positions in [from, to).
    void Clear(size_t from, size_t to);
    void Clear(size_t pos) { Clear(pos, pos + 1); }

    // The first required position left blank, or nullopt when the content
    // is complete.
    std::optional<size_t> FirstInvalid() const;

    bool operator==(const MaskedText& other) const {
        return cells_ == other.cells_ && plain_ == other.plain_;
    }
    bool operator!=(const MaskedText& other) const { return !(*this == other); }

private:
    void FitByGroups(const std::vector<std::string>& chars);
    void Place(size_t pos, const std::string& ch);
    bool Shifted(size_t first, size_t last, bool right, std::vector<std::string>& out) const;

    EditMask mask_;
    std::vector<std::string> cells_;  // empty string = blank
    std::string plain_;               // the text when there is no mask
};

}  // namespace ui
