#include "cursor_blink.h"

#include <QApplication>
#include <QEvent>

namespace forms::detail {

CursorBlinkLimiter::CursorBlinkLimiter(std::chrono::milliseconds idleAfter)
    : flashTime_(QApplication::cursorFlashTime()) {
    idle_.setSingleShot(true);
    idle_.setInterval(idleAfter);
    connect(&idle_, &QTimer::timeout, this, &CursorBlinkLimiter::stopBlinking);
    qApp->installEventFilter(this);
    idle_.start();
}

CursorBlinkLimiter::~CursorBlinkLimiter() {
    qApp->removeEventFilter(this);
    if (stopped_) QApplication::setCursorFlashTime(flashTime_);
}

void CursorBlinkLimiter::stopBlinking() {
    stopped_ = true;
    QApplication::setCursorFlashTime(0);
}

bool CursorBlinkLimiter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::FocusIn:
        if (stopped_) {
            stopped_ = false;
            QApplication::setCursorFlashTime(flashTime_);
        }
        idle_.start();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace forms::detail
