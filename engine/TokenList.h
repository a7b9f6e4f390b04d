// The token array: 156 cells read and written by index, where removing
// tokens moves every later token towards the start.
//
// The cells stay where they are; a small table of cell numbers is what
// moves, so removing a token costs a few bytes of copying instead of whole
// texts. The kind and first character of every position are kept in arrays
// of their own, so that the scans of the evaluator read a few bytes per
// token. Every index outside the array reads as the empty text and writes
// to it are ignored, whatever the list holds.
#pragma once

#include "engine/TextCell.h"

#include <cstdint>
#include <string_view>

namespace curvalia::engine {

class TokenList {
  public:
    static constexpr int kSize = 156;

    TokenList();

    const TextCell& operator[](int i) const {
        return inRange(i) ? cells_[at_[i].slot] : emptyCell();
    }
    TokenKind kind(int i) const { return inRange(i) ? kinds_[i] : TokenKind::Empty; }
    bool is(int i, TokenKind k) const { return kind(i) == k; }
    bool empty(int i) const { return kind(i) == TokenKind::Empty; }
    char first(int i) const { return inRange(i) ? at_[i].first : '\0'; }
    std::string_view text(int i) const { return (*this)[i].view(); }

    // The number the text of token i reads as (0 for "(" or a letter).
    double number(int i) { return inRange(i) ? cells_[at_[i].slot].number() : 0.0; }

    void set(int i, const TextCell& cell);
    void setText(int i, std::string_view text, TokenKind kind);
    void setNumber(int i, double v);
    // Token to takes the text of token from.
    void copyText(int to, int from);

    // Removes count tokens starting at index first; later tokens move up and
    // the cells freed at the end are left empty.
    void remove(int first, int count);

    // Empties every token from index from on.
    void truncate(int from);

    // Every index at or after used() holds the empty text.
    int used() const { return used_; }

    // The kinds of all positions, for scans that read every token: index i
    // is valid for 0 <= i < kSize.
    const TokenKind* kinds() const { return kinds_; }

    // The register of token i in a schedule being recorded (see TextCell::reg).
    std::int16_t reg(int i) const { return (*this)[i].reg; }
    void setReg(int i, std::int16_t r) {
        if (inRange(i))
            cell(i).reg = r;
    }

  private:
    static bool inRange(int i) { return i >= 0 && i < kSize; }
    static const TextCell& emptyCell();
    TextCell& cell(int i) { return cells_[at_[i].slot]; }
    void written(int i) {
        const TextCell& c = cells_[at_[i].slot];
        at_[i].first = c.first();
        kinds_[i] = c.kind;
        if (i + 1 > used_)
            used_ = i + 1;
    }

    // What stands at each index: the cell holding its text and the text's
    // first character; its kind is in kinds_, at the same index.
    struct Position {
        std::uint8_t slot;
        char first;
    };

    TextCell cells_[kSize];
    Position at_[kSize];
    TokenKind kinds_[kSize];
    int used_ = 0;
};

} // namespace curvalia::engine
