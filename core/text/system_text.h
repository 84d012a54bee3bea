// What text takes from the system it runs on: system_text_posix.cpp or
// system_text_windows.cpp, chosen by the build. Only core/text uses it; the
// path constants are declared in dravik2_auxillary.h.
#pragma once

#include <array>
#include <string>

namespace dravik::sys {

// The code page the system's programs write their text in: on Windows its
// ANSI code page, by number; elsewhere windows-1251, the desc files' own.
std::string SystemCodePageName();

// The characters of bytes 0x80..0xFF in the single-byte code page of that
// number, as the system knows them (a byte it leaves undefined as the C1
// control of the same number); false where the system knows no such code
// page, and off Windows.
bool SystemCodePageTable(unsigned number, std::array<char32_t, 128>& high);

}  // namespace dravik::sys
