#include "app/Poruka.h"

// Placeholder bodies until the recording run lands.
void Poruka::Start_Click() {}
void Poruka::Timer2_Timer() {}
void Poruka::Timer3_Timer() {}
void Poruka::CheckAlerts() {}
