#include "classview/ClassViewWindow.h"

#include "classview/ClassServer.h"
#include "classview/QrCodeImage.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

ClassViewWindow::ClassViewWindow(QWidget& mainWindow, const ClassServer& server)
    : QWidget(&mainWindow, Qt::Window)
{
    setObjectName(QStringLiteral("ClassViewWindow"));
    setWindowTitle(QStringLiteral("生徒の端末に表示中"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("タブレットでQRコードを読み取るか、アドレスを入力してください"), this);
    Code = new QLabel(this);
    Code->setAlignment(Qt::AlignCenter);
    Address = new QLabel(this);
    Address->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Address->setAlignment(Qt::AlignCenter);
    QFont large = Address->font();
    large.setPointSize(22);
    large.setBold(true);
    Address->setFont(large);
    Pages = new QLabel(this);
    Note = new QLabel(this);
    Note->setWordWrap(true);
    QFont readable = title->font();
    readable.setPointSize(13);
    for (QLabel* label : {title, Pages, Note})
        label->setFont(readable);
    for (QWidget* widget : {static_cast<QWidget*>(title), static_cast<QWidget*>(Code),
                            static_cast<QWidget*>(Address), static_cast<QWidget*>(Pages), static_cast<QWidget*>(Note)})
        layout->addWidget(widget);
    auto showPages = [this](int pages) { Pages->setText(QStringLiteral("開いている端末：%1台").arg(pages)); };
    showPages(server.streams());
    connect(&server, &ClassServer::streamsChanged, this, showPages);
}

void ClassViewWindow::showAddress(const QString& address, quint16 port, bool otherPort)
{
    Address->setText(address);
    Code->setPixmap(QPixmap::fromImage(QrCodeImage(address, kModulePixels)));
    QString note = QStringLiteral("見るだけのページです。この窓を閉じると表示を止めます。");
    if (otherPort)
        note += QStringLiteral("\nポート8080が使用中のため、ポート%1を使っています。").arg(port);
    Note->setText(note);
}

void ClassViewWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit closed();
}
