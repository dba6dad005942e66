#include "start_up.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace forms::detail {

namespace {

// What start-up holds while the window opens. The toolkit's message handler is a plain function,
// so the state is the process's, reached through startUp() alone.
struct StartUpState {
    std::string programName;
    QStringList heldMessages;
    QStringList heldCategories;  // the logging category of each held message
    QtMessageHandler previousHandler = nullptr;
    bool holding = false;
    int savedStderr = -1;  // the real stderr while start-up chatter goes elsewhere
};

StartUpState& startUp() {
    static StartUpState state;
    return state;
}

void restoreStderr() {
    int& savedStderr = startUp().savedStderr;
    if (savedStderr < 0) return;
    std::fflush(stderr);
    dup2(savedStderr, STDERR_FILENO);
    close(savedStderr);
    savedStderr = -1;
}

// Sends what the libraries write to stderr while the toolkit starts into a memory file that is
// never read: the cause of a failure is told in one line of our own.
void holdStderr() {
    const int chatter = memfd_create("start-up chatter", MFD_CLOEXEC);
    if (chatter < 0) return;
    std::fflush(stderr);
    int& savedStderr = startUp().savedStderr;
    savedStderr = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
    if (savedStderr >= 0) dup2(chatter, STDERR_FILENO);
    close(chatter);
}

bool isSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value;
}

// The cause of a failed start, from the toolkit's fatal message and the warnings before it.
QString causeOf(const QString& fatal) {
    static const QRegularExpression notFound(QStringLiteral("Could not find the Qt platform plugin \"([^\"]*)\""));
    static const QRegularExpression failed(QStringLiteral("Could not load the Qt platform plugin \"([^\"]*)\""));
    const QStringList& heldMessages = startUp().heldMessages;
    const QStringList& heldCategories = startUp().heldCategories;
    for (const QString& message : heldMessages) {
        if (const auto match = notFound.match(message); match.hasMatch()) {
            return QStringLiteral("the platform plugin \"%1\" is not installed").arg(match.captured(1));
        }
        if (const auto match = failed.match(message); match.hasMatch()) {
            const QString plugin = QStringLiteral("the platform plugin \"%1\" failed").arg(match.captured(1));
            // What the plugin said before it gave up ("could not connect to display :1"), from
            // the platform's own categories where it used one.
            QString reason;
            for (int index = 0; index < heldMessages.size(); ++index) {
                if (heldMessages[index].contains(QStringLiteral("platform plugin"))) continue;
                if (heldCategories[index].startsWith(QStringLiteral("qt.qpa"))) return plugin + QStringLiteral(": ") + heldMessages[index];
                if (reason.isEmpty()) reason = heldMessages[index];
            }
            return reason.isEmpty() ? plugin : plugin + QStringLiteral(": ") + reason;
        }
    }
    return fatal.section(QLatin1Char('\n'), 0, 0);
}

[[noreturn]] void failToStart(const std::string& cause) {
    restoreStderr();
    std::fprintf(stderr, "%s: cannot open a window: %s\n", startUp().programName.c_str(), cause.c_str());
    std::fflush(stderr);
    // The toolkit is half started: end here, without running its clean-up.
    _exit(1);
}

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) failToStart(causeOf(message).simplified().toStdString());
    startUp().heldMessages.append(message.trimmed());
    startUp().heldCategories.append(QString::fromUtf8(context.category ? context.category : ""));
}

