#pragma once

class PaneView;
class QWidget;

// The web engine's module, loaded on first use. The program itself does not
// link the engine: its libraries alone would hold up the first window by
// tens of milliseconds.
namespace BrowserEngine {

// A new view of the course pages. Raises Exception when the module cannot be
// loaded.
PaneView *CreateView(QWidget *parent);

}
