#include "core/message.h"

#include <ostream>

namespace dravik {

Message::Message(std::string text)
{
    if (!text.empty())
        pieces_.push_back({TextId{}, std::move(text), std::nullopt, {}});
}

Message::Message(TextId id, std::vector<Message> args)
{
    pieces_.push_back({id, {}, std::nullopt, std::move(args)});
}

Message::Message(TextId id, long long count, std::vector<Message> args)
{
    pieces_.push_back({id, {}, count, std::move(args)});
}

Message& Message::operator+=(const Message& next)
{
    pieces_.insert(pieces_.end(), next.pieces_.begin(), next.pieces_.end());
    return *this;
}

bool Message::empty() const
{
    for (const Piece& piece : pieces_)
        if (piece.id.source || !piece.text.empty())
            return false;
    return true;
}

std::string Message::english() const
{
    std::string text;
    for (const Piece& piece : pieces_) {
        if (!piece.id.source) {
            text += piece.text;
            continue;
        }
        std::vector<std::string> args;
        args.reserve(piece.args.size());
        for (const Message& arg : piece.args)
            args.push_back(arg.english());
        const char* pattern = piece.count ? EnglishForm(piece.id, *piece.count) : piece.id.source;
        text += FillPlaces(pattern, piece.count, args);
    }
    return text;
}

std::ostream& operator<<(std::ostream& out, const Message& message) { return out << message.english(); }

const char* EnglishForm(const TextId& id, long long count)
{
    return count == 1 || !id.plural ? id.source : id.plural;
}

std::string FillPlaces(std::string_view pattern, std::optional<long long> count, const std::vector<std::string>& args)
{
    std::string text;
    text.reserve(pattern.size() + 16 * args.size());
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size()) {
            const char next = pattern[i + 1];
            if (next == 'n' && count) {
                text += std::to_string(*count);
                ++i;
                continue;
            }
            if (next >= '1' && next <= '9' && static_cast<size_t>(next - '1') < args.size()) {
                text += args[static_cast<size_t>(next - '1')];
                ++i;
                continue;
            }
        }
        text += c;
    }
    return text;
}

}  // namespace dravik
