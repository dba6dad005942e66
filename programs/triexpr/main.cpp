#include "runtime.h"
#include "triexpr/triexpr.h"

int main(int argc, char** argv) { forms::runProject(triexpr::project, argc, argv); }
