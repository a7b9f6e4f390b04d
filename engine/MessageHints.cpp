#include "engine/MessageHints.h"

#include "engine/Engine.h"

#include <cstddef>

namespace curvalia::engine {

namespace {

bool isLetter(char c) {
    return c >= 'a' && c <= 'z';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
// The letters that stand for a value; "tanx" is tan applied to x.
bool isValueLetter(char c) {
    return c == 'x' || c == 'e' || c == 'p';
}
char at(std::string_view t, std::size_t i) {
    return i < t.size() ? t[i] : '\0';
}

struct UsualName {
    std::string_view name, hint;
};
constexpr UsualName kUsualNames[] = {
    {"sen", "usare sin"},       {"tan", "usare tg"},           {"ln", "usare lgn"},
    {"log", "usare lge o lgn"}, {"sqrt", "usare rad(2)(...)"}, {"radq", "usare rad(2)(...)"},
    {"arcsin", "usare asin"},   {"arcsen", "usare asin"},      {"asen", "usare asin"},
    {"arccos", "usare acos"},   {"arctan", "usare atg"},       {"arctg", "usare atg"},
    {"atan", "usare atg"},      {"cot", "usare 1/tg(...)"},    {"cotg", "usare 1/tg(...)"},
    {"exp", "usare e^(...)"}};
constexpr std::string_view kFunctions[] = {"lgn",  "lge", "sin", "cos", "asin",
                                           "acos", "tg",  "atg", "abs", "rad"};

std::size_t letterRun(std::string_view t, std::size_t i) {
    std::size_t j = i;
    while (isLetter(at(t, j)))
        ++j;
    return j - i;
}

// The longest name of names that opens the letter run at i with nothing
// after it in the run but value letters; its length, 0 for none.
template <class Names, class NameOf>
std::size_t nameAt(std::string_view t, std::size_t i, const Names& names, NameOf nameOf) {
    const std::string_view run = t.substr(i, letterRun(t, i));
    std::size_t best = 0;
    for (const auto& entry : names) {
        const std::string_view name = nameOf(entry);
        if (name.size() <= best || !run.starts_with(name))
            continue;
        bool rest = true;
        for (char c : run.substr(name.size()))
            rest = rest && isValueLetter(c);
        if (rest)
            best = name.size();
    }
    return best;
}

std::string_view usualName(const UsualName& u) {
    return u.name;
}
std::string_view functionName(std::string_view f) {
    return f;
}

// "2x" as it should be written, "2*x"; anything else unchanged.
std::string withProducts(std::string_view operand) {
    std::string out;
    for (std::size_t i = 0; i < operand.size(); ++i) {
        out += operand[i];
        if ((isDigit(operand[i]) || operand[i] == '.') && isLetter(at(operand, i + 1)))
            out += '*';
    }
    return out;
}

// A usual name, or a function name of the language without its "(", whose
// letter run begins at i.
std::string nameCauseAt(std::string_view t, std::size_t i) {
    if (const std::size_t n = nameAt(t, i, kUsualNames, usualName); n != 0) {
        for (const UsualName& u : kUsualNames)
            if (u.name == t.substr(i, n))
                return std::string(u.hint);
    }
    const std::size_t n = nameAt(t, i, kFunctions, functionName);
    if (n == 0 || at(t, i + n) == '(')
        return {};
    std::size_t end = i + n;
    while (isLetter(at(t, end)) || isDigit(at(t, end)) || at(t, end) == '.')
        ++end;
    // "sinπ": the foreign character is the fault, named by the message.
    if (static_cast<unsigned char>(at(t, end)) >= 0x80)
        return {};
    const std::string name(t.substr(i, n));
    std::string argument = withProducts(t.substr(i + n, end - i - n));
    if (argument.empty())
        argument = "...";
    return "scrivere " + name + (name == "rad" ? "(2)(" : "(") + argument + ")";
}

// A number followed by a letter or "(" at i; a number in exponent form, as
// 1e5 or 2e-3, is none (the language reads its e as the constant).
std::string numberCauseAt(std::string_view t, std::size_t i) {
    std::size_t j = i;
    while (isDigit(at(t, j)) || at(t, j) == '.')
        ++j;
    const char next = at(t, j);
    const char after = at(t, j + 1);
    if (next == 'e' &&
        (isDigit(after) || ((after == '+' || after == '-') && isDigit(at(t, j + 2)))))
        return {};
    const std::string number(t.substr(i, j - i));
    if (next == '(')
        return "scrivere " + number + "*(...)";
    if (!isLetter(next))
        return {};
    // The name the letters begin, or the one letter.
    std::size_t n = 1;
    const std::string_view run = t.substr(j, letterRun(t, j));
    for (const UsualName& u : kUsualNames)
        if (run.starts_with(u.name) && u.name.size() > n)
            n = u.name.size();
    for (std::string_view f : kFunctions)
        if (run.starts_with(f) && f.size() > n)
            n = f.size();
    return "scrivere " + number + "*" + std::string(t.substr(j, n));
}

// The first cause in the text that the evaluator cannot reduce.
std::string firstCause(std::string_view t) {
    for (std::size_t i = 0; i < t.size(); ++i) {
        const char before = i == 0 ? '\0' : t[i - 1];
        if (isLetter(before) || isDigit(before) || before == '.')
            continue; // inside a word or a number
        std::string cause;
        if (isDigit(t[i]) || (t[i] == '.' && isDigit(at(t, i + 1))))
            cause = numberCauseAt(t, i);
        else if (isLetter(t[i]))
            cause = nameCauseAt(t, i);
        if (!cause.empty())
            return cause;
    }
    return {};
}

// "-x^2+1" is written "0-x^2+1"; the hint shows its first term.
std::string leadingSignCause(std::string_view t) {
    const char sign = at(t, 0);
    if (sign != '-' && sign != '+')
        return {};
    std::size_t end = 1;
    for (int depth = 0; end < t.size(); ++end) {
        const char c = t[end];
        const char before = t[end - 1];
        if (c == '(')
            ++depth;
        else if (c == ')' && --depth < 0)
            break;
        else if (depth == 0 && (c == '+' || c == '-') && end > 1 && before != '^' &&
                 before != '*' && before != '/' && before != '(')
            break;
    }
    const std::string_view term = t.substr(1, end - 1);
    if (term.empty() || std::string_view("+-*/^)").find(term[0]) != std::string_view::npos)
        return {};
    return "scrivere " + std::string(sign == '-' ? "0-" : "") + std::string(term);
}

// The word of "Operatore non riconosciuto... word" as it stands in the
// text: its letters up to the first one the loader replaced by a number.
std::string unknownWordCause(std::string_view t, std::string_view word) {
    if (word == "|")
        return "usare abs(...)";
    const std::string_view letters = word.substr(0, letterRun(word, 0));
    if (letters.empty())
        return {};
    for (std::size_t i = t.find(letters); i != std::string_view::npos; i = t.find(letters, i + 1)) {
        if (i == 0 || !isLetter(t[i - 1]))
            return nameCauseAt(t, i);
    }
    return {};
}

} // namespace

std::string messageHint(std::string_view text, std::string_view message) {
    const std::string_view unknown = msg::kUnknownWordPrefix;
    std::string cause;
    if (message == msg::kBadStart)
        cause = leadingSignCause(text);
    else if (message == msg::kBrackets)
        cause = firstCause(text);
    else if (message.starts_with(unknown))
        cause = unknownWordCause(text, message.substr(unknown.size()));
    return cause.empty() ? std::string() : " (" + cause + ")";
}

} // namespace curvalia::engine
