#pragma once

#include "TAlign.h"

#include <QWebEngineView>

class ClientFill;
class CoursePage;
class FindBar;

// The browser pane. It is navigated to a local address given as text, and it
// behaves as a student expects of a browser: links, find, zoom, print, copy,
// back and forward. It keeps no history of its own beyond the engine's.
class TWebBrowser : public QWebEngineView
{
    Q_OBJECT
public:
    explicit TWebBrowser(QWidget *parent = nullptr);
    ~TWebBrowser() override;

    void setAlign(TAlign align);
    TAlign Align() const;

    // Loads the file at a local address. Raises Exception for an address that
    // cannot be a local URL; the page shown before then stays.
    void Navigate(const QString &address);

    // Brings the engine up, so that the first Navigate does not wait for it.
    // Done by itself once the pane is first on screen.
    void Prepare();
    CoursePage *Page();

protected:
    void showEvent(QShowEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void childEvent(QChildEvent *event) override;

private:
    void WatchRenderer(const QUrl &url);
    void AddShortcuts();
    void Print();
    void Zoom(double factor);

    ClientFill *fill_;
    CoursePage *page_ = nullptr;
    FindBar *findBar_ = nullptr;
    int navigation_ = 0;
};
