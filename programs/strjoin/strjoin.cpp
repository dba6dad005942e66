#include "strjoin/strjoin.h"

#include <cstdint>
#include <string>

#include "runtime.h"
#include "version.h"

namespace strjoin {

namespace {

using forms::ControlKind, forms::Event;

constexpr forms::ControlDescription controls[] = {
    // name       kind                        caption                        left top   width height tab
    {"Command1", ControlKind::CommandButton, "объединить!", 480, 3600, 3855, 495, 6, forms::Hidden},
    {"Text3", ControlKind::TextBox, "", 480, 3000, 3855, 375, 5, forms::Hidden},
    {"Text2", ControlKind::TextBox, "", 480, 1800, 3735, 375, 3, forms::Hidden},
    {"Text1", ControlKind::TextBox, "", 480, 840, 3735, 285, 1, forms::Hidden},
    {"Label3", ControlKind::Label, "результат объединения", 480, 2280, 3735, 495, 4, forms::Hidden},
    {"Label2", ControlKind::Label, "вторая объединяемая строка", 480, 1320, 3735, 375, 2, forms::Hidden},
    {"Label1", ControlKind::Label, "первая объединяемая строка", 480, 240, 3735, 375, 0, forms::Hidden},
};

constexpr forms::WindowDescription window{"Form1", 4680, 4335, controls};

// A click on the window shows every control, one call each; the focus stays where it is.
void formClick(Form1& form) {
    form.label1().setVisible(true);
    form.label2().setVisible(true);
    form.label3().setVisible(true);
    form.text1().setVisible(true);
    form.text2().setVisible(true);
    form.text3().setVisible(true);
    form.command1().setVisible(true);
}

// Text3 becomes the text of Text1 followed by the text of Text2, both as they stand.
void command1Click(Form1& form) {
    const std::string first = form.text1().text();
    const std::string second = form.text2().text();
    const std::string joined = forms::concatText(first, second);
    form.text3().setText(joined);
}

// Enter in Text1 moves on to Text2.
void text1KeyPress(Form1& form, std::int16_t& keyCode) {
    if (keyCode == forms::EnterKey) form.text2().setFocus();
}

FORMS_VERSION_RECORD(version, "strjoin");

constexpr forms::Binding bindings[] = {
    forms::bind<formClick>("Form1", Event::Click),
    forms::bind<command1Click>("Command1", Event::Click),
    forms::bind<text1KeyPress>("Text1", Event::KeyPress),
};

}  // namespace

const forms::Project project{
    .title = "strjoin",
    .window = window,
    .bindings = bindings,
    .createForm = forms::formOf<Form1>,
    .version = &version,
    .summary = "Joins two strings typed into its window.",
    .package = forms::packageTexts({
        .summary = "Joining two strings",
        .summaryRu = "Объединение двух строк",
        .description =
            "A click on the blank window reveals two boxes for strings; the button joins "
            "them in the result box.",
        .descriptionRu =
            "Щелчок по пустому окну открывает два поля для строк; кнопка объединяет их в "
            "поле результата.",
    }),
};

}  // namespace strjoin
