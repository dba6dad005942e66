#include "sumdiff/sumdiff.h"

#include <cstdint>

#include "runtime.h"
#include "version.h"

namespace sumdiff {

namespace {

using forms::ControlKind, forms::Event;

constexpr forms::ControlDescription controls[] = {
    // name       kind                        caption      left  top   width height tab
    {"Command1", ControlKind::CommandButton, "вычислить", 4680, 1440, 1815, 495, 5},
    {"Option2", ControlKind::OptionButton, "Разность", 2640, 2040, 1335, 615, 4},
    {"Option1", ControlKind::OptionButton, "Сумма", 600, 2040, 1215, 615, 3},
    {"Text3", ControlKind::TextBox, "", 5280, 480, 1695, 285, 2},
    {"Text2", ControlKind::TextBox, "", 3000, 480, 1695, 285, 1},
    {"Text1", ControlKind::TextBox, "", 600, 480, 1455, 285, 0},
    {"Label3", ControlKind::Label, "C", 5520, 120, 1215, 375, 8, !forms::Hidden, forms::Centred},
    {"Label2", ControlKind::Label, "B", 3240, 120, 1215, 375, 7, !forms::Hidden, forms::Centred},
    {"Label1", ControlKind::Label, "A", 840, 120, 975, 255, 6, !forms::Hidden, forms::Centred},
};

constexpr forms::WindowDescription window{"Form1", 7560, 4755, controls};

// A + B with "Сумма" selected, otherwise A − B (no selection included), narrowed to Single.
void command1Click(Form1& form) {
    const forms::Variant a = forms::numberFromText(form.text1().text());
    const forms::Variant b = forms::numberFromText(form.text2().text());
    float c = 0;
    if (form.option1().value() != 0) {
        c = forms::singleFromVariant(forms::variantAdd(a, b));
    } else {
        c = forms::singleFromVariant(forms::variantSub(a, b));
    }
    form.text3().setText(forms::textFromSingle(c));
}

// Enter in Text1 moves on to Text2.
void text1KeyPress(Form1& form, std::int16_t& keyCode) {
    if (keyCode == forms::EnterKey) form.text2().setFocus();
}

FORMS_VERSION_RECORD(version, "sumdiff");

constexpr forms::Binding bindings[] = {
    forms::bind<command1Click>("Command1", Event::Click),
    forms::bind<text1KeyPress>("Text1", Event::KeyPress),
};

}  // namespace

const forms::Project project{
    .title = "sumdiff",
    .window = window,
    .bindings = bindings,
    .createForm = forms::formOf<Form1>,
    .version = &version,
    .summary = "Adds or subtracts two numbers A and B in single precision.",
    .package = forms::packageTexts({
        .summary = "Sum or difference of two numbers",
        .summaryRu = "Сумма или разность двух чисел",
        .description =
            "Type two numbers A and B, choose the sum or the difference and press the "
            "button: the result, computed in single precision, appears in box C.",
        .descriptionRu =
            "Введите два числа A и B, выберите сумму или разность и нажмите кнопку: "
            "результат, вычисленный с одинарной точностью, появится в поле C.",
    }),
};

}  // namespace sumdiff
