// Every program's project descriptor, for the tools and tests that go over all of them. The build
// lists the programs in all_programs.inc as FORMS_PROGRAM(name) lines.
#pragma once

#include "project.h"

#define FORMS_PROGRAM(name) namespace name { extern const forms::Project project; }
#include "all_programs.inc"
#undef FORMS_PROGRAM

namespace forms {

inline const Project* const allPrograms[] = {
#define FORMS_PROGRAM(name) &name::project,
#include "all_programs.inc"
#undef FORMS_PROGRAM
};

}  // namespace forms
