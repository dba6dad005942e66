#include "form_window.h"

#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "accessibility.h"
#include "dispatch.h"
#include "layout.h"
#include "runtime_core.h"
#include "text_limit.h"

namespace forms::detail {

namespace {

// A control call the toolkit cannot do (focus to a hidden control, text of a button).
constexpr Status CannotDo = -static_cast<int>(ErrorCode::ControlCallFailed);

QString toQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QColor toQColor(Color color) { return QColor(redOf(color), greenOf(color), blueOf(color)); }

Color toColor(const QColor& color) {
    return static_cast<Color>(color.red()) | static_cast<Color>(color.green()) << 8 |
           static_cast<Color>(color.blue()) << 16;
}

// Controls keep their own default background when the window is recoloured.
void keepOwnBackground(QWidget& widget) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, QGuiApplication::palette().color(QPalette::Window));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

QWidget* createLabel(QWidget& parent, const ControlDescription& control) {
    auto* label = new QLabel(toQString(control.caption), &parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment((control.captionCentred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    label->setFocusPolicy(Qt::NoFocus);
    keepOwnBackground(*label);
    return label;
}

QWidget* createTextBox(QWidget& parent, const ControlDescription&) {
    auto* textBox = new QLineEdit(&parent);
    limitTextLength(*textBox);
    // A full box is laid out again at every keystroke; without shaping (which numbers and plain
    // text do not need) that stays quick. Family and size still come from the window.
    QFont unshaped;
    unshaped.setStyleStrategy(QFont::PreferNoShaping);
    textBox->setFont(unshaped);
    return textBox;
}

QWidget* createCommandButton(QWidget& parent, const ControlDescription& control) {
    auto* button = new QPushButton(toQString(control.caption), &parent);
    // Enter in a text box must never press a button.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QWidget* createOptionButton(QWidget& parent, const ControlDescription& control) {
    // Option buttons on the same window are one group through auto-exclusivity; none is
    // selected at start.
    auto* option = new QRadioButton(toQString(control.caption), &parent);
    keepOwnBackground(*option);
    return option;
}

// One entry a control kind, in the order of ControlKind.
constexpr std::array<QWidget* (*)(QWidget&, const ControlDescription&), 4> controlFactories = {
    &createLabel, &createTextBox, &createCommandButton, &createOptionButton};

// The key code a key press delivers to KeyPress: Enter is 13, a typed character its UTF-16
// code; keys that type nothing (arrows, Shift) deliver none.
std::optional<std::int16_t> keyCodeOf(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) return 13;
    const QString text = event.text();
    if (text.isEmpty()) return std::nullopt;
    return static_cast<std::int16_t>(text.at(0).unicode());
}

}  // namespace

QIcon programIcon() {
    // Decoded once: the application and every window share it.
    static const QIcon icon = [] {
        QIcon images;
        for (const int size : {16, 32, 48}) {
            images.addFile(QStringLiteral(":/forms/window-%1.png").arg(size), QSize(size, size));
        }
        return images;
    }();
    return icon;
}

QFont defaultFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

int roomForCaption(const QWidget& control) {
    const QStyle* style = control.style();
    if (qobject_cast<const QRadioButton*>(&control)) {
        return control.width() - style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, &control) -
               style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, &control);
    }
    if (qobject_cast<const QPushButton*>(&control)) {
        return control.width() - 2 * style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, &control);
    }
    return control.width();
}

FormWindow::FormWindow(const Project& project)
    : project_(project), dotsPerInch_(QGuiApplication::primaryScreen()->logicalDotsPerInchX()) {
    installAccessibleRoles();
    setWindowTitle(toQString(project_.window.caption));
    setWindowIcon(programIcon());
    setAutoFillBackground(true);
    resize(pixels(project_.window.clientWidth), pixels(project_.window.clientHeight));
    buildControls();
    setFont(fontWhereEveryCaptionFits());
    nameTextBoxesByTheirLabels();
    setTabOrder();
    form_ = project_.createForm(*this);
}

FormWindow::~FormWindow() { forgetWindow(*this); }

int FormWindow::pixels(int twips) const { return pixelsFromTwips(twips, dotsPerInch_); }

void FormWindow::buildControls() {
    for (const ControlDescription& control : project_.window.controls) {
        QWidget* widget = controlFactories[static_cast<std::size_t>(control.kind)](*this, control);
        widget->setObjectName(toQString(control.name));
        if (!control.caption.empty()) widget->setAccessibleName(toQString(control.caption));
        widget->setGeometry(pixels(control.left), pixels(control.top), pixels(control.width),
                            pixels(control.height));
        // A click on a control is that control's, never the window's.
        widget->setAttribute(Qt::WA_NoMousePropagation);
        if (control.kind == ControlKind::TextBox || control.kind == ControlKind::CommandButton) {
            widget->installEventFilter(this);
        }
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            connect(button, &QAbstractButton::clicked, this, [this, name = control.name] {
                std::int16_t noKey = 0;
                dispatch(name, Event::Click, noKey);
            });
        }
        widget->setVisible(!control.hiddenAtStart);
        // A label that overlaps a neighbour stays beneath it, so it never hides a box's border.
        if (control.kind == ControlKind::Label) widget->lower();
        controls_.push_back(widget);
    }
}

QFont FormWindow::fontWhereEveryCaptionFits() const {
    // The default font fits every caption. Where the machine lacks it, the fallback it gives is
    // measured, and the largest size (in half points) at which every caption fits is taken.
    QFont font = defaultFont();
    const auto halfPoints = [](double points) { return static_cast<int>(std::lround(points * 2)); };
    const int size = largestFittingSize(halfPoints(font.pointSizeF()), halfPoints(MinimumPointSize) + 1, [&](int half) {
        font.setPointSizeF(half / 2.0);
        return everyCaptionFits(font);
    });
    font.setPointSizeF(size / 2.0);
    return font;
}

