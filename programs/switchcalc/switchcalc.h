// switchcalc: C = A + B when "переключатель1" is selected, A − B when "переключатель2" is, as a
// 16-bit integer form variable that keeps the last result between clicks.
#pragma once

#include <cstdint>

#include "form.h"

namespace switchcalc {

class Form1 : public forms::Form {
public:
    using Form::Form;

    forms::OptionButton option2() { return optionButton("Option2"); }
    forms::OptionButton option1() { return optionButton("Option1"); }
    forms::CommandButton command1() { return commandButton("Command1"); }
    forms::TextBox text3() { return textBox("Text3"); }
    forms::TextBox text2() { return textBox("Text2"); }
    forms::TextBox text1() { return textBox("Text1"); }
    forms::Label label3() { return label("Label3"); }
    forms::Label label2() { return label("Label2"); }
    forms::Label label1() { return label("Label1"); }

    // Form variables: they live as long as the window.
    forms::Variant A;
    forms::Variant B;
    std::int16_t C = 0;
};

extern const forms::Project project;

}  // namespace switchcalc
