#include "device/BoxLink.h"

#include "base/ProgramState.h"
#include "render/Surface.h"

// Placeholder bodies until the serial link lands.
void SetUpBoxLink(ProgramState& state, Surface&, CommPort&)
{
    state.BoxMissing = -1;
}
void ShowNotConnected(Surface&) {}
