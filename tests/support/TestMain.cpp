// The main of every test executable.
#include "TestRegistry.h"

int main(int argc, char **argv) { return testing::runAll(argc, argv); }
