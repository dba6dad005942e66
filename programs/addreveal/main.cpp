#include "runtime.h"
#include "addreveal/addreveal.h"

int main(int argc, char** argv) { forms::runProject(addreveal::project, argc, argv); }
