// The real keyboard state of an X server, for the tests that run the
// program under one.
#pragma once

// Locks or unlocks Caps Lock at the X server of the program's own
// connection, as pressing the key does. False without an X display.
bool LockCapsLock(bool on);
