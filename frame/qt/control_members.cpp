// The control members the program's Form calls, on Qt widgets.
#include "form_window.h"

#include <QLineEdit>
#include <QRadioButton>

namespace forms::detail {

namespace {

QColor toQColor(Color color) { return QColor(redOf(color), greenOf(color), blueOf(color)); }

Color toColor(const QColor& color) {
    return static_cast<Color>(color.red()) | static_cast<Color>(color.green()) << 8 |
           static_cast<Color>(color.blue()) << 16;
}

}  // namespace

Status FormWindow::getText(int control, std::string& text) {
    text = static_cast<QLineEdit*>(controls_[control])->text().toStdString();
    return Success;
}

Status FormWindow::setText(int control, std::string_view text) {
    static_cast<QLineEdit*>(controls_[control])->setText(toQString(text));
    return Success;
}

Status FormWindow::getValue(int control, TruthValue& value) {
    value = static_cast<QRadioButton*>(controls_[control])->isChecked() ? True : False;
    return Success;
}

Status FormWindow::setValue(int control, TruthValue value) {
    auto* option = static_cast<QRadioButton*>(controls_[control]);
    // The group refuses to clear its selected button; clearing is allowed here.
    option->setAutoExclusive(value != False);
    option->setChecked(value != False);
    option->setAutoExclusive(true);
    return Success;
}

Status FormWindow::getVisible(int control, bool& visible) {
    visible = !controls_[control]->isHidden();
    return Success;
}

Status FormWindow::setVisible(int control, bool visible) {
    if (!visible) moveFocusAwayFrom(description(), control, *this);
    controls_[control]->setVisible(visible);
    return Success;
}

Status FormWindow::getEnabled(int control, bool& enabled) {
    enabled = controls_[control]->isEnabled();
    return Success;
}

Status FormWindow::setEnabled(int control, bool enabled) {
    if (!enabled) moveFocusAwayFrom(description(), control, *this);
    controls_[control]->setEnabled(enabled);
    return Success;
}

Status FormWindow::setFocus(int control) {
    if (!isVisible() || !isAvailable(description(), control, *this)) return CannotDo;
    giveFocus(control, false);
    return Success;
}

Status FormWindow::getBackColor(Color& color) {
    color = toColor(palette().color(QPalette::Window));
    return Success;
}

Status FormWindow::setBackColor(Color color) {
    QPalette colored = palette();
    colored.setColor(QPalette::Window, toQColor(color));
    setPalette(colored);
    return Success;
}

}  // namespace forms::detail
