// The expression engine: the character and token arrays, loading with x
// substituted, tokenizing, the syntax checker and the rewriting evaluator.
//
// This is the plain machine: every load, tokenize and evaluation is done in
// full from the text, step by step, with the names the rest of the program
// uses (Chars, Tokens, ItemCount, NextPos, ...), so that each step can be
// checked against the rules it follows. It keeps no caches. The sweep of a
// plot replays a ReductionSchedule recorded from this machine instead.
//
// It is not reentrant: one load-tokenize-evaluate cycle at a time. Status
// messages go to the sink set with setStatusSink(); the engine never
// touches a window.
#pragma once

#include "engine/FunctionLibrary.h"
#include "engine/TextCell.h"
#include "engine/TokenList.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace curvalia::engine {

class ReductionSchedule;

// How an evaluation ended. A step-limit or nothing-to-reduce end has written
// its message to the status line; nothing-to-reduce also set StopRequested.
enum class SampleOutcome : std::uint8_t {
    Normal,
    StepLimit,
    NothingToReduce,
};

struct Sample {
    double value = 0;
    bool defined = true;
    SampleOutcome outcome = SampleOutcome::Normal;
};

class Engine {
  public:
    static constexpr int kCharsSize = 151;           // Chars[0..150]
    static constexpr int kTokensSize = 156;          // Tokens[0..155]
    static constexpr int kMaxExpressionLength = 150; // code points accepted by the expression box
    static constexpr int kStepLimit = 150;           // the 150th pass aborts the evaluation

    using StatusSink = std::function<void(std::string_view)>;
    using Sample = engine::Sample;

    Engine();

    void setStatusSink(StatusSink sink);
    // Puts sink in place and hands back the one it replaces (a computation
    // that must not touch the status line borrows the engine this way).
    StatusSink exchangeStatusSink(StatusSink sink) {
        std::swap(sink, sink_);
        return sink;
    }
    // Writes message to the status line through the sink.
    void report(std::string_view message) const;

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
    // order, the last being that every character belongs to the language;
    // on the first error writes its message to the sink and answers false.
    // A hint for the usual slips (see MessageHints.h) follows the message.
    bool CheckSyntax(std::string_view text);

    // The check of every command that takes an expression: a text that shows
    // nothing (empty, or only blanks and characters with no glyph) is refused
    // with its own message, where the checker would accept it and every
    // sample would read 0; anything else goes to CheckSyntax.
    bool CheckExpression(std::string_view text);

    // A value is defined exactly when no domain error was counted.
    bool isDefined() const { return DomainTally == DomainEvents; }

    // One full sample: LoadExpression(expression, number text of x),
    // Tokenize, StepCount := 0, Evaluate(x). The arrays must have been
    // emptied once by the command (emptyArrays) before its first sample.
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
    friend class ReductionSchedule; // records its steps from this machine

    // Loads text as LoadExpression does, with xCell in place of each free x.
    // With refuseBlanks (the syntax checker's loading) it stops at the first
    // blank and answers false.
    bool loadCharacters(std::string_view text, const TextCell& xCell, bool refuseBlanks);
    const TextCell& charAt(int i) const { return i >= 0 && i < kCharsSize ? Chars[i] : emptyChar_; }
    bool charIs(int i, char c) const { return charAt(i).isChar(c); }
    Sample evaluateWith(std::string_view expression, const TextCell& xCell, double x);

    double ReadNumber(int first, int last) const;

    void FindNextStep();
    void StoreResult(int lo, int hi, double result);
    void FoldParentheses();
    bool foldPass();
    // The two fold patterns, each written once and shared by the fold pass
    // and StoreResult; both answer whether they changed the list.
    bool foldGroupAt(int j);                            // "(" value ")"  ->  value
    bool foldNegatedGroupAt(int j, bool becomesResult); // "(" "-" value ")"  ->  -value
    void storeResultAt(int i, double result);
    void takeStep(StepValue step);
    double giveUp(SampleOutcome outcome, std::string_view message);
    // The bracket message for text, with its hint.
    const std::string& bracketMessage(std::string_view text);

    void countDomainError(int count = 1);

    TextCell Chars[kCharsSize];
    int charsUsed_ = 0; // every element at or after this index is empty
    TokenList Tokens;

    // The current step result. It lives in the engine, not in one call of
    // Evaluate, because folding "(" "-" value ")" also sets it.
    double r = 0;

    // Set only while a schedule records an evaluation.
    ReductionSchedule* recorder_ = nullptr;

    TextCell emptyChar_{}; // what every index outside Chars reads as; never written
    TextCell eCell_;
    TextCell pCell_;
    StatusSink sink_;
    SampleOutcome lastOutcome_ = SampleOutcome::Normal;

    std::string_view sampleText_; // set only while evaluateWith runs
    std::string bracketText_;
    std::string bracketMessage_;
    bool bracketMessageValid_ = false;
};

// Lower-cases text code point by code point with the Unicode simple
// lower-case mapping, as the draw command does with the typed expression.
std::string toLowerText(std::string_view text);

} // namespace curvalia::engine

// Every text the engine writes to the status line.
namespace curvalia::engine::msg {

// Evaluator
inline constexpr const char* kBrackets =
    "Eventuale errore nell'espressione, controllare bene le parentesi";
inline constexpr const char* kStepLimit =
    "ATTENZIONE, la funzione \xC3\xA8 stata scritta in modo scorretto";

// Syntax checker
inline constexpr const char* kBlank = "Spazio non valido, eliminarlo";
inline constexpr const char* kUnknownWordPrefix = "Operatore non riconosciuto... ";
inline constexpr const char* kMoreOpen = "Le parentesi APERTE sono maggiori di quelle chiuse";
inline constexpr const char* kMoreClosed = "Le parentesi CHIUSE sono maggiori di quelle aperte";
inline constexpr const char* kEmptyBrackets = "Le parentesi non contengono alcun valore";
inline constexpr const char* kNeedOperator = "E' necessario un operatore fra le due parentesi";
inline constexpr const char* kBadStart = "L'espressione non pu\xC3\xB2 iniziare in questo modo";
inline constexpr const char* kRemoveOperatorPrefix = "Errore di sitassi, eliminare l'operatore ";
inline constexpr const char* kRemoveOperatorSuffix = "...";
inline constexpr const char* kCheckBrackets =
    "Errore di sitassi, verificare il contenuto delle parentesi";
// An expression that shows nothing: every sample would read 0.
inline constexpr const char* kEmptyExpression = "Scrivere l'espressione della funzione";
// A comma where the language has none: a decimal comma, most likely.
inline constexpr const char* kDecimalComma = "Usare il punto come separatore decimale";

} // namespace curvalia::engine::msg
