#include "engine_support.h"

#include "engine/Messages.h"
#include "engine/NumberText.h"

namespace curvalia::engine::testing {

EngineRun::EngineRun() {
    engine.setStatusSink([this](std::string_view m) { messages.emplace_back(m); });
}

Engine::Sample EngineRun::evaluate(std::string_view expression, double x) {
    messages.clear();
    tokenized(expression, x);
    engine.StepCount = 0;
    const double value = engine.Evaluate(x);
    return {value, engine.isDefined()};
}

std::vector<std::string> EngineRun::loaded(std::string_view expression, double x) {
    engine.emptyArrays();
    engine.LoadExpression(expression, numberText(x));
    std::vector<std::string> out;
    for (int i = 0; !engine.chars(i).empty(); ++i)
        out.emplace_back(engine.chars(i));
    return out;
}

std::vector<std::string> EngineRun::tokenized(std::string_view expression, double x) {
    engine.emptyArrays();
    engine.LoadExpression(expression, numberText(x));
    engine.Tokenize();
    return tokenList();
}

std::vector<std::string> EngineRun::tokenList() const {
    std::vector<std::string> out;
    for (int i = 0; !engine.tokens(i).empty(); ++i)
        out.emplace_back(engine.tokens(i));
    return out;
}

std::string EngineRun::check(std::string_view expression) {
    messages.clear();
    engine.emptyArrays();
    if (engine.CheckSyntax(expression))
        return messages.empty() ? "" : "accepted, but wrote: " + messages.front();
    return messages.size() == 1 ? messages.front()
                                : "refused with " + std::to_string(messages.size()) + " messages";
}

bool isKnownMessage(std::string_view m) {
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
