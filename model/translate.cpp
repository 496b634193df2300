#include "translate.h"

#include "utf8.h"

namespace palabrum {

namespace {

Translator& Installed() {
    static Translator translator;
    return translator;
}

}  // namespace

void SetTranslator(Translator translator) { Installed() = std::move(translator); }

std::u16string Tr(const char* context, const char* source) {
    std::u16string text = Installed() ? Installed()(context, source) : std::u16string();
    return text.empty() ? Utf16FromUtf8(source) : text;
}

std::u16string Arg(std::u16string_view text, std::initializer_list<std::u16string_view> args) {
    const auto values = args.begin();
    std::u16string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t n = i + 1 < text.size() ? static_cast<std::size_t>(text[i + 1] - u'1') : args.size();
        if (text[i] == u'%' && n < args.size()) {
            out += values[n];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace palabrum
