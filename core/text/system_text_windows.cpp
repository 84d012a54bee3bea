// Text and paths on Windows: the code pages come from the system's tables.
#include "core/text/dravik2_auxillary.h"
#include "core/text/system_text.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace dravik {

const char kPathSeparator = '\\';
const char kTopFolder[] = "c:\\";

std::string sys::SystemCodePageName() { return std::to_string(GetACP()); }

bool sys::SystemCodePageTable(unsigned number, std::array<char32_t, 128>& high)
{
    CPINFO info{};
    if (!GetCPInfo(number, &info) || info.MaxCharSize != 1)
        return false;
    for (int i = 0; i < 128; ++i) {
        char byte = static_cast<char>(0x80 + i);
        wchar_t wide = 0;
        if (MultiByteToWideChar(number, 0, &byte, 1, &wide, 1) == 1)
            high[i] = static_cast<char32_t>(wide);
        else
            high[i] = static_cast<char32_t>(0x80 + i);
    }
    return true;
}

}  // namespace dravik
