#pragma once

// The settings window: scale limits of both instruments, temperature probe, pressure
// sensitivity and recording interval. It holds no values of its own: every control shows the
// program state when the window opens, and "設定をおわる" (Owaru, not the main window's exit
// button Owari) writes the controls back. It is a child window of the main window, opened
// through OpenSettingsWindow.h, and changes the main window only through its public operations.

#include <QWidget>

#include <array>

class Poruka;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class Fsettei : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "温度計と気圧計の設定";

    explicit Fsettei(Poruka& main, QWidget* parent = nullptr);

    // Puts the stored settings into the controls, in the order the window has always used.
    void Fill();

    // The two buttons: FCancel_Click here, Owaru_Click in ApplySettings.cpp.
    void FCancel_Click();
    void Owaru_Click();

    // True once the window's own close control has discarded it (it is deleted later).
    bool discarded() const { return m_discarded; }

    // The four limit fields (LimitFields.cpp): emptied on entry, Enter walks towards Owaru, leaving restores the
    // stored value (when empty) or switches that instrument to fixed limits.
    void Text1_GotFocus();
    void Text1_KeyPress(int keyAscii);
    void Text1_LostFocus();
    void Text2_GotFocus();
    void Text2_KeyPress(int keyAscii);
    void Text2_LostFocus();
    void Text3_GotFocus();
    void Text3_KeyPress(int keyAscii);
    void Text3_LostFocus();
    void Text4_GotFocus();
    void Text4_KeyPress(int keyAscii);
    void Text4_LostFocus();

    // Controls, named as the program's procedures name them.
    QGroupBox* Frame3 = nullptr;   // thermometer scale (yellow)
    QCheckBox* Check1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;    // thermometer maximum
    QLabel* Label9 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Text2 = nullptr;    // thermometer minimum
    QLabel* Label4 = nullptr;
    QGroupBox* Frame2 = nullptr;   // temperature probe (yellow)
    QRadioButton* Option1 = nullptr;   // air probe
    QRadioButton* Option2 = nullptr;   // liquid probe
    QGroupBox* Frame1 = nullptr;   // barometer scale (cyan)
    QCheckBox* Check4 = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* Text3 = nullptr;    // barometer maximum
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* Text4 = nullptr;    // barometer minimum
    QLabel* Label8 = nullptr;
    QGroupBox* Frame4 = nullptr;   // pressure sensitivity (cyan)
    QRadioButton* Option3 = nullptr;   // 1 hPa
    QRadioButton* Option4 = nullptr;   // 2 hPa
    QGroupBox* Frame5 = nullptr;   // recording interval (grey)
    QRadioButton* Option5 = nullptr;   // every 0.1 s
    QRadioButton* Option6 = nullptr;   // every minute
    QPushButton* FCancel = nullptr;
    QPushButton* Owaru = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();

    // One limit field's editing rules; the twelve handlers above pass their field's number.
    void FieldGotFocus(int field);
    void FieldKeyPress(int field, int keyAscii);
    void FieldLostFocus(int field);
    int FieldIndexOf(const QObject* watched) const;   // 0..3, or -1 for any other object

    void ApplyThermometerScale();
    void ApplyBarometerScale();
    void ApplyInterval();
    void ShowMainWindow();

    Poruka& m_main;
    bool m_discarded = false;
};
