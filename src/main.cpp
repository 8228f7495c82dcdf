#include "app/ProgramStart.h"

int main(int argc, char* argv[]) { return bw::runProgram(argc, argv); }
