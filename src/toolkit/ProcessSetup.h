#pragma once

// What the process needs before the application object exists.
// As root the web engine will not start with its sandbox on: it is turned off
// then, with one line on stderr saying so; otherwise it stays on. The engine
// draws in software and keeps its memory small unless the user's environment
// says otherwise.
void PrepareProcess();
