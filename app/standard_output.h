// What dravik2-batch takes from and gives to the system it runs on: its
// arguments, and its standard output and error.
#pragma once

#include <memory>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

namespace dravik {

// The arguments after the program's name. On Windows they are read from the
// wide-character command line, each as a path (see core/files/native_path.h),
// so that a file name the code page cannot write still names its file.
std::vector<std::string> CommandArguments(int argc, char** argv);
// Whether the arguments hold wildcards as they were typed. On Windows they
// do: cmd passes a command line on as it was typed. A Unix shell has
// expanded the wildcards already; what is left of them was quoted on purpose
// and names a file.
extern const bool kArgumentsAsTyped;

// Standard output and error for the program's text, which is bytes in the
// code page. On Windows a stream that is a console is written through the
// console's wide-character interface, each byte read through the code page,
// since the console shows bytes in its own code page (866 under a Russian
// Windows, where the program's is windows-1251); a stream redirected to a
// file or a pipe gets the bytes as they are. Elsewhere both are std::cout and
// std::cerr.
// A file's bytes, printed as they are: on Windows the program's text has
// its line feeds written as CR LF, as the C library's text streams write
// them, but a file's bytes hold their own line ends, which must not gain a
// second CR ("dravik2-batch diff ... > mod.patch" gives the bytes --patch
// writes). Any other stream is written to as it is.
void PrintBytes(std::ostream& out, std::string_view bytes);

class StandardOutput {
public:
    StandardOutput();
    ~StandardOutput();  // flushes
    StandardOutput(const StandardOutput&) = delete;
    StandardOutput& operator=(const StandardOutput&) = delete;

    std::ostream& out() { return *out_; }
    std::ostream& err() { return *err_; }

private:
    std::unique_ptr<std::streambuf> outBuffer_;
    std::unique_ptr<std::streambuf> errBuffer_;
    std::unique_ptr<std::ostream> ownOut_;
    std::unique_ptr<std::ostream> ownErr_;
    std::ostream* out_;
    std::ostream* err_;
};

}  // namespace dravik
