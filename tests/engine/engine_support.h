// Helpers shared by the engine tests: one engine with its status messages
// collected, and the cycles the commands run on it.
#pragma once

#include "engine/Engine.h"
#include "engine/Messages.h"
#include "engine/NumberText.h"

#include <string>
#include <string_view>
#include <vector>

namespace curvalia::engine::testing {

struct EngineRun {
    Engine engine;
    std::vector<std::string> messages;

    EngineRun();
    // The draw command's cycle for one sample: empty, load with the number
    // text of x, tokenize, StepCount := 0, evaluate.
    Engine::Sample evaluate(std::string_view expression, double x = 0);
    // Chars after loading with the number text of x (up to the end marker).
    std::vector<std::string> loaded(std::string_view expression, double x = 0);
    // Tokens after loading with the number text of x and tokenizing.
    std::vector<std::string> tokenized(std::string_view expression, double x = 0);
    // The syntax check after emptying: "" when accepted, else its message.
    std::string check(std::string_view expression);
    std::vector<std::string> tokenList() const;
};

// True for every text the engine may write to the status line.
bool isKnownMessage(std::string_view message);

inline EngineRun::EngineRun() {
    engine.setStatusSink([this](std::string_view m) { messages.emplace_back(m); });
}

inline Engine::Sample EngineRun::evaluate(std::string_view expression, double x) {
    messages.clear();
    tokenized(expression, x);
    engine.StepCount = 0;
    const double value = engine.Evaluate(x);
    return {value, engine.isDefined()};
}

inline std::vector<std::string> EngineRun::loaded(std::string_view expression, double x) {
    engine.emptyArrays();
    engine.LoadExpression(expression, numberText(x));
    std::vector<std::string> out;
    for (int i = 0; !engine.chars(i).empty(); ++i)
        out.emplace_back(engine.chars(i));
    return out;
}

inline std::vector<std::string> EngineRun::tokenized(std::string_view expression, double x) {
    engine.emptyArrays();
    engine.LoadExpression(expression, numberText(x));
    engine.Tokenize();
    return tokenList();
}

inline std::vector<std::string> EngineRun::tokenList() const {
    std::vector<std::string> out;
    for (int i = 0; !engine.tokens(i).empty(); ++i)
        out.emplace_back(engine.tokens(i));
    return out;
}

inline std::string EngineRun::check(std::string_view expression) {
    messages.clear();
    engine.emptyArrays();
    if (engine.CheckSyntax(expression))
        return messages.empty() ? "" : "accepted, but wrote: " + messages.front();
    return messages.size() == 1 ? messages.front()
                                : "refused with " + std::to_string(messages.size()) + " messages";
}

inline bool isKnownMessage(std::string_view m) {
    for (std::string_view f :
         {msg::kBrackets, msg::kStepLimit, msg::kBlank, msg::kMoreOpen, msg::kMoreClosed,
          msg::kEmptyBrackets, msg::kNeedOperator, msg::kBadStart, msg::kCheckBrackets})
        if (m == f)
            return true;
    const std::string_view unknown = msg::kUnknownWordPrefix, prefix = msg::kRemoveOperatorPrefix,
                           suffix = msg::kRemoveOperatorSuffix;
    return (m.size() > unknown.size() && m.starts_with(unknown)) ||
           (m.size() >= prefix.size() + suffix.size() && m.starts_with(prefix) &&
            m.ends_with(suffix));
}

} // namespace curvalia::engine::testing
