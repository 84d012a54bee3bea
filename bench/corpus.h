// A deterministic set of desc files and a schema for them, the same on every
// run: the benchmarks' workload.
#pragma once

#include <string>
#include <vector>

namespace dravik::bench {

struct CorpusShape {
    int files = 5000;
    int linesPerFile = 300;
    int keys = 150;  // spread over the ten sections, counts 1 to 4
    // The wide variant: section 1 gets more keys ("wide0 ", "wide1 ", ...,
    // four values each) until its table has at least this many value columns.
    int sectionOneColumns = 0;
};

// Reads argv[i] when it is one of the options every corpus benchmark takes
// (--files N, --lines N, --keys N, --dir D, --no-bounds), moving i past its
// value; false for any other, which the benchmark reads itself.
bool ReadCorpusOption(int argc, char** argv, int& i, CorpusShape& shape, std::string& folder, bool& checkBounds);

// Writes the variables file and the desc files into `folder` (created).
// Returns the desc paths in order; the variables file is folder + "/variables.var".
std::vector<std::string> WriteCorpus(const std::string& folder, const CorpusShape& shape);

// A schema whose key names are prefixes of one another ("gun ", "gun x0",
// "gun x1", ..., "gun x10", ...: "gun x1" begins "gun x10" to "gun x19"),
// all in section 1, and `files` desc files with one line for each key, not
// yet in the form Save all writes. The variables file is folder +
// "/variables.var"; returns the desc paths.
std::vector<std::string> WritePrefixCorpus(const std::string& folder, int keys, int files);

}  // namespace dravik::bench
