// The rewriting evaluator: the token list is reduced in place, one step at
// a time, until one value is left. Every stored result goes through number
// text, so each intermediate result is rounded to 15 significant digits.
#include "engine/Engine.h"
#include "engine/FunctionLibrary.h"
#include "engine/Messages.h"

#include <cmath>

namespace curvalia::engine {

namespace {

// Token kinds after which "(" value ")" is folded: an operator, "(" and the
// letter e, which may stand where an operator is expected.
bool foldsAfter(TokenKind k) {
    switch (k) {
    case TokenKind::Caret:
    case TokenKind::LetterE:
    case TokenKind::Star:
    case TokenKind::Slash:
    case TokenKind::Plus:
    case TokenKind::Minus:
    case TokenKind::Open:
        return true;
    default:
        return false;
    }
}

// First letters of the one-argument names; no other token starts with them,
// since the tokenizer drops these letters when they start no name.
bool startsOneArgumentName(char c) {
    return c == 'l' || c == 's' || c == 'c' || c == 'a' || c == 't';
}

} // namespace

bool Engine::IsWholeNumber(double v) {
    return std::floor(v) == v;
}

void Engine::countDomainError() {
    --DomainTally;
    ++DomainEvents;
}

void Engine::FindNextStep() {
    if (Tokens.version() == scannedVersion_)
        return; // nothing changed since the last scan: its findings stand
    scannedVersion_ = Tokens.version();

    const TokenKind* kind = Tokens.kinds();
    const int used = Tokens.used();
    NextPos = -1;
    bool twoArgumentSeen = false;
    bool caretSeen = false;
    bool productSeen = false;
    bool sumSeen = false;
    int opened = 0;
    int lastOpen = -1;   // the last "(" scanned
    int closeAfter = -1; // the first ")" after it

    // The scan stops at the end marker, or early at a ")" that closes the
    // first argument of rad when its second argument is already one value:
    // the scan must not go on into that argument.
    int i = 0;
    for (; i < used; ++i) {
        const TokenKind k = kind[i];
        if (k == TokenKind::Other)
            continue; // numbers, the most common token
        if (k == TokenKind::Empty)
            break;
        if (k == TokenKind::Open) {
            lastOpen = i;
            closeAfter = -1;
            ++opened;
        } else if (k == TokenKind::Close) {
            if (closeAfter < 0 && lastOpen >= 0)
                closeAfter = i;
            if (twoArgumentSeen && Tokens.is(i + 1, TokenKind::Open) &&
                Tokens.is(i + 3, TokenKind::Close))
                break;
        } else if (k == TokenKind::Rad) {
            twoArgumentSeen = true;
        } else if (k == TokenKind::Caret) {
            caretSeen = true;
        } else if (k == TokenKind::Star || k == TokenKind::Slash) {
            productSeen = true;
        } else if (k == TokenKind::Plus || k == TokenKind::Minus) {
            sumSeen = true;
        }
    }
    int count = i;
    while (count < used && kind[count] != TokenKind::Empty)
        ++count;
    ItemCount = static_cast<std::int16_t>(count);

    // The last-opened group: groupStart is the index after the last "(",
    // groupEnd the index of the first ")" after it (the end marker when
    // there is none).
    GroupOpen = opened > 0;
    const int groupStart = lastOpen + 1;
    const int groupEnd = lastOpen < 0 ? 0 : (closeAfter >= 0 ? closeAfter : count);
    SingleInGroup = (groupEnd - groupStart == 1) ? -1 : 0;

    // Searches stop at the end marker: everything after it is empty.
    auto leftmost = [&](int from, int to, TokenKind a, TokenKind b) {
        if (to > count - 1)
            to = count - 1;
        for (int i = from < 0 ? 0 : from; i <= to; ++i)
            if (kind[i] == a || kind[i] == b)
                return i;
        return -1;
    };
    const int from = GroupOpen ? groupStart : 0;
    const int to = GroupOpen ? groupEnd : count - 1;
    int pos = -1;
    if (caretSeen)
        pos = leftmost(from, to, TokenKind::Caret, TokenKind::Caret);
    if (pos < 0 && productSeen)
        pos = leftmost(from, to, TokenKind::Star, TokenKind::Slash);
    if (pos < 0 && sumSeen)
        pos = leftmost(from, to, TokenKind::Plus, TokenKind::Minus);
    if (pos < 0 && GroupOpen) {
        // No operator left in the group: apply the leftmost function whose
        // argument is a single value.
        for (int i = 0; i < count; ++i) {
            const char c = Tokens.first(i);
            if (c == 'r' ? Tokens.is(i + 6, TokenKind::Close)
                         : startsOneArgumentName(c) && Tokens.is(i + 3, TokenKind::Close)) {
                pos = i;
                break;
            }
        }
    }
    NextPos = static_cast<std::int16_t>(pos);
}

bool Engine::foldPass() {
    bool changed = false;
    // "((" value ")" at the very start: one pair of the doubled parentheses
    // goes, which the rule for index 0 below cannot see.
    if (Tokens.is(0, TokenKind::Open) && Tokens.is(1, TokenKind::Open) &&
        Tokens.is(3, TokenKind::Close)) {
        Tokens.copyText(1, 2);
        Tokens.remove(2, 2);
        changed = true;
    }
    const TokenKind* kind = Tokens.kinds();
    for (int i = 0; i < Tokens.used(); ++i) {
        const TokenKind k = kind[i];
        if (!foldsAfter(k))
            continue;
        if (i == 0) {
            // Only a list that begins "(" value ")"; an operator at the start
            // must not swallow a ")" it has no "(" for.
            if (k == TokenKind::Open && Tokens.is(2, TokenKind::Close)) {
                Tokens.copyText(0, 1);
                Tokens.remove(1, 2);
                changed = true;
            }
            continue;
        }
        if (!Tokens.is(i + 1, TokenKind::Open))
            continue;
        if (Tokens.is(i + 3, TokenKind::Close)) {
            Tokens.copyText(i + 1, i + 2);
            Tokens.remove(i + 2, 2);
            changed = true;
        } else if (Tokens.is(i + 2, TokenKind::Minus) && Tokens.is(i + 4, TokenKind::Close)) {
            // A negated value: it becomes the current result, so that an
            // evaluation whose last change is this fold returns it.
            const double negated = -Tokens.number(i + 3);
            Tokens.setNumber(i + 1, negated);
            Tokens.remove(i + 2, 3);
            r = negated;
            changed = true;
        }
    }
    return changed;
}

void Engine::noteLocalChange(int at, std::uint64_t versionBefore) {
    if (versionBefore == foldedVersion_) {
        localChangeAt_ = at;
        localChangeVersion_ = Tokens.version();
    }
}

bool Engine::foldableNear(int at) const {
    if (at <= 3 && Tokens.is(0, TokenKind::Open) && Tokens.is(1, TokenKind::Open) &&
        Tokens.is(3, TokenKind::Close))
        return true;
    for (int i = at < 4 ? 0 : at - 4; i <= at; ++i) {
        const TokenKind k = Tokens.kind(i);
        if (!foldsAfter(k))
            continue;
        if (i == 0) {
            if (k == TokenKind::Open && Tokens.is(2, TokenKind::Close))
                return true;
        } else if (Tokens.is(i + 1, TokenKind::Open) &&
                   (Tokens.is(i + 3, TokenKind::Close) ||
                    (Tokens.is(i + 2, TokenKind::Minus) && Tokens.is(i + 4, TokenKind::Close)))) {
            return true;
        }
    }
    return false;
}

void Engine::FoldParentheses() {
    // Parentheses that follow a function name or a ")" hold arguments and
    // are never folded. Passes repeat until nothing changes, so that any
    // number of redundant parentheses around a value go at once.
    if (Tokens.version() != foldedVersion_) {
        if (Tokens.version() != localChangeVersion_ || foldableNear(localChangeAt_)) {
            while (foldPass()) {
            }
        }
        foldedVersion_ = Tokens.version();
    }
    FindNextStep();
}

void Engine::StoreResult(int lo, int hi, double result) {
    const std::uint64_t before = Tokens.version();
    if (lo == 0 && hi == 0) {
        // Function mode: the first ready call takes the result.
        const int end = ItemCount;
        for (int i = 0; i <= end; ++i) {
            const char c = Tokens.first(i);
            const TokenKind k = Tokens.kind(i);
            if (c == 'r') {
                if (Tokens.is(i + 1, TokenKind::Open) && Tokens.is(i + 3, TokenKind::Close) &&
                    Tokens.is(i + 4, TokenKind::Open) && Tokens.is(i + 6, TokenKind::Close)) {
                    Tokens.setNumber(i, result);
                    Tokens.remove(i + 1, 6);
                    noteLocalChange(i, before);
                    break;
                }
            } else if (startsOneArgumentName(c)) {
                if (Tokens.is(i + 1, TokenKind::Open) && Tokens.is(i + 3, TokenKind::Close)) {
                    Tokens.setNumber(i, result);
                    Tokens.remove(i + 1, 3);
                    noteLocalChange(i, before);
                    break;
                }
            } else if (foldsAfter(k) && k != TokenKind::Open) {
                if (Tokens.is(i + 1, TokenKind::Open) && Tokens.is(i + 3, TokenKind::Close)) {
                    Tokens.copyText(i + 1, i + 2);
                    Tokens.remove(i + 2, 2);
                    break;
                }
                if (Tokens.is(i + 1, TokenKind::Open) && Tokens.is(i + 2, TokenKind::Minus) &&
                    Tokens.is(i + 4, TokenKind::Close)) {
                    Tokens.setNumber(i + 1, -Tokens.number(i + 3));
                    Tokens.remove(i + 2, 3);
                    break;
                }
            } else if (i == 0 && k == TokenKind::Open) {
                if (Tokens.is(1, TokenKind::Minus) && Tokens.is(3, TokenKind::Close)) {
                    Tokens.setNumber(0, -Tokens.number(2));
                    Tokens.remove(1, 3);
                    break;
                }
            }
        }
    } else if (lo < 0) {
        // An operator at the start of the list: its missing left operand was
        // taken as 0, and the result replaces the operator and its right operand.
        Tokens.setNumber(0, result);
        Tokens.remove(1, 1);
        noteLocalChange(0, before);
    } else if (lo >= 1 && Tokens.is(lo - 1, TokenKind::Close)) {
        Tokens.setNumber(lo + 1, result);
        Tokens.remove(hi, 2);
    } else {
        Tokens.setNumber(lo, result);
        Tokens.remove(lo + 1, 2);
        noteLocalChange(lo, before);
    }
    FindNextStep();
}

double Engine::Evaluate(double x) {
    r = 0;
    double a = 0;
    double b = 0;
    DomainTally = 0;
    DomainEvents = 0;

    // A list of one token (or none) needs no step.
    if (NextPos == -1 && Tokens.empty(1)) {
        if (Tokens.is(0, TokenKind::LetterX))
            return x;
        const double value = Tokens.number(0);
        if (!std::isfinite(value)) {
            // A number text beyond the largest double.
            countDomainError();
            return 0;
        }
        return value;
    }

    while (!Tokens.empty(1)) {
        const int p = NextPos;
        if (p < 0) {
            // Two or more tokens and nothing that can be reduced: operands
            // side by side or parentheses that hold nothing usable.
            StopRequested = -1;
            report(msg::kBrackets);
            countDomainError();
            return 0;
        }
        bool functionStep = false;
        ++StepCount;
        if (StepCount >= kStepLimit) {
            StepCount = 0;
            report(msg::kStepLimit);
            countDomainError();
            return 0;
        }

        const TokenKind k = Tokens.kind(p);
        if (isFunctionKind(k) && Tokens.is(p + 3, TokenKind::Close)) {
            const double index = k == TokenKind::Rad ? Tokens.number(p + 2) : 0.0;
            const double argument =
                k == TokenKind::Rad ? Tokens.number(p + 5) : Tokens.number(p + 2);
            const FunctionResult f = applyFunction(k, argument, index);
            r = f.value;
            if (f.domainError)
                countDomainError();
            if (!std::isfinite(r)) {
                countDomainError();
                r = 0;
            }
            StoreResult(0, 0, r);
            FindNextStep();
            functionStep = true;
        } else {
            a = p >= 1 ? Tokens.number(p - 1) : 0.0;
            b = Tokens.number(p + 1);
            bool computed = true;
            switch (k) {
            case TokenKind::Caret:
                if (!IsWholeNumber(b) && a < 0) {
                    countDomainError();
                    r = 0;
                } else {
                    r = std::pow(a, b);
                }
                break;
            case TokenKind::Plus:
                r = a + b;
                break;
            case TokenKind::Slash:
                r = a / b;
                break;
            case TokenKind::Star:
                r = a * b;
                break;
            case TokenKind::Minus:
                if (!Tokens.is(p - 1, TokenKind::Open))
                    r = a - b;
                else
                    r = -b;
                break;
            default:
                computed = false; // not an operator: r keeps its value
                break;
            }
            if (computed && !std::isfinite(r)) {
                countDomainError();
                r = 0;
            }
            if (k == TokenKind::Minus && Tokens.is(p - 1, TokenKind::Open)) {
                // A sign after "(": the parentheses stay and go later like any others.
                const std::uint64_t before = Tokens.version();
                Tokens.setNumber(p, r);
                Tokens.remove(p + 1, 1);
                noteLocalChange(p, before);
                FindNextStep();
                functionStep = true;
            }
        }

        FoldParentheses();

        if (!functionStep) {
            if (!GroupOpen || SingleInGroup == 0) {
                StoreResult(p - 1, p + 1, r);
                FoldParentheses();
                FindNextStep();
            } else {
                StoreResult(p - 1, p + 1, -r);
                FindNextStep();
            }
        }
    }
    return r;
}

} // namespace curvalia::engine
