// An idle window stops repainting its text cursor, and the next input brings the blink back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "qt/cursor_blink.h"

namespace {

// Counts the paint events a widget gets.
class PaintCounter final : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

TEST(CursorBlink, StopsAfterIdleAndResumesOnInput) {
    const int flashTime = QApplication::cursorFlashTime();
    ASSERT_GT(flashTime, 0);
    QLineEdit box;
    box.show();
    box.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
    box.setFocus();
    {
        const forms::detail::CursorBlinkLimiter limiter(std::chrono::milliseconds(100));
        PaintCounter counter;
        box.installEventFilter(&counter);
        QTest::qWait(200);
        EXPECT_EQ(QApplication::cursorFlashTime(), 0);
        counter.paints = 0;
        QTest::qWait(flashTime + 200);
        EXPECT_EQ(counter.paints, 0) << "an idle box is not repainted";

        QTest::keyClick(&box, Qt::Key_A);
        EXPECT_EQ(QApplication::cursorFlashTime(), flashTime) << "typing brings the blink back";
        counter.paints = 0;
        QTest::qWait(flashTime / 2 + 60);
        EXPECT_GT(counter.paints, 0) << "the cursor blinks again";
        box.removeEventFilter(&counter);
    }
    EXPECT_EQ(QApplication::cursorFlashTime(), flashTime);
}

}  // namespace
