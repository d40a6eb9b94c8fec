#pragma once

// The class view's address for the projector: the address in large letters and a QR code of
// it, big enough to scan from the back of the room, and how many pages are open. Closing it
// stops the class view.

#include <QWidget>

class ClassServer;
class QLabel;

class ClassViewWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kModulePixels = 10;   // a QR module on the screen; the projector enlarges it

    ClassViewWindow(QWidget& mainWindow, const ClassServer& server);

    // `otherPort`: 8080 was taken and the next free port is used.
    void showAddress(const QString& address, quint16 port, bool otherPort);

    QLabel* Address = nullptr;
    QLabel* Code = nullptr;
    QLabel* Pages = nullptr;
    QLabel* Note = nullptr;

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
};
