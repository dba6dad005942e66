#include "action_keys.h"

#include <xcb/xcb.h>

#include <QAbstractButton>
#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QKeyEvent>
#include <array>
#include <cstdint>
#include <optional>

#include "held_keys.h"
#include "window_rules.h"

namespace forms::detail {

namespace {

// Whether a key pressed at `receiver` is one of the core's action keys (window_rules.h).
bool isActionKeyThere(const QKeyEvent& key, const QObject* receiver) {
    const bool onButton = qobject_cast<const QAbstractButton*>(receiver) != nullptr;
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return isActionKey(EnterKey, onButton);
    case Qt::Key_Escape: return isActionKey(EscapeKey, onButton);
    case Qt::Key_Space: return isActionKey(SpaceKey, onButton);
    default: return false;
    }
}

// The X server's own account of each key press: a press that comes with a release of the same
// key at the same server time is the server's repeat of a held key; any other press is fresh.
// The events are read as they arrive, before the toolkit queues (or drops) them, and each
// press's verdict is kept until the toolkit delivers it.
class X11KeyHistory final : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (eventType != "xcb_generic_event_t") return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        const auto type = event->response_type & 0x7f;
        if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE) return false;
        const auto* key = reinterpret_cast<const xcb_key_press_event_t*>(event);
        LastEvent& last = lastEvents_[key->detail];
        if (type == XCB_KEY_PRESS) {
            const bool repeat = last.wasRelease && last.time == key->time;
            verdicts_[next_++ % verdicts_.size()] = {key->detail, key->time, repeat};
        }
        last = {type == XCB_KEY_RELEASE, key->time};
        return false;
    }

    // The verdict on the press the toolkit now delivers, if the server sent it.
    std::optional<KeyPressKind> kindOf(const QKeyEvent& press) const {
        for (const Verdict& verdict : verdicts_) {
            if (verdict.keycode == press.nativeScanCode() && verdict.time == press.timestamp()) {
                return verdict.repeat ? KeyPressKind::Repeat : KeyPressKind::Fresh;
            }
        }
        return std::nullopt;
    }

private:
    struct LastEvent {
        bool wasRelease = false;
        xcb_timestamp_t time = 0;
    };
    struct Verdict {
        std::uint32_t keycode = 0;  // 0 is no key code X uses
        xcb_timestamp_t time = 0;
        bool repeat = false;
    };
    std::array<LastEvent, 256> lastEvents_{};
    // The toolkit delivers a press soon after it arrives; a few dozen cover any backlog.
    std::array<Verdict, 64> verdicts_{};
    std::size_t next_ = 0;
};

class ActionKeyFilter final : public QObject {
public:
    explicit ActionKeyFilter(QObject* parent) : QObject(parent) {
        const QString platform = QGuiApplication::platformName();
        if (platform == QLatin1String("xcb")) {
            x11_.emplace();
            qApp->installNativeEventFilter(&*x11_);
        }
        repeatFlagIsTrue_ = platform.startsWith(QLatin1String("wayland"));
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress: {
            // A key event goes to the focus widget of its window first and may then travel up to
            // its parents; the press is judged once, where it arrives.
            const auto* widget = qobject_cast<const QWidget*>(watched);
            if (!widget || widget->window()->focusWidget() != widget) return false;
            const auto& key = *static_cast<QKeyEvent*>(event);
            return isActionKeyThere(key, watched) && !heldKeys().press(key.key(), kindOf(key));
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

private:
    KeyPressKind kindOf(const QKeyEvent& key) const {
        if (x11_) {
            if (const auto kind = x11_->kindOf(key)) return *kind;
        }
        if (key.isAutoRepeat()) return KeyPressKind::Repeat;
        return repeatFlagIsTrue_ ? KeyPressKind::Fresh : KeyPressKind::Unreported;
    }

    std::optional<X11KeyHistory> x11_;
    bool repeatFlagIsTrue_ = false;
};

}  // namespace

void actOnceForHeldKeys() {
    static ActionKeyFilter* filter = nullptr;
    if (filter || !qApp) return;
    filter = new ActionKeyFilter(qApp);
    qApp->installEventFilter(filter);
}

}  // namespace forms::detail
