// A Windows program that stands in for the archive tools, the game and the
// editor in the Windows-only tests. Copy it under the name a test needs; it
// writes what the system handed it into the file beside it named like itself
// with ".record" for ".exe", one item a line:
//   its working directory,
//   capture-here / capture-elsewhere (whether "Test.tmp" lies there),
//   its command line exactly as the system has it,
//   the show state it was started with (-1 when none was asked for),
//   its priority class in hexadecimal.
// Then it prints "tool " and its command line's tail, a line holding the byte
// 0xC0 (a letter in the single-byte code pages) to standard output, and a
// line to standard error.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>
#include <string>

int main()
{
    char module[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, module, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 3;
    std::string record(module, length);
    record.replace(record.rfind('.'), std::string::npos, ".record");

    char directory[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, directory);
    const bool capture = GetFileAttributesA("Test.tmp") != INVALID_FILE_ATTRIBUTES;
    STARTUPINFOA startup;
    GetStartupInfoA(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
    const char* commandLine = GetCommandLineA();

    if (FILE* out = std::fopen(record.c_str(), "wb")) {
        std::fprintf(out, "%s\n%s\n%s\n%d\n%lx\n", directory, capture ? "capture-here" : "capture-elsewhere",
                     commandLine, show, static_cast<unsigned long>(GetPriorityClass(GetCurrentProcess())));
        std::fclose(out);
    }

    // The tail: past the program's name, quoted or not, and the blank after it.
    const char* tail = commandLine;
    if (*tail == '"') {
        const char* end = std::strchr(tail + 1, '"');
        tail = end ? end + 1 : tail + std::strlen(tail);
    } else {
        while (*tail && *tail != ' ' && *tail != '\t')
            ++tail;
    }
    if (*tail == ' ' || *tail == '\t')
        ++tail;
    // The bytes as written, without the C library's LF to CR LF.
    _setmode(_fileno(stdout), _O_BINARY);
    std::printf("tool %s\r\n\xC0 done\n", tail);
    std::fprintf(stderr, "to standard error\n");
    return 0;
}
