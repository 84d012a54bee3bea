#include "core/checks/rule_learning.h"

#include "core/errors.h"
#include "core/files/name_folding.h"
#include "core/files/native_path.h"
#include "core/text/cell_value.h"
#include "core/text/dravik2_auxillary.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <set>
#include <unordered_map>

namespace dravik {

namespace {

constexpr int kMostFolderDepth = 3;
constexpr size_t kMostSortingKeys = 6;

struct TextHash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
};

// The distinct texts of a column, letter case aside, each as first spelled,
// numbered as they came and counted; once they are more than `cap` they are
// only known to be many.
class Words {
public:
    explicit Words(size_t cap = 0) : cap_(cap) {}
    // The number of the text's word; -1 once they are many.
    int add(std::string_view text, const CodePage& codePage)
    {
        if (many_)
            return -1;
        // Most values have no capitals: looked up as they are.
        const bool folds = std::any_of(text.begin(), text.end(), [&](char c) {
            return codePage.lower(static_cast<unsigned char>(c)) != static_cast<unsigned char>(c);
        });
        const std::string lowered = folds ? codePage.lowered(text) : std::string();
        const std::string_view key = folds ? std::string_view(lowered) : text;
        if (const auto found = index_.find(key); found != index_.end()) {
            ++counts_[static_cast<size_t>(found->second)];
            return found->second;
        }
        const int word = static_cast<int>(spelled_.size());
        if (spelled_.size() == cap_) {
            many_ = true;
            index_.clear();
            spelled_.clear();
            folded_.clear();
            counts_.clear();
            return -1;
        }
        index_.emplace(std::string(key), word);
        spelled_.emplace_back(text);
        folded_.emplace_back(key);
        counts_.push_back(1);
        return word;
    }
    bool many() const { return many_; }
    size_t size() const { return spelled_.size(); }
    // The words' numbers in the order of their folded text.
    std::vector<int> sorted() const
    {
        std::vector<int> words(spelled_.size());
        for (size_t i = 0; i < words.size(); ++i)
            words[i] = static_cast<int>(i);
        std::sort(words.begin(), words.end(),
                  [&](int a, int b) { return folded_[static_cast<size_t>(a)] < folded_[static_cast<size_t>(b)]; });
        return words;
    }
    // The words as spelled, in the order of their folded text; of those
    // `which` says only, when given.
    std::vector<std::string> spelled(const std::vector<bool>* which = nullptr) const
    {
        std::vector<std::string> words;
        for (const int word : sorted())
            if (!which || (*which)[static_cast<size_t>(word)])
                words.push_back(spelled_[static_cast<size_t>(word)]);
        return words;
    }

private:
    size_t cap_;
    bool many_ = false;
    std::unordered_map<std::string, int, TextHash, std::equal_to<>> index_;  // folded: number
    std::vector<std::string> spelled_;
    std::vector<std::string> folded_;
    std::vector<int> counts_;
};

struct ColumnStats {
    explicit ColumnStats(size_t cap) : all(cap), other(cap) {}
    int values = 0;
    int numbers = 0;
    int wholes = 0;
    double min = std::numeric_limits<double>::infinity();
    double max = -std::numeric_limits<double>::infinity();
    std::uint32_t places = 0;  // DecimalPlaces of the numbers written with a point
    Words all;      // every value
    Words other;    // the values that are neither numbers nor paths naming files
    int named = 0;  // values naming a file
    std::set<std::string> extensions;  // of the files named
    bool tab = false;
    // By learned row, for the passes over the groups: the number (NaN for
    // none), and the word of `all` (-1 for none; dropped once they are many).
    std::vector<double> numberOf;
    std::vector<int> wordOf;
};

// The range of one group's numbers in one column.
struct Span {
    int count = 0;
    double min = std::numeric_limits<double>::infinity();
    double max = -std::numeric_limits<double>::infinity();
    void add(double v)
    {
        ++count;
        min = std::min(min, v);
        max = std::max(max, v);
    }
};

struct Candidate {
    Grouping grouping;
    std::vector<RuleGroup> groups;
    std::vector<int> rowGroup;  // by learned row
    std::vector<std::vector<Span>> spans;  // by column, then group
    double narrowing = 1;
};

// The files that hold a line of some key: the desc files among the base
// game's files.
std::vector<int> DescRows(const DescDocument& base, const TableColumns& columns)
{
    std::vector<int> rows;
    for (int r = 1; r <= base.descFileCount(); ++r) {
        for (int i = 0; i < static_cast<int>(columns.columns().size()); ++i) {
            const RowCell place = columns.place(i);
            if (base.keyLineRead(place.grid, place.col, r)) {
                rows.push_back(r);
                break;
            }
        }
    }
    return rows;
}

// Calls visit(column index, learned row index, value) for every value,
// table by table, row by row.
template <typename Visit>
void EachValue(const DescDocument& base, const TableColumns& columns, const std::vector<int>& rows, const Visit& visit)
{
    for (GridNumber grid : SectionTables()) {
        const Grid& table = base.grid(grid);
        std::vector<std::pair<int, int>> cols;  // col, index
        for (int c = kFirstValueColumn; c < table.colCount(); ++c)
            if (const int index = columns.at(grid, c); index >= 0)
                cols.emplace_back(c, index);
        if (cols.empty())
            continue;
        for (size_t ri = 0; ri < rows.size(); ++ri) {
            const int r = rows[ri];
            const Grid::Cells cells = table.storedRow(r);
            for (const auto& [c, index] : cols) {
                if (static_cast<size_t>(c) >= cells.size())
                    continue;
                const std::string_view value = Trim(cells[static_cast<size_t>(c)]);
                if (!value.empty() && base.keyLineRead(grid, c, r))
                    visit(index, ri, value);
            }
        }
    }
}

ValueRule KindOf(const ColumnStats& stats, const LearnOptions& options)
{
    ValueRule rule;
    rule.files = stats.values;
    const double n = stats.values;
    if (stats.values < options.leastFiles)
        return rule;
    const bool fewOthers = !stats.other.many() && static_cast<double>(stats.other.size()) <= std::sqrt(n);
    if (stats.numbers > 0 && stats.values - stats.numbers <= (1 - options.nearlyAll) * n && fewOthers) {
        rule.kind = stats.wholes == stats.numbers ? ValueKind::Whole : ValueKind::Decimal;
        rule.min = stats.min;
        rule.max = stats.max;
        // Decimal places are a rule once enough numbers are written with a point.
        if (stats.numbers - stats.wholes >= options.leastFiles)
            rule.places = stats.places;
        rule.words = stats.other.spelled();
    } else if (stats.named >= options.nearlyAll * n && fewOthers) {
        // Paths before words: a mod may name any sound of the game, not
        // only the few the base game's units name.
        rule.kind = ValueKind::Path;
        rule.words = stats.other.spelled();
    } else if (!stats.all.many() && static_cast<double>(stats.all.size()) <= std::sqrt(n)) {
        rule.kind = ValueKind::Word;
        rule.words = stats.all.spelled();
    }
    // A word with a TAB cannot be written into the rules file.
    if (stats.tab && !rule.words.empty()) {
        rule = ValueRule();
        rule.files = stats.values;
    }
    return rule;
}

// How wide a range is, on the scale it was widened on.
double Width(const ValueRule& rule, bool ratios)
{
    return ratios ? std::log(rule.high / rule.low) : rule.high - rule.low;
}

ValueRule RangeRule(const ValueRule& column, const Span& span, const Widening& widening)
{
    ValueRule rule = column;
    rule.files = span.count;
    rule.min = span.min;
    rule.max = span.max;
    Widen(rule, widening);
    return rule;
}

// The groups of the files by their first `depth` folders, given each
// file's folders below the base game's folder.
Candidate FolderCandidate(const std::vector<std::vector<std::string>>& folders, int depth, const CodePage& codePage)
{
    Candidate candidate;
    candidate.grouping = {Grouping::By::Folder, depth, {}};
    std::unordered_map<std::uint64_t, int> index;
    for (const std::vector<std::string>& names : folders) {
        if (names.size() < static_cast<size_t>(depth)) {
            candidate.rowGroup.push_back(-1);
            continue;
        }
        std::uint64_t key = 0;
        for (int i = 0; i < depth; ++i)
            key = key * 0x100000001B3ull ^ NameHash(names[static_cast<size_t>(i)], codePage);
        const auto [at, added] = index.try_emplace(key, static_cast<int>(candidate.groups.size()));
        if (added) {
            std::string name;
            for (int i = 0; i < depth; ++i)
                name += (i ? "/" : "") + names[static_cast<size_t>(i)];
            candidate.groups.push_back({name, 0});
        }
        ++candidate.groups[static_cast<size_t>(at->second)].files;
        candidate.rowGroup.push_back(at->second);
    }
    return candidate;
}

// The groups of the files by their value of a word column.
// The groups of the files by their value of a word column.
Candidate KeyCandidate(const CheckColumn& column, const ColumnStats& stats)
{
    Candidate candidate;
    candidate.grouping = {Grouping::By::Key, 0, column};
    const std::vector<std::string> words = stats.all.spelled();
    std::vector<int> groupOf(words.size());
    const std::vector<int> sorted = stats.all.sorted();
    for (size_t g = 0; g < sorted.size(); ++g) {
        groupOf[static_cast<size_t>(sorted[g])] = static_cast<int>(g);
        candidate.groups.push_back({words[g], 0});
    }
    for (const int word : stats.wordOf) {
        const int group = word >= 0 ? groupOf[static_cast<size_t>(word)] : -1;
        if (group >= 0)
            ++candidate.groups[static_cast<size_t>(group)].files;
        candidate.rowGroup.push_back(group);
    }
    return candidate;
}

bool WorthTrying(const Candidate& candidate, const LearnOptions& options)
{
    return std::count_if(candidate.groups.begin(), candidate.groups.end(), [&](const RuleGroup& group) {
               return group.files >= options.leastGroupFiles;
           }) >= 2;
}

// How much the candidate's groups narrow the number columns' ranges: the
// width each value is held to by its group's range, against its column's,
// on average over the values (1 for a value its column's range holds).
double Narrowing(const Candidate& candidate, const std::vector<ValueRule>& kinds,
                 const std::vector<ColumnStats>& stats, const LearnOptions& options)
{
    double sum = 0;
    double values = 0;
    for (size_t i = 0; i < kinds.size(); ++i) {
        const ValueRule& column = kinds[i];
        if (!column.isNumber())
            continue;
        const bool ratios = column.min > 0;
        const double width = Width(column, ratios);
        int inGroups = 0;
        for (const Span& span : candidate.spans[i]) {
            if (span.count < options.leastGroupFiles || width <= 0)
                continue;
            const double ratio = std::min(1.0, Width(RangeRule(column, span, options.widening), ratios) / width);
            sum += ratio * span.count;
            inGroups += span.count;
        }
        const int numbers = stats[i].numbers;
        sum += numbers - inGroups;
        values += numbers;
    }
    return values > 0 ? sum / values : 1;
}

// The one pass over the tables: what each column holds, and each file's
// number and word in it for the groups.
std::vector<ColumnStats> GatherStats(const DescDocument& base, const TableColumns& columns, const std::vector<int>& rows,
                                     const FileNames* files)
{
    const CodePage& codePage = base.codePage();
    const size_t cap = static_cast<size_t>(std::sqrt(static_cast<double>(rows.size())));
    std::vector<ColumnStats> stats(columns.columns().size(), ColumnStats(cap));
    EachValue(base, columns, rows, [&](int index, size_t row, std::string_view value) {
        ColumnStats& s = stats[static_cast<size_t>(index)];
        ++s.values;
        if (const std::optional<CellNumber> number = ReadCellNumber(value)) {
            ++s.numbers;
            s.wholes += number->whole ? 1 : 0;
            s.min = std::min(s.min, number->value);
            s.max = std::max(s.max, number->value);
            if (!number->whole)
                s.places |= DecimalPlaces(value);
            if (s.numberOf.empty())
                s.numberOf.assign(rows.size(), std::numeric_limits<double>::quiet_NaN());
            s.numberOf[row] = number->value;
        } else if (FileNames::LooksLikePath(value) && files && files->names(value)) {
            ++s.named;
            if (s.extensions.size() < 16)
                s.extensions.insert(files->extension(value));
        } else {
            s.other.add(value, codePage);
        }
        if (const int word = s.all.add(value, codePage); word >= 0) {
            if (s.wordOf.empty())
                s.wordOf.assign(rows.size(), -1);
            s.wordOf[row] = word;
        } else if (!s.wordOf.empty()) {
            s.wordOf = {};
        }
        s.tab = s.tab || value.find('\t') != std::string_view::npos;
    });
    return stats;
}

// The groupings worth trying, each with the ranges of each of its groups.
std::vector<Candidate> Candidates(const DescDocument& base, const std::string& folder, const TableColumns& columns,
                                  const std::vector<int>& rows, const std::vector<ValueRule>& kinds,
                                  const std::vector<ColumnStats>& stats, const LearnOptions& options)
{
    const size_t count = columns.columns().size();
    std::vector<Candidate> candidates;
    using GroupBy = LearnOptions::GroupBy;
    if (options.groupBy == GroupBy::Best || options.groupBy == GroupBy::Folder) {
        std::vector<std::vector<std::string>> folders;
        for (const int r : rows)
            folders.push_back(FoldersOf(RelativeToRoot(folder, base.filePath(FileRow(r)))));
        for (int depth = 1; depth <= kMostFolderDepth; ++depth)
            if (Candidate c = FolderCandidate(folders, depth, base.codePage()); WorthTrying(c, options))
                candidates.push_back(std::move(c));
    }
    if (options.groupBy == GroupBy::Best || options.groupBy == GroupBy::Key) {
        std::vector<size_t> keys;
        for (size_t i = 0; i < count; ++i)
            if (kinds[i].kind == ValueKind::Word && kinds[i].words.size() >= 2 && !stats[i].wordOf.empty() &&
                stats[i].values >= options.sortingCoverage * static_cast<double>(rows.size()))
                keys.push_back(i);
        std::stable_sort(keys.begin(), keys.end(), [&](size_t a, size_t b) { return stats[a].values > stats[b].values; });
        keys.resize(std::min(keys.size(), kMostSortingKeys));
        for (const size_t i : keys)
            if (Candidate c = KeyCandidate(columns.columns()[i], stats[i]); WorthTrying(c, options))
                candidates.push_back(std::move(c));
    }
    for (Candidate& c : candidates) {
        c.spans.assign(count, std::vector<Span>(c.groups.size()));
        for (size_t i = 0; i < count; ++i) {
            if (!kinds[i].isNumber())
                continue;
            const std::vector<double>& numbers = stats[i].numberOf;
            for (size_t row = 0; row < numbers.size(); ++row)
                if (const int group = c.rowGroup[row]; group >= 0 && !std::isnan(numbers[row]))
                    c.spans[i][static_cast<size_t>(group)].add(numbers[row]);
        }
    }
    return candidates;
}

// Each group's range of a number column, where it is narrower than the
// column's.
void AddRangeGroups(ColumnRules& column, const Candidate& chosen, size_t i, const LearnOptions& options)
{
    column.groups.resize(chosen.groups.size());
    const bool ratios = column.rule.min > 0;
    for (size_t g = 0; g < chosen.groups.size(); ++g) {
        const Span& span = chosen.spans[i][g];
        if (span.count < options.leastGroupFiles)
            continue;
        ValueRule rule = RangeRule(column.rule, span, options.widening);
        if (Width(rule, ratios) < Width(column.rule, ratios))
            column.groups[g] = std::move(rule);
    }
}

// The words of each group of a word column, where the group holds few
// enough of them to be a set, and fewer than the column.
void AddWordGroups(ColumnRules& column, const Candidate& chosen, const ColumnStats& stats, size_t rows,
                   const LearnOptions& options)
{
    column.groups.resize(chosen.groups.size());
    const size_t words = stats.all.size();
    std::vector<std::vector<bool>> held(chosen.groups.size(), std::vector<bool>(words));
    std::vector<int> values(chosen.groups.size()), distinct(chosen.groups.size());
    for (size_t row = 0; row < rows; ++row) {
        const int group = chosen.rowGroup[row];
        const int word = stats.wordOf[row];
        if (group < 0 || word < 0)
            continue;
        ++values[static_cast<size_t>(group)];
        if (!held[static_cast<size_t>(group)][static_cast<size_t>(word)]) {
            held[static_cast<size_t>(group)][static_cast<size_t>(word)] = true;
            ++distinct[static_cast<size_t>(group)];
        }
    }
    for (size_t g = 0; g < chosen.groups.size(); ++g) {
        const size_t d = static_cast<size_t>(distinct[g]);
        if (values[g] < options.leastGroupFiles || d >= words ||
            static_cast<double>(d) > std::sqrt(static_cast<double>(chosen.groups[g].files)))
            continue;
        ValueRule rule = column.rule;
        rule.files = values[g];
        rule.words = stats.all.spelled(&held[g]);
        column.groups[g] = std::move(rule);
    }
}

}  // namespace

