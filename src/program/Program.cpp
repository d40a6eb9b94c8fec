#include "program/Program.h"

#include "classview/ClassView.h"
#include "device/ReconnectingPort.h"
#include "device/SerialCommPort.h"
#include "features/ConnectionStatus.h"
#include "features/ExportCommands.h"
#include "features/Journal.h"
#include "features/Zoom.h"
#include "render/SurfaceView.h"
#include "review/ReviewWindow.h"
#include "run/RunCsv.h"
#include "settings/OpenSettingsWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenu>

#include <utility>

namespace {

void FillWithClassroomParts(PorukaEnvironment& environment)
{
    if (!environment.port)
        environment.port = std::make_unique<SerialCommPort>();
    if (!environment.clock)
        environment.clock = std::make_unique<SystemClock>();
    if (!environment.questions)
        environment.questions = std::make_unique<MessageBoxQuestions>();
    if (!environment.endProgram)
        environment.endProgram = [] { QCoreApplication::exit(0); };
}

}   // namespace

Program::Program(PorukaEnvironment environment)
{
    FillWithClassroomParts(environment);
    if (!environment.openSettings) {
        // The settings window is shown as large as the main window, so the class can read it
        // on the projector too.
        environment.openSettings = [this](Poruka& main) {
            OpenSettingsWindow(main, [this](QWidget& built) { m_zoom->follow(built); });
        };
    }
    m_window = std::make_unique<Poruka>(std::move(environment));
    Poruka& window = *m_window;

    // The pictures' right-click menu: saving, then the sizes.
    m_pictureMenu = new QMenu(&window);
    window.Picture1->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(window.Picture1, &QWidget::customContextMenuRequested, m_pictureMenu,
                     [this](const QPoint& where) {
                         m_pictureMenu->popup(m_window->Picture1->mapToGlobal(where));
                     });
    m_export = new ExportCommands({window, window.state(), window.runLog(),
                                   [&window] { return window.RunActive(); }, window.surface(),
                                   window.clock(), window.questions(), window.workingFolder()},
                                  m_commands, *m_pictureMenu);
    m_zoom = new WindowZoom(window, window.content(), *window.Picture1, window.statusBoard(),
                            m_commands, *m_pictureMenu);
    m_journal = new Journal(window.workingFolder(), window.runLog(), window.statusBoard(), &window);

    m_liveRun = std::make_unique<LiveRun>(LiveRun{window.runLog(), window.state(), [&window] {
                                                      return ExportedSampleCount(window.state(), window.RunActive());
                                                  }});
    if (PortStatus* port = window.portStatus()) {
        ShowConnectionStatus(*port, window.statusBoard());
        QObject::connect(&window, &Poruka::readoutExchanged, port, &PortStatus::Check);
    }
    m_classView = new ClassView({window.state(), window.runLog(), window.statusBoard(),
                                 [&window] { return window.RunActive(); }},
                                window, window.questions(), m_commands, *m_pictureMenu);
    QObject::connect(&window, &Poruka::readoutExchanged, m_classView, [&window, this] {
        m_classView->showReadings(window.Text1->text(), window.Text3->text());
    });

    // Beside the class view: the windows the program opens besides its own.
    QAction* review = m_commands.add(window, QStringLiteral("記録を見る…"), {QKeySequence(Qt::CTRL | Qt::Key_O)});
    m_pictureMenu->addAction(review);
    QObject::connect(review, &QAction::triggered, &window, [this] { openReview(); });
}

Program::~Program() = default;

ReviewWindow& Program::openReview(const QStringList& files)
{
    if (!m_review) {
        Poruka& window = *m_window;
        const ReviewParts parts{window.questions(), m_commands,
                                window.workingFolder().filePath(QString::fromUtf8(Journal::kFolderName)),
                                window.workingFolder().absolutePath(), m_liveRun.get()};
        m_review = new ReviewWindow(parts, &window);
        m_review->setAttribute(Qt::WA_DeleteOnClose);
        // As large as the main window, for the class watching on the projector.
        m_review->setZoom(m_zoom->factor());
        QObject::connect(m_zoom, &WindowZoom::factorChanged, m_review, &ReviewWindow::setZoom);
    }
    m_review->openFiles(files);
    m_review->show();
    m_review->raise();
    m_review->activateWindow();
    return *m_review;
}

void UseClassroomPort(PorukaEnvironment& environment, const QString& device)
{
    // A box unplugged or switched off during the lesson is picked up again when it returns.
    auto port = std::make_unique<ReconnectingPort>(std::make_unique<SerialCommPort>(device));
    environment.portStatus = port.get();   // the caption says whether the box answers
    environment.port = std::move(port);
}
