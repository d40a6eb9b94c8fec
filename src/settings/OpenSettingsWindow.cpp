#include "settings/OpenSettingsWindow.h"

#include "settings/Fsettei.h"
#include "window/Poruka.h"

void OpenSettingsWindow(Poruka& main, const std::function<void(QWidget&)>& built)
{
    Fsettei* settings = SettingsWindowOf(main);
    if (!settings) {
        settings = new Fsettei(main, &main);
        if (built)
            built(*settings);
        // First shown over the middle of the main window; afterwards wherever the user left it.
        settings->move(main.frameGeometry().center() - settings->rect().center());
    }
    settings->show();
    settings->raise();
    settings->activateWindow();
    settings->Fill();
}

Fsettei* SettingsWindowOf(const Poruka& main)
{
    // A discarded window lingers as a child until its deferred deletion has run.
    for (Fsettei* settings : main.findChildren<Fsettei*>(Qt::FindDirectChildrenOnly)) {
        if (!settings->discarded())
            return settings;
    }
    return nullptr;
}
