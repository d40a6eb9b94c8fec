#include "program/Translations.h"
#include "support/Pictures.h"
#include "widgets/Questions.h"

#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs the given check on the message box once it is up, from inside its own event loop.
void WhenTheBoxIsUp(const std::function<void(QMessageBox&)>& check)
{
    QTimer::singleShot(0, [check] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                check(*box);
                return;
            }
        }
        ADD_FAILURE() << "no message box shown";
    });
}

} // namespace

TEST(MessageBoxQuestions, QuestionsHaveNoIconAndYesAsTheDefault)
{
    MessageBoxQuestions questions;
    WhenTheBoxIsUp([](QMessageBox& box) {
        EXPECT_EQ(box.windowTitle(), QStringLiteral("気圧計"));
        EXPECT_EQ(box.text(), QStringLiteral("本当に終了しますか？"));
        EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::Yes));
        ASSERT_NE(box.button(QMessageBox::No), nullptr);
        QTest::keyClick(&box, Qt::Key_Return);
    });
    EXPECT_TRUE(questions.AskYesNo(nullptr, QStringLiteral("本当に終了しますか？"), QStringLiteral("気圧計")));

    WhenTheBoxIsUp([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    EXPECT_FALSE(questions.AskYesNo(nullptr, QStringLiteral("データをけしますか？"), QStringLiteral("温度と気圧")));
}

// Lines ended by carriage returns are shown as lines, without an empty one at the end.
TEST(MessageBoxQuestions, CarriageReturnsBreakTheShownLines)
{
    MessageBoxQuestions questions;
    WhenTheBoxIsUp([](QMessageBox& box) {
        EXPECT_EQ(box.text(), QStringLiteral("せってい：あ\n　　　　　い\nおわる　：う"));
        EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
        ASSERT_NE(box.button(QMessageBox::Ok), nullptr);
        SavePictureIfAsked(box.grab().toImage(), QStringLiteral("help-box.png"));
        box.button(QMessageBox::Ok)->click();
    });
    questions.ShowMessage(nullptr, QStringLiteral("せってい：あ\r　　　　　い\rおわる　：う\r"),
                          QStringLiteral("プログラムのせつめい"));
}

// With Qt's Japanese texts installed, the buttons speak Japanese though the system speaks English.
TEST(MessageBoxQuestions, ButtonsAreJapaneseWhateverTheSystemLanguage)
{
    const bool hadLang = qEnvironmentVariableIsSet("LANG");
    const bool hadAll = qEnvironmentVariableIsSet("LC_ALL");
    const QByteArray lang = qgetenv("LANG");
    const QByteArray all = qgetenv("LC_ALL");
    qputenv("LANG", "en_US.UTF-8");
    qputenv("LC_ALL", "en_US.UTF-8");
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ASSERT_TRUE(InstallJapaneseQtTexts(*QCoreApplication::instance()));

    // The mnemonic may come as "(&Y)" after the word.
    const auto shown = [](QAbstractButton* button) {
        return button ? button->text().section(u'(', 0, 0) : QStringLiteral("(none)");
    };
    MessageBoxQuestions questions;
    WhenTheBoxIsUp([&](QMessageBox& box) {
        EXPECT_EQ(shown(box.button(QMessageBox::Yes)), QStringLiteral("はい"));
        EXPECT_EQ(shown(box.button(QMessageBox::No)), QStringLiteral("いいえ"));
        QTest::keyClick(&box, Qt::Key_Escape);
    });
    questions.AskYesNo(nullptr, QStringLiteral("データをけしますか？"), QStringLiteral("温度と気圧"));

    // Later tests in this process see Qt's texts as before.
    for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    QLocale::setDefault(before);
    hadLang ? qputenv("LANG", lang) : qunsetenv("LANG");
    hadAll ? qputenv("LC_ALL", all) : qunsetenv("LC_ALL");
}
