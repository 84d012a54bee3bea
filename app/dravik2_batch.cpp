// dravik2-batch: the engine of Dravik 2 from the command line.
#include "app/batch_command.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    return dravik::RunBatchCommand(args, std::cout, std::cerr);
}
