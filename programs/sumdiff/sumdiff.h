// sumdiff: C = A + B when "Сумма" is selected, otherwise A − B, as a Single in Text3.
#pragma once

#include "form.h"

namespace sumdiff {

class Form1 : public forms::Form {
public:
    using Form::Form;

    forms::CommandButton command1() { return commandButton("Command1"); }
    forms::OptionButton option2() { return optionButton("Option2"); }
    forms::OptionButton option1() { return optionButton("Option1"); }
    forms::TextBox text3() { return textBox("Text3"); }
    forms::TextBox text2() { return textBox("Text2"); }
    forms::TextBox text1() { return textBox("Text1"); }
    forms::Label label3() { return label("Label3"); }
    forms::Label label2() { return label("Label2"); }
    forms::Label label1() { return label("Label1"); }
};

extern const forms::Project project;

}  // namespace sumdiff
