// triexpr: asks for three numbers in input boxes and reports either A^2+B*C/2 (through the
// window's public function arifmetika) or the truth of A>B AND B>C in a message box.
#pragma once

#include <string>

#include "form.h"

namespace triexpr {

class Form1 : public forms::Form {
public:
    using Form::Form;

    forms::CommandButton command1() { return commandButton("Command1"); }
    forms::OptionButton option2() { return optionButton("Option2"); }
    forms::OptionButton option1() { return optionButton("Option1"); }
    forms::Label label3() { return label("Label3"); }
    forms::Label label2() { return label("Label2"); }
};

// The window's public function: asks for its own A, B and C and gives the text of
// A^2 + B*C/2, computed in Double. An overflow, division by zero or invalid operation flagged
// since the caller's last control call raises the floating-point error.
std::string arifmetika(Form1& form);

extern const forms::Project project;

}  // namespace triexpr
