#include "core/checks/check_reason.h"

#include "core/text/cell_value.h"
#include "core/message.h"

namespace dravik {

namespace {

// The words a reason names at most; more are shown as "...".
constexpr size_t kWordsShown = 8;

}  // namespace

const char* ReasonSentence(CheckKind kind, CheckReason::Scope scope)
{
    // Marked for the catalogue: a window shows the sentence translated.
    using Scope = CheckReason::Scope;
    switch (kind) {
    case CheckKind::OutOfRange:
        switch (scope) {
        case Scope::Column:
            return DRAVIK_TR("Checks", "%1: the base game's files have %6 to %7 (%4 files); this is %5").source;
        case Scope::Folder:
            return DRAVIK_TR("Checks", "%1: the base game's %2 have %6 to %7 (%4 files); this is %5").source;
        case Scope::Key:
            return DRAVIK_TR("Checks", "%1: the base game's files with %3 %2 have %6 to %7 (%4 files); this is %5")
                .source;
        }
        break;
    case CheckKind::NotInSet:
        switch (scope) {
        case Scope::Column:
            return DRAVIK_TR("Checks", "%1: the base game's files hold one of %8 (%4 files); this is \"%5\"").source;
        case Scope::Folder:
            return DRAVIK_TR("Checks", "%1: the base game's %2 hold one of %8 (%4 files); this is \"%5\"").source;
        case Scope::Key:
            return DRAVIK_TR("Checks",
                             "%1: the base game's files with %3 %2 hold one of %8 (%4 files); this is \"%5\"")
                .source;
        }
        break;
    case CheckKind::NotWhole:
        return DRAVIK_TR("Checks", "%1: the base game's files hold whole numbers (%4 files); this is %5").source;
    case CheckKind::OtherPlaces:
        return DRAVIK_TR("Checks", "%1: decimal places in the base game's files: %9 (%4 files); this is %5").source;
    case CheckKind::NotANumber:
        return DRAVIK_TR("Checks", "%1: the base game's files hold numbers (%4 files); this is \"%5\"").source;
    case CheckKind::NoSuchFile:
        return DRAVIK_TR("Checks", "%1: the base game's files name files that exist (%4 files); \"%5\" names none "
                                   "in the base game or this mod")
            .source;
    }
    return DRAVIK_TR("Checks", "%1: %5").source;
}

std::vector<std::string> ReasonArguments(const CheckReason& reason)
{
    std::string words;
    for (size_t i = 0; i < reason.words.size() && i < kWordsShown; ++i)
        words += (i ? ", " : "") + reason.words[i];
    if (reason.words.size() > kWordsShown)
        words += ", ...";
    std::string places;
    for (std::uint32_t k = 0; k < 32; ++k)
        if (reason.places >> k & 1)
            places += (places.empty() ? "" : ", ") + std::to_string(k);
    const bool range = reason.kind == CheckKind::OutOfRange;
    return {reason.key,
            reason.group,
            reason.sortKey,
            CountText(reason.files),
            reason.value,
            range ? FormatCellNumber(reason.min) : std::string(),
            range ? FormatCellNumber(reason.max) : std::string(),
            words,
            places};
}

std::string ReasonText(const CheckReason& reason)
{
    return FillSentence(ReasonSentence(reason.kind, reason.scope), ReasonArguments(reason));
}

std::string FillSentence(std::string_view sentence, const std::vector<std::string>& arguments)
{
    std::string text;
    for (size_t i = 0; i < sentence.size(); ++i) {
        const char c = sentence[i];
        if (c == '%' && i + 1 < sentence.size()) {
            const char next = sentence[i + 1];
            if (next == '%') {
                text += '%';
                ++i;
                continue;
            }
            if (next >= '1' && next <= '9') {
                const size_t n = static_cast<size_t>(next - '1');
                if (n < arguments.size())
                    text += arguments[n];
                ++i;
                continue;
            }
        }
        text += c;
    }
    return text;
}

std::string CountText(long long count)
{
    const std::string digits = std::to_string(count < 0 ? -count : count);
    std::string text = count < 0 ? "-" : "";
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += ',';
        text += digits[i];
    }
    return text;
}

}  // namespace dravik
