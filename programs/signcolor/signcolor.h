// signcolor: "Ввод" enables the input field and greys the window; Enter in the field reads N
// as a 16-bit integer and colours the window dark blue (N >= 0) or red (N < 0).
#pragma once

#include <cstdint>

#include "form.h"

namespace signcolor {

class Form1 : public forms::Form {
public:
    using Form::Form;

    forms::TextBox text1() { return textBox("Text1"); }
    forms::CommandButton command1() { return commandButton("Command1"); }
    forms::Label label1() { return label("Label1"); }

    // N: the last number entered, rounded to a 16-bit integer; never shown.
    std::int16_t n = 0;
};

extern const forms::Project project;

}  // namespace signcolor
