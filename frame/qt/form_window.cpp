// The Qt backend of the frame: one top-level window of Qt widgets, its events and its control
// members. What it implements, and what it leaves out:
//   [x] client area of exactly the described twips at the screen's logical DPI; Qt's high-DPI
//       scaling does the rest
//   [x] Liberation Sans 8 pt, or where it is missing the fallback at the largest size at which
//       every caption fits its control by the core's rule (window_rules.h; Qt measures the
//       text and the option mark); one font for every control
//   [x] QLabel labels (a click on a label is not a click on the window), QLineEdit text boxes,
//       QPushButton and QRadioButton buttons
//   [x] tab order by tab index; first focus, Tab/Shift+Tab and the focus leaving a control that
//       is hidden or disabled by the core's rules (window_rules.h); the arrows in the option
//       group are Qt's own; Enter on a command button presses it; the core's action keys act
//       once however long they are held, X11's repeats told by the server (action_keys.cpp)
//   [x] one option group of every option button, none selected at start, Tab does not select
//   [x] Click of buttons, option buttons and the window; KeyPress through an event filter with
//       the code by reference (Enter 13, 0 swallows, a changed code types that character); Load
//   [x] Text/Value/Visible/Enabled/BackColor/SetFocus (control_members.cpp), failing where the
//       toolkit cannot do them
//   [x] the window colour painted by the window; labels and option buttons keep the palette's
//   [x] text boxes of up to MaxTextBoxLength characters, refusing longer typing, pastes and
//       drops whole with a notice (text_limit.cpp); Ctrl+A selects all (Qt's own)
//   [x] each text box named for screen readers by its label (the label is its buddy); the
//       window is a frame to AT-SPI (accessibility.cpp)
//   [x] the window icon drawn at 16, 32 and 48 pixels
//   [x] (dialogs.cpp) our message box, as wide as its caption, Ctrl+C copying caption and text;
//       our input box (Enter OK, Esc and closing Cancel, Ctrl+C copies caption and prompt)
//   [x] (run_project.cpp) the event loop; the error line to stderr, a failed write ignored;
//       no display or a failing platform plugin said in one line (start_up.cpp)
//   [x] (run_project.cpp) --help and --version; nothing on the command line reaches the toolkit
//   [x] the caret stops blinking after 10 s without input (cursor_blink.cpp)
//   [ ] no default button (none is wanted); no mnemonics (no caption has one); no resizing of
//       the controls with the window (they keep their described places)
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
#include <utility>

#include "accessibility.h"
#include "action_keys.h"
#include "events.h"
#include "layout.h"
#include "navigation.h"
#include "text_limit.h"
#include "window_rules.h"

namespace forms::detail {

namespace {

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
using ControlFactory = QWidget* (*)(QWidget&, const ControlDescription&);
constexpr auto controlFactories =
    perKind<ControlFactory>({&createLabel, &createTextBox, &createCommandButton, &createOptionButton});

// Qt's measures of the window's font at a size in half points, for the core's caption rule.
class QtCaptionMeasurer final : public CaptionMeasurer {
public:
    QtCaptionMeasurer(QFont font, const QWidget& window) : font_(std::move(font)), metrics_(font_), window_(window) {}

    void useSize(int halfPoints) override {
        font_.setPointSizeF(halfPoints / 2.0);
        metrics_ = QFontMetrics(font_);
    }
    double textWidth(std::string_view caption) override { return metrics_.horizontalAdvance(toQString(caption)); }
    double lineHeight() override { return metrics_.height(); }
    double optionMarkWidth() override {
        return window_.style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, &window_);
    }

private:
    QFont font_;
    QFontMetrics metrics_;
    const QWidget& window_;
};

// The key code a key press delivers to KeyPress: Enter is 13, a typed character its UTF-16
// code; keys that type nothing (arrows, Shift) deliver none.
std::optional<std::int16_t> keyCodeOf(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) return EnterKey;
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
    font.setPointSizeF(WindowFontHalfPoints.largest / 2.0);
    return font;
}

FormWindow::FormWindow(const Project& project)
    : WindowHost(project), dotsPerInch_(QGuiApplication::primaryScreen()->logicalDotsPerInchX()) {
    installAccessibleRoles();
    actOnceForHeldKeys();
    setWindowTitle(toQString(description().caption));
    setWindowIcon(programIcon());
    setAutoFillBackground(true);
    resize(pixels(description().clientWidth), pixels(description().clientHeight));
    buildControls();
    setFont(fontWhereEveryCaptionFits());
    nameTextBoxesByTheirLabels();
    chainTabOrder();
}

