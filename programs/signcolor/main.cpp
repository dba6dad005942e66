#include "runtime.h"
#include "signcolor/signcolor.h"

int main(int argc, char** argv) { forms::runProject(signcolor::project, argc, argv); }
