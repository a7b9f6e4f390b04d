// The expression engine: the character and token arrays, loading with x
// substituted, tokenizing, the syntax checker and the rewriting evaluator.
//
// The state is one object with the names the rest of the program uses for
// it (Chars, Tokens, ItemCount, NextPos, ...), so that every step can be
// followed against the design notes. It is not reentrant: one
// load-tokenize-evaluate cycle at a time. Status messages go to the sink set
// with setStatusSink(); the engine never touches a window.
#pragma once

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
    void LoadExpression(std::string_view text, std::string_view xText);

    // Builds Tokens from Chars, then folds parentheses and finds the first step.
    void Tokenize();

    // Reduces Tokens to one value. The caller sets StepCount to 0 first.
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
    std::int16_t SingleInGroup = 0;  // 0 or -1
    std::int16_t DomainTally = 0;
    std::int16_t DomainEvents = 0;
    std::int16_t StepCount = 0;
    std::int16_t StopRequested = 0;  // 0 or -1; set by the stop button and by Evaluate

    // (private state and helpers follow; their layout is the engine's own)
};

// Lower-cases ASCII and the accented Latin letters, code point by code point,
// as the draw command does with the typed expression.
std::string toLowerText(std::string_view text);

} // namespace curvalia::engine
