// The last word of the syntax check: a character the expression language
// does not know. The tokenizer copies such a character into a token of its
// own and the evaluator reads it as 0, so "2*π" would plot y = 0 without a
// word; the check names it instead, with a hint where one helps.
#pragma once

#include <string>
#include <string_view>

namespace curvalia::engine {

// The message for the first character of text (UTF-8, already lower-cased,
// at most the 150 code points the loader takes) that is none of the digits,
// ".", the letters a to z, "+", "-", "*", "/", "^", "(", ")" and "&"; empty
// when there is none. A comma gets the decimal-point hint; a character that
// cannot be seen (a combining mark
// too, which would sit on the character before it) is written as its code
// ("U+00A0", "U+0301").
std::string foreignCharacterMessage(std::string_view text);

// Whether text shows nothing at all: it is empty, or every character is the
// blank or one with no glyph of its own (other spaces, tabs, line breaks,
// zero-width and format characters, the Hangul fillers). A combining mark
// shows, so a text holding one is not empty.
bool showsNothing(std::string_view text);

} // namespace curvalia::engine
