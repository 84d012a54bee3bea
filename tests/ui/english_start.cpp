// Every window test starts the program as an English system would, whatever
// the language of the machine it runs on (the Windows tests run under Wine
// as on a Russian Windows): the tests read the English texts. A test of the
// languages sets the system's language itself.
#include "ui/common/language.h"

namespace {

const bool kEnglishSystem = [] {
    dravik::ui::SetSystemLanguagesForTesting({QStringLiteral("en")});
    return true;
}();

}  // namespace
