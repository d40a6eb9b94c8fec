#include "classview/ClassServer.h"

#include <QDeadlineTimer>
#include <QRandomGenerator>

#include <microhttpd.h>
#include <sys/socket.h>

#include <algorithm>
#include <cstring>

namespace {

// Pupils may type the address: lower-case letters and digits, none that look alike (0/o,
// 1/l/i). 14 of these 31 characters are 69 random bits.
constexpr char kKeyCharacters[] = "23456789abcdefghjkmnpqrstuvwxyz";
constexpr int kKeyLength = 14;

QByteArray NewClassKey()
{
    QByteArray key(kKeyLength, Qt::Uninitialized);
    for (char& character : key)
        character = kKeyCharacters[QRandomGenerator::system()->bounded(int(sizeof kKeyCharacters - 1))];
    return key;
}

// Every byte compared, so the time taken tells nothing of how much of a guess was right.
bool SameKey(const QByteArray& given, const QByteArray& key)
{
    if (given.size() != key.size())
        return false;
    unsigned char difference = 0;
    for (qsizetype i = 0; i < key.size(); ++i)
        difference |= static_cast<unsigned char>(given[i] ^ key[i]);
    return difference == 0;
}

MHD_Result Queue(MHD_Connection* connection, unsigned status, const QByteArray& type, const QByteArray& body,
                 const QByteArray& fileName = {})
{
    MHD_Response* response = MHD_create_response_from_buffer(static_cast<size_t>(body.size()),
                                                             const_cast<char*>(body.constData()),
                                                             MHD_RESPMEM_MUST_COPY);
    if (!response)
        return MHD_NO;
    MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, type.constData());
    MHD_add_response_header(response, MHD_HTTP_HEADER_CACHE_CONTROL, "no-store");
    MHD_add_response_header(response, "X-Content-Type-Options", "nosniff");
    MHD_add_response_header(response, "Referrer-Policy", "no-referrer");
    if (!fileName.isEmpty())
        MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_DISPOSITION,
                                "attachment; filename=\"" + fileName + '"');
    const MHD_Result queued = MHD_queue_response(connection, status, response);
    MHD_destroy_response(response);
    return queued;
}

// libmicrohttpd closes a connection whose socket was shut down the next time it looks at it.
void ShutDown(MHD_Connection* connection)
{
    if (const MHD_ConnectionInfo* info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD))
        ::shutdown(info->connect_fd, SHUT_RDWR);
}

MHD_Result QueueText(MHD_Connection* connection, unsigned status, const char* text)
{
    return Queue(connection, status, "text/plain; charset=utf-8", QByteArray(text));
}

}   // namespace

struct ClassServer::Stream {
    ClassServer* server;
    MHD_Connection* connection;
    QByteArray waiting;   // text not yet taken by libmicrohttpd, from `taken` on
    qsizetype taken = 0;
    bool suspended = false;
    bool dropped = false;
};

struct ClassServer::Connection {
    QDeadlineTimer requestDue;
    bool streaming = false;
};

// The C callbacks, friends of the server.
struct ClassServerCallbacks {
    static MHD_Result Access(void* server, MHD_Connection* connection, const char* url, const char* method,
                             const char*, const char*, size_t* uploadSize, void**)
    {
        // A request body is never read: the answer goes out at once and the connection closes.
        *uploadSize = 0;
        return static_cast<MHD_Result>(static_cast<ClassServer*>(server)->Answer(connection, url, method));
    }

    static void Connected(void* cls, MHD_Connection* connection, void**, MHD_ConnectionNotificationCode code)
    {
        auto* server = static_cast<ClassServer*>(cls);
        if (code == MHD_CONNECTION_NOTIFY_STARTED)
            server->m_connections[connection].requestDue = QDeadlineTimer(server->m_limits.requestMilliseconds);
        else
            server->m_connections.erase(connection);
    }

    // After an answer, a connection kept alive has the same time again for its next request.
    static void Completed(void* cls, MHD_Connection* connection, void**, MHD_RequestTerminationCode)
    {
        auto* server = static_cast<ClassServer*>(cls);
        const auto found = server->m_connections.find(connection);
        if (found != server->m_connections.end())
            found->second.requestDue = QDeadlineTimer(server->m_limits.requestMilliseconds);
    }