int FormWindow::pixels(int twips) const { return pixelsFromTwips(twips, dotsPerInch_); }

void FormWindow::buildControls() {
    for (const ControlDescription& control : description().controls) {
        const int index = static_cast<int>(controls_.size());
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
            connect(button, &QAbstractButton::clicked, this, [this, index] { deliverClick(*this, index); });
        }
        widget->setVisible(!control.hiddenAtStart);
        if (traitsOf(control.kind).liesBeneath) widget->lower();
        controls_.push_back(widget);
    }
}

QFont FormWindow::fontWhereEveryCaptionFits() const {
    // The default font fits every caption. Where the machine lacks it, the fallback it gives is
    // measured, and the largest size (in half points) at which every caption fits is taken.
    QtCaptionMeasurer measurer(defaultFont(), *this);
    const int size = fittedFontSize(description(), dotsPerInch_, WindowFontHalfPoints, measurer);
    QFont font = defaultFont();
    font.setPointSizeF(size / 2.0);
    return font;
}

void FormWindow::nameTextBoxesByTheirLabels() {
    // Screen readers announce a text box by its label's caption, and the label is the box's
    // buddy, which gives the box its labelled-by relation.
    const auto& controls = description().controls;
    for (std::size_t control = 0; control < controls.size(); ++control) {
        const int label = labelOf(description(), static_cast<int>(control));
        if (label < 0) continue;
        controls_[control]->setAccessibleName(toQString(controls[label].caption));
        static_cast<QLabel*>(controls_[static_cast<std::size_t>(label)])->setBuddy(controls_[control]);
    }
}

void FormWindow::chainTabOrder() {
    const std::vector<int> order = tabOrder(description());
    for (std::size_t position = 1; position < order.size(); ++position) {
        QWidget::setTabOrder(controls_[order[position - 1]], controls_[order[position]]);
    }
}

bool FormWindow::controlShown(int control) const { return controls_[control]->isVisibleTo(this); }

bool FormWindow::controlEnabled(int control) const { return controls_[control]->isEnabled(); }

bool FormWindow::optionSelected(int control) const {
    const auto* option = qobject_cast<const QRadioButton*>(controls_[control]);
    return option && option->isChecked();
}

int FormWindow::focusedControl() const {
    const auto focus = std::find(controls_.begin(), controls_.end(), focusWidget());
    return focus == controls_.end() ? -1 : static_cast<int>(focus - controls_.begin());
}

void FormWindow::giveFocus(int control, bool asByTab) {
    controls_[control]->setFocus(asByTab ? Qt::TabFocusReason : Qt::OtherFocusReason);
}

QWidget* FormWindow::control(std::string_view name) const {
    const int index = controlIndex(description(), name);
    return index < 0 ? nullptr : controls_[index];
}

void FormWindow::showAtStart() {
    show();
    activateWindow();
    giveFirstFocus(description(), *this);
}

bool FormWindow::focusNextPrevChild(bool next) {
    // Tab and Shift+Tab follow the core's rules, as on every platform.
    const int to = nextTabStop(description(), focusedControl(), next, controlStates(description(), *this));
    if (to >= 0) controls_[to]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void FormWindow::mousePressEvent(QMouseEvent* event) {
    pressedOnWindow_ = event->button() == Qt::LeftButton;
    QWidget::mousePressEvent(event);
}

void FormWindow::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressedOnWindow_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressedOnWindow_ = false;
    if (click) deliverClick(*this, TheWindow);
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    const auto control = std::find(controls_.begin(), controls_.end(), watched);
    if (control == controls_.end()) return false;
    const int index = static_cast<int>(control - controls_.begin());
    if (auto* button = qobject_cast<QPushButton*>(*control)) {
        // Enter on a focused command button presses it (the core's rule); held down, it presses
        // once (its repeats never get here: action_keys.cpp).
        const auto& key = *static_cast<QKeyEvent*>(event);
        const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
        if (!enter || (key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
        if (!enterPresses(descriptionOf(index).kind)) return false;
        button->click();
        return true;
    }
    auto* textBox = qobject_cast<QLineEdit*>(*control);
    const std::optional<std::int16_t> typed = textBox ? keyCodeOf(*static_cast<QKeyEvent*>(event)) : std::nullopt;
    if (!typed) return false;
    char16_t replacement = 0;
    switch (deliverKeyPress(*this, index, *typed, replacement)) {
    case KeyOutcome::Swallow: return true;
    case KeyOutcome::TypeReplacement: textBox->insert(QString(QChar(replacement))); return true;
    case KeyOutcome::TypeAsUsual: return false;
    }
    return false;
}

}  // namespace forms::detail
