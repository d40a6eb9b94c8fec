#include "app/Poruka.h"

#include "settings/Fsettei.h"

// Placeholder bodies until the settings window and the secondary commands land.
void Poruka::Settei_Click() {}
void Poruka::Setumei_Click() {}
void Poruka::DataReset_Click() {}
void Poruka::Owari_Click() {}
bool Poruka::Form_Unload() { return false; }

Fsettei* Poruka::settingsWindow() const
{
    return m_settings.data();
}
