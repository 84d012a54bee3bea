#include "core/message.h"

#include "core/errors.h"
#include "core/files/file_error.h"

#include <gtest/gtest.h>

namespace dravik {
namespace {

// The English a message gives is what the batch prints and the window shows
// in English: places filled once, counted sentences in their form.
TEST(Message, EnglishFillsPlacesAndPicksTheForm)
{
    const TextId files = DRAVIK_TR_N("Test", "%n file in %1", "%n files in %1");
    struct Case {
        Message message;
        std::string english;
    };
    const Case cases[] = {
        {Message(std::string("a %1 value from a file")), "a %1 value from a file"},
        {Message(DRAVIK_TR("Test", "Cannot open \"%1\". %2"), {std::string("a.desc"), std::string("Disk full")}),
         "Cannot open \"a.desc\". Disk full"},
        // An argument's own "%1" is not a place; a place without an argument stays.
        {Message(DRAVIK_TR("Test", "%1 and %2 and %3"), {std::string("%2"), std::string("b")}), "%2 and b and %3"},
        {Message(files, 1, {std::string("mods")}), "1 file in mods"},
        {Message(files, 0, {std::string("mods")}), "0 files in mods"},
        {Message(files, 21, {std::string("mods")}), "21 files in mods"},
        // Sentences inside sentences, and one after another.
        {Message(DRAVIK_TR("Test", "Cannot open \"%1\". %2"),
                 {std::string("b.desc"), Message(DRAVIK_TR("Test", "Not a regular file"))}) +
             Message(std::string("\n")) + Message(files, 2, {std::string("x")}),
         "Cannot open \"b.desc\". Not a regular file\n2 files in x"},
        {Message(), ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.message.english(), c.english);
    EXPECT_TRUE(Message(std::string()).empty());
    EXPECT_FALSE(Message(DRAVIK_TR("Test", "")).empty());
}

// Errors keep the sentence and its values for the window, and their English
// for what() and the batch.
TEST(Message, ErrorsKeepTheirSentence)
{
    const SyntaxError error(4, Message(DRAVIK_TR("Test", "Unknown name \"%1\""), {std::string("foo")}));
    EXPECT_STREQ(error.what(), "Unknown name \"foo\" at position 4");
    ASSERT_EQ(error.message().pieces().size(), 1u);
    EXPECT_STREQ(error.message().pieces()[0].id.source, "%1 at position %2");
    EXPECT_EQ(error.reason(), "Unknown name \"foo\"");

    const FileError own = OwnFileError(13, DRAVIK_TR("Files", "Not a regular file"));
    EXPECT_EQ(own.reason, "Not a regular file");
    EXPECT_STREQ(own.why().pieces()[0].id.source, "Not a regular file");
    const FileError system{2, "No such file or directory", {}};
    EXPECT_EQ(system.why().pieces()[0].id.source, nullptr) << "the system's words are shown as they are";
}

}  // namespace
}  // namespace dravik
