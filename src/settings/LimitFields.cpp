#include "settings/Fsettei.h"

#include "base/Numbers.h"
#include "window/Poruka.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kEnter = 13;

// Focus that moves inside the window runs the field handlers. Focus that leaves with the whole
// window (another window activated, a message box, the field's own context menu) does not:
// otherwise glancing at the main window would empty a half-typed field on the way back.
bool MovesInsideWindow(Qt::FocusReason reason)
{
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

// The character code a key press delivers: 13 for Enter, else the first character typed.
int KeyAscii(const QKeyEvent& key)
{
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
        return kEnter;
    return key.text().isEmpty() ? 0 : key.text().at(0).unicode();
}

} // namespace

void Fsettei::Text1_GotFocus() { FieldGotFocus(0); }
void Fsettei::Text1_KeyPress(int keyAscii) { FieldKeyPress(0, keyAscii); }
void Fsettei::Text1_LostFocus() { FieldLostFocus(0); }
void Fsettei::Text2_GotFocus() { FieldGotFocus(1); }
void Fsettei::Text2_KeyPress(int keyAscii) { FieldKeyPress(1, keyAscii); }
void Fsettei::Text2_LostFocus() { FieldLostFocus(1); }
void Fsettei::Text3_GotFocus() { FieldGotFocus(2); }
void Fsettei::Text3_KeyPress(int keyAscii) { FieldKeyPress(2, keyAscii); }
void Fsettei::Text3_LostFocus() { FieldLostFocus(2); }
void Fsettei::Text4_GotFocus() { FieldGotFocus(3); }
void Fsettei::Text4_KeyPress(int keyAscii) { FieldKeyPress(3, keyAscii); }
void Fsettei::Text4_LostFocus() { FieldLostFocus(3); }

int Fsettei::FieldIndexOf(const QObject* watched) const
{
    const QObject* const fields[] = {Text1, Text2, Text3, Text4};
    for (int i = 0; i < 4; ++i)
        if (fields[i] == watched)
            return i;
    return -1;
}

// The handlers see each event before the field does and never swallow it, so Enter and every
// other key still reach the field as usual.
bool Fsettei::eventFilter(QObject* watched, QEvent* event)
{
    const int field = FieldIndexOf(watched);
    if (field < 0)
        return QWidget::eventFilter(watched, event);
    using GotFocus = void (Fsettei::*)();
    using KeyPress = void (Fsettei::*)(int);
    static constexpr GotFocus gotFocus[] = {&Fsettei::Text1_GotFocus, &Fsettei::Text2_GotFocus,
                                            &Fsettei::Text3_GotFocus, &Fsettei::Text4_GotFocus};
    static constexpr GotFocus lostFocus[] = {&Fsettei::Text1_LostFocus, &Fsettei::Text2_LostFocus,
                                             &Fsettei::Text3_LostFocus, &Fsettei::Text4_LostFocus};
    static constexpr KeyPress keyPress[] = {&Fsettei::Text1_KeyPress, &Fsettei::Text2_KeyPress,
                                            &Fsettei::Text3_KeyPress, &Fsettei::Text4_KeyPress};
    switch (event->type()) {
    case QEvent::FocusIn:
        if (MovesInsideWindow(static_cast<QFocusEvent*>(event)->reason()))
            (this->*gotFocus[field])();
        break;
    case QEvent::FocusOut:
        if (MovesInsideWindow(static_cast<QFocusEvent*>(event)->reason()))
            (this->*lostFocus[field])();
        break;
    case QEvent::KeyPress: {
        const int code = KeyAscii(*static_cast<QKeyEvent*>(event));
        if (code != 0)
            (this->*keyPress[field])(code);
        break;
    }
    default:
        break;
    }
    return false;
}

void Fsettei::FieldGotFocus(int field)
{
    QLineEdit* const fields[] = {Text1, Text2, Text3, Text4};
    fields[field]->setText(QString());
}

void Fsettei::FieldKeyPress(int field, int keyAscii)
{
    if (keyAscii != kEnter)
        return;
    QCheckBox* const box = field < 2 ? Check1 : Check4;
    QWidget* const next[] = {Text2, Text3, Text4, Owaru};
    box->setChecked(false);
    next[field]->setFocus(Qt::OtherFocusReason);
}

void Fsettei::FieldLostFocus(int field)
{
    QLineEdit* const fields[] = {Text1, Text2, Text3, Text4};
    const ProgramState& state = m_main.state();
    const double stored[] = {state.ThermometerMax, state.ThermometerMin, state.BarometerMax, state.BarometerMin};
    if (fields[field]->text().isEmpty())
        fields[field]->setText(DecimalText(stored[field]));
    else
        (field < 2 ? Check1 : Check4)->setChecked(false);
}
