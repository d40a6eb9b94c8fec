#include "window/Poruka.h"

#include "device/BoxLink.h"
#include "files/CalibrationTables.h"
#include "files/CustomizationFile.h"
#include "render/SurfaceView.h"
#include "run/FilesStatus.h"
#include "widgets/WindowIcon.h"
#include "widgets/WindowLayout.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <utility>

namespace {

template <typename Label>
Label* MakeLabel(QWidget* parent, Label* label, QRect where, QFont font)
{
    Place(parent, label, where, kYellow, font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    // The program's own texts, never markup: no guessing at each new text whether it is.
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

Poruka::Poruka(PorukaEnvironment environment, QWidget* parent)
    : QWidget(parent)
    , m_environment(std::move(environment))
{
    Q_ASSERT(m_environment.port && m_environment.clock && m_environment.questions);
    BuildControls();
    connect(&m_statusBoard, &StatusBoard::changed, this,
            [this] { setWindowTitle(m_statusBoard.caption()); });
}

Poruka::~Poruka() = default;

void Poruka::BuildControls()
{
    setWindowTitle(m_statusBoard.caption());
    setWindowIcon(MakeWindowIcon());
    setFixedSize(TwipsRect(0, 0, 9675, 6345).size());
    setFont(WindowFont(12, false));
    Paint(this, kGrey);

    const QFont regular = WindowFont(12, false);
    const QFont bold = WindowFont(12, true);
    const QFont value = WindowFont(14.25, true);

    // The controls stand in one content widget at their 1x places; a larger view scales it and
    // keeps it in the middle of the window.
    m_content = new QWidget(this);
    m_content->setObjectName(QStringLiteral("Content"));
    m_content->resize(size());
    QWidget* const content = m_content;

    // In tab order.
    Owari = Place(content, new QPushButton(QStringLiteral("おわり")), TwipsRect(240, 5400, 1320, 700), kGrey, regular);
    Setumei = Place(content, new QPushButton(QStringLiteral("せつめい")), TwipsRect(240, 2160, 1320, 700), kGrey, regular);
    Settei = Place(content, new QPushButton(QStringLiteral("せってい")), TwipsRect(240, 2970, 1320, 700), kGrey, regular);
    DataReset = Place(content, new QPushButton(QStringLiteral("リセット")), TwipsRect(240, 3780, 1320, 700), kGrey, regular);
    Start = Place(content, new QPushButton(QString::fromUtf8(kStartCaption)), TwipsRect(240, 4590, 1320, 700), kGrey, regular);
    Label3 = MakeLabel(content, new GlyphRunLabel(), TwipsRect(0, 1500, 1800, 390), regular);
    Label4 = MakeLabel(content, new QLabel(QStringLiteral("℃")), TwipsRect(1320, 240, 480, 930), bold);
    Text1 = Place(content, new QLineEdit(QStringLiteral("Text1")), TwipsRect(480, 195, 840, 450), kYellow, value);
    Label2 = MakeLabel(content, new QLabel, TwipsRect(0, 0, 1800, 270), regular);
    Label5 = MakeLabel(content, new QLabel(QStringLiteral("hPa")), TwipsRect(1320, 1080, 480, 420), bold);
    Text2 = Place(content, new QPlainTextEdit(), TwipsRect(0, 1890, 1800, 2160), kCyan, regular);
    Label6 = MakeLabel(content, new QLabel(QStringLiteral("気圧")), TwipsRect(0, 720, 480, 775), regular);
    Text3 = Place(content, new QLineEdit(QStringLiteral("Text1")), TwipsRect(240, 1020, 1080, 480), kYellow, value);
    Label7 = MakeLabel(content, new QLabel(QStringLiteral("温度")), TwipsRect(0, 270, 1320, 810), regular);
    Picture1 = new SurfaceView(m_surface, content);
    Picture1->setGeometry(TwipsRect(1800, 0, 7935, 6375));
    Picture1->setFocusPolicy(Qt::StrongFocus);

    // Labels lie beneath the fields and buttons, as plain painted text would. Among themselves
    // a label whose text a neighbour's background would cover lies above that neighbour
    // ("気圧" over the foot of "温度", "hPa" over the foot of "℃", "℃" over the empty top strip).
    for (QLabel* label : std::initializer_list<QLabel*>{Label3, Label5, Label6, Label4, Label7, Label2})
        label->lower();
    // The alert field covers the buttons it hides.
    Text2->raise();
    Text2->setFrameShape(QFrame::Box);
    for (QLineEdit* field : {Text1, Text3})
        field->setFrame(true);

    const std::pair<QObject*, const char*> names[] = {
        {Owari, "Owari"}, {Setumei, "Setumei"}, {Settei, "Settei"}, {DataReset, "DataReset"},
        {Start, "Start"}, {Label2, "Label2"}, {Label3, "Label3"}, {Label4, "Label4"},
        {Label5, "Label5"}, {Label6, "Label6"}, {Label7, "Label7"}, {Text1, "Text1"},
        {Text2, "Text2"}, {Text3, "Text3"}, {Picture1, "Picture1"},
    };
    for (const auto& [control, name] : names)
        control->setObjectName(QLatin1String(name));

    QWidget::setTabOrder(Owari, Setumei);
    QWidget::setTabOrder(Setumei, Settei);
    QWidget::setTabOrder(Settei, DataReset);
    QWidget::setTabOrder(DataReset, Start);
    QWidget::setTabOrder(Start, Text1);
    QWidget::setTabOrder(Text1, Text2);
    QWidget::setTabOrder(Text2, Text3);
    QWidget::setTabOrder(Text3, Picture1);

    Timer1 = new QTimer(this);
    Timer2 = new QTimer(this);
    Timer3 = new QTimer(this);
    Timer5 = new QTimer(this);

    connect(Owari, &QPushButton::clicked, this, &Poruka::Owari_Click);
    connect(Setumei, &QPushButton::clicked, this, &Poruka::Setumei_Click);
    connect(Settei, &QPushButton::clicked, this, &Poruka::Settei_Click);
    connect(DataReset, &QPushButton::clicked, this, &Poruka::DataReset_Click);
    connect(Start, &QPushButton::clicked, this, &Poruka::Start_Click);
    connect(Timer1, &QTimer::timeout, this, [this] {
        Timer1_Timer();
        emit readoutExchanged();
    });
    connect(Timer2, &QTimer::timeout, this, &Poruka::Timer2_Timer);
    connect(Timer3, &QTimer::timeout, this, &Poruka::Timer3_Timer);
}

void Poruka::Form_Load()
{
    StartUp();
    Text2->setVisible(false);
    DataReset->setVisible(false);
    Owari->setFocus();
    ShowDrawing();
}

void Poruka::StartUp()
{
    // Step 1: the arrays are sized with the state; start-up begins them at zero.
    m_state = ProgramState{};
    const QStringList missingTables = LoadCalibrationTables(m_state, m_surface, workingFolder());
    const std::optional<int> stoppedAt = LoadCustomizationFile(m_state, m_surface, workingFolder());
    m_statusBoard.set(StatusSource::Files, FilesStatusText(missingTables, stoppedAt));
    SetUpBoxLink(m_state, m_surface, port());
    if (m_state.BoxMissing != 0)
        ShowNotConnected(m_surface);
    Timer1Start();
}

bool Poruka::RunActive() const
{
    return Start->text() != QString::fromUtf8(kStartCaption);
}

void Poruka::endProgram()
{
    if (m_environment.endProgram)
        m_environment.endProgram();
}

void Poruka::ShowDrawing()
{
    Picture1->showChanges();
}

void Poruka::closeEvent(QCloseEvent* event)
{
    if (Form_Unload())
        event->ignore();
    else
        event->accept();
}
