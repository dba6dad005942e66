// What a window instance asks of the toolkit. Each call returns a status (negative on failure)
// and never raises; the Form side turns failures into run-time errors. No toolkit include.
#pragma once

#include <string>
#include <string_view>

#include "project.h"
#include "runtime_error.h"
#include "value.h"

namespace forms::detail {

enum class Member { Text, Value, Visible, Enabled, SetFocus, BackColor };

class WindowHost {
public:
    virtual ~WindowHost() = default;

    virtual const Project& project() const = 0;
    const WindowDescription& description() const { return project().window; }

    virtual Status getText(int control, std::string& text) = 0;
    virtual Status setText(int control, std::string_view text) = 0;
    virtual Status getValue(int control, TruthValue& value) = 0;
    virtual Status setValue(int control, TruthValue value) = 0;
    virtual Status getVisible(int control, bool& visible) = 0;
    virtual Status setVisible(int control, bool visible) = 0;
    virtual Status getEnabled(int control, bool& enabled) = 0;
    virtual Status setEnabled(int control, bool enabled) = 0;
    virtual Status setFocus(int control) = 0;
    virtual Status getBackColor(Color& color) = 0;
    virtual Status setBackColor(Color color) = 0;
};

// The status a call gets when a test has made it fail on purpose (see testing.h), or Success.
Status injectedFailure(std::string_view object, std::string_view operation);

}  // namespace forms::detail
