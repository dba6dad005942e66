#include "triexpr/triexpr.h"

#include <string_view>

#include "runtime.h"
#include "version.h"

namespace triexpr {

namespace {

using forms::ControlKind, forms::Event;

constexpr forms::ControlDescription controls[] = {
    // name       kind                        caption            left  top   width height tab
    {"Command1", ControlKind::CommandButton, "вычислять", 1080, 1800, 3495, 615, 2},
    {"Option2", ControlKind::OptionButton, "A>B AND B>C", 3120, 840, 2055, 495, 1},
    {"Option1", ControlKind::OptionButton, "A^2+B*C/2", 240, 840, 2055, 495, 0},
    {"Label3", ControlKind::Label, "арифм. значение", 240, 240, 1935, 255, 4},
    {"Label2", ControlKind::Label, "логич. значение", 3240, 240, 2055, 255, 3},
};

constexpr forms::WindowDescription window{"Form1", 5895, 2910, controls};

struct ThreeNumbers {
    float a;
    float b;
    float c;
};

// One input box; its answer read as a number and narrowed to Single before anything else
// happens. A value beyond the Single range becomes an infinity and leaves the overflow flag set.
float askSingle(std::string_view prompt) {
    return forms::narrowToSingle(forms::numberFromText(forms::inputBox(prompt)));
}

// The same answer for a path that makes no floating-point check: a value beyond the Single
// range is the overflow error at once, never an infinity compared as if it were a number.
float askSingleInRange(std::string_view prompt) {
    return forms::singleFromVariant(forms::numberFromText(forms::inputBox(prompt)));
}

constexpr std::string_view prompts[] = {"Введите значение первой переменной",
                                        "Введите значение второй переменной",
                                        "Введите значение третьей переменной"};

// A, B and C from three input boxes, one after the other.
template <float (*ask)(std::string_view)>
ThreeNumbers askThreeNumbers() {
    const float a = ask(prompts[0]);
    const float b = ask(prompts[1]);
    const float c = ask(prompts[2]);
    return {a, b, c};
}

// The arithmetic expression when "A^2+B*C/2" is selected (Value -1); the logical one
// otherwise, also with no option button selected. Option2 is never read.
void command1Click(Form1& form) {
    std::string result;
    if (form.option1().value() == forms::True) {
        const forms::Status status = forms::callPublic(form, &arifmetika, result);
        if (status < 0) forms::raiseCallError(status, "Form1", "Form1", "arifmetika");
    } else {
        const ThreeNumbers numbers = askThreeNumbers<askSingleInRange>();
        result = numbers.a > numbers.b && numbers.b > numbers.c ? "истинно" : "ложно";
    }
    forms::messageBox(forms::concatText("результат ", result), 0);
}

FORMS_VERSION_RECORD(version, "triexpr");

constexpr forms::Binding bindings[] = {
    forms::bind<command1Click>("Command1", Event::Click),
};

constexpr std::string_view publicFunctions[] = {"arifmetika"};

}  // namespace

// No control call happens here, so the flags raised by narrowing the answers stay set until
// the checks: an answer beyond the Single range is reported after the division.
std::string arifmetika(Form1&) {
    const ThreeNumbers numbers = askThreeNumbers<askSingle>();
    const double square = forms::powerDouble(static_cast<double>(numbers.a), 2);
    // The half product stays in Double: 1E20 * 1E20 / 2 is far beyond Single, yet no error.
    const double halfProduct = static_cast<double>(numbers.b) * static_cast<double>(numbers.c) / 2;
    forms::checkFloatStatus(square, halfProduct);
    const double sum = square + halfProduct;
    forms::checkFloatStatus(sum);
    return forms::textFromDouble(sum);
}

const forms::Project project{
    .title = "triexpr",
    .window = window,
    .bindings = bindings,
    .createForm = forms::formOf<Form1>,
    .publicFunctions = publicFunctions,
    .version = &version,
    .summary = "Asks for three numbers and reports A^2+B*C/2 or the truth of A>B AND B>C.",
    .package = forms::packageTexts({
        .summary = "Arithmetic or logical expression of three numbers",
        .summaryRu = "Арифметическое или логическое выражение трёх чисел",
        .description =
            "Asks for three numbers A, B and C one after another and reports the value of"
            " A^2+B*C/2 or whether A>B and B>C both hold.",
        .descriptionRu =
            "Запрашивает по очереди три числа A, B и C и сообщает значение выражения "
            "A^2+B*C/2 или истинность условия A>B и B>C.",
    }),
};

}  // namespace triexpr
