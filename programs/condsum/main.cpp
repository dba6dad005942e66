#include "runtime.h"
#include "condsum/condsum.h"

int main(int argc, char** argv) { forms::runProject(condsum::project, argc, argv); }
