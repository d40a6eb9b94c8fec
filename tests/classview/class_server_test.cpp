// The class view's server on real sockets: only the class key's fixed paths, only GET, caps on
// requests and connections, and a readout (a timer here) that keeps ticking through it all.

#include "classview/ClassServer.h"

#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct Client {
    explicit Client(quint16 port) { socket.connectToHost(QStringLiteral("127.0.0.1"), port); }

    // The answer's status line, or empty when the server closed without one.
    QByteArray Status(const QByteArray& request)
    {
        socket.write(request);
        const bool answered = QTest::qWaitFor([&] { return socket.peek(64).contains("\r\n") || Closed(); }, 10000);
        return answered ? socket.readLine().trimmed() : QByteArray();
    }
    bool Closed() const { return socket.state() == QAbstractSocket::UnconnectedState; }
    bool WaitClosed()
    {
        return QTest::qWaitFor([&] { return Closed(); }, 15000);
    }

    QTcpSocket socket;
};

QByteArray Get(const QByteArray& path)
{
    return "GET " + path + " HTTP/1.1\r\nHost: x\r\n\r\n";
}

struct ClassServerTest : ::testing::Test {
    ClassServerTest()
    {
        server.addPage("", [] { return ClassServer::Reply{"text/html", "<p>page</p>", {}}; });
        server.setStream("events", [](const QByteArray&) { return QByteArray("event: hello\ndata: {}\n\n"); });
        connect();
        readout.start(20);
    }
    void connect()
    {
        QObject::connect(&readout, &QTimer::timeout, [this] { ++ticks; });
    }
    bool Start(ClassServerLimits limits = {}) { return server.start(18080, true, limits); }
    QByteArray Path(const QByteArray& rest) const { return '/' + server.key() + '/' + rest; }
    // The readout went on while a client misbehaved.
    bool ReadoutTicksOn()
    {
        const int before = ticks;
        return QTest::qWaitFor([&] { return ticks >= before + 3; }, 10000);
    }

    ClassServer server;
    QTimer readout;
    int ticks = 0;
};

}   // namespace

TEST_F(ClassServerTest, EveryPathWithoutTheKeyIsForbidden)
{
    ASSERT_TRUE(Start());
    const QByteArray key = server.key();
    EXPECT_GE(key.size(), 14);   // at least 64 random bits
    QByteArray wrong = key;
    wrong[0] = wrong[0] == 'a' ? 'b' : 'a';
    for (const QByteArray& path : {QByteArray("/"), QByteArray("/events"), QByteArray("/run.csv"), "/" + key,
                                   "/" + wrong + "/", "/" + wrong + "/events", "/x/" + key + "/"}) {
        Client client(server.port());
        EXPECT_EQ(client.Status(Get(path)), "HTTP/1.1 403 Forbidden") << path.constData();
    }
    Client client(server.port());
    EXPECT_EQ(client.Status(Get(Path(""))), "HTTP/1.1 200 OK");
}

TEST_F(ClassServerTest, OnlyGetOfTheFixedPathsIsAnswered)
{
    ASSERT_TRUE(Start());
    const struct {
        QByteArray request;
        QByteArray status;
    } cases[] = {
        {"POST " + Path("") + " HTTP/1.1\r\nHost: x\r\nContent-Length: 5\r\n\r\nhello", "HTTP/1.1 405 Method Not Allowed"},
        {"DELETE " + Path("events") + " HTTP/1.1\r\nHost: x\r\n\r\n", "HTTP/1.1 405 Method Not Allowed"},
        {Get(Path("../../etc/passwd")), "HTTP/1.1 404 Not Found"},
        {Get(Path("page.html")), "HTTP/1.1 404 Not Found"},
    };
    for (const auto& [request, status] : cases) {
        Client client(server.port());
        EXPECT_EQ(client.Status(request), status) << request.constData();
    }
    EXPECT_TRUE(ReadoutTicksOn());
}

TEST_F(ClassServerTest, AMegabyteOfHeadersIsRefused)
{
    ASSERT_TRUE(Start());
    Client client(server.port());
    const QByteArray header = "X-Filler: " + QByteArray(1000, 'a') + "\r\n";
    client.socket.write("GET " + Path("") + " HTTP/1.1\r\nHost: x\r\n" + header.repeated(1000) + "\r\n");
    EXPECT_TRUE(client.WaitClosed());
    EXPECT_FALSE(client.socket.readAll().contains("200 OK"));
    EXPECT_TRUE(ReadoutTicksOn());
}

TEST_F(ClassServerTest, AClientSendingOneByteASecondIsDropped)
{
    ClassServerLimits limits;
    limits.requestMilliseconds = 1500;
    ASSERT_TRUE(Start(limits));
    Client client(server.port());
    const QByteArray request = Get(Path(""));
    int sent = 0;
    QTimer trickle;
    QObject::connect(&trickle, &QTimer::timeout, [&] { client.socket.write(request.mid(sent++, 1)); });
    trickle.start(1000);
    EXPECT_TRUE(client.WaitClosed());
    EXPECT_LT(sent, request.size());
    EXPECT_TRUE(ReadoutTicksOn());
}

TEST_F(ClassServerTest, TheSixtyFirstPageIsRefusedAndStoppingClosesEveryConnection)
{
    ASSERT_TRUE(Start());
    std::vector<std::unique_ptr<Client>> pupils;
    for (int i = 0; i < 60; ++i) {
        pupils.push_back(std::make_unique<Client>(server.port()));
        ASSERT_EQ(pupils.back()->Status(Get(Path("events"))), "HTTP/1.1 200 OK") << i;
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.streams() == 60; }, 10000));
    Client late(server.port());
    EXPECT_EQ(late.Status(Get(Path("events"))), "HTTP/1.1 503 Service Unavailable");
    Client latePage(server.port());
    EXPECT_EQ(latePage.Status(Get(Path(""))), "HTTP/1.1 503 Service Unavailable");

    server.send("event: reading\ndata: {}\n\n");
    server.stop();
    for (auto& pupil : pupils)
        EXPECT_TRUE(pupil->WaitClosed());
}

TEST_F(ClassServerTest, AStreamThatIsNotReadIsDroppedNotWaitedFor)
{
    ClassServerLimits limits;
    limits.mostBehindBytes = 256 * 1024;
    ASSERT_TRUE(Start(limits));
    Client stuck(server.port());
    stuck.socket.setReadBufferSize(1);   // the client takes nothing more: the kernel's buffers fill
    stuck.socket.write(Get(Path("events")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.streams() == 1; }, 10000));
    const QByteArray chunk(64 * 1024, 'x');
    QTimer pusher;
    QObject::connect(&pusher, &QTimer::timeout, [&] { server.send("data: " + chunk + "\n\n"); });
    pusher.start(5);
    EXPECT_TRUE(QTest::qWaitFor([&] { return server.streams() == 0; }, 30000));
    EXPECT_TRUE(ReadoutTicksOn());
}
