#pragma once

// What the process needs before the application object exists.
// As root the web engine will not start with its sandbox on: it is turned off
// then, with one line on stderr saying so; otherwise it stays on.
void PrepareProcess();
