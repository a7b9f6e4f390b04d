// Helpers shared by the engine tests: one engine with its status messages
// collected, and the cycles the commands run on it.
#pragma once

#include "engine/Engine.h"

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

} // namespace curvalia::engine::testing
