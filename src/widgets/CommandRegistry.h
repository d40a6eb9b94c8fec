#pragma once

// Every command the windows offer by key or in a menu is made here, so that no two commands of
// one window share a key: a key already taken there is not given again (the later command keeps
// its menu entry and loses the key, and conflicts() names it). Each command works anywhere in its
// window, also while a value field has the focus.

#include <QKeySequence>
#include <QList>
#include <QString>
#include <QStringList>

class QAction;
class QWidget;

class CommandRegistry {
public:
    // A new command of the window (the window owns it), with its keys.
    QAction* add(QWidget& window, const QString& text, const QList<QKeySequence>& keys = {});

    // The keys that were asked for twice in one window, as "Ctrl+S: データをCSVで保存…".
    const QStringList& conflicts() const { return m_conflicts; }

private:
    struct Taken {
        const QWidget* window;
        QKeySequence key;
    };
    QList<Taken> m_taken;
    QStringList m_conflicts;
};
