// addreveal: "Показать" reveals two captioned boxes and "Вычислить", which reports the
// single-precision sum of the two numbers in a message box.
#pragma once

#include "form.h"

namespace addreveal {

class Form1 : public forms::Form {
public:
    using Form::Form;

    forms::CommandButton command2() { return commandButton("Command2"); }
    forms::CommandButton command1() { return commandButton("Command1"); }
    forms::TextBox text2() { return textBox("Text2"); }
    forms::TextBox text1() { return textBox("Text1"); }
    forms::Label label2() { return label("Label2"); }
    forms::Label label1() { return label("Label1"); }
};

extern const forms::Project project;

}  // namespace addreveal