// The socket of the first local address in a D-Bus address list ("unix:path=/run/bus;..."),
// with a leading NUL for an abstract one; nothing for other transports.
std::optional<std::string> unixSocketOf(std::string_view addresses) {
    const std::string_view address = addresses.substr(0, addresses.find(';'));
    if (!address.starts_with("unix:")) return std::nullopt;
    std::string_view keys = address.substr(5);
    while (!keys.empty()) {
        const std::string_view pair = keys.substr(0, keys.find(','));
        keys.remove_prefix(std::min(keys.size(), pair.size() + 1));
        const bool abstract = pair.starts_with("abstract=");
        if (!abstract && !pair.starts_with("path=")) continue;
        std::string socket = abstract ? std::string(1, '\0') : std::string();
        const std::string_view value = pair.substr(pair.find('=') + 1);
        // Values may be %-escaped; a malformed escape is kept as it stands (the address is the
        // environment's, so it is read without trusting it).
        for (std::size_t index = 0; index < value.size(); ++index) {
            unsigned escaped = 0;
            const char* digits = value.data() + index + 1;
            if (value[index] == '%' && index + 2 < value.size() &&
                std::from_chars(digits, digits + 2, escaped, 16).ptr == digits + 2) {
                socket += static_cast<char>(escaped);
                index += 2;
            } else {
                socket += value[index];
            }
        }
        return socket;
    }
    return std::nullopt;
}

// Leaves out a bus named in `variable` that does not answer: the toolkit then finds no bus at
// once instead of waiting for it.
void leaveOutSilentBus(const char* variable) {
    const char* address = std::getenv(variable);
    if (!address || !*address || busAnswers(address, 2000)) return;
    std::fprintf(stderr, "%s: the message bus in %s does not answer; screen readers cannot reach the window\n",
                 startUp().programName.c_str(), variable);
    std::fflush(stderr);
    setenv(variable, "disabled:", 1);
}

}  // namespace

bool busAnswers(std::string_view address, int timeoutMilliseconds) {
    const std::optional<std::string> socketName = unixSocketOf(address);
    sockaddr_un peer{};
    if (!socketName || socketName->size() >= sizeof(peer.sun_path)) return true;
    peer.sun_family = AF_UNIX;
    std::memcpy(peer.sun_path, socketName->data(), socketName->size());
    const int connection = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (connection < 0) return true;
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + socketName->size() +
                                               (socketName->front() == '\0' ? 0 : 1));
    bool answers = true;
    if (connect(connection, reinterpret_cast<const sockaddr*>(&peer), length) == 0) {
        // The greeting every client starts with: a NUL byte, then an authentication request.
        std::string hexUid;
        for (const char digit : std::to_string(getuid())) hexUid += "3" + std::string(1, digit);
        const std::string greeting = std::string(1, '\0') + "AUTH EXTERNAL " + hexUid + "\r\n";
        if (send(connection, greeting.data(), greeting.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(greeting.size())) {
            pollfd reply{connection, POLLIN, 0};
            // A reply or a closed connection: either way nobody waits.
            answers = poll(&reply, 1, timeoutMilliseconds) != 0;
        }
    }
    close(connection);
    return answers;
}

std::optional<std::string> missingDisplay() {
    if (isSet("QT_QPA_PLATFORM") || isSet("DISPLAY") || isSet("WAYLAND_DISPLAY")) return std::nullopt;
    return "no display (neither DISPLAY nor WAYLAND_DISPLAY is set)";
}

WindowSystemStartUp::WindowSystemStartUp(std::string_view programName) {
    StartUpState& state = startUp();
    state.programName = std::string(programName);
    if (const std::optional<std::string> cause = missingDisplay()) failToStart(*cause);
    leaveOutSilentBus("DBUS_SESSION_BUS_ADDRESS");
    leaveOutSilentBus("AT_SPI_BUS_ADDRESS");
    state.heldMessages.clear();
    state.heldCategories.clear();
    state.previousHandler = qInstallMessageHandler(&holdMessage);
    state.holding = true;
    holdStderr();
}

WindowSystemStartUp::~WindowSystemStartUp() { finish(); }

void WindowSystemStartUp::toolkitStarted() { restoreStderr(); }

void WindowSystemStartUp::finish() {
    restoreStderr();
    StartUpState& state = startUp();
    if (!state.holding) return;
    state.holding = false;
    qInstallMessageHandler(state.previousHandler);
    state.heldMessages.clear();
    state.heldCategories.clear();
}

}  // namespace forms::detail
