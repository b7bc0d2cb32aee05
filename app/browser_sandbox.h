#pragma once

// Qt WebEngine refuses to start as root while its sandbox is on. As root, and
// only then, the sandbox is turned off, with one line on standard error saying
// so. Must run before the application object is created.
void allow_browser_as_root();
