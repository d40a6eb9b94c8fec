// Keys of the windows' commands: a key taken in a window is never given twice there.

#include "support/Fakes.h"
#include "widgets/CommandRegistry.h"

#include <QAction>
#include <QWidget>
#include <gtest/gtest.h>

TEST(CommandRegistry, AKeyTakenInAWindowIsNotGivenTwiceThere)
{
    CommandRegistry commands;
    QWidget main;
    QWidget review;
    const QKeySequence save(Qt::CTRL | Qt::Key_S);
    QAction* first = commands.add(main, QStringLiteral("データをCSVで保存…"), {save});
    QAction* again = commands.add(main, QStringLiteral("ほかの保存"), {save, QKeySequence(Qt::Key_F5)});
    QAction* elsewhere = commands.add(review, QStringLiteral("記録を保存"), {save});
    EXPECT_EQ(first->shortcuts(), QList<QKeySequence>{save});
    EXPECT_EQ(again->shortcuts(), QList<QKeySequence>{QKeySequence(Qt::Key_F5)});
    EXPECT_EQ(elsewhere->shortcuts(), QList<QKeySequence>{save});
    EXPECT_EQ(commands.conflicts(), QStringList{save.toString() + QStringLiteral(": ほかの保存")});
    EXPECT_TRUE(main.actions().contains(again));
}

TEST(CommandRegistry, TheProgramsOwnCommandsShareNoKey)
{
    TestWindow t;
    EXPECT_TRUE(t.program->commands().conflicts().isEmpty()) << t.program->commands().conflicts().join(' ').toStdString();
}
