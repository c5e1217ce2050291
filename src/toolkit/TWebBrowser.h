#pragma once

#include "TAlign.h"

#include <QWidget>

class ClientFill;
class PaneView;

// The browser pane. It is navigated to a local address given as text. The
// engine that shows the pages is a module of its own: loading it would keep
// the program's first window waiting, so the pane loads it just after its
// window's first frame, while the student looks at the cover.
class TWebBrowser : public QWidget
{
    Q_OBJECT
public:
    explicit TWebBrowser(QWidget *parent = nullptr);
    ~TWebBrowser() override;

    void setAlign(TAlign align);
    TAlign Align() const;

    // Loads the file at a local address. Raises Exception for an address that
    // cannot be a local URL or when the engine cannot be loaded; the page
    // shown before then stays.
    void Navigate(const QString &address);

    // Brings the engine up, so that the first Navigate does not wait for it.
    // Raises Exception when the engine cannot be loaded.
    void Prepare();
    // The engine's view (a QWebEngineView), brought up first if need be.
    QWidget *View();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void PrepareAfterFirstFrame();

    ClientFill *fill_;
    PaneView *view_ = nullptr;
    bool waitingForFrame_ = false;
};
