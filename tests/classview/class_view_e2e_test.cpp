// The class view from outside, as a pupil meets it: the program started with --class-view
// prints its address, and the page in a real browser (Debian's chromium, driven by
// playwright-core) shows the box's readings and the run as the program records it.

#include "support/AcceptanceRun.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>

#include <algorithm>
#include <map>

namespace {

const QRegularExpression kAddress(QStringLiteral("^http://[0-9.]+:(\\d+)/([a-z2-9]{14})/$"));

// The first line the process prints: the class view's address.
QString AddressOf(QProcess& process)
{
    if (!QTest::qWaitFor([&] { return process.canReadLine(); }, 20000))
        return {};
    return QString::fromUtf8(process.readLine()).chopped(1);
}

// The rows of a CSV as the program writes it (BOM, header, CRLF), by their first field.
std::map<QString, QStringList> RowsByNumber(const QByteArray& csv)
{
    std::map<QString, QStringList> rows;
    const QStringList lines = QString::fromUtf8(csv.mid(3)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    for (const QString& line : lines.mid(1)) {
        const QStringList fields = line.split(u',');
        rows[fields.first()] = fields;
    }
    return rows;
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}   // namespace

TEST_F(AcceptanceRun, ClassViewOptionPrintsTheAddressAloneAndServesTheReadings)
{
    ASSERT_TRUE(StartBox({"--scenario", "steady"}));
    QProcess program;
    program.start(ProgramPath(), {"--class-view", "--port", box.link(), "--folder", folder.path(), "--quit-after", "120"});
    const QString address = AddressOf(program);
    const auto match = kAddress.match(address);
    ASSERT_TRUE(match.hasMatch()) << address.toStdString();

    QTcpSocket page;
    page.connectToHost(QStringLiteral("127.0.0.1"), match.captured(1).toUShort());
    page.write("GET /" + match.captured(2).toLatin1() + "/events HTTP/1.1\r\nHost: x\r\n\r\n");
    // The steady scene reads 20 °C through the sample tables.
    QByteArray heard;
    EXPECT_TRUE(QTest::qWaitFor([&] {
        heard += page.readAll();
        return heard.contains("\"t\":\"20\"");
    },
                                20000))
        << heard.right(300).toStdString();
    program.kill();
    program.waitForFinished();
}

TEST_F(AcceptanceRun, ClassViewPageInChromiumFollowsTheRunAndItsCsvIsTheRun)
{
    if (!QFileInfo::exists(QStringLiteral("/usr/bin/chromium")))
        GTEST_SKIP() << "chromium is not installed here; scripts/setup.sh installs it";
    WriteCustomization("Zikan=0\r\n");   // a sample every 0.1 s
    // Water warming by about 0.4 °C a second: the page sees the temperature change.
    ASSERT_TRUE(StartBox({"--scenario", "heating", "--speed", "3"}));
    QProcess program;
    program.setWorkingDirectory(folder.path());
    program.start(RecordHarnessPath(), {"--record", "--port", box.link(), "--seconds", "600", "--class-view", "0"});
    const QString address = AddressOf(program);
    ASSERT_TRUE(kAddress.match(address).hasMatch()) << address.toStdString();

    QProcess browser;
    browser.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    browser.start(QStringLiteral("node"), {SourcePath("/tests/classview/drive_page.mjs"), address, folder.path(), "4"});
    ASSERT_TRUE(browser.waitForFinished(120000));
    const QJsonObject seen = QJsonDocument::fromJson(ReadFile(folder.filePath("result.json"))).object();
    ASSERT_FALSE(seen.isEmpty()) << browser.readAll().toStdString();
    ASSERT_FALSE(seen.contains("error")) << seen["error"].toString().toStdString();

    EXPECT_LT(seen["firstLoadBytes"].toInt(), 100 * 1024);
    EXPECT_TRUE(seen["firstTemperature"].toString().contains(QRegularExpression("\\d+℃")));
    EXPECT_GE(seen["temperaturesShown"].toArray().size(), 2) << "the shown temperature never changed";
    // Every sample recorded while the page was open reached it within a second.
    const QJsonArray lags = seen["lags"].toArray();
    ASSERT_FALSE(lags.isEmpty());
    for (const QJsonValue& lag : lags)
        EXPECT_LT(lag.toInt(), 1000);
    EXPECT_GT(seen["curvePixels"].toInt(), 0) << "no temperature curve on the graph";
    EXPECT_TRUE(seen["readout"].toString().contains("℃"));

    // The download is the export: BOM, the export's header, CRLF, and each row is the
    // sample the journal recorded in that slot.
    const QByteArray csv = ReadFile(folder.filePath("run.csv"));
    ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF番号,経過時間(秒),時刻,温度(℃),気圧(hPa),状態,警報\r\n"));
    program.kill();
    program.waitForFinished();
    const QStringList journals = QDir(folder.filePath("記録")).entryList({"poruka-*.csv"});
    ASSERT_EQ(journals.size(), 1);
    const auto journal = RowsByNumber(ReadFile(folder.filePath("記録/" + journals.first())));
    const auto exported = RowsByNumber(csv);
    EXPECT_GE(exported.size(), static_cast<size_t>(seen["samplesOnPage"].toInt()));
    for (const auto& [number, row] : exported) {
        ASSERT_EQ(row.size(), 7);
        ASSERT_TRUE(journal.count(number)) << number.toStdString();
        EXPECT_EQ(journal.at(number).mid(1, 3), row.mid(2, 3)) << "row " << number.toStdString();
    }
}
