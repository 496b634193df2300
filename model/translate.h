// The model's texts in the player's language. The model knows no toolkit, so
// the program installs the translator at start; without one (tests, fuzzing)
// every text stays the English it is written in.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace palabrum {

// Looks `source` (English, UTF-8) up in `context`; an empty answer means "none".
using Translator = std::function<std::u16string(const char* context, const char* source)>;
void SetTranslator(Translator translator);

// `source` in the player's language. The translation tools find these calls
// by their name, and only with nothing but the two literals inside: values go
// in through Arg(Tr(...), {...}).
std::u16string Tr(const char* context, const char* source);

// Replaces %1 to %9 in `text` by `args`, in one pass: a "%1" inside an
// argument (a file name, a player's word) stays as it is.
std::u16string Arg(std::u16string_view text, std::initializer_list<std::u16string_view> args);

}  // namespace palabrum
