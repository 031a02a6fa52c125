#pragma once

// Sets, before the application object exists, the platform choices that
// keep drawing immediate: xcb rather than native Wayland (which holds what is
// drawn until the event loop runs) and no shared-memory flush (which waits
// for the server after every paint). Settings already in the environment
// stand, so tests can use the offscreen platform.
void ChoosePlatformDefaults();

// True once the connection to the X server is broken. The show never returns
// to the event loop, where Qt itself would notice, so the window asks after
// each call that goes to the server. Always false on other platforms.
bool DisplayConnectionLost();
