// The message-bus probe at start-up: a bus that takes the connection but never answers is told
// apart from one that answers or is missing, at the addresses a session names.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "qt/start_up.h"

namespace {

// A listening socket that accepts connections into its backlog and never answers.
class SilentBus {
public:
    explicit SilentBus(const std::string& socketName) {
        socket_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, socketName.data(), socketName.size());
        const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + socketName.size());
        EXPECT_EQ(bind(socket_, reinterpret_cast<const sockaddr*>(&address), length), 0);
        EXPECT_EQ(listen(socket_, 8), 0);
    }
    ~SilentBus() { close(socket_); }

private:
    int socket_;
};

TEST(StartUp, OnlyABusThatTakesTheConnectionButNeverAnswersIsSilent) {
    using forms::detail::busAnswers;
    const std::string name = "forms-start-up-test-" + std::to_string(getpid());
    const SilentBus abstract(std::string(1, '\0') + name);
    EXPECT_FALSE(busAnswers("unix:abstract=" + name + ",guid=0123", 50));
    const std::string path = ::testing::TempDir() + name + " bus";
    unlink(path.c_str());
    const SilentBus file(path);
    std::string escaped = "unix:path=" + path;
    escaped.replace(escaped.find(' '), 1, "%20");
    EXPECT_FALSE(busAnswers(escaped + ";tcp:host=localhost,port=1", 50));
    unlink(path.c_str());

    EXPECT_TRUE(busAnswers("unix:path=" + path, 50)) << "a missing bus fails at once by itself";
    EXPECT_TRUE(busAnswers("tcp:host=localhost,port=1", 50)) << "only local buses are tried";
    EXPECT_TRUE(busAnswers("disabled:", 50));
    EXPECT_TRUE(busAnswers("unix:path=/nonexistent/bus%zz%4", 50)) << "a malformed escape is no crash";
}

}  // namespace
