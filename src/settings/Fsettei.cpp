#include "settings/Fsettei.h"

#include "base/Numbers.h"
#include "widgets/WindowLayout.h"
#include "window/Poruka.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>

namespace {

QFont WindowFont(bool bold, const QString& family = kGothic)
{
    return WindowFont(12, bold, family);
}

QLabel* MakeLabel(QWidget* parent, const QString& caption, QRect where, QRgb back)
{
    auto* label = Place(parent, new QLabel(caption), where, back, WindowFont(false));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QPushButton* MakeButton(QWidget* parent, const QString& caption, QRect where)
{
    auto* button = Place(parent, new QPushButton(caption), where, kGrey, WindowFont(true));
    // Neither button is pressed by Enter or Escape; only a click or the space bar presses one.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

} // namespace

Fsettei::Fsettei(Poruka& main, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_main(main)
{
    BuildControls();
}

void Fsettei::BuildControls()
{
    setWindowTitle(QString::fromUtf8(kCaption));
    setFixedSize(TwipsRect(0, 0, 8370, 5745).size());
    setFont(WindowFont(false));
    Paint(this, kGrey);

    const QFont regular = WindowFont(false);
    const QFont bold = WindowFont(true);

    // Created in tab order, so the focus chain is the window's tab order without reordering.
    Frame3 = Place(this, new QGroupBox(QStringLiteral("温度計の設定")), TwipsRect(0, 0, 4080, 2700), kYellow, regular);
    Check1 = Place(Frame3, new QCheckBox(QStringLiteral("自動で目盛りをつける")), TwipsRect(120, 480, 3120, 270), kYellow, bold);
    Label1 = MakeLabel(Frame3, QStringLiteral("温度計の最高値"), TwipsRect(720, 1050, 2280, 270), kYellow);
    Text1 = Place(Frame3, new QLineEdit, TwipsRect(2520, 960, 960, 435), kYellow, bold);
    Label9 = MakeLabel(Frame3, QStringLiteral("℃"), TwipsRect(3600, 1050, 360, 270), kYellow);
    Label2 = MakeLabel(Frame3, QStringLiteral("温度計の最低値"), TwipsRect(720, 1920, 2520, 270), kYellow);
    Text2 = Place(Frame3, new QLineEdit, TwipsRect(2520, 1830, 960, 450), kYellow, bold);
    Label4 = MakeLabel(Frame3, QStringLiteral("℃"), TwipsRect(3600, 1920, 360, 270), kYellow);

    Frame2 = Place(this, new QGroupBox(QStringLiteral("温度センサーの種類")), TwipsRect(0, 2700, 4080, 1500), kYellow, regular);
    Paint(Frame2, kYellow, false);
    Option1 = Place(Frame2, new QRadioButton(QStringLiteral("気温センサー　（～５０）")), TwipsRect(240, 360, 3600, 270), kYellow, regular);
    Option2 = Place(Frame2, new QRadioButton(QStringLiteral("液温センサー（～１００）")), TwipsRect(240, 960, 3600, 270), kYellow, regular);

    Frame1 = Place(this, new QGroupBox(QStringLiteral("気圧計の設定")), TwipsRect(4200, 0, 4080, 2700), kCyan, regular);
    Check4 = Place(Frame1, new QCheckBox(QStringLiteral("自動で目盛りをつける")), TwipsRect(120, 480, 3120, 270), kCyan, bold);
    Label5 = MakeLabel(Frame1, QStringLiteral("気圧計の最高値"), TwipsRect(600, 1080, 2280, 270), kCyan);
    Text3 = Place(Frame1, new QLineEdit, TwipsRect(2400, 960, 960, 450), kCyan, bold);
    Label6 = MakeLabel(Frame1, QStringLiteral("hPa"), TwipsRect(3480, 1080, 360, 270), kCyan);
    Label7 = MakeLabel(Frame1, QStringLiteral("気圧計の最低値"), TwipsRect(600, 1920, 2040, 270), kCyan);
    Text4 = Place(Frame1, new QLineEdit, TwipsRect(2400, 1800, 960, 450), kCyan, bold);
    Label8 = MakeLabel(Frame1, QStringLiteral("hPa"), TwipsRect(3480, 1920, 360, 270), kCyan);

    Frame4 = Place(this, new QGroupBox(QStringLiteral("気圧センサーの感度の設定")), TwipsRect(4200, 2700, 4080, 1500), kCyan, regular);
    Option3 = Place(Frame4, new QRadioButton(QStringLiteral("１ｈＰａ")), TwipsRect(360, 360, 2880, 270), kCyan, WindowFont(false, kProportionalGothic));
    Option4 = Place(Frame4, new QRadioButton(QStringLiteral("２ｈＰａ")), TwipsRect(360, 930, 2760, 270), kCyan, WindowFont(false, kProportionalGothic));

    Frame5 = Place(this, new QGroupBox(QStringLiteral("測定時間の設定")), TwipsRect(0, 4320, 4080, 1335), kGrey, regular);
    // As wide as Option6: at 3600 twips the closing bracket of its caption would be cut off.
    Option5 = Place(Frame5, new QRadioButton(QStringLiteral("0.1秒ごと（16分間記録可能）")), TwipsRect(240, 360, 3720, 270), kGrey, regular);
    Option6 = Place(Frame5, new QRadioButton(QStringLiteral("１分ごと （８日間記録可能）")), TwipsRect(240, 840, 3720, 270), kGrey, regular);

    FCancel = MakeButton(this, QStringLiteral("キャンセル"), TwipsRect(4560, 4590, 1440, 810));
    Owaru = MakeButton(this, QStringLiteral("設定をおわる"), TwipsRect(6120, 4590, 2040, 810));

    QWidget* const tabOrder[] = {Check1, Text1, Text2, Option1, Option2, Check4, Text3, Text4,
                                 Option3, Option4, Option5, Option6, FCancel, Owaru};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);

    for (QLineEdit* field : {Text1, Text2, Text3, Text4})
        field->installEventFilter(this);

    connect(FCancel, &QPushButton::clicked, this, &Fsettei::FCancel_Click);
    connect(Owaru, &QPushButton::clicked, this, &Fsettei::Owaru_Click);
}

void Fsettei::Fill()
{
    const ProgramState& state = m_main.state();
    Text1->setText(DecimalText(state.ThermometerMax));
    Text2->setText(DecimalText(state.ThermometerMin));
    Text3->setText(DecimalText(state.BarometerMax));
    Text4->setText(DecimalText(state.BarometerMin));
    Check1->setChecked(state.ThermometerAuto == -1);
    (state.TemperatureProbe == -1 ? Option1 : Option2)->setChecked(true);
    Check4->setChecked(state.BarometerAuto == -1.0f);
    (state.PressureStep == 1 ? Option3 : Option4)->setChecked(true);
    (state.MinuteMode == 1 ? Option6 : Option5)->setChecked(true);
}

void Fsettei::FCancel_Click()
{
    hide();
    ShowMainWindow();
    m_main.ResumeAfterSettingsCancelled();
}

void Fsettei::ShowMainWindow()
{
    m_main.show();
    m_main.raise();
    m_main.activateWindow();
}

// The window's own close control discards it: nothing is applied and recording stays paused.
// It counts as gone at once, so the next opening builds a fresh one even before the deferred
// deletion has run.
void Fsettei::closeEvent(QCloseEvent* event)
{
    event->accept();
    m_discarded = true;
    deleteLater();
}