    static ssize_t ReadStream(void* cls, uint64_t, char* buffer, size_t most)
    {
        auto* stream = static_cast<ClassServer::Stream*>(cls);
        if (stream->dropped)
            return MHD_CONTENT_READER_END_WITH_ERROR;
        const qsizetype left = stream->waiting.size() - stream->taken;
        if (left == 0) {
            // Nothing to send: the connection sleeps until send() has more.
            stream->waiting.clear();
            stream->taken = 0;
            stream->suspended = true;
            MHD_suspend_connection(stream->connection);
            return 0;
        }
        const size_t count = std::min(most, static_cast<size_t>(left));
        std::memcpy(buffer, stream->waiting.constData() + stream->taken, count);
        stream->taken += static_cast<qsizetype>(count);
        return static_cast<ssize_t>(count);
    }

    static void StreamEnded(void* cls)
    {
        auto* stream = static_cast<ClassServer::Stream*>(cls);
        ClassServer* server = stream->server;
        server->m_streams.erase(stream);
        delete stream;
        server->AnnounceStreams();
    }
};

ClassServer::ClassServer(QObject* parent)
    : QObject(parent)
{
    m_wake.setSingleShot(true);
    connect(&m_wake, &QTimer::timeout, this, &ClassServer::Run);
    m_lateCheck.setInterval(250);
    connect(&m_lateCheck, &QTimer::timeout, this, &ClassServer::DropLateRequests);
}

ClassServer::~ClassServer()
{
    stop();
}

void ClassServer::addPage(const QByteArray& path, Page page)
{
    m_pages[path] = std::move(page);
}

void ClassServer::setStream(const QByteArray& path, StreamOpening opening)
{
    m_streamPath = path;
    m_streamOpening = std::move(opening);
}

bool ClassServer::start(quint16 port, bool orNextFree, const ClassServerLimits& limits)
{
    stop();
    m_limits = limits;
    m_key = NewClassKey();
    const int tries = orNextFree ? kPortsToTry : 1;
    for (int i = 0; i < tries && !m_daemon && port + i <= 65535; ++i) {
        m_daemon = MHD_start_daemon(
            MHD_USE_EPOLL | MHD_ALLOW_SUSPEND_RESUME, static_cast<uint16_t>(port + i), nullptr, nullptr,
            &ClassServerCallbacks::Access, this,
            MHD_OPTION_CONNECTION_LIMIT, limits.connections,
            MHD_OPTION_CONNECTION_TIMEOUT, limits.idleSeconds,
            MHD_OPTION_CONNECTION_MEMORY_LIMIT, limits.requestBytes,
            MHD_OPTION_NOTIFY_CONNECTION, &ClassServerCallbacks::Connected, this,
            MHD_OPTION_NOTIFY_COMPLETED, &ClassServerCallbacks::Completed, this,
            MHD_OPTION_END);
        if (m_daemon)
            m_port = static_cast<quint16>(port + i);
    }
    if (!m_daemon)
        return false;
    const MHD_DaemonInfo* info = MHD_get_daemon_info(m_daemon, MHD_DAEMON_INFO_EPOLL_FD);
    m_ready = std::make_unique<QSocketNotifier>(info->epoll_fd, QSocketNotifier::Read);
    connect(m_ready.get(), &QSocketNotifier::activated, this, &ClassServer::Run);
    m_lateCheck.start();
    return true;
}

void ClassServer::stop()
{
    if (!m_daemon)
        return;
    // Sleeping streams must be woken before the daemon may close them.
    for (Stream* stream : m_streams) {
        stream->dropped = true;
        if (std::exchange(stream->suspended, false))
            MHD_resume_connection(stream->connection);
    }
    MHD_run(m_daemon);
    m_ready.reset();
    m_wake.stop();
    m_lateCheck.stop();
    MHD_stop_daemon(std::exchange(m_daemon, nullptr));
    m_connections.clear();
    m_port = 0;
}

