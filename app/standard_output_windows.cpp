#include "app/standard_output.h"

#include "core/files/native_path.h"
#include "core/text/code_page.h"

#include <string>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <shellapi.h>

namespace dravik {

namespace {

// One of the standard handles, looked up at every flush, as the system may
// hand another one in meanwhile (a test does).
class StandardBuffer : public std::streambuf {
public:
    explicit StandardBuffer(DWORD which) : which_(which) { setp(buffer_, buffer_ + sizeof buffer_); }
    ~StandardBuffer() override { sync(); }

    // After what is buffered, the bytes with no line end changed.
    bool writeAsTheyAre(std::string_view bytes) { return flush() && write(std::string(bytes)); }

protected:
    int_type overflow(int_type ch) override
    {
        if (!flush())
            return traits_type::eof();
        if (!traits_type::eq_int_type(ch, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(ch);
            pbump(1);
        }
        return traits_type::not_eof(ch);
    }
    int sync() override { return flush() ? 0 : -1; }

private:
    bool flush()
    {
        const size_t size = static_cast<size_t>(pptr() - pbase());
        setp(buffer_, buffer_ + sizeof buffer_);
        if (size == 0)
            return true;
        // Line ends as the C library's text streams write them.
        std::string bytes;
        bytes.reserve(size + size / 16);
        for (size_t i = 0; i < size; ++i) {
            if (buffer_[i] == '\n')
                bytes += '\r';
            bytes += buffer_[i];
        }
        return write(bytes);
    }

    bool write(const std::string& bytes)
    {
        const HANDLE handle = GetStdHandle(which_);
        DWORD mode = 0;
        if (handle && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode))
            return WriteToConsole(handle, bytes);
        return WriteBytes(handle, bytes);
    }

    static bool WriteToConsole(HANDLE console, const std::string& bytes)
    {
        const CodePage& codePage = CodePage::Default();
        std::wstring wide;
        wide.reserve(bytes.size());
        for (const char byte : bytes)
            wide.push_back(static_cast<wchar_t>(codePage.toUnicode(static_cast<unsigned char>(byte))));
        return WriteAll(wide.size(), [&](size_t done, DWORD& put) {
            return WriteConsoleW(console, wide.data() + done, static_cast<DWORD>(wide.size() - done), &put,
                                 nullptr) != 0;
        });
    }

    static bool WriteBytes(HANDLE file, const std::string& bytes)
    {
        return WriteAll(bytes.size(), [&](size_t done, DWORD& put) {
            return WriteFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &put, nullptr) != 0;
        });
    }

    // Writes the `size` units from `done` on until the system has taken them
    // all, as a console or a pipe may take fewer than it was given. False
    // when a write fails or takes nothing.
    template <typename Write>
    static bool WriteAll(size_t size, const Write& write)
    {
        for (size_t done = 0; done < size;) {
            DWORD put = 0;
            if (!write(done, put) || put == 0)
                return false;
            done += put;
        }
        return true;
    }

    DWORD which_;
    char buffer_[4096];
};

}  // namespace

void PrintBytes(std::ostream& out, std::string_view bytes)
{
    out.flush();
    if (auto* standard = dynamic_cast<StandardBuffer*>(out.rdbuf())) {
        if (!standard->writeAsTheyAre(bytes))
            out.setstate(std::ios::badbit);
        return;
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

const bool kArgumentsAsTyped = true;

std::vector<std::string> CommandArguments(int argc, char** argv)
{
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide)
        return {argv + 1, argv + argc};
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i)
        args.push_back(PathOfWide(wide[i]));
    LocalFree(wide);
    return args;
}

StandardOutput::StandardOutput()
    : outBuffer_(std::make_unique<StandardBuffer>(STD_OUTPUT_HANDLE)),
      errBuffer_(std::make_unique<StandardBuffer>(STD_ERROR_HANDLE)),
      ownOut_(std::make_unique<std::ostream>(outBuffer_.get())),
      ownErr_(std::make_unique<std::ostream>(errBuffer_.get())),
      out_(ownOut_.get()),
      err_(ownErr_.get())
{
    // As std::cerr: every message at once, after what standard output holds.
    ownErr_->setf(std::ios::unitbuf);
    ownErr_->tie(ownOut_.get());
}

StandardOutput::~StandardOutput()
{
    out_->flush();
    err_->flush();
}

}  // namespace dravik
