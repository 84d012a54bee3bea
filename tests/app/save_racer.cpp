// A Dravik 2 that saves when it is told to, for the tests of two programs
// saving at once.
//
//     save_racer VARS VALUE DESC...
//
// opens the desc files with the variables file, sets the first value of
// section 1 to VALUE in every file, plans Save all and says "planned";
// after a line on its standard input it saves, and once it holds the files'
// locks it says "locked" and waits for another line before it writes them.
// It ends with "saved" (exit 0), or the error (exit 1).
//
//     save_racer batch COMMAND ARGUMENTS...
//
// runs dravik2-batch COMMAND ARGUMENTS...; once the new files are written
// beside their targets and flushed it says "written", and before each file
// is replaced "replacing PATH", each time waiting for a line. It ends with
// "exit N", N being the command's exit code; the command's own output goes
// to standard error.
#include "app/batch_command.h"
#include "app/batch_document.h"
#include "app/standard_output.h"
#include "core/errors.h"
#include "core/files/file_io.h"

#include <iostream>
#include <string>

namespace {

void Say(const std::string& what)
{
    std::cout << what << std::endl;
}

void AwaitLine()
{
    std::string line;
    std::getline(std::cin, line);
}

int RunBatch(const std::vector<std::string>& args)
{
    dravik::SetBeforeReplacingForTesting([](const std::string& path) {
        Say(path.empty() ? std::string("written") : "replacing " + path);
        AwaitLine();
    });
    const int code = dravik::RunBatchCommand(args, std::cerr, std::cerr);
    Say("exit " + std::to_string(code));
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args = dravik::CommandArguments(argc, argv);
    if (!args.empty() && args[0] == "batch")
        return RunBatch({args.begin() + 1, args.end()});
    if (args.size() < 3) {
        std::cerr << "usage: save_racer VARS VALUE DESC... | save_racer batch COMMAND ARGUMENTS...\n";
        return 2;
    }
    try {
        const std::vector<std::string> descs(args.begin() + 2, args.end());
        auto document = dravik::LoadDocument(args[0], descs, dravik::CodePage::Default(), std::cerr);
        for (int r = 1; r <= document->descFileCount(); ++r)
            static_cast<void>(document->setCell(dravik::GridNumber(1), 2, r, args[1]));
        const dravik::SavePlan plan = document->planSaveAll();
        Say("planned");
        AwaitLine();
        bool locked = false;
        document->saveAll(plan, {}, [&](int, int) {
            if (!locked) {
                locked = true;
                Say("locked");
                AwaitLine();
            }
        });
        Say("saved");
        return 0;
    } catch (const dravik::DravikError& e) {
        std::cout << dravik::ErrorBoxText(e.what()) << std::endl;
        return 1;
    }
}
