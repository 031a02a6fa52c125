#pragma once

// True once the connection to the X server is broken. The show never returns
// to the event loop, where Qt itself would notice, so the window asks after
// each call that goes to the server. Always false on other platforms.
bool DisplayConnectionLost();
