#pragma once

class QUrl;
class QWidget;

// What the browser pane asks of the web engine's view. The view lives in the
// engine's module; the pane knows it only through this.
class PaneView
{
public:
    virtual QWidget *Widget() = 0;
    // Loads a local file URL, and sees to it that a hung page does not keep
    // the pane from the next one.
    virtual void Load(const QUrl &url) = 0;

protected:
    // The view is a widget, owned by its parent widget.
    ~PaneView() = default;
};

// The module's one entry point, looked up by this name.
using CreatePaneViewFunction = PaneView *(*)(QWidget *parent);
inline constexpr char createPaneViewName[] = "CreatePaneView";
