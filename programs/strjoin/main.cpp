#include "runtime.h"
#include "strjoin/strjoin.h"

int main(int argc, char** argv) { forms::runProject(strjoin::project, argc, argv); }
