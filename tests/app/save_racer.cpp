// A Dravik 2 that saves when it is told to, for the tests of two saves at
// once: it opens the desc files with the variables file, sets the first
// value of section 1 to VALUE in every file, plans Save all and says
// "planned"; after a line on its standard input it saves, and once it holds
// the files' locks it says "locked" and waits for another line before it
// writes them. It ends with "saved" (exit 0), or the error (exit 1).
//
//     save_racer VARS VALUE DESC...
#include "app/batch_document.h"
#include "app/standard_output.h"
#include "core/errors.h"

#include <iostream>
#include <string>

namespace {

void Say(const char* what)
{
    std::cout << what << std::endl;
}

void AwaitLine()
{
    std::string line;
    std::getline(std::cin, line);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args = dravik::CommandArguments(argc, argv);
    if (args.size() < 3) {
        std::cerr << "usage: save_racer VARS VALUE DESC...\n";
        return 2;
    }
    try {
        const std::vector<std::string> descs(args.begin() + 2, args.end());
        auto document = dravik::LoadDocument(args[0], descs, dravik::CodePage::Default(), std::cerr);
        for (int r = 1; r <= document->descFileCount(); ++r)
            static_cast<void>(document->setCell(1, 2, r, args[1]));
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
