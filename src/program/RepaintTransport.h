#pragma once

// Called before the QApplication exists. On X11 Qt hands repainted pixels to the server
// through shared memory, and before each repaint waits a round trip for the server to have
// read the last one. The program's repaints are a label and a column of the graph ten times
// a second, cheaper to send over the connection than to wait for; a choice made in the
// environment by the user is kept.
void SendRepaintsOverTheConnection();
