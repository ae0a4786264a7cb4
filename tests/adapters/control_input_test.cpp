#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLocalSocket>

#include <sys/stat.h>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "adapters/sim_control_server.h"
#include "adapters/sim_control_stdin.h"
#include "backends/sim/control_command.h"
#include "tests/support/temp_folder.h"

namespace vox {
namespace {

// Runs the Qt loop until done() holds; the deadline only keeps a broken test from hanging.
template <class Done>
bool pumpUntil(Done done) {
    QDeadlineTimer guard(20000);
    while (!done() && !guard.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return done();
}

// What the program answers a control line with, short of running a node.
std::string answer(const std::string& line) {
    std::string error;
    return parseControlCommand(line, &error) ? "ok" : error;
}

const std::size_t kMax = kMaxControlLineBytes;

// Every line typed or piped in gets one answer, an overlong one too, and the reader never holds
// more than one byte over the limit, however long the line.
TEST(StdinLineReader, EveryLineIsAnsweredOverlongOnesOnce) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    std::vector<std::string> lines, replies;
    StdinLineReader reader(
        [&](const std::string& line) {
            lines.push_back(line);
            replies.push_back(answer(line));
        },
        fds[0]);
    ASSERT_TRUE(reader.start());

    const std::string input = "rx on\n" + std::string(5000, 'x') + "\n" + std::string(kMax, 'y') +
                              "\n" + std::string(kMax, 'w') + "\r\n" + "busy on\n" +
                              std::string(1 << 20, 'z');  // no line end at all
    std::thread writer([&] {
        for (std::size_t at = 0; at < input.size();) {
            const ssize_t n = ::write(fds[1], input.data() + at, input.size() - at);
            if (n <= 0)
                break;
            at += static_cast<std::size_t>(n);
        }
        ::close(fds[1]);
    });
    const bool all = pumpUntil([&] { return replies.size() >= 6; });
    writer.join();
    ASSERT_TRUE(all) << replies.size();

    const std::string tooLong = "error: line too long";
    EXPECT_EQ(replies,
              (std::vector<std::string>{"ok", tooLong,
                                        "error: unknown command '" + std::string(40, 'y') + "...'",
                                        tooLong, "ok", tooLong}));
    for (const std::string& line : lines)
        EXPECT_LE(line.size(), kMax + 1);
    // Nothing more arrives for the same lines.
    QCoreApplication::processEvents();
    EXPECT_EQ(replies.size(), 6u);
    ::close(fds[0]);
}

// The socket and standard input draw the line at the same byte.
TEST(SimControlServer, AnswersUpToTheLimitAndRefusesBeyond) {
    TempFolder temp;
    const std::string path = temp.file("control.sock");
    SimControlServer server(path, [](const std::string& line) { return answer(line); });
    std::string error;
    ASSERT_TRUE(server.listen(&error)) << error;

    QLocalSocket client;
    client.connectToServer(QString::fromStdString(path));
    ASSERT_TRUE(pumpUntil([&] { return client.state() == QLocalSocket::ConnectedState; }));
    client.write(QByteArray::fromStdString("rx on\n" + std::string(kMax, 'y') + "\n"));
    std::vector<std::string> replies;
    auto collect = [&] {
        while (client.canReadLine())
            replies.push_back(client.readLine().trimmed().toStdString());
    };
    ASSERT_TRUE(pumpUntil([&] {
        collect();
        return replies.size() >= 2;
    }));
    EXPECT_EQ(replies[0], "ok");
    EXPECT_EQ(replies[1], "error: unknown command '" + std::string(40, 'y') + "...'");

    client.write(QByteArray::fromStdString(std::string(kMax + 1, 'x') + "\n"));
    ASSERT_TRUE(pumpUntil([&] {
        collect();
        return replies.size() >= 3;
    }));
    EXPECT_EQ(replies[2], "error: line too long");
}

// The socket is the owner's alone, replaces one a crashed run left, answers each client's lines in
// the order they came even while a handler runs the loop, and goes with the server.
TEST(SimControlServer, IsTheOwnersAndAnswersInOrder) {
    TempFolder temp;
    const std::string path = temp.file("order.sock");
    std::ofstream(path) << "left by a crashed run";
    QLocalSocket first, second;
    std::vector<std::string> handled;
    SimControlServer server(path, [&](const std::string& line) {
        handled.push_back(line);
        if (line == "slow\n") {
            // A command that waits, as the station's do: more lines come while the loop runs.
            first.write("a\nb\n");
            second.write("c\n");
            QDeadlineTimer wait(300);
            while (!wait.hasExpired())
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        }
        return "done " + line.substr(0, line.size() - 1);
    });
    std::string error;
    ASSERT_TRUE(server.listen(&error)) << error;
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_TRUE(S_ISSOCK(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    for (QLocalSocket* client : {&first, &second}) {
        client->connectToServer(QString::fromStdString(path));
        ASSERT_TRUE(pumpUntil([&] { return client->state() == QLocalSocket::ConnectedState; }));
    }
    first.write("slow\n");
    std::vector<std::string> firstReplies, secondReplies;
    ASSERT_TRUE(pumpUntil([&] {
        while (first.canReadLine())
            firstReplies.push_back(first.readLine().trimmed().toStdString());
        while (second.canReadLine())
            secondReplies.push_back(second.readLine().trimmed().toStdString());
        return firstReplies.size() + secondReplies.size() >= 4;
    }));
    // The second client is not held up by the first's slow command; the first's lines wait for it.
    EXPECT_EQ(handled, (std::vector<std::string>{"slow\n", "c\n", "a\n", "b\n"}));
    EXPECT_EQ(firstReplies, (std::vector<std::string>{"done slow", "done a", "done b"}));
    EXPECT_EQ(secondReplies, (std::vector<std::string>{"done c"}));
    first.disconnectFromServer();
    second.disconnectFromServer();
    QCoreApplication::processEvents();
}

TEST(SimControlServer, GoesWithItsSocketFile) {
    TempFolder temp;
    const std::string path = temp.file("gone.sock");
    {
        SimControlServer server(path, [](const std::string&) { return std::string("ok"); });
        std::string error;
        ASSERT_TRUE(server.listen(&error)) << error;
        EXPECT_TRUE(std::filesystem::exists(path));
    }
    EXPECT_FALSE(std::filesystem::exists(path));
    SimControlServer tooLong(std::string(200, 'x') + ".sock",
                             [](const std::string&) { return ""; });
    std::string error;
    EXPECT_FALSE(tooLong.listen(&error));
    EXPECT_NE(error.find("too long"), std::string::npos) << error;
}

}  // namespace
}  // namespace vox
