#include "core/bulk/unified_diff.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <vector>

namespace dravik {
namespace {

using Lines = std::vector<std::string>;

Lines Numbered(int count)
{
    Lines lines;
    for (int i = 1; i <= count; ++i)
        lines.push_back("l" + std::to_string(i));
    return lines;
}

// Applies the hunks of a diff to `old`, checking each context and removed
// line against it, as patch would.
Lines Patch(const Lines& old, const std::string& diff)
{
    std::istringstream in(diff);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line.substr(0, 4), "--- ");
    std::getline(in, line);
    EXPECT_EQ(line.substr(0, 4), "+++ ");
    Lines result;
    size_t at = 0;
    while (std::getline(in, line)) {
        if (line.rfind("@@ -", 0) == 0) {
            size_t start = std::stoul(line.substr(4));
            const size_t comma = line.find(',');
            const bool empty = comma < line.find(' ', 4) && std::stoul(line.substr(comma + 1)) == 0;
            const size_t first = empty ? start : start - 1;
            EXPECT_GE(first, at);
            while (at < first)
                result.push_back(old[at++]);
            continue;
        }
        const std::string body = line.substr(1);
        if (line[0] == '+') {
            result.push_back(body);
        } else {
            EXPECT_LT(at, old.size());
            EXPECT_EQ(old[at], body);
            if (line[0] == ' ')
                result.push_back(body);
            ++at;
        }
    }
    while (at < old.size())
        result.push_back(old[at++]);
    return result;
}

TEST(UnifiedDiff, OneChangedLineWithThreeLinesOfContext)
{
    const Lines old = Numbered(10);
    Lines changed = old;
    changed[4] = "armor 50 50 \xD2 ";
    EXPECT_EQ(UnifiedDiff("u/t.txt", old, changed), "--- u/t.txt\n+++ u/t.txt\n@@ -2,7 +2,7 @@\n l2\n l3\n l4\n-l5\n"
                                                    "+armor 50 50 \xD2 \n l6\n l7\n l8\n");
    EXPECT_EQ(UnifiedDiff("same", old, old), "");
}

TEST(UnifiedDiff, NearChangesShareAHunkFarOnesDoNot)
{
    const Lines old = Numbered(30);
    Lines changed = old;
    changed[1] = "x";
    changed[8] = "y";   // six lines between: one hunk
    changed[25] = "z";  // far: a second hunk
    const std::string diff = UnifiedDiff("f", old, changed);
    EXPECT_NE(diff.find("@@ -1,12 +1,12 @@\n"), std::string::npos) << diff;
    EXPECT_NE(diff.find("@@ -23,7 +23,7 @@\n"), std::string::npos) << diff;
    EXPECT_EQ(Patch(old, diff), changed);
}

TEST(UnifiedDiff, EmptySidesAndCountsOfOne)
{
    EXPECT_EQ(UnifiedDiff("f", Lines{}, Lines{"a"}), "--- f\n+++ f\n@@ -0,0 +1 @@\n+a\n");
    EXPECT_EQ(UnifiedDiff("f", Lines{"a", "b"}, Lines{}), "--- f\n+++ f\n@@ -1,2 +0,0 @@\n-a\n-b\n");
    EXPECT_EQ(UnifiedDiff("f", Lines{"a", "b"}, Lines{"a", "c", "b"}), "--- f\n+++ f\n@@ -1,2 +1,3 @@\n a\n+c\n b\n");
}

// As many lines before as after: each line is compared with its own, as
// Save all rewrites key lines where they stand, even where a shifted match
// would give a shorter script.
TEST(UnifiedDiff, LinesRewrittenInPlaceAreComparedLineByLine)
{
    EXPECT_EQ(UnifiedDiff("f", Lines{"a", "b", "c"}, Lines{"b", "c", "d"}),
              "--- f\n+++ f\n@@ -1,3 +1,3 @@\n-a\n-b\n-c\n+b\n+c\n+d\n");
    Lines many = Numbered(5000), changed = many;
    for (size_t i = 0; i < changed.size(); i += 2)
        changed[i] += "'";
    const std::string diff = UnifiedDiff("f", many, changed);
    EXPECT_EQ(diff.substr(0, 34), "--- f\n+++ f\n@@ -1,5000 +1,5000 @@\n");
    EXPECT_EQ(Patch(many, diff), changed);
}

TEST(UnifiedDiff, PatchingTheOldLinesGivesTheNew)
{
    std::mt19937 random(3);
    for (int round = 0; round < 300; ++round) {
        Lines old;
        for (int i = 0, n = static_cast<int>(random() % 40); i < n; ++i)
            old.push_back(std::string(1, static_cast<char>('a' + random() % 4)));
        Lines changed = old;
        for (int edit = 0, n = static_cast<int>(random() % 6); edit < n; ++edit) {
            const size_t at = changed.empty() ? 0 : random() % changed.size();
            switch (random() % 3) {
            case 0: changed.insert(changed.begin() + static_cast<long>(at), "new"); break;
            case 1: if (!changed.empty()) changed.erase(changed.begin() + static_cast<long>(at)); break;
            default: if (!changed.empty()) changed[at] = "set"; break;
            }
        }
        const std::string diff = UnifiedDiff("f", old, changed, random() % 4);
        EXPECT_EQ(diff.empty(), old == changed);
        if (!diff.empty()) {
            EXPECT_EQ(Patch(old, diff), changed) << diff;
        }
    }
    // Past the search's limit the middle is replaced whole, and still right.
    Lines many = Numbered(3000), others;
    for (const auto& line : many)
        others.push_back(line + "'");
    EXPECT_EQ(Patch(many, UnifiedDiff("f", many, others)), others);
}

}  // namespace
}  // namespace dravik
