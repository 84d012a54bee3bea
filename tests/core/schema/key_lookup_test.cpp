#include "core/schema/key_lookup.h"

#include "tests/core/schema/literal_reference.h"

#include <gtest/gtest.h>

#include <random>

namespace dravik {
namespace {

using Lines = std::vector<std::string>;
const CodePage& cp1251() { static const CodePage page = CodePage::Named("windows-1251"); return page; }

// The value Open desc shows for a key: the value of the line the index the
// commands use finds. It must agree with the plain reference.
std::string IndexedValue(const KeyLineIndex& index, const Lines& lines, const std::string& key)
{
    return ValueOfKeyLine(lines, index.find(key), key.size());
}

std::string ValueOf(const Lines& lines, const std::string& key, const CodePage& page)
{
    const std::string value = literal::GetKeyValue(lines, key, page);
    EXPECT_EQ(IndexedValue(KeyLineIndex(lines, 4, page), lines, key), value) << ::testing::PrintToString(key);
    return value;
}

TEST(KeyValue, TheLastMatchingLineWinsWhateverItsCase)
{
    Lines lines(25, "filler");
    lines[3] = "Armor 10 20";
    lines[20] = "ARMOR 30 40";
    EXPECT_EQ(ValueOf(lines, "armor ", cp1251()), "30 40");
    EXPECT_EQ(FindKeyLine(lines, "armor ", cp1251()), 20);
}

TEST(KeyValue, ReaderEdgeCases)
{
    const Lines lines{"[section1]", "hp 100", "abcd 4", "abc 3", "  speed 5", "crew", "NAME \xC0\xE1\xE2 Tank \t",
                      "\xC0\xE1 7", "health  9 "};
    EXPECT_EQ(ValueOf(lines, "[section1]", cp1251()), "") << "header lines are lines too";
    EXPECT_EQ(ValueOf(lines, "speed", cp1251()), " ") << "leading blanks hide a key";
    EXPECT_EQ(ValueOf(lines, "crew", cp1251()), "") << "the key alone: empty value";
    EXPECT_EQ(ValueOf(lines, "missing", cp1251()), " ") << "absent: one blank";
    EXPECT_EQ(ValueOf(lines, "", cp1251()), " ") << "the empty key matches nothing";
    EXPECT_EQ(ValueOf(lines, "abc", cp1251()), "3") << "a plain prefix: the later of abc and abcd";
    EXPECT_EQ(ValueOf(lines, "abc ", cp1251()), "3");
    EXPECT_EQ(ValueOf(lines, "name ", cp1251()), "\xC0\xE1\xE2 Tank") << "the value keeps its case";
    EXPECT_EQ(ValueOf(lines, "\xE0\xC1 ", cp1251()), "7") << "Cyrillic folds";
    EXPECT_EQ(ValueOf(lines, "health ", cp1251()), "9");
    EXPECT_EQ(ValueOf(lines, "health  9  x", cp1251()), " ") << "a key longer than the line";
}

TEST(KeyValue, CodePageDecidesWhatFolds)
{
    const Lines lines{"\xB8lka 5"};  // ё in windows-1251, ¸ in windows-1252
    EXPECT_EQ(ValueOf(lines, "\xA8lka ", cp1251()), "5");
    EXPECT_EQ(ValueOf(lines, "\xA8lka ", CodePage::Named("windows-1252")), " ");
}

// Random texts over a small alphabet, so that keys share prefixes with many
// lines and differ from them only in case.
class RandomCorpus {
public:
    explicit RandomCorpus(unsigned seed) : random_(seed) {}

