// Stops the text cursor's blinking once the user has left the keyboard and mouse alone for a
// while, and starts it again at the next input, so an idle window uses no CPU at all.
#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>

namespace forms::detail {

class CursorBlinkLimiter final : public QObject {
public:
    explicit CursorBlinkLimiter(std::chrono::milliseconds idleAfter = std::chrono::seconds(10));
    ~CursorBlinkLimiter() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void stopBlinking();

    QTimer idle_;
    int flashTime_;
    bool stopped_ = false;
};

}  // namespace forms::detail
