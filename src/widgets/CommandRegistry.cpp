#include "widgets/CommandRegistry.h"

#include <QAction>
#include <QWidget>

#include <algorithm>

QAction* CommandRegistry::add(QWidget& window, const QString& text, const QList<QKeySequence>& keys)
{
    QList<QKeySequence> free;
    for (const QKeySequence& key : keys) {
        const bool taken = std::any_of(m_taken.begin(), m_taken.end(), [&](const Taken& t) {
            return t.window == &window && t.key == key;
        });
        if (taken) {
            m_conflicts << key.toString() + QStringLiteral(": ") + text;
            continue;
        }
        m_taken.push_back({&window, key});
        free << key;
    }
    auto* action = new QAction(text, &window);
    action->setShortcuts(free);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setShortcutVisibleInContextMenu(true);
    window.addAction(action);
    return action;
}
