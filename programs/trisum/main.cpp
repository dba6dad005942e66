#include "runtime.h"
#include "trisum/trisum.h"

int main(int argc, char** argv) { forms::runProject(trisum::project, argc, argv); }
