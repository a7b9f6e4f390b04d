// The expression engine: the character and token arrays, loading with x
// substituted, tokenizing, the syntax checker and the rewriting evaluator.
//
// The state is one object with the names the rest of the program uses for
// it (Chars, Tokens, ItemCount, NextPos, ...), so that every step can be
// followed against the design notes. It is not reentrant: one
// load-tokenize-evaluate cycle at a time. Status messages go to the sink set
// with setStatusSink(); the engine never touches a window.
#pragma once

#include "engine/TextCell.h"
#include "engine/TokenList.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace curvalia::engine {

class Engine {
  public:
    static constexpr int kCharsSize = 151;           // Chars[0..150]
    static constexpr int kTokensSize = 156;          // Tokens[0..155]
    static constexpr int kMaxExpressionLength = 150; // code points accepted by the expression box
    static constexpr int kStepLimit = 150;           // the 150th pass aborts the evaluation

    using StatusSink = std::function<void(std::string_view)>;

    Engine();

    void setStatusSink(StatusSink sink);

    // Empties elements 0..149 of Chars and Tokens and sets NextPos to -1,
    // as every command does once at its start.
    void emptyArrays();

    // Loads text (UTF-8, one element per code point) into Chars, replacing
    // each free x by xText, e and p by their number texts; sets ItemCount.
    // Only the first 150 code points are loaded; a byte that is not valid
    // UTF-8 is one element holding U+FFFD.
    void LoadExpression(std::string_view text, std::string_view xText);

    // Builds Tokens from Chars, then folds parentheses and finds the first step.
    void Tokenize();

    // Reduces Tokens to one value. The caller sets StepCount to 0 first.
    // Every step whose result is not a finite number counts as a domain
    // error and stores 0 in its place. When nothing can be reduced it sets
    // StopRequested and writes the bracket message; at the 150th pass it
    // writes the pass-limit message and sets StepCount to 0. Either way it
    // returns 0 at once and the value counts as undefined.
    double Evaluate(double x);

    // Loads text with x taken as 0, tokenizes it and applies the checks in
    // order; on the first error writes its message to the sink and answers false.
    bool CheckSyntax(std::string_view text);

    // A value is defined exactly when no domain error was counted.
    bool isDefined() const { return DomainTally == DomainEvents; }

    // One full sample: LoadExpression(expression, number text of x),
    // Tokenize, StepCount := 0, Evaluate(x). The arrays must have been
    // emptied once by the command (emptyArrays) before its first sample.
    struct Sample {
        double value;
        bool defined;
    };
    Sample evaluateSample(std::string_view expression, double x);

    // Read access for tests and diagnostics; out-of-range indices read as "".
    std::string_view chars(int i) const;
    std::string_view tokens(int i) const;

    // Engine flags, shared with the commands that drive the engine.
    std::int16_t ItemCount = 0;
    std::int16_t NextPos = -1;
    bool GroupOpen = false;
    std::int16_t SingleInGroup = 0; // 0 or -1
    std::int16_t DomainTally = 0;
    std::int16_t DomainEvents = 0;
    std::int16_t StepCount = 0;
    std::int16_t StopRequested = 0; // 0 or -1; set by the stop button and by Evaluate

  private:
    // Loads text as LoadExpression does, with xCell in place of each free x.
    // With refuseBlanks (the syntax checker's loading) it stops at the first
    // blank and answers false.
    bool loadCharacters(std::string_view text, const TextCell& xCell, bool refuseBlanks);
    const TextCell& charAt(int i) const { return i >= 0 && i < kCharsSize ? Chars[i] : emptyChar_; }
    bool charIs(int i, char c) const { return charAt(i).isChar(c); }

    double ReadNumber(int first, int last) const;

    void FindNextStep();
    void StoreResult(int lo, int hi, double result);
    void FoldParentheses();
    bool foldPass();
    static bool IsWholeNumber(double v); // IsEven is with the functions that use it

    void countDomainError();
    void report(std::string_view message) const;

    TextCell Chars[kCharsSize];
    int charsUsed_ = 0; // every element at or after this index is empty
    TokenList Tokens;

    // The current step result. It lives in the engine, not in one call of
    // Evaluate, because folding "(" "-" value ")" also sets it.
    double r = 0;

    // Tokens.version() when the list was last scanned or last folded to a
    // fixed point: an unchanged list needs neither again.
    std::uint64_t scannedVersion_ = 0;
    std::uint64_t foldedVersion_ = 0;

    // A step that writes one value at index at of a list that was folded as
    // far as it goes can only make a new foldable run that covers that
    // index: the next fold looks there first and skips its pass when there
    // is none. localChangeVersion_ is the list version right after that step.
    void noteLocalChange(int at, std::uint64_t versionBefore);
    bool foldableNear(int at) const;
    int localChangeAt_ = 0;
    std::uint64_t localChangeVersion_ = 0;

    // Loading the same expression again, as every sample does, only
    // rewrites the elements that stand for x, and tokenizing it again copies
    // the tokens the last full pass wrote. Both hold only while x is written
    // as a number text: such an element matches no tokenizer rule, so the
    // tokens cannot depend on its value.
    static bool inertX(const TextCell& xCell) { return xCell.textPending || xCell.len >= 2; }
    void forgetTemplates();

    static constexpr int kTemplateTextCapacity = 4 * kMaxExpressionLength;
    char templateText_[kTemplateTextCapacity];
    int templateTextSize_ = -1;                    // -1: no expression to reuse
    int templateCount_ = 0;                        // its number of characters
    std::uint8_t templateX_[kMaxExpressionLength]; // indices of the x elements
    int templateXCount_ = 0;
    std::uint64_t charsGeneration_ = 1; // changes whenever Chars changes other than in x

    TextCell tokenTemplate_[kMaxExpressionLength];
    std::int16_t tokenSource_[kMaxExpressionLength]; // the Chars element a token copies, else -1
    int tokenTemplateCount_ = 0;
    std::uint64_t tokenTemplateGeneration_ = 0; // 0: none

    TextCell emptyChar_{}; // what every index outside Chars reads as; never written
    TextCell eCell_;
    TextCell pCell_;
    StatusSink sink_;
};

// Lower-cases ASCII and the accented Latin letters, code point by code point,
// as the draw command does with the typed expression.
std::string toLowerText(std::string_view text);

} // namespace curvalia::engine