bool FormWindow::everyCaptionFits(const QFont& font) const {
    const QFontMetrics metrics(font);
    for (std::size_t index = 0; index < controls_.size(); ++index) {
        const ControlDescription& control = describe(static_cast<int>(index));
        if (control.caption.empty()) continue;
        if (metrics.horizontalAdvance(toQString(control.caption)) > roomForCaption(*controls_[index]) ||
            metrics.height() > controls_[index]->height()) {
            return false;
        }
    }
    return true;
}

void FormWindow::nameTextBoxesByTheirLabels() {
    // Screen readers announce a text box by its label's caption, and the label is the box's
    // buddy, which gives the box its labelled-by relation.
    const auto& controls = project_.window.controls;
    for (std::size_t box = 0; box < controls.size(); ++box) {
        if (controls[box].kind != ControlKind::TextBox) continue;
        const int label = labelOf(project_.window, static_cast<int>(box));
        if (label < 0) continue;
        controls_[box]->setAccessibleName(toQString(controls[label].caption));
        static_cast<QLabel*>(controls_[static_cast<std::size_t>(label)])->setBuddy(controls_[box]);
    }
}

void FormWindow::setTabOrder() {
    const std::vector<int> order = tabOrder(project_.window);
    for (std::size_t position = 1; position < order.size(); ++position) {
        QWidget::setTabOrder(controls_[order[position - 1]], controls_[order[position]]);
    }
}

QWidget* FormWindow::firstInTabOrder() const {
    const int first = detail::firstInTabOrder(project_.window, [this](int control) {
        return controls_[control]->isVisibleTo(this) && controls_[control]->isEnabled();
    });
    return first < 0 ? nullptr : controls_[first];
}

QWidget* FormWindow::control(std::string_view name) const {
    for (std::size_t index = 0; index < controls_.size(); ++index) {
        if (describe(static_cast<int>(index)).name == name) return controls_[index];
    }
    return nullptr;
}

void FormWindow::showAtStart() {
    show();
    activateWindow();
    if (QWidget* first = firstInTabOrder()) first->setFocus(Qt::ActiveWindowFocusReason);
}

void FormWindow::dispatch(std::string_view control, Event event, std::int16_t& keyCode) {
    detail::dispatch(project_, *form_, control, event, keyCode);
}

void FormWindow::mousePressEvent(QMouseEvent* event) {
    pressedOnWindow_ = event->button() == Qt::LeftButton;
    QWidget::mousePressEvent(event);
}

void FormWindow::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressedOnWindow_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressedOnWindow_ = false;
    if (click) {
        std::int16_t noKey = 0;
        dispatch(project_.windowName, Event::Click, noKey);
    }
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    if (auto* button = qobject_cast<QPushButton*>(watched)) {
        // Enter on a focused command button presses it, as Space does; held down, it presses once.
        const auto& key = *static_cast<QKeyEvent*>(event);
        const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
        if (!enter || (key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
        if (!key.isAutoRepeat()) button->click();
        return true;
    }
    auto* textBox = qobject_cast<QLineEdit*>(watched);
    const std::optional<std::int16_t> typed = textBox ? keyCodeOf(*static_cast<QKeyEvent*>(event)) : std::nullopt;
    if (!typed) return false;
    std::int16_t keyCode = *typed;
    dispatch(textBox->objectName().toStdString(), Event::KeyPress, keyCode);
    switch (afterKeyPress(*typed, keyCode)) {
    case KeyOutcome::Swallow: return true;
    case KeyOutcome::TypeReplacement: textBox->insert(QString(QChar(static_cast<char16_t>(keyCode)))); return true;
    case KeyOutcome::TypeAsUsual: return false;
    }
    return false;
}

Status FormWindow::getText(int control, std::string& text) {
    auto* textBox = qobject_cast<QLineEdit*>(controls_[control]);
    if (!textBox) return CannotDo;
    text = textBox->text().toStdString();
    return Success;
}

Status FormWindow::setText(int control, std::string_view text) {
    auto* textBox = qobject_cast<QLineEdit*>(controls_[control]);
    if (!textBox) return CannotDo;
    const QString newText = toQString(text);
    // Never cut: text beyond what the box holds is a failed call, and the box keeps its text.
    if (newText.size() > MaxTextBoxLength) return CannotDo;
    textBox->setText(newText);
    return Success;
}

Status FormWindow::getValue(int control, TruthValue& value) {
    auto* option = qobject_cast<QRadioButton*>(controls_[control]);
    if (!option) return CannotDo;
    value = option->isChecked() ? True : False;
    return Success;
}

Status FormWindow::setValue(int control, TruthValue value) {
    auto* option = qobject_cast<QRadioButton*>(controls_[control]);
    if (!option) return CannotDo;
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
    controls_[control]->setVisible(visible);
    return Success;
}

Status FormWindow::getEnabled(int control, bool& enabled) {
    enabled = controls_[control]->isEnabled();
    return Success;
}

Status FormWindow::setEnabled(int control, bool enabled) {
    controls_[control]->setEnabled(enabled);
    return Success;
}

Status FormWindow::setFocus(int control) {
    QWidget* widget = controls_[control];
    if (widget->focusPolicy() == Qt::NoFocus || !isVisible() || !widget->isVisibleTo(this) || !widget->isEnabled()) {
        return CannotDo;
    }
    widget->setFocus(Qt::OtherFocusReason);
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
