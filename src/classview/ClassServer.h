#pragma once

// A small read-only web server on the program's own event loop: libmicrohttpd parses HTTP and
// drives the sockets without threads of its own, this class answers. Every path begins with a
// random class key; a request without it gets 403 and nothing else. Only GET, only the fixed
// paths given to it, and a few event streams (Server-Sent Events) that get the same text
// pushed. Nothing here ever waits for a client: a request that does not arrive in time, a
// client that does not read, or one too many is dropped or refused.

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>
#include <set>

struct MHD_Connection;
struct MHD_Daemon;

struct ClassServerLimits {
    int streams = 60;                      // open event streams: one per pupil's page
    unsigned connections = 90;             // sockets at all; the ones past it are closed at once
    int requestMilliseconds = 5000;        // from connecting (or the last answer) to a whole request
    unsigned idleSeconds = 10;             // a connection that neither sends nor reads
    size_t requestBytes = 32 * 1024;       // the request line and headers together
    qsizetype mostBehindBytes = 1 << 20;   // a stream that falls this far behind is dropped
};

class ClassServer : public QObject {
    Q_OBJECT
public:
    struct Reply {
        QByteArray type;   // Content-Type
        QByteArray body;
        QByteArray fileName;   // non-empty: offered as a download of that name
    };
    using Page = std::function<Reply()>;
    // What a new stream gets first, given the Last-Event-ID the browser sent (empty if none).
    using StreamOpening = std::function<QByteArray(const QByteArray& lastEventId)>;

    static constexpr int kPortsToTry = 20;

    explicit ClassServer(QObject* parent = nullptr);
    ~ClassServer() override;

    // The fixed paths, after "/KEY/" ("" is the page itself).
    void addPage(const QByteArray& path, Page page);
    void setStream(const QByteArray& path, StreamOpening opening);

    // Listens on every interface at `port`, or when it is taken and `orNextFree` on the next
    // free one of kPortsToTry; a new class key each time. False when none could be opened.
    bool start(quint16 port, bool orNextFree, const ClassServerLimits& limits = {});
    // Closes every connection and the port.
    void stop();

    bool running() const { return m_daemon != nullptr; }
    quint16 port() const { return m_port; }
    const QByteArray& key() const { return m_key; }
    int streams() const { return static_cast<int>(m_streams.size()); }
    int connections() const { return static_cast<int>(m_connections.size()); }

    // Appends text to every open stream now, and sends it as soon as each client reads.
    void send(const QByteArray& text);

signals:
    void streamsChanged(int streams);

private:
    struct Stream;
    struct Connection;
    friend struct ClassServerCallbacks;

    int Answer(MHD_Connection* connection, const char* url, const char* method);
    int AnswerStream(MHD_Connection* connection, const StreamOpening& opening);
    void Run();
    void DropLateRequests();
    void AnnounceStreams();

    std::map<QByteArray, Page> m_pages;
    QByteArray m_streamPath;
    StreamOpening m_streamOpening;

    ClassServerLimits m_limits;
    MHD_Daemon* m_daemon = nullptr;
    quint16 m_port = 0;
    QByteArray m_key;
    std::unique_ptr<QSocketNotifier> m_ready;
    QTimer m_wake;        // libmicrohttpd's own timeouts
    QTimer m_lateCheck;   // requests that take too long
    std::set<Stream*> m_streams;
    std::map<MHD_Connection*, Connection> m_connections;
};
