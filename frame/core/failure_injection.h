// A way to make chosen control calls fail on purpose, so that tests can check that a failed call
// keeps a handler's earlier effects and stops its later ones. No toolkit include.
#pragma once

#include <functional>
#include <string_view>

#include "runtime_error.h"

namespace forms::detail {

// Gives the status a call of `operation` on `object` must report, or Success to let it run.
using FailureInjector = std::function<Status(std::string_view object, std::string_view operation)>;
void setFailureInjector(FailureInjector injector);

}  // namespace forms::detail
