#include "condsum/condsum.h"

#include <cstdint>

#include "runtime.h"
#include "version.h"

namespace condsum {

namespace {

using forms::ControlKind, forms::Event;

constexpr forms::ControlDescription controls[] = {
    // name       kind                        caption      left  top   width height tab
    {"Command1", ControlKind::CommandButton, "вычислить", 4080, 1200, 1695, 855, 6},
    {"Text3", ControlKind::TextBox, "", 720, 1800, 1575, 285, 2},
    {"Text2", ControlKind::TextBox, "", 1920, 600, 1455, 285, 1},
    {"Text1", ControlKind::TextBox, "", 240, 600, 1335, 285, 0},
    {"Label3", ControlKind::Label, "C", 960, 1320, 1095, 255, 5, !forms::Hidden, forms::Centred},
    {"Label2", ControlKind::Label, "B", 2160, 120, 975, 255, 4, !forms::Hidden, forms::Centred},
    {"Label1", ControlKind::Label, "A", 360, 120, 1095, 255, 3, !forms::Hidden, forms::Centred},
};

constexpr forms::WindowDescription window{"Form1", 6855, 3795, controls};

// Stores A and B, then C = A + B when A > B (compared as read, unrounded), else A − B. Only C
// is rounded; a result outside the 16-bit range fails before C or Text3 change.
void command1Click(Form1& form) {
    form.A = forms::numberFromText(form.text1().text());
    form.B = forms::numberFromText(form.text2().text());
    if (forms::variantGreater(form.A, form.B)) {
        form.C = forms::int16FromVariant(forms::variantAdd(form.A, form.B));
    } else {
        form.C = forms::int16FromVariant(forms::variantSub(form.A, form.B));
    }
    form.text3().setText(forms::textFromInt16(form.C));
}

// Enter in Text1 moves on to Text2.
void text1KeyPress(Form1& form, std::int16_t& keyCode) {
    if (keyCode == forms::EnterKey) form.text2().setFocus();
}

FORMS_VERSION_RECORD(version, "condsum");

constexpr forms::Binding bindings[] = {
    forms::bind<command1Click>("Command1", Event::Click),
    forms::bind<text1KeyPress>("Text1", Event::KeyPress),
};

}  // namespace

const forms::Project project{
    .title = "condsum",
    .window = window,
    .bindings = bindings,
    .createForm = forms::formOf<Form1>,
    .version = &version,
    .summary = "Gives A+B when A>B, otherwise A-B, as a 16-bit integer.",
    .package = forms::packageTexts({
        .summary = "Sum or difference by comparing two numbers",
        .summaryRu = "Сумма или разность по сравнению чисел",
        .description = "Gives C = A+B when A is greater than B and C = A-B otherwise, as a 16-bit integer.",
        .descriptionRu = "Даёт C = A+B, если A больше B, и C = A-B в остальных случаях, как 16-битное целое.",
    }),
};

}  // namespace condsum
