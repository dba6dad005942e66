// The window the runtime builds from a window description on Qt Widgets: real widgets at the
// described twip positions, their events handed to the core, the control members the program's
// Form calls through WindowHost, and the dialogs over the window.
#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project.h"
#include "window_host.h"
#include "window_rules.h"

namespace forms::detail {

class FormWindow final : public QWidget, public WindowHost, private WindowFocus {
public:
    explicit FormWindow(const Project& project);

    // The widget of a described control, or nullptr.
    QWidget* control(std::string_view name) const;

    // Shows the window and gives the focus to the first control in tab order that is shown and
    // enabled.
    void showAtStart();

    Status getText(int control, std::string& text) override;
    Status setText(int control, std::string_view text) override;
    Status getValue(int control, TruthValue& value) override;
    Status setValue(int control, TruthValue value) override;
    Status getVisible(int control, bool& visible) override;
    Status setVisible(int control, bool visible) override;
    Status getEnabled(int control, bool& enabled) override;
    Status setEnabled(int control, bool enabled) override;
    Status setFocus(int control) override;
    Status getBackColor(Color& color) override;
    Status setBackColor(Color color) override;

    void showMessageBox(DialogKind kind, std::string_view caption, std::string_view prompt) override;
    std::optional<std::string> showInputBox(std::string_view caption, std::string_view prompt) override;

protected:
    bool focusNextPrevChild(bool next) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    QFont fontWhereEveryCaptionFits() const;
    void nameTextBoxesByTheirLabels();
    void chainTabOrder();

    // What the core's focus rules ask of the window (window_rules.h).
    bool controlShown(int control) const override;
    bool controlEnabled(int control) const override;
    bool optionSelected(int control) const override;
    int focusedControl() const override;
    void giveFocus(int control, bool asByTab) override;
    int pixels(int twips) const;

    std::vector<QWidget*> controls_;  // in the order of the description
    double dotsPerInch_;
    bool pressedOnWindow_ = false;
};

// The window icon: one picture drawn at 16, 32 and 48 pixels.
QIcon programIcon();

// The font every control uses: every caption of every program fits its control with it.
QFont defaultFont();

// Qt's text of one of our UTF-8 strings.
inline QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace forms::detail
