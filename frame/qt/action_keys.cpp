#include "action_keys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>

#include "held_keys.h"

namespace forms::detail {

namespace {

bool isActionKey(const QKeyEvent& key, const QObject* receiver) {
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape: return true;
    case Qt::Key_Space: return qobject_cast<const QAbstractButton*>(receiver) != nullptr;
    default: return false;
    }
}

class ActionKeyFilter final : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress: {
            // A key event goes to the focus widget of its window first and may then travel up to
            // its parents; the press is judged once, where it arrives.
            const auto* widget = qobject_cast<const QWidget*>(watched);
            if (!widget || widget->window()->focusWidget() != widget) return false;
            const auto& key = *static_cast<QKeyEvent*>(event);
            return isActionKey(key, watched) && !heldKeys().press(key.key(), key.isAutoRepeat());
        }
        case QEvent::KeyRelease: {
            const auto& key = *static_cast<QKeyEvent*>(event);
            if (!key.isAutoRepeat()) heldKeys().release(key.key());
            return false;
        }
        case QEvent::ApplicationStateChange:
            // Keys released while another program has the keyboard are never seen here.
            if (QGuiApplication::applicationState() != Qt::ApplicationActive) heldKeys().releaseAll();
            return false;
        default: return false;
        }
    }
};

}  // namespace

void actOnceForHeldKeys() {
    static ActionKeyFilter* filter = nullptr;
    if (filter || !qApp) return;
    filter = new ActionKeyFilter(qApp);
    qApp->installEventFilter(filter);
}

}  // namespace forms::detail
