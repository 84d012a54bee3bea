#include "core/bulk/unified_diff.h"

#include <algorithm>
#include <ostream>
#include <sstream>
#include <vector>

namespace dravik {

namespace {

struct Op {
    char kind;     // ' ' same, '-' removed, '+' added
    size_t oldAt;  // old lines before this one
    size_t newAt;  // new lines before this one
};

// Beyond this many differing lines Myers' search costs more than it is
// worth for a review: the middle is then shown as removed and added whole.
constexpr size_t kMaxEdits = 1000;

// The shortest edit script of a against b (Myers' greedy search, keeping the
// frontier of each step to walk back). Empty when it needs more than kMaxEdits.
std::vector<char> ShortestEdit(std::span<const std::string_view> a, std::span<const std::string_view> b)
{
    const long n = static_cast<long>(a.size()), m = static_cast<long>(b.size());
    const long max = std::min<long>(n + m, static_cast<long>(kMaxEdits));
    const long offset = max + 1;
    std::vector<long> v(static_cast<size_t>(2 * max + 3), 0);
    std::vector<std::vector<long>> trace;
    long found = -1;
    for (long d = 0; d <= max && found < 0; ++d) {
        trace.emplace_back(v.begin() + (offset - d), v.begin() + (offset + d + 1));
        for (long k = -d; k <= d; k += 2) {
            long x = (k == -d || (k != d && v[offset + k - 1] < v[offset + k + 1])) ? v[offset + k + 1] : v[offset + k - 1] + 1;
            long y = x - k;
            while (x < n && y < m && a[static_cast<size_t>(x)] == b[static_cast<size_t>(y)])
                ++x, ++y;
            v[offset + k] = x;
            if (x >= n && y >= m) {
                found = d;
                break;
            }
        }
    }
    if (found < 0)
        return {};
    std::vector<char> script;  // built backwards
    long x = n, y = m;
    for (long d = found; d > 0; --d) {
        const std::vector<long>& before = trace[static_cast<size_t>(d)];
        auto at = [&](long k) { return before[static_cast<size_t>(k + d)]; };
        const long k = x - y;
        const long prevK = (k == -d || (k != d && at(k - 1) < at(k + 1))) ? k + 1 : k - 1;
        const long prevX = at(prevK), prevY = prevX - prevK;
        for (; x > prevX && y > prevY; --x, --y)
            script.push_back(' ');
        script.push_back(x == prevX ? '+' : '-');
        x = prevX;
        y = prevY;
    }
    for (; x > 0; --x)
        script.push_back(' ');
    std::reverse(script.begin(), script.end());
    return script;
}

std::string Range(size_t before, size_t count)
{
    std::string text = std::to_string(count == 0 ? before : before + 1);
    if (count != 1)
        text.append(",").append(std::to_string(count));
    return text;
}

// The edit script: ' ' for a line kept, '-' removed, '+' added, in order.
std::vector<char> EditScript(std::span<const std::string_view> oldLines, std::span<const std::string_view> newLines)
{
    std::vector<char> script;
    if (oldLines.size() == newLines.size()) {
        // Rewritten in place: removed and added line by line.
        script.reserve(oldLines.size() + 16);
        for (size_t i = 0; i < oldLines.size(); ++i) {
            if (oldLines[i] == newLines[i]) {
                script.push_back(' ');
            } else {
                script.push_back('-');
                script.push_back('+');
            }
        }
    } else {
        size_t prefix = 0;
        while (prefix < oldLines.size() && prefix < newLines.size() && oldLines[prefix] == newLines[prefix])
            ++prefix;
        size_t suffix = 0;
        while (suffix < oldLines.size() - prefix && suffix < newLines.size() - prefix &&
               oldLines[oldLines.size() - 1 - suffix] == newLines[newLines.size() - 1 - suffix])
            ++suffix;
        const auto oldMiddle = oldLines.subspan(prefix, oldLines.size() - prefix - suffix);
        const auto newMiddle = newLines.subspan(prefix, newLines.size() - prefix - suffix);
        script = ShortestEdit(oldMiddle, newMiddle);
        if (script.empty() && !(oldMiddle.empty() && newMiddle.empty())) {
            script.assign(oldMiddle.size(), '-');
            script.insert(script.end(), newMiddle.size(), '+');
        }
        script.insert(script.begin(), prefix, ' ');
        script.insert(script.end(), suffix, ' ');
    }
    // Within each run of changes, removed lines first.
    for (auto run = script.begin(); run != script.end();) {
        auto end = std::find(run, script.end(), ' ');
        std::stable_partition(run, end, [](char c) { return c == '-'; });
        run = end == script.end() ? end : end + 1;
    }
    return script;
}

}  // namespace

bool WriteUnifiedDiff(std::ostream& out, std::string_view path, std::span<const std::string_view> oldLines,
                      std::span<const std::string_view> newLines, size_t context)
{
    const std::vector<char> script = EditScript(oldLines, newLines);
    if (std::find_if(script.begin(), script.end(), [](char kind) { return kind != ' '; }) == script.end())
        return false;

    std::vector<Op> ops;
    ops.reserve(script.size());
    size_t oldAt = 0, newAt = 0;
    for (char kind : script) {
        ops.push_back({kind, oldAt, newAt});
        oldAt += kind != '+';
        newAt += kind != '-';
    }

    out << "--- " << path << "\n+++ " << path << "\n";
    auto isChange = [&](size_t i) { return ops[i].kind != ' '; };
    size_t i = 0;
    while (i < ops.size()) {
        size_t change = i;
        while (change < ops.size() && !isChange(change))
            ++change;
        if (change == ops.size())
            break;
        const size_t begin = change - std::min(context, change - i);
        size_t end = change;
        for (;;) {
            while (end < ops.size() && isChange(end))
                ++end;
            size_t next = end;
            while (next < ops.size() && !isChange(next))
                ++next;
            if (next < ops.size() && next - end <= 2 * context) {
                end = next;
                continue;
            }
            end = std::min(next, end + context);
            break;
        }
        size_t oldCount = 0, newCount = 0;
        for (size_t k = begin; k < end; ++k) {
            oldCount += ops[k].kind != '+';
            newCount += ops[k].kind != '-';
        }
        out << "@@ -" << Range(ops[begin].oldAt, oldCount) << " +" << Range(ops[begin].newAt, newCount) << " @@\n";
        for (size_t k = begin; k < end; ++k)
            out << ops[k].kind << (ops[k].kind == '+' ? newLines[ops[k].newAt] : oldLines[ops[k].oldAt]) << '\n';
        i = end;
    }
    return true;
}

std::string UnifiedDiff(std::string_view path, std::span<const std::string> oldLines,
                        std::span<const std::string> newLines, size_t context)
{
    const std::vector<std::string_view> oldViews(oldLines.begin(), oldLines.end());
    const std::vector<std::string_view> newViews(newLines.begin(), newLines.end());
    std::ostringstream out;
    WriteUnifiedDiff(out, path, oldViews, newViews, context);
    return std::move(out).str();
}

}  // namespace dravik
