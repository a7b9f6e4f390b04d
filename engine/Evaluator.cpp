// The rewriting evaluator: the token list is reduced in place, one step at
// a time, until one value is left. Every stored result goes through number
// text, so each intermediate result is rounded to 15 significant digits.
#include "engine/Engine.h"
#include "engine/FunctionLibrary.h"
#include "engine/ReductionSchedule.h"

#include <cmath>

namespace curvalia::engine {

namespace {

// Token kinds after which "(" value ")" is folded: an operator, "(" and the
// letter e, which may stand where an operator is expected.
bool foldsAfter(TokenKind k) {
    return isOperatorKind(k) || k == TokenKind::LetterE || k == TokenKind::Open;
}

// First letters of the one-argument names; no other token starts with them,
// since the tokenizer drops these letters when they start no name.
bool startsOneArgumentName(char c) {
    return c == 'l' || c == 's' || c == 'c' || c == 'a' || c == 't';
}

} // namespace

void Engine::countDomainError(int count) {
    DomainTally = static_cast<std::int16_t>(DomainTally - count);
    DomainEvents = static_cast<std::int16_t>(DomainEvents + count);
}

void Engine::FindNextStep() {
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
    int scanned = 0;
    for (; scanned < used; ++scanned) {
        const int i = scanned;
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
    int count = scanned;
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
        for (int j = from < 0 ? 0 : from; j <= to; ++j)
            if (kind[j] == a || kind[j] == b)
                return j;
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
        for (int j = 0; j < count; ++j) {
            const char c = Tokens.first(j);
            if (c == 'r' ? Tokens.is(j + 6, TokenKind::Close)
                         : startsOneArgumentName(c) && Tokens.is(j + 3, TokenKind::Close)) {
                pos = j;
                break;
            }
        }
    }
    NextPos = static_cast<std::int16_t>(pos);
}

// "(" value ")" at index j becomes the value.
bool Engine::foldGroupAt(int j) {
    if (!Tokens.is(j, TokenKind::Open) || !Tokens.is(j + 2, TokenKind::Close))
        return false;
    Tokens.copyText(j, j + 1);
    Tokens.remove(j + 1, 2);
    return true;
}

// "(" "-" value ")" at index j becomes minus the value. The fold pass also
// makes it the current result (becomesResult), so that an evaluation whose
// last change is this fold returns it; StoreResult's fold does not.
bool Engine::foldNegatedGroupAt(int j, bool becomesResult) {
    if (!Tokens.is(j, TokenKind::Open) || !Tokens.is(j + 1, TokenKind::Minus) ||
        !Tokens.is(j + 3, TokenKind::Close))
        return false;
    const double negated = -Tokens.number(j + 2);
    Tokens.setNumber(j, negated);
    if (recorder_)
        recorder_->recordNegation(j, j + 2, becomesResult);
    Tokens.remove(j + 1, 3);
    if (becomesResult)
        r = negated;
    return true;
}

bool Engine::foldPass() {
    bool changed = false;
    // "((" value ")" at the very start: one pair of the doubled parentheses
    // goes, which the rule for index 0 below cannot see.
    if (Tokens.is(0, TokenKind::Open) && foldGroupAt(1))
        changed = true;
    for (int i = 0; i < Tokens.used(); ++i) {
        const TokenKind k = Tokens.kind(i);
        if (!foldsAfter(k))
            continue;
        if (i == 0) {
            // Only a list that begins "(" value ")"; an operator at the start
            // must not swallow a ")" it has no "(" for.
            if (k == TokenKind::Open && foldGroupAt(0))
                changed = true;
            continue;
        }
        if (foldGroupAt(i + 1) || foldNegatedGroupAt(i + 1, true))
            changed = true;
    }
    return changed;
}

void Engine::FoldParentheses() {
    // Parentheses that follow a function name or a ")" hold arguments and
    // are never folded. Passes repeat until nothing changes, so that any
    // number of redundant parentheses around a value go at once.
    while (foldPass()) {
    }
    FindNextStep();
}

void Engine::storeResultAt(int i, double result) {
    Tokens.setNumber(i, result);
    if (recorder_)
        recorder_->recordStore(i, std::signbit(result) != std::signbit(r));
}

void Engine::StoreResult(int lo, int hi, double result) {
    if (lo == 0 && hi == 0) {
        // Function mode: the first ready call takes the result.
        const int end = ItemCount;
        for (int i = 0; i <= end; ++i) {
            const char c = Tokens.first(i);
            const TokenKind k = Tokens.kind(i);
            if (c == 'r') {
                if (Tokens.is(i + 1, TokenKind::Open) && Tokens.is(i + 3, TokenKind::Close) &&
                    Tokens.is(i + 4, TokenKind::Open) && Tokens.is(i + 6, TokenKind::Close)) {
                    storeResultAt(i, result);
                    Tokens.remove(i + 1, 6);
                    break;
                }
            } else if (startsOneArgumentName(c)) {
                if (Tokens.is(i + 1, TokenKind::Open) && Tokens.is(i + 3, TokenKind::Close)) {
                    storeResultAt(i, result);
                    Tokens.remove(i + 1, 3);
                    break;
                }
            } else if (foldsAfter(k) && k != TokenKind::Open) {
                if (foldGroupAt(i + 1) || foldNegatedGroupAt(i + 1, false))
                    break;
            } else if (i == 0 && k == TokenKind::Open) {
                if (foldNegatedGroupAt(0, false))
                    break;
            }
        }
    } else if (lo < 0) {
        // An operator at the start of the list: its missing left operand was
        // taken as 0, and the result replaces the operator and its right operand.
        storeResultAt(0, result);
        Tokens.remove(1, 1);
    } else if (lo >= 1 && Tokens.is(lo - 1, TokenKind::Close)) {
        storeResultAt(lo + 1, result);
        Tokens.remove(hi, 2);
    } else {
        storeResultAt(lo, result);
        Tokens.remove(lo + 1, 2);
    }
    FindNextStep();
}

void Engine::takeStep(StepValue step) {
    r = step.value;
    countDomainError(step.domainErrors);
}

double Engine::Evaluate(double x) {
    r = 0;
    DomainTally = 0;
    DomainEvents = 0;
    lastOutcome_ = SampleOutcome::Normal;
    if (recorder_)
        recorder_->recordEvaluateStart();

    // A list of one token (or none) needs no step.
    if (NextPos == -1 && Tokens.empty(1)) {
        const bool letterX = Tokens.is(0, TokenKind::LetterX);
        if (recorder_)
            recorder_->recordSingle(letterX);
        if (letterX)
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
            return giveUp(SampleOutcome::NothingToReduce, msg::kBrackets);
        }
        ++StepCount;
        if (StepCount >= kStepLimit) {
            StepCount = 0;
            return giveUp(SampleOutcome::StepLimit, msg::kStepLimit);
        }

        const TokenKind k = Tokens.kind(p);
        if (isFunctionKind(k) && Tokens.is(p + 3, TokenKind::Close)) {
            const bool twoArguments = k == TokenKind::Rad;
            const int argumentAt = twoArguments ? p + 5 : p + 2;
            const double index = twoArguments ? Tokens.number(p + 2) : 0.0;
            if (recorder_)
                recorder_->recordStep(k, twoArguments ? p + 2 : -1, argumentAt);
            takeStep(applyFunctionStep(k, Tokens.number(argumentAt), index));
            StoreResult(0, 0, r);
            FoldParentheses();
            continue;
        }
        if (k == TokenKind::Minus && Tokens.is(p - 1, TokenKind::Open)) {
            // A sign after "(": the parentheses stay and go later like any others.
            if (recorder_)
                recorder_->recordSign(p + 1);
            takeStep(applySign(Tokens.number(p + 1)));
            storeResultAt(p, r);
            Tokens.remove(p + 1, 1);
            FoldParentheses();
            continue;
        }
        if (isOperatorKind(k)) {
            if (recorder_)
                recorder_->recordStep(k, p - 1, p + 1);
            const double a = p >= 1 ? Tokens.number(p - 1) : 0.0;
            takeStep(applyOperator(k, a, Tokens.number(p + 1)));
        }
        // Any other token at p is no operator: r keeps its value.

        // StoreResult and FoldParentheses end by finding the next step.
        FoldParentheses();
        const bool singleInOpenGroup = GroupOpen && SingleInGroup != 0;
        StoreResult(p - 1, p + 1, singleInOpenGroup ? -r : r);
        if (!singleInOpenGroup)
            FoldParentheses();
    }
    return r;
}

double Engine::giveUp(SampleOutcome outcome, std::string_view message) {
    lastOutcome_ = outcome;
    if (recorder_)
        recorder_->recordEnd(outcome);
    // Outside a sample (Evaluate called on its own) the text is unknown.
    if (outcome == SampleOutcome::NothingToReduce && !sampleText_.empty())
        report(bracketMessage(sampleText_));
    else
        report(message);
    countDomainError();
    return 0;
}

} // namespace curvalia::engine
