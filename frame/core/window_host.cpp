#include "window_host.h"

#include "form.h"
#include "instances.h"

namespace forms::detail {

WindowHost::~WindowHost() { forgetWindow(*this); }

}  // namespace forms::detail
