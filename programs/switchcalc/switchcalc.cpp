#include "switchcalc/switchcalc.h"

#include <cstdint>

#include "runtime.h"
#include "version.h"

namespace switchcalc {

namespace {

using forms::ControlKind, forms::Event;

constexpr forms::ControlDescription controls[] = {
    // name       kind                        caption           left  top   width height tab
    {"Option2", ControlKind::OptionButton, "переключатель2", 3720, 2400, 1695, 735, 8},
    {"Option1", ControlKind::OptionButton, "переключатель1", 1200, 2400, 1575, 735, 7},
    {"Command1", ControlKind::CommandButton, "вычислить", 2640, 3720, 1815, 615, 6},
    {"Text3", ControlKind::TextBox, "", 5040, 960, 1575, 375, 2},
    {"Text2", ControlKind::TextBox, "", 2520, 960, 1575, 375, 1},
    {"Text1", ControlKind::TextBox, "", 480, 960, 1455, 375, 0},
    {"Label3", ControlKind::Label, "C", 5280, 360, 1095, 375, 5, !forms::Hidden, forms::Centred},
    {"Label2", ControlKind::Label, "B", 2640, 360, 1335, 375, 4, !forms::Hidden, forms::Centred},
    {"Label1", ControlKind::Label, "A", 720, 360, 975, 375, 3, !forms::Hidden, forms::Centred},
};

constexpr forms::WindowDescription window{"Form1", 8685, 5595, controls};

// Stores A and B; C becomes A + B under "переключатель1", A − B under "переключатель2", and
// stays as it was with neither selected. C is shown on every click. A result outside the
// 16-bit range fails in the conversion, before C or Text3 change.
void command1Click(Form1& form) {
    form.A = forms::numberFromText(form.text1().text());
    form.B = forms::numberFromText(form.text2().text());
    if (form.option1().value() != 0) {
        form.C = forms::int16FromVariant(forms::variantAdd(form.A, form.B));
    } else if (form.option2().value() != 0) {
        form.C = forms::int16FromVariant(forms::variantSub(form.A, form.B));
    }
    form.text3().setText(forms::textFromInt16(form.C));
}

// Enter in Text1 moves on to Text2.
void text1KeyPress(Form1& form, std::int16_t& keyCode) {
    if (keyCode == forms::EnterKey) form.text2().setFocus();
}

FORMS_VERSION_RECORD(version, "switchcalc");

constexpr forms::Binding bindings[] = {
    forms::bind<command1Click>("Command1", Event::Click),
    forms::bind<text1KeyPress>("Text1", Event::KeyPress),
};

}  // namespace

const forms::Project project{
    .title = "switchcalc",
    .window = window,
    .bindings = bindings,
    .createForm = forms::formOf<Form1>,
    .version = &version,
    .summary =
        "Adds or subtracts two numbers, as two option buttons choose; keeps the "
        "result as a 16-bit integer.",
    .package = forms::packageTexts({
        .summary = "Sum or difference as a whole number, chosen by a switch",
        .summaryRu = "Сумма или разность целым числом, выбор переключателем",
        .description =
            "Two option buttons choose whether C is A+B or A-B; the result is a 16-bit "
            "integer that the program keeps between clicks.",
        .descriptionRu =
            "Два переключателя выбирают, будет ли C равно A+B или A-B; результат — "
            "16-битное целое, которое программа хранит между нажатиями.",
    }),
};

}  // namespace switchcalc
