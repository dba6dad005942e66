// The window the runtime builds from a window description: real Qt widgets at the described
// twip positions, the events bound to the program's handlers, and the control members the
// program's Form calls through WindowHost.
#pragma once

#include <QWidget>
#include <memory>
#include <string_view>
#include <vector>

#include "form.h"
#include "project.h"
#include "window_host.h"

namespace forms::detail {

class FormWindow final : public QWidget, public WindowHost {
public:
    explicit FormWindow(const Project& project);
    ~FormWindow() override;

    Form& form() { return *form_; }
    // The widget of a described control, or nullptr.
    QWidget* control(std::string_view name) const;

    // Shows the window and gives the focus to the first control in tab order that is shown and
    // enabled.
    void showAtStart();

    // Delivers an event to its bound handler; an unbound event does nothing.
    void dispatch(std::string_view control, Event event, std::int16_t& keyCode);

    const Project& project() const override { return project_; }
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

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    QFont fontWhereEveryCaptionFits() const;
    bool everyCaptionFits(const QFont& font) const;
    void nameTextBoxesByTheirLabels();
    void setTabOrder();
    QWidget* firstInTabOrder() const;
    const ControlDescription& describe(int control) const { return project_.window.controls[control]; }
    int pixels(int twips) const;

    const Project& project_;
    std::vector<QWidget*> controls_;  // in the order of the description
    std::unique_ptr<Form> form_;
    double dotsPerInch_;
    bool pressedOnWindow_ = false;
};

// The window icon: one picture drawn at 16, 32 and 48 pixels.
QIcon programIcon();

// The font every control uses: every caption of every program fits its control with it.
QFont defaultFont();
// The smallest size tried for a fallback font when captions do not fit.
inline constexpr double MinimumPointSize = 4;

// The room a caption has inside its control, once the control's own decoration is taken off.
int roomForCaption(const QWidget& control);

}  // namespace forms::detail