    std::string text(size_t maxLength)
    {
        static const std::string alphabet("aAbB \t\xC0\xE0\xC1\xE1\xA8\xB8\0\xFF=1", 16);
        std::string s;
        const size_t length = random_() % (maxLength + 1);
        for (size_t i = 0; i < length; ++i)
            s += alphabet[random_() % alphabet.size()];
        return s;
    }
    Lines lines()
    {
        Lines result(random_() % 40);
        for (auto& line : result)
            line = text(12);
        return result;
    }
    // Mostly prefixes of existing lines with their case changed, some random.
    std::string keyFor(const Lines& lines)
    {
        if (lines.empty() || random_() % 3 == 0)
            return text(10);
        std::string key = lines[random_() % lines.size()];
        key = key.substr(0, random_() % (key.size() + 1));
        for (char& c : key)
            if (random_() % 2)
                c = static_cast<char>(cp1251().lower(static_cast<unsigned char>(c)));
        if (random_() % 4 == 0)
            key += ' ';
        return key;
    }
    unsigned next() { return random_(); }

private:
    std::mt19937 random_;
};

class KeyLineIndexAgainstLiteral : public ::testing::TestWithParam<unsigned> {};

TEST_P(KeyLineIndexAgainstLiteral, SameLinesAndValuesBeforeAndAfterEdits)
{
    RandomCorpus corpus(GetParam());
    for (int round = 0; round < 60; ++round) {
        Lines lines = corpus.lines();
        std::vector<std::string> keys;
        for (int k = 0; k < 30; ++k)
            keys.push_back(corpus.keyFor(lines));
        keys.push_back("");
        // Sometimes shorter than the longest key, so that some keys take the scan.
        const size_t longestKey = corpus.next() % 12;
        // Sometimes told the first bytes of only some keys; the others are scanned.
        FirstBytes firstBytes{};
        for (const auto& key : keys)
            if (!key.empty() && corpus.next() % 3)
                firstBytes[cp1251().lower(static_cast<unsigned char>(key[0]))] = true;
        const bool withFirstBytes = round % 2 == 1;
        KeyLineIndex index(lines, longestKey, cp1251(), withFirstBytes ? &firstBytes : nullptr);

        auto compareAll = [&](const char* when) {
            for (const auto& key : keys) {
                ASSERT_EQ(index.find(key), literal::KeyLine(lines, key, cp1251()))
                    << when << " key " << ::testing::PrintToString(key) << " in " << ::testing::PrintToString(lines);
                ASSERT_EQ(index.findFolded(cp1251().lowered(key)), literal::KeyLine(lines, key, cp1251())) << when;
                ASSERT_EQ(IndexedValue(index, lines, key), literal::GetKeyValue(lines, key, cp1251())) << when;
                ASSERT_EQ(FindKeyLine(lines, key, cp1251()), literal::KeyLine(lines, key, cp1251())) << when;
            }
        };
        compareAll("fresh");
        // The one-pass scan of a text read once finds the same lines.
        std::vector<std::string> folded;
        for (const auto& key : keys)
            folded.push_back(cp1251().lowered(key));
        const std::vector<std::string_view> views(lines.begin(), lines.end());
        // With its edges in a table, and searched as a schema too large for the table.
        for (const size_t tableLimit : {KeyLineScan::kTableLimit, size_t{0}}) {
            std::vector<long> found;
            KeyLineScan(folded, tableLimit).find(views, cp1251(), found);
            for (size_t k = 0; k < keys.size(); ++k)
                ASSERT_EQ(found[k], literal::KeyLine(lines, keys[k], cp1251()))
                    << "scan, key " << ::testing::PrintToString(keys[k]) << " in " << ::testing::PrintToString(lines)
                    << ", table limit " << tableLimit;
        }
        for (int edit = 0; edit < 8 && !lines.empty(); ++edit) {
            const size_t at = corpus.next() % lines.size();
            // Rebuilt key lines are longer than any start kept by the index.
            lines[at] = corpus.next() % 2 ? corpus.text(30) : keys[corpus.next() % keys.size()] + " 1 2 ";
            index.lineChanged(at, lines[at]);
            compareAll("after an edit");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, KeyLineIndexAgainstLiteral, ::testing::Values(1u, 2u, 3u, 42u, 2024u));

TEST(KeyLineIndex, LongLinesAndKeysBeyondTheIndexedLength)
{
    std::string big(10 * 1024 * 1024, 'x');
    big[5] = '\0';
    big.back() = '\xFF';
    Lines lines{"short 1", "key " + big, "KEY " + big.substr(0, 20)};
    KeyLineIndex index(lines, 4, cp1251());
    EXPECT_EQ(index.find("key "), 2);
    EXPECT_EQ(index.find("key " + big.substr(0, 10)), 2);
    EXPECT_EQ(index.find("key " + big.substr(0, 30)), 1);
    lines[2] = "other";
    index.lineChanged(2, lines[2]);
    EXPECT_EQ(index.find("key "), 1);
    EXPECT_TRUE(IndexedValue(index, lines, "key ") == big);
}

}  // namespace
}  // namespace dravik
