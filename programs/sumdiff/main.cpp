#include "runtime.h"
#include "sumdiff/sumdiff.h"

int main(int argc, char** argv) { forms::runProject(sumdiff::project, argc, argv); }
