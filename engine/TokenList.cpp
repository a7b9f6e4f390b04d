#include "engine/TokenList.h"

#include <cstring>

namespace curvalia::engine {

TokenList::TokenList() {
    for (int i = 0; i < kSize; ++i)
        at_[i] = {static_cast<std::uint8_t>(i), '\0'};
    for (TokenKind& k : kinds_)
        k = TokenKind::Empty;
}

const TextCell& TokenList::emptyCell() {
    static const TextCell empty;
    return empty;
}

void TokenList::set(int i, const TextCell& c) {
    if (!inRange(i))
        return;
    cell(i) = c;
    written(i);
}

void TokenList::setText(int i, std::string_view text, TokenKind kind) {
    if (!inRange(i))
        return;
    cell(i).setText(text, kind);
    written(i);
}

void TokenList::setNumber(int i, double v) {
    if (!inRange(i))
        return;
    cell(i).setNumber(v);
    written(i);
}

void TokenList::copyText(int to, int from) {
    if (!inRange(to))
        return;
    if (inRange(from))
        cell(to) = cells_[at_[from].slot];
    else
        cell(to).clear();
    written(to);
}

void TokenList::remove(int first, int count) {
    if (first < 0 || count <= 0 || first >= used_)
        return;
    if (count > used_ - first)
        count = used_ - first;
    // The freed cells go to the end of the used part, emptied.
    Position freed[kSize];
    std::memcpy(freed, at_ + first, sizeof(Position) * static_cast<std::size_t>(count));
    for (int j = first; j + count < used_; ++j) {
        at_[j] = at_[j + count];
        kinds_[j] = kinds_[j + count];
    }
    for (int j = 0; j < count; ++j) {
        Position& p = at_[used_ - count + j];
        p = {freed[j].slot, '\0'};
        kinds_[used_ - count + j] = TokenKind::Empty;
        cells_[p.slot].clear();
    }
    used_ -= count;
}

void TokenList::truncate(int from) {
    if (from < 0)
        from = 0;
    for (int j = from; j < used_; ++j) {
        cells_[at_[j].slot].clear();
        at_[j].first = '\0';
        kinds_[j] = TokenKind::Empty;
    }
    if (from < used_)
        used_ = from;
}

} // namespace curvalia::engine
