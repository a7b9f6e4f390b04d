// The engine's arrays, and loading an expression into Chars with x, e and p
// replaced by number texts.
#include "engine/Engine.h"
#include "engine/MessageHints.h"
#include "engine/Utf8.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>
#include <utility>

namespace curvalia::engine {

namespace {

// The ten-digit constants that stand for e and p, not the full-precision ones.
constexpr double kE = 2.718281828;
constexpr double kPi = 3.141592654;

struct CharSpan {
    std::uint16_t offset;
    std::uint8_t length;
    bool valid;
};

} // namespace

Engine::Engine() {
    eCell_.setNumber(kE);
    pCell_.setNumber(kPi);
}

void Engine::setStatusSink(StatusSink sink) {
    sink_ = std::move(sink);
}

void Engine::report(std::string_view message) const {
    if (sink_)
        sink_(message);
}

const std::string& Engine::bracketMessage(std::string_view text) {
    // A sweep writes it at most once, but the calculator on every "Calcola"
    // and a sample of a stopping text each time: worked out once per text.
    if (!bracketMessageValid_ || text != bracketText_) {
        bracketText_.assign(text);
        bracketMessage_ = std::string(msg::kBrackets) + messageHint(text, msg::kBrackets);
        bracketMessageValid_ = true;
    }
    return bracketMessage_;
}

void Engine::emptyArrays() {
    for (int i = 0; i < charsUsed_; ++i)
        Chars[i].clear();
    charsUsed_ = 0;
    Tokens.truncate(0);
    NextPos = -1;
}

std::string_view Engine::chars(int i) const {
    return charAt(i).view();
}

std::string_view Engine::tokens(int i) const {
    return Tokens.text(i);
}

bool Engine::loadCharacters(std::string_view text, const TextCell& xCell, bool refuseBlanks) {
    // Cut the text into code points first; only the first 150 are loaded,
    // which is all the expression box lets the user type.
    CharSpan spans[kMaxExpressionLength];
    int n = 0;
    for (std::size_t pos = 0; pos < text.size() && n < kMaxExpressionLength;) {
        const utf8::CodePoint cp = utf8::decode(text, pos);
        spans[n++] = {static_cast<std::uint16_t>(pos), static_cast<std::uint8_t>(cp.length),
                      cp.valid};
        pos += cp.length;
    }
    auto loadRaw = [&](int i) {
        if (spans[i].length == 1 && spans[i].valid)
            Chars[i].setChar(text[spans[i].offset]);
        else if (spans[i].valid)
            Chars[i].setText(text.substr(spans[i].offset, spans[i].length));
        else
            Chars[i].setText(utf8::kReplacement, TokenKind::Other);
    };
    auto isRaw = [&](int i, char c) {
        return i < n && spans[i].length == 1 && text[spans[i].offset] == c;
    };

    const int previouslyUsed = charsUsed_;
    if (n > charsUsed_)
        charsUsed_ = n;
    ItemCount = static_cast<std::int16_t>(n);
    int i = 0;
    while (i < n) {
        // The e after s or g stays a letter (as in "lge"), and so does the x
        // after a (as in "max"), so that they can never start a substitution.
        if (((isRaw(i, 's') || isRaw(i, 'g')) && isRaw(i + 1, 'e')) ||
            (isRaw(i, 'a') && isRaw(i + 1, 'x'))) {
            loadRaw(i);
            loadRaw(i + 1);
            i += 2;
            continue;
        }
        if (isRaw(i, 'x')) {
            Chars[i] = xCell;
        } else if (isRaw(i, 'e')) {
            Chars[i] = eCell_;
        } else if (isRaw(i, 'p')) {
            Chars[i] = pCell_;
        } else {
            loadRaw(i);
        }
        if (refuseBlanks && isRaw(i, ' '))
            return false;
        ++i;
    }
    // The end marker, and nothing left over from a longer expression.
    for (int j = n; j < previouslyUsed; ++j)
        Chars[j].clear();
    charsUsed_ = n;
    return true;
}

void Engine::LoadExpression(std::string_view text, std::string_view xText) {
    TextCell xCell;
    xCell.setText(xText);
    xCell.number(); // read once here rather than at every use
    loadCharacters(text, xCell, false);
}

Sample Engine::evaluateSample(std::string_view expression, double x) {
    TextCell xCell;
    xCell.setNumber(x);
    return evaluateWith(expression, xCell, x);
}

Sample Engine::evaluateWith(std::string_view expression, const TextCell& xCell, double x) {
    loadCharacters(expression, xCell, false);
    Tokenize();
    StepCount = 0;
    // Known to Evaluate only for this sample, for the hint of its message.
    sampleText_ = expression;
    const double value = Evaluate(x);
    sampleText_ = {};
    return {value, isDefined(), lastOutcome_};
}

namespace {

struct LowerRun {
    std::uint32_t first;
    std::uint32_t last;
    std::uint32_t stride;
    std::int32_t offset;
};

constexpr LowerRun kRuns[] = {
#include "engine/LowerCaseTable.inc"
};

// The Unicode simple lower-case mapping of one code point: cp itself when
// it has none, 'k' for the Kelvin sign, U+03C3 for U+03A3, and so on.
std::uint32_t simpleLowerCase(std::uint32_t cp) {
    if (cp < 'A')
        return cp;
    if (cp <= 'Z')
        return cp + 32;
    if (cp < 0x80)
        return cp;
    // The last run that starts at or before cp.
    const LowerRun* run =
        std::upper_bound(std::begin(kRuns), std::end(kRuns), cp,
                         [](std::uint32_t c, const LowerRun& r) { return c < r.first; });
    if (run == std::begin(kRuns))
        return cp;
    --run;
    if (cp > run->last || (cp - run->first) % run->stride != 0)
        return cp;
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(cp) + run->offset);
}

} // namespace

std::string toLowerText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const utf8::CodePoint cp = utf8::decode(text, pos);
        if (cp.valid) {
            char buf[4];
            const int n = utf8::encode(simpleLowerCase(cp.value), buf);
            out.append(buf, static_cast<std::size_t>(n));
        } else {
            out.append(1, text[pos]); // left as it is; the loader reads it as U+FFFD
        }
        pos += cp.length;
    }
    return out;
}

} // namespace curvalia::engine
