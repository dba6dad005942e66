#include "addreveal/addreveal.h"

#include <cstdint>
#include <string>

#include "runtime.h"
#include "version.h"

namespace addreveal {

namespace {

using forms::ControlKind, forms::Event;

constexpr forms::ControlDescription controls[] = {
    // name       kind                        caption             left  top   width height tab
    {"Command2", ControlKind::CommandButton, "Показать", 600, 4560, 3615, 615, 5},
    {"Command1", ControlKind::CommandButton, "Вычислить", 600, 3840, 3615, 495, 4, forms::Hidden},
    {"Text2", ControlKind::TextBox, "", 600, 2640, 3615, 735, 3, forms::Hidden},
    {"Text1", ControlKind::TextBox, "", 600, 960, 3615, 615, 1, forms::Hidden},
    {"Label2", ControlKind::Label, "Второе слагаемое", 600, 1800, 3615, 615, 2, forms::Hidden},
    {"Label1", ControlKind::Label, "Первое слагаемое", 600, 360, 3495, 375, 0, forms::Hidden},
};

constexpr forms::WindowDescription window{"Form1", 4680, 6015, controls};

// Shows the two captioned boxes and "Вычислить", then puts the focus into the first box.
// Typed text is kept, so pressing it again only brings the focus back.
void command2Click(Form1& form) {
    form.label1().setVisible(true);
    form.label2().setVisible(true);
    form.text1().setVisible(true);
    form.text2().setVisible(true);
    form.command1().setVisible(true);
    form.text1().setFocus();
}

// S = B + A in single precision. The read of Text2 clears the flags, so the check sees only
// the narrowing of B and the sum; A is therefore narrowed with its own range check, so that a
// typed A beyond the Single range is the overflow error rather than an infinite sum.
void command1Click(Form1& form) {
    const float a = forms::singleFromVariant(forms::numberFromText(form.text1().text()));
    const float b = forms::narrowToSingle(forms::numberFromText(form.text2().text()));
    const float s = b + a;
    forms::checkFloatStatus(s);
    const std::string sum = forms::textFromVariant(forms::Variant{s});
    forms::messageBox(forms::concatText(forms::concatText("Сумма равна ", sum), "!"), 0);
}

// Enter in the first box moves on to the second.
void text1KeyPress(Form1& form, std::int16_t& keyCode) {
    if (keyCode == forms::EnterKey) form.text2().setFocus();
}

FORMS_VERSION_RECORD(version, "addreveal");

constexpr forms::Binding bindings[] = {
    forms::bind<command2Click>("Command2", Event::Click),
    forms::bind<command1Click>("Command1", Event::Click),
    forms::bind<text1KeyPress>("Text1", Event::KeyPress),
};

}  // namespace

const forms::Project project{
    .title = "addreveal",
    .window = window,
    .bindings = bindings,
    .createForm = forms::formOf<Form1>,
    .version = &version,
    .summary = "Reveals two addends and reports their single-precision sum in a message box.",
    .package = forms::packageTexts({
        .summary = "Sum of two addends in a message box",
        .summaryRu = "Сумма двух слагаемых в окне сообщения",
        .description =
            "A button reveals two boxes for the addends and a second button, which "
            "reports their sum, computed in single precision, in a message box.",
        .descriptionRu =
            "Кнопка открывает два поля для слагаемых и вторую кнопку, которая сообщает их"
            " сумму, вычисленную с одинарной точностью, в окне сообщения.",
    }),
};

}  // namespace addreveal
