// trisum: for a positive N the value N(N + 1)/2 rounded to a 16-bit integer; an N that is not
// positive is reported in a message box.
#pragma once

#include <cstdint>

#include "form.h"

namespace trisum {

class Form1 : public forms::Form {
public:
    using Form::Form;

    forms::TextBox text2() { return textBox("Text2"); }
    forms::TextBox text1() { return textBox("Text1"); }
    forms::CommandButton command1() { return commandButton("Command1"); }
    forms::Label label2() { return label("Label2"); }
    forms::Label label1() { return label("Label1"); }

    float n = 0;         // N: the last number read, as a Single; every click sets it
    std::int16_t s = 0;  // S: the last result shown; only an accepted N sets it
};

extern const forms::Project project;

}  // namespace trisum