void ClassServer::send(const QByteArray& text)
{
    if (!m_daemon || m_streams.empty())
        return;
    for (Stream* stream : m_streams) {
        if (stream->waiting.size() - stream->taken + text.size() > m_limits.mostBehindBytes) {
            // It does not read: it is closed rather than waited for.
            stream->dropped = true;
            ShutDown(stream->connection);
        } else {
            stream->waiting += text;
        }
        if (std::exchange(stream->suspended, false))
            MHD_resume_connection(stream->connection);
    }
    Run();
}

int ClassServer::Answer(MHD_Connection* connection, const char* url, const char* method)
{
    const QByteArray path(url);
    const QByteArray prefix = '/' + m_key + '/';
    if (!SameKey(path.left(prefix.size()), prefix))
        return QueueText(connection, MHD_HTTP_FORBIDDEN, "403 このアドレスでは見られません。先生の画面のアドレスを開いてください。\n");
    if (std::strcmp(method, MHD_HTTP_METHOD_GET) != 0)
        return QueueText(connection, MHD_HTTP_METHOD_NOT_ALLOWED, "405 見るだけのページです。\n");
    const QByteArray rest = path.mid(prefix.size());
    if (!m_streamPath.isEmpty() && rest == m_streamPath)
        return AnswerStream(connection, m_streamOpening);
    const auto page = m_pages.find(rest);
    if (page == m_pages.end())
        return QueueText(connection, MHD_HTTP_NOT_FOUND, "404 そのページはありません。\n");
    // A page when the class is full would only show an empty view.
    if (streams() >= m_limits.streams)
        return QueueText(connection, MHD_HTTP_SERVICE_UNAVAILABLE, "503 満員です（最大の人数に達しました）。しばらくしてから開き直してください。\n");
    const Reply reply = page->second();
    return Queue(connection, MHD_HTTP_OK, reply.type, reply.body, reply.fileName);
}

int ClassServer::AnswerStream(MHD_Connection* connection, const StreamOpening& opening)
{
    if (streams() >= m_limits.streams)
        return QueueText(connection, MHD_HTTP_SERVICE_UNAVAILABLE, "503 満員です（最大の人数に達しました）。\n");
    // The browser's own reconnection sends the header; the page's, after a sleep, the argument.
    const char* lastId = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, "Last-Event-ID");
    if (!lastId)
        lastId = MHD_lookup_connection_value(connection, MHD_GET_ARGUMENT_KIND, "last");
    auto* stream = new Stream{this, connection, opening(QByteArray(lastId ? lastId : ""))};
    MHD_Response* response = MHD_create_response_from_callback(MHD_SIZE_UNKNOWN, 16 * 1024,
                                                               &ClassServerCallbacks::ReadStream, stream,
                                                               &ClassServerCallbacks::StreamEnded);
    if (!response) {
        delete stream;
        return MHD_NO;
    }
    m_streams.insert(stream);
    m_connections[connection].streaming = true;
    MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, "text/event-stream; charset=utf-8");
    MHD_add_response_header(response, MHD_HTTP_HEADER_CACHE_CONTROL, "no-store");
    const MHD_Result queued = MHD_queue_response(connection, MHD_HTTP_OK, response);
    MHD_destroy_response(response);   // the stream ends with the response, in StreamEnded
    AnnounceStreams();
    return queued;
}

void ClassServer::Run()
{
    if (!m_daemon)
        return;
    MHD_run(m_daemon);
    MHD_UNSIGNED_LONG_LONG wait = 0;
    if (MHD_get_timeout(m_daemon, &wait) == MHD_YES)
        m_wake.start(static_cast<int>(std::min<MHD_UNSIGNED_LONG_LONG>(wait, 60000)));
    else
        m_wake.stop();
}

void ClassServer::DropLateRequests()
{
    // libmicrohttpd only times out silence; a client that trickles its request a byte at a
    // time is cut off here.
    bool dropped = false;
    for (auto& [connection, state] : m_connections) {
        if (state.streaming || !state.requestDue.hasExpired())
            continue;
        ShutDown(connection);
        state.requestDue = QDeadlineTimer::Forever;
        dropped = true;
    }
    if (dropped)
        Run();
}

void ClassServer::AnnounceStreams()
{
    // Told from the event loop, never from inside libmicrohttpd's callbacks.
    QMetaObject::invokeMethod(
        this, [this] { emit streamsChanged(streams()); }, Qt::QueuedConnection);
}
