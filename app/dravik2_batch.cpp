// dravik2-batch: the engine of Dravik 2 from the command line.
#include "app/batch_command.h"
#include "app/standard_output.h"
#include "core/files/file_io.h"

int main(int argc, char** argv)
{
    // As many open files as the system allows: a low default never stops a save.
    dravik::RaiseOpenFileLimit();
    dravik::StandardOutput output;
    return dravik::RunBatchCommand(dravik::CommandArguments(argc, argv), output.out(), output.err());
}
