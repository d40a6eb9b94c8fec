#include "classview/ClassView.h"

#include "base/DateTime.h"
#include "classview/ClassPage.h"
#include "classview/ClassViewWindow.h"
#include "run/RunCsv.h"
#include "run/RunLog.h"
#include "widgets/CommandRegistry.h"
#include "widgets/Questions.h"

#include <QAction>
#include <QHostAddress>
#include <QMenu>
#include <QNetworkInterface>

namespace {

// The computer's address on the school network: the first IPv4 address of an interface that is
// up and not the loopback.
QString NetworkHost()
{
    for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
        const auto flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning)
            || flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& entry : interface.addressEntries()) {
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol)
                return entry.ip().toString();
        }
    }
    return QStringLiteral("127.0.0.1");
}

}   // namespace

ClassView::ClassView(ClassFeedParts parts, QWidget& window, Questions& questions,
                     CommandRegistry& commands, QMenu& pictureMenu)
    : QObject(&window)
    , m_window(window)
    , m_feed(parts)
{
    setObjectName(QStringLiteral("ClassView"));
    m_server.addPage("", [] { return ClassServer::Reply{"text/html; charset=utf-8", ClassPageHtml(), {}}; });
    m_server.addPage("run.csv", [parts] {
        const auto& moments = parts.run.moments();
        const QByteArray csv = BuildSamplesCsv(parts.state, moments, parts.recording());
        // Named after the run's first sample, as the export names a minute run.
        const QDateTime began = !moments.empty() && moments.front().time.isValid() ? moments.front().time
                                                                                   : QDateTime::currentDateTime();
        return ClassServer::Reply{"text/csv; charset=utf-8", csv,
                                  SuggestedExportName(DateTimeValue(began), QStringLiteral("csv")).toUtf8()};
    });
    m_server.setStream("events", [this](const QByteArray& lastId) { return m_feed.opening(lastId); });
    connect(&m_feed, &ClassFeed::send, &m_server, &ClassServer::send);

    m_action = commands.add(window, QStringLiteral("生徒の端末に表示…"));
    m_action->setCheckable(true);
    connect(m_action, &QAction::triggered, this, [this, &questions](bool on) {
        if (!on) {
            stop();
        } else if (!start()) {
            questions.ShowMessage(&m_window,
                                  QStringLiteral("ポート %1〜%2 がすべて使用中のため、開始できませんでした。")
                                      .arg(kDefaultPort)
                                      .arg(kDefaultPort + ClassServer::kPortsToTry - 1),
                                  QStringLiteral("生徒の端末に表示"));
        }
    });
    pictureMenu.addSeparator();
    pictureMenu.addAction(m_action);
}

ClassView::~ClassView()
{
    stop();
}

bool ClassView::start(quint16 port)
{
    if (running())
        stop();
    m_feed.restart();
    if (!m_server.start(port ? port : kDefaultPort, port == 0)) {
        m_feed.halt();
        m_action->setChecked(false);
        return false;
    }
    m_action->setChecked(true);
    m_addressWindow = new ClassViewWindow(m_window, m_server);
    m_addressWindow->showAddress(address(), m_server.port(), port == 0 && m_server.port() != kDefaultPort);
    connect(m_addressWindow, &ClassViewWindow::closed, this, &ClassView::stop);
    m_addressWindow->show();
    return true;
}

void ClassView::stop()
{
    if (m_addressWindow) {
        m_addressWindow->disconnect(this);
        m_addressWindow->deleteLater();
        m_addressWindow->hide();
    }
    if (!running())
        return;
    m_server.stop();
    m_feed.halt();
    m_action->setChecked(false);
}

QString ClassView::address() const
{
    if (!running())
        return {};
    return QStringLiteral("http://%1:%2/%3/").arg(NetworkHost()).arg(m_server.port()).arg(QString::fromLatin1(m_server.key()));
}

void ClassView::showReadings(const QString& temperature, const QString& pressure)
{
    m_feed.showReadings(temperature, pressure);
}
