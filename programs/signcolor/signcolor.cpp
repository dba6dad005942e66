#include "signcolor/signcolor.h"

#include <cstdint>

#include "runtime.h"
#include "version.h"

namespace signcolor {

namespace {

using forms::ControlKind, forms::Event;

constexpr forms::ControlDescription controls[] = {
    // name       kind                        caption        left  top  width height tab
    {"Text1", ControlKind::TextBox, "", 480, 960, 975, 525, 1},
    {"Command1", ControlKind::CommandButton, "Ввод", 2400, 960, 1215, 495, 0},
    {"Label1", ControlKind::Label, "Значение N", 480, 600, 975, 375, 2},
};

constexpr forms::WindowDescription window{"Задание №9", 4170, 2520, controls};

// The window's colour always goes through the default instance: the window on the screen.
void paintWindow(forms::Color color) { forms::ensureDefaultInstance().setBackColor(color); }

// Nothing can be typed until "Ввод" is pressed.
void formLoad(Form1& form) { form.text1().setEnabled(false); }

// Ready for input: the field enabled, focused and holding one blank; the window grey.
void command1Click(Form1& form) {
    form.text1().setEnabled(true);
    form.text1().setFocus();
    paintWindow(forms::colorFromRgb(190, 190, 190));
    form.text1().setText(" ");
}

// Enter reads N and shows its sign: dark blue for N >= 0, red for N < 0. The key code is
// passed on unchanged.
void text1KeyPress(Form1& form, std::int16_t& keyCode) {
    if (keyCode != 13) return;
    form.n = forms::int16FromDouble(forms::numberFromText(form.text1().text()));
    if (form.n >= 0) paintWindow(forms::colorFromRgb(0, 0, 150));
    if (form.n < 0) paintWindow(forms::colorFromRgb(200, 0, 0));
}

FORMS_VERSION_RECORD(version, "signcolor");

constexpr forms::Binding bindings[] = {
    forms::bind<formLoad>("Form1", Event::Load),
    forms::bind<command1Click>("Command1", Event::Click),
    forms::bind<text1KeyPress>("Text1", Event::KeyPress),
};

}  // namespace

const forms::Project project{
    .title = "signcolor",
    .window = window,
    .bindings = bindings,
    .createForm = forms::formOf<Form1>,
    .version = &version,
    .summary = "Colours its window dark blue for a number N >= 0 and red for N < 0.",
    .package = forms::packageTexts({
        .summary = "Sign of a number as the window colour",
        .summaryRu = "Знак числа цветом окна",
        .description =
            "A button enables the number box and greys the window; Enter in the box "
            "colours the window dark blue for a number of zero or more and red for a "
            "negative one.",
        .descriptionRu =
            "Кнопка открывает поле для числа и делает окно серым; Enter в поле окрашивает"
            " окно в тёмно-синий цвет для неотрицательного числа и в красный для "
            "отрицательного.",
    }),
};

}  // namespace signcolor
