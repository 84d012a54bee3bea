// A text the user reads, kept as its English sentence with numbered places
// and the values that fill them, so that the window can show it in the
// user's language while dravik2-batch prints the English it always printed.
//
// The engine knows no toolkit, so its sentences are marked with DRAVIK_TR and
// DRAVIK_TR_N, which Qt's extraction tool (lupdate, told so by
// scripts/update-translations) reads as QT_TRANSLATE_NOOP and
// QT_TRANSLATE_N_NOOP3: the window looks a sentence up by its context and its
// English text, and fills the places after translating it. A sentence stays
// whole, so that a translation can put its places where its language needs
// them; a message of several sentences or lines is their concatenation.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dravik {

// A sentence of the program: where the catalogue files it, and its English.
struct TextId {
    const char* context = nullptr;
    const char* source = nullptr;  // English; for a counted sentence, its form for one
    const char* plural = nullptr;  // a counted sentence's English form for many; null otherwise
};

}  // namespace dravik

// A sentence to translate: DRAVIK_TR("Files", "Cannot open file \"%1\". %2").
#define DRAVIK_TR(context, text) (::dravik::TextId{context, text, nullptr})
// A counted sentence, "%n" standing for the count, with both English forms:
// DRAVIK_TR_N("Save all", "%n file", "%n files"). A translation brings as many
// forms as its language counts with.
#define DRAVIK_TR_N(context, one, many) (::dravik::TextId{context, one, many})

namespace dravik {

class Message {
public:
    Message() = default;
    // Text that is not the program's own (a path, a value, a key, the
    // system's reason): shown as it is in every language.
    Message(std::string text);  // NOLINT: values fill places as they are
    Message(std::string_view text) : Message(std::string(text)) {}
    // A sentence with its places filled, in order, by `args` ("%1" is the first).
    Message(TextId id, std::vector<Message> args = {});
    // A counted sentence: "%n" is the count, which picks the form.
    Message(TextId id, long long count, std::vector<Message> args = {});
    // Literal text must be marked as a sentence or passed as a std::string.
    Message(const char*) = delete;

    // One part after another: lines of a list, sentences of a paragraph.
    Message& operator+=(const Message& next);
    friend Message operator+(Message first, const Message& second) { return first += second; }

    bool empty() const;
    // The text in English, exactly as the program has always written it.
    std::string english() const;

    struct Piece {
        TextId id;                        // id.source is null for text shown as it is
        std::string text;                 // that text
        std::optional<long long> count;   // a counted sentence's count
        std::vector<Message> args;        // what fills "%1", "%2", ...
    };
    const std::vector<Piece>& pieces() const { return pieces_; }

    // Compare the English text: tests and callers that match a known message.
    friend bool operator==(const Message& message, std::string_view english) { return message.english() == english; }
    friend bool operator==(const Message& message, const std::string& english) { return message.english() == english; }
    friend bool operator==(const Message& message, const char* english) { return message.english() == english; }
    friend bool operator==(const Message& first, const Message& second) { return first.english() == second.english(); }

private:
    std::vector<Piece> pieces_;
};

std::ostream& operator<<(std::ostream& out, const Message& message);

// A counted sentence's form in English: its source for one, its plural otherwise.
const char* EnglishForm(const TextId& id, long long count);

// Fills "%n" with the count and "%1" to "%9" with the arguments in one
// pass; a place without an argument, and any other "%", stay as they are.
std::string FillPlaces(std::string_view pattern, std::optional<long long> count, const std::vector<std::string>& args);

}  // namespace dravik
