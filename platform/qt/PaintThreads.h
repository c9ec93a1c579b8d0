#pragma once

namespace quorvel {

// Called once the application exists. Qt's raster painter splits every fill taller than about a
// hundred lines over its global thread pool and waits for it. A window's paint makes dozens of such
// fills of a few hundred KiB each, and waking a thread for every slice of each cost more than the
// fills: the main window with a 100k list opened and painted in 19.8 ms on eight CPUs, 18.4 ms with
// one pool thread (two: 18.8 ms; no change on two CPUs).
// None of the program's own work runs on that pool.
void LimitPaintThreads();

}  // namespace quorvel
