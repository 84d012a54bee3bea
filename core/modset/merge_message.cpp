#include "core/modset/merge_message.h"

namespace dravik {

std::string Message::english() const
{
    std::string text;
    text.reserve(pattern.size());
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && next >= '1' && next <= '9' && static_cast<size_t>(next - '1') < args.size()) {
            text += args[static_cast<size_t>(next - '1')];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

}  // namespace dravik
