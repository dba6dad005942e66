#include "runtime.h"
#include "switchcalc/switchcalc.h"

int main(int argc, char** argv) { forms::runProject(switchcalc::project, argc, argv); }
