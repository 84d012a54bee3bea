// dravik2-batch: the engine of Dravik 2 from the command line.
#include "app/batch_command.h"
#include "app/standard_output.h"

int main(int argc, char** argv)
{
    dravik::StandardOutput output;
    return dravik::RunBatchCommand(dravik::CommandArguments(argc, argv), output.out(), output.err());
}
