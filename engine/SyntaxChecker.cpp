// The check that runs once before a plot and names the first error it finds.
#include "engine/Engine.h"
#include "engine/ForeignCharacter.h"
#include "engine/MessageHints.h"

#include <string>

namespace curvalia::engine {

namespace {

bool isLowerLetter(char c) {
    return c >= 'a' && c <= 'z';
}

} // namespace

bool Engine::CheckExpression(std::string_view text) {
    if (showsNothing(text)) {
        report(msg::kEmptyExpression);
        return false;
    }
    return CheckSyntax(text);
}

bool Engine::CheckSyntax(std::string_view text) {
    // The message stands as described; a hint for the usual slips follows it.
    auto fail = [this, text](std::string_view message) {
        report(std::string(message) + messageHint(text, message));
        return false;
    };
    TextCell zero;
    zero.setNumber(0);
    if (!loadCharacters(text, zero, true))
        return fail(msg::kBlank);
    const int n = ItemCount;

    // Words are cut at "(" and must be function names when they begin with
    // a letter; what stands between a "(" and the next letter is no word.
    std::string word;
    int j = 0;
    while (!charAt(j).empty()) {
        word.clear();
        while (!charIs(j, '(') && !charAt(j).empty()) {
            word += charAt(j).view();
            ++j;
        }
        if (word.empty()) {
            ++j;
            continue;
        }
        if (isLowerLetter(word[0]) && !isFunctionKind(classifyText(word)))
            return fail(std::string(msg::kUnknownWordPrefix) + word);
        if (charAt(j).empty())
            break;
        while (!isLowerLetter(charAt(j).first()) && !charAt(j).empty())
            ++j;
    }

    ItemCount = static_cast<std::int16_t>(n);
    Tokenize();
    // The checks see the first n tokens (n characters, so the copy also
    // carries the empty ones after the list).
    auto kindAt = [&](int i) { return i < n ? Tokens.kind(i) : TokenKind::Empty; };
    auto textAt = [&](int i) { return i < n ? Tokens.text(i) : std::string_view(); };

    int opened = 0;
    int closed = 0;
    for (int i = 0; i < n; ++i) {
        if (kindAt(i) == TokenKind::Open)
            ++opened;
        else if (kindAt(i) == TokenKind::Close)
            ++closed;
    }
    if (opened != closed)
        return fail(opened > closed ? msg::kMoreOpen : msg::kMoreClosed);

    int pairs = 0;
    for (int i = 0; i <= n - 1; ++i) {
        if (kindAt(i) == TokenKind::Rad && kindAt(i + 1) == TokenKind::Open &&
            kindAt(i + 3) == TokenKind::Close && kindAt(i + 4) == TokenKind::Open) {
            i += 3; // the ")(" of rad(n)(expression) is its own
        } else if (kindAt(i) == TokenKind::Close && kindAt(i + 1) == TokenKind::Open) {
            ++pairs;
        } else if (kindAt(i) == TokenKind::Open && kindAt(i + 1) == TokenKind::Close) {
            return fail(msg::kEmptyBrackets);
        }
    }
    if (pairs != 0)
        return fail(msg::kNeedOperator);

    const TokenKind start = kindAt(0);
    if (isOperatorKind(start) || start == TokenKind::Close)
        return fail(msg::kBadStart);

    auto removeOperator = [&](int i) {
        return fail(std::string(msg::kRemoveOperatorPrefix) + std::string(textAt(i)) +
                    msg::kRemoveOperatorSuffix);
    };
    for (int i = 0; i <= n - 1; ++i) {
        const TokenKind here = kindAt(i);
        const TokenKind next = kindAt(i + 1);
        if (here == TokenKind::Open && isOperatorKind(next) && next != TokenKind::Minus)
            return removeOperator(i + 1);
        if (here == TokenKind::Open && next == TokenKind::Minus &&
            kindAt(i + 2) == TokenKind::Close)
            return fail(msg::kCheckBrackets);
        if (isOperatorKind(here) && (isOperatorKind(next) || next == TokenKind::Empty))
            return removeOperator(i + 1);
    }

    // Only now, so that every expression refused by the checks above keeps
    // its message: a character the language does not know would be read as 0.
    const std::string foreign = foreignCharacterMessage(text);
    if (!foreign.empty())
        return fail(foreign);
    return true;
}

} // namespace curvalia::engine
