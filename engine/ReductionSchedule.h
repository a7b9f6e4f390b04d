// The reduction of one expression, recorded once from the plain machine and
// replayed for every value of x.
//
// Which steps the evaluator takes, where each result goes and how the
// evaluation ends depend only on the kinds of the tokens, never on the value
// of x: x always arrives as a number text, which matches no tokenizer rule.
// So a draw records the steps once, as a small program over value
// registers, and replays that program per sample with no text and no
// allocation. Every result is rounded to 15 significant digits exactly where
// the plain machine writes it as number text, and the arithmetic is the
// plain machine's own (FunctionLibrary), so a replay gives the same bits,
// the same counters and the same messages as a full load-tokenize-evaluate.
#pragma once

#include "engine/Engine.h"
#include "engine/TextCell.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace curvalia::engine {

class ReductionSchedule {
  public:
    explicit ReductionSchedule(Engine& engine) : engine_(engine) {}

    // Records the evaluation of expression (lower-cased and checked, as the
    // draw command passes it) on the engine. The engine's arrays must have
    // been emptied by the command; its flags and status line are left as
    // they were. The steps are recorded at x = 0; x is one register whatever
    // its value, so any x gives the same steps.
    void record(std::string_view expression);

    // The sample at x, as engine.evaluateSample(expression, x) gives it,
    // leaving the engine's counters and flags as that call would and
    // writing the same message, if any. The token arrays are not rewritten.
    Sample run(double x);

    // False when the recording did not fit, and run() falls back to the
    // plain machine.
    bool replayable() const { return replayable_; }

  private:
    friend class Engine; // calls the recording hooks below

    enum class Op : std::uint8_t {
        // r := reg[a] op reg[b], in the order of the operator token kinds
        Plus,
        Minus,
        Times,
        Divide,
        Power,
        Sign,           // r := -reg[b]
        Function,       // r := kind(reg[b]), reg[a] the root index
        Store,          // (nothing computed)
        Negate,         // reg[dest] := rounded -reg[a]
        NegateToResult, // the same, and r := -reg[a]
    };
    // After the operation: reg[dest] := rounded r (Keep), rounded -r, or nothing.
    // A step and the store of its result are one instruction.
    enum class Then : std::uint8_t { Nothing, Keep, KeepNegated };
    struct Instruction {
        Op op;
        TokenKind kind;
        Then then;
        std::uint16_t dest;
        std::uint16_t a;
        std::uint16_t b;
    };

    // At most 149 steps, each with one store, and at most 52 folded
    // negations (each removes three of at most 156 tokens): these bounds
    // are never reached.
    static constexpr int kMaxInstructions = 512;
    static constexpr int kMaxRegisters = 512;
    static constexpr std::uint16_t kXRegister = 0;    // x, as its number text reads back
    static constexpr std::uint16_t kZeroRegister = 1; // the missing left operand

    // Recording hooks, called by the plain machine while recorder_ is set.
    void recordEvaluateStart();
    void recordSingle(bool letterX);
    void recordStep(TokenKind kind, int aToken, int bToken);
    void recordSign(int bToken);
    void recordStore(int token, bool negated);
    void recordNegation(int to, int from, bool becomesResult);
    void recordEnd(SampleOutcome outcome);

    std::uint16_t registerOf(int token);
    std::uint16_t newRegister(double value);
    void append(Instruction instruction);
    void dropUnreadStores();

    Engine& engine_;
    std::string expression_;
    bool replayable_ = false;

    Instruction program_[kMaxInstructions];
    int size_ = 0;
    double registers_[kMaxRegisters];
    int registerCount_ = 0;

    bool single_ = false; // one token, no step: its value is the result
    bool singleIsX_ = false;
    std::uint16_t singleRegister_ = 0;
    SampleOutcome end_ = SampleOutcome::Normal;

    // The engine's flags as the recorded evaluation left them.
    std::int16_t itemCount_ = 0;
    std::int16_t nextPos_ = -1;
    bool groupOpen_ = false;
    std::int16_t singleInGroup_ = 0;
    std::int16_t stepCount_ = 0;
};

} // namespace curvalia::engine
