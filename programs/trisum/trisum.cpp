#include "trisum/trisum.h"

#include "runtime.h"
#include "version.h"

namespace trisum {

namespace {

using forms::ControlKind, forms::Event;

constexpr forms::ControlDescription controls[] = {
    // name       kind                        caption               left  top   width height tab
    {"Text2", ControlKind::TextBox, "", 2760, 840, 1455, 735, 2},
    {"Text1", ControlKind::TextBox, "", 480, 840, 1575, 735, 1},
    {"Command1", ControlKind::CommandButton, "ВЫЧИСЛИТЬ", 1320, 2040, 2055, 615, 0},
    {"Label2", ControlKind::Label, "Результат", 3120, 480, 855, 255, 4},
    {"Label1", ControlKind::Label, "Введите значение N", 480, 480, 1575, 255, 3},
};

constexpr forms::WindowDescription window{"Пример вычисления", 4680, 3195, controls};

// Reads N; a non-positive one is reported, a positive one gives N(N + 1)/2 in Text2. Either
// way the focus goes back to Text1.
void command1Click(Form1& form) {
    form.n = forms::narrowToSingle(forms::numberFromText(form.text1().text()));
    if (!(form.n > 0)) forms::messageBox("Введено не верное значение N ", 0, "Ответ");
    form.text1().setFocus();
    if (form.n > 0) {
        const double n = form.n;
        const double sum = n + 1;
        const double half = sum / 2;
        const double product = half * n;
        forms::checkFloatStatus(sum, half, product);
        form.s = forms::int16FromDouble(product);
        form.text2().setText(forms::textFromInt16(form.s));
    }
}

FORMS_VERSION_RECORD(version, "trisum");

constexpr forms::Binding bindings[] = {
    forms::bind<command1Click>("Command1", Event::Click),
};

}  // namespace

const forms::Project project{
    .title = "trisum",
    .window = window,
    .bindings = bindings,
    .createForm = forms::formOf<Form1>,
    .version = &version,
    .summary = "Computes N(N+1)/2, the sum of 1 to N, as a 16-bit integer.",
    .package = forms::packageTexts({
        .summary = "Sum of the numbers from 1 to N",
        .summaryRu = "Сумма чисел от 1 до N",
        .description =
            "Computes N(N+1)/2 for a positive whole number N as a 16-bit integer; a "
            "number that is not positive is reported.",
        .descriptionRu =
            "Вычисляет N(N+1)/2 для положительного целого N как 16-битное целое; о "
            "неположительном числе программа сообщает.",
    }),
};

}  // namespace trisum
