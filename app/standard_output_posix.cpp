#include "app/standard_output.h"

#include <iostream>

namespace dravik {

const bool kArgumentsAsTyped = false;

std::vector<std::string> CommandArguments(int argc, char** argv) { return {argv + 1, argv + argc}; }

void PrintBytes(std::ostream& out, std::string_view bytes) { out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())); }

StandardOutput::StandardOutput() : out_(&std::cout), err_(&std::cerr) {}

StandardOutput::~StandardOutput()
{
    out_->flush();
    err_->flush();
}

}  // namespace dravik