std::shared_ptr<LearnedRules> LearnRules(const DescDocument& base, const std::string& folder,
                                         std::shared_ptr<const FileNames> files, const LearnOptions& options)
{
    const TableColumns columns(base);
    const std::vector<int> rows = DescRows(base, columns);
    const size_t count = columns.columns().size();
    const std::vector<ColumnStats> stats = GatherStats(base, columns, rows, files.get());
    std::vector<ValueRule> kinds;
    for (const ColumnStats& s : stats) {
        kinds.push_back(KindOf(s, options));
        if (kinds.back().isNumber())
            Widen(kinds.back(), options.widening);
    }

    std::vector<Candidate> candidates = Candidates(base, folder, columns, rows, kinds, stats, options);
    const Candidate* chosen = nullptr;
    for (Candidate& c : candidates) {
        c.narrowing = Narrowing(c, kinds, stats, options);
        if (c.narrowing <= options.leastNarrowing && (!chosen || c.narrowing < chosen->narrowing))
            chosen = &c;
    }

    auto rules = std::make_shared<LearnedRules>(base.codePage());
    rules->files = static_cast<int>(rows.size());
    if (chosen) {
        rules->grouping = chosen->grouping;
        rules->groups = chosen->groups;
    }
    for (size_t i = 0; i < count; ++i) {
        ColumnRules column{columns.columns()[i], kinds[i], {}};
        if (chosen && column.rule.isNumber())
            AddRangeGroups(column, *chosen, i, options);
        if (chosen && column.rule.kind == ValueKind::Word && !stats[i].wordOf.empty())
            AddWordGroups(column, *chosen, stats[i], rows.size(), options);
        if (column.rule.kind == ValueKind::Path)
            rules->pathKinds.insert(stats[i].extensions.begin(), stats[i].extensions.end());
        rules->columns.push_back(std::move(column));
    }
    rules->fileNames = std::move(files);
    rules->finish();
    return rules;
}

BaseGameRead ReadBaseGame(const TextLines& variables, const std::string& folder, const NamePattern& pattern,
                          const CodePage& codePage)
{
    BaseGameRead read{std::make_unique<DescDocument>(codePage), std::make_shared<FileNames>(codePage), {}};
    const FolderListing listing = ListFolder(folder, NamePattern(kEveryName, codePage), codePage);
    read.unreadable = listing.unreadableMessage();
    read.files->addListing(folder, listing);
    std::vector<std::string> descs;
    for (const std::string& file : listing.files) {
        const size_t slash = file.find_last_of("\\/");
        if (pattern.matches(slash == std::string::npos ? file : file.substr(slash + 1)))
            descs.push_back(file);
    }
    if (descs.empty())
        throw DravikError("No file below \"" + PathText(folder) + "\" matches the names of the desc files");
    read.document->startUp();
    read.document->setVariablesText(variables);
    read.document->openDesc(descs);
    return read;
}

}  // namespace dravik
