// Entry point of the quorprn command; all work is in CommandLine.
#include "tools/CommandLine.h"

int main(int argc, char** argv) { return tools::CommandLine::Run(argc, argv); }
