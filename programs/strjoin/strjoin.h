// strjoin: a click on the blank window shows three captioned text boxes and "объединить!",
// which writes the text of Text1 followed by the text of Text2 into Text3.
#pragma once

#include "form.h"

namespace strjoin {

class Form1 : public forms::Form {
public:
    using Form::Form;

    forms::CommandButton command1() { return commandButton("Command1"); }
    forms::TextBox text3() { return textBox("Text3"); }
    forms::TextBox text2() { return textBox("Text2"); }
    forms::TextBox text1() { return textBox("Text1"); }
    forms::Label label3() { return label("Label3"); }
    forms::Label label2() { return label("Label2"); }
    forms::Label label1() { return label("Label1"); }
};

extern const forms::Project project;

}  // namespace strjoin
