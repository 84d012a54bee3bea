// The headless companion: export, import and analyze on the window's engine,
// for scripted bulk edits.
#pragma once

#include "core/errors.h"
#include "core/text/code_page.h"

#include <ostream>
#include <string>
#include <vector>

namespace dravik {

// Runs one batch command line (without the program name). Returns the exit
// code: 0 done, 1 an error (its message on `err`), 2 bad usage.
int RunBatchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

extern const char* const kBatchUsage;

// The code page --codepage names; the system's when it names none.
CodePage CodePageOption(const std::string& name);

// A command whose options `parse` reads: the usage and 2 when it cannot read
// them, else what `run(options, codePage)` gives; an error that stops it is
// reported, and gives 2.
template <typename Options, typename Parse, typename Run>
int RunParsedCommand(const std::vector<std::string>& args, std::ostream& err, Parse&& parse, Run&& run)
{
    try {
        Options options;
        if (!parse(args, options)) {
            err << kBatchUsage;
            return 2;
        }
        return run(options, CodePageOption(options.codePage));
    } catch (const std::exception& e) {
        err << ErrorBoxText(e.what()) << '\n';
        return 2;
    }
}

}  // namespace dravik
