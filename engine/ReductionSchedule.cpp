#include "engine/ReductionSchedule.h"

#include "engine/Engine.h"
#include "engine/FunctionLibrary.h"
#include "engine/NumberText.h"

#include <cmath>
#include <utility>

namespace curvalia::engine {

void ReductionSchedule::record(std::string_view expression) {
    expression_.assign(expression);
    size_ = 0;
    registerCount_ = 0;
    replayable_ = true;
    single_ = false;
    singleIsX_ = false;
    end_ = SampleOutcome::Normal;
    newRegister(0); // kXRegister, set by every run
    newRegister(0); // kZeroRegister

    // The recording evaluates once with every message held back and the
    // stop flag kept: it is not a sample, and must not show as one.
    Engine::StatusSink sink = std::move(engine_.sink_);
    engine_.sink_ = nullptr;
    const std::int16_t stop = engine_.StopRequested;
    TextCell xCell;
    xCell.setNumber(0);
    xCell.reg = kXRegister;
    engine_.recorder_ = this;
    engine_.evaluateWith(expression_, xCell, 0);
    engine_.recorder_ = nullptr;
    engine_.StopRequested = stop;
    engine_.sink_ = std::move(sink);

    itemCount_ = engine_.ItemCount;
    nextPos_ = engine_.NextPos;
    groupOpen_ = engine_.GroupOpen;
    singleInGroup_ = engine_.SingleInGroup;
    stepCount_ = engine_.StepCount;
    dropUnreadStores();
}

Sample ReductionSchedule::run(double x) {
    if (!replayable_)
        return engine_.evaluateSample(expression_, x);
    double* reg = registers_;
    reg[kXRegister] = numberTextValue(x);
    double r = 0;
    int errors = 0;
    auto take = [&](StepValue s) {
        r = s.value;
        errors += s.domainErrors;
    };
    // The folds of tokenizing come first, so even a list that needs no
    // step may have instructions.
    for (const Instruction* in = program_; in != program_ + size_; ++in) {
        switch (in->op) {
        case Op::Power:
            take(applyOperator(TokenKind::Caret, reg[in->a], reg[in->b]));
            break;
        case Op::Times:
            take(applyOperator(TokenKind::Star, reg[in->a], reg[in->b]));
            break;
        case Op::Divide:
            take(applyOperator(TokenKind::Slash, reg[in->a], reg[in->b]));
            break;
        case Op::Plus:
            take(applyOperator(TokenKind::Plus, reg[in->a], reg[in->b]));
            break;
        case Op::Minus:
            take(applyOperator(TokenKind::Minus, reg[in->a], reg[in->b]));
            break;
        case Op::Sign:
            take(applySign(reg[in->b]));
            break;
        case Op::Function:
            take(applyFunctionStep(in->kind, reg[in->b], reg[in->a]));
            break;
        case Op::Store:
            break;
        case Op::Negate:
            reg[in->dest] = numberTextValue(-reg[in->a]);
            continue;
        case Op::NegateToResult:
            r = -reg[in->a];
            reg[in->dest] = numberTextValue(r);
            continue;
        }
        if (in->then == Then::Keep)
            reg[in->dest] = numberTextValue(r);
        else if (in->then == Then::KeepNegated)
            reg[in->dest] = numberTextValue(-r);
    }
    if (single_) {
        if (singleIsX_) {
            r = x;
        } else {
            r = reg[singleRegister_];
            if (!std::isfinite(r)) {
                r = 0;
                errors = 1;
            }
        }
    } else if (end_ != SampleOutcome::Normal) {
        r = 0;
        ++errors;
        if (end_ == SampleOutcome::NothingToReduce)
            engine_.StopRequested = -1;
        if (end_ == SampleOutcome::StepLimit)
            engine_.report(msg::kStepLimit);
        else
            engine_.report(engine_.bracketMessage(expression_));
    }
    engine_.DomainTally = static_cast<std::int16_t>(-errors);
    engine_.DomainEvents = static_cast<std::int16_t>(errors);
    engine_.ItemCount = itemCount_;
    engine_.NextPos = nextPos_;
    engine_.GroupOpen = groupOpen_;
    engine_.SingleInGroup = singleInGroup_;
    engine_.StepCount = stepCount_;
    return {r, errors == 0, end_};
}

std::uint16_t ReductionSchedule::newRegister(double value) {
    if (registerCount_ >= kMaxRegisters) {
        replayable_ = false;
        return kZeroRegister;
    }
    registers_[registerCount_] = value;
    return static_cast<std::uint16_t>(registerCount_++);
}

// A token that no step has written yet holds a value read from the
// expression itself (a number, e, p, or a text that reads as 0): it is the
// same for every x, so its register is a constant.
std::uint16_t ReductionSchedule::registerOf(int token) {
    if (token < 0 || engine_.Tokens.empty(token))
        return kZeroRegister; // outside the list, or past its end: reads as 0
    const std::int16_t known = engine_.Tokens.reg(token);
    if (known >= 0)
        return static_cast<std::uint16_t>(known);
    const std::uint16_t fresh = newRegister(engine_.Tokens.number(token));
    engine_.Tokens.setReg(token, static_cast<std::int16_t>(fresh));
    return fresh;
}

void ReductionSchedule::append(Instruction instruction) {
    if (size_ >= kMaxInstructions) {
        replayable_ = false;
        return;
    }
    program_[size_++] = instruction;
}

// Evaluate starts from r = 0: a negation folded while tokenizing no longer
// sets the result.
void ReductionSchedule::recordEvaluateStart() {
    for (int i = 0; i < size_; ++i)
        if (program_[i].op == Op::NegateToResult)
            program_[i].op = Op::Negate;
}

void ReductionSchedule::recordSingle(bool letterX) {
    single_ = true;
    singleIsX_ = letterX;
    if (!letterX)
        singleRegister_ = registerOf(0);
}

void ReductionSchedule::recordStep(TokenKind kind, int aToken, int bToken) {
    static_assert(static_cast<int>(Op::Times) ==
                      static_cast<int>(TokenKind::Star) - static_cast<int>(TokenKind::Plus) &&
                  static_cast<int>(Op::Power) ==
                      static_cast<int>(TokenKind::Caret) - static_cast<int>(TokenKind::Plus));
    const Op op = isOperatorKind(kind)
                      ? static_cast<Op>(static_cast<int>(kind) - static_cast<int>(TokenKind::Plus))
                      : Op::Function;
    append({op, kind, Then::Nothing, 0, registerOf(aToken), registerOf(bToken)});
}

void ReductionSchedule::recordSign(int bToken) {
    append({Op::Sign, TokenKind::Minus, Then::Nothing, 0, kZeroRegister, registerOf(bToken)});
}

void ReductionSchedule::recordStore(int token, bool negated) {
    const std::uint16_t dest = newRegister(0);
    engine_.Tokens.setReg(token, static_cast<std::int16_t>(dest));
    const Then then = negated ? Then::KeepNegated : Then::Keep;
    // Right after the step that computed r, the store joins that step.
    if (size_ > 0) {
        Instruction& last = program_[size_ - 1];
        const bool computes = last.op <= Op::Function;
        if (computes && last.then == Then::Nothing) {
            last.then = then;
            last.dest = dest;
            return;
        }
    }
    append({Op::Store, TokenKind::Empty, then, dest, 0, 0});
}

void ReductionSchedule::recordNegation(int to, int from, bool becomesResult) {
    const std::uint16_t source = registerOf(from);
    const std::uint16_t dest = newRegister(0);
    engine_.Tokens.setReg(to, static_cast<std::int16_t>(dest));
    append({becomesResult ? Op::NegateToResult : Op::Negate, TokenKind::Empty, Then::Nothing, dest,
            source, 0});
}

void ReductionSchedule::recordEnd(SampleOutcome outcome) {
    end_ = outcome;
}

// A stored value that no later step reads (the last step's own store, and
// everything after a step limit) need not be rounded at all.
void ReductionSchedule::dropUnreadStores() {
    bool read[kMaxRegisters] = {};
    if (single_ && !singleIsX_)
        read[singleRegister_] = true;
    bool dropped[kMaxInstructions] = {};
    for (int i = size_ - 1; i >= 0; --i) {
        Instruction& in = program_[i];
        if (in.then != Then::Nothing && !read[in.dest])
            in.then = Then::Nothing;
        if ((in.op == Op::Store && in.then == Then::Nothing) ||
            (in.op == Op::Negate && !read[in.dest])) {
            dropped[i] = true;
            continue;
        }
        switch (in.op) {
        case Op::Sign:
            read[in.b] = true;
            break;
        case Op::Negate:
        case Op::NegateToResult:
            read[in.a] = true;
            break;
        case Op::Store:
            break;
        default: // the operators and functions
            read[in.a] = read[in.b] = true;
            break;
        }
    }
    int kept = 0;
    for (int i = 0; i < size_; ++i)
        if (!dropped[i])
            program_[kept++] = program_[i];
    size_ = kept;
}

} // namespace curvalia::engine
