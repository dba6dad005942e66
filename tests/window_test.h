// Shared fixture for tests that drive a program's real window on the offscreen platform:
// typing, Enter, clicks, and the dialogs the program opens answered from a script.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>
#include <string>

#include "qt/open_window.h"
#include "testing.h"

class WindowTest : public ::testing::Test {
protected:
    void open(const forms::Project& project) {
        window_ = std::make_unique<forms::testing::OpenWindow>(project);
        QWidget* window = window_->window();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    void TearDown() override {
        forms::testing::clearControlCallFailures();
        window_.reset();
    }

    QWidget* widget(std::string_view name) const {
        QWidget* control = window_->control(name);
        EXPECT_NE(control, nullptr) << "no control named " << name;
        return control;
    }
    QLineEdit* textBox(std::string_view name) const { return qobject_cast<QLineEdit*>(widget(name)); }

    // Replaces a text box's content the way a user would: select all, then type.
    void type(std::string_view name, const QString& text) {
        QLineEdit* box = textBox(name);
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }
    void pressEnter(std::string_view name) { QTest::keyClick(widget(name), Qt::Key_Return); }
    // Clicks a control; an option button on its indicator, where a user clicks it.
    void click(std::string_view name) {
        QWidget* control = widget(name);
        const bool option = qobject_cast<QRadioButton*>(control) != nullptr;
        QTest::mouseClick(control, Qt::LeftButton, {}, option ? QPoint(8, control->height() / 2) : QPoint());
    }
    QString text(std::string_view name) const { return textBox(name)->text(); }
    // The A/B/C programs: types A and B, presses Command1 and reads C.
    QString compute(const QString& a, const QString& b) {
        type("Text1", a);
        type("Text2", b);
        click("Command1");
        return text("Text3");
    }
    // The name of the control holding the focus within the window, or "".
    QString focused() const {
        QWidget* focus = window_->window()->focusWidget();
        return focus ? focus->objectName() : QString();
    }
    template <class F>
    F& form() {
        return window_->formAs<F>();
    }

    forms::testing::ScriptedDialogs dialogs;
    std::unique_ptr<forms::testing::OpenWindow> window_;
};
