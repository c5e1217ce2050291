#pragma once

#include "toolkit/TForm.h"
#include "ui_Unit1.h"

// The textbook window: the course's table of contents as its menu bar, a
// cover picture until the first page, and the browser pane for the pages.
class TForm1 : public TForm, public Ui::TForm1
{
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);

public slots:
    void N5Click();
    void N4Click();
    void N90Click();
    void N7Click();
    void N18Click();
    void N19Click();
    void N20Click();
    void N21Click();
    void N22Click();
    void N23Click();
    void N24Click();
    void N25Click();
    void N26Click();
    void N27Click();
    void N28Click();
    void N29Click();
    void N30Click();
    void N31Click();
    void N32Click();
    void N33Click();
    void N34Click();
    void N35Click();
    void N36Click();
    void N37Click();
    void N38Click();
    void N39Click();
    void N40Click();
    void N41Click();
    void N42Click();
    void N43Click();
    void N44Click();
    void N45Click();
    void N46Click();
    void N47Click();
    void N48Click();
    void N49Click();
    void N50Click();
    void N51Click();
    void N52Click();
    void N53Click();
    void N54Click();
    void N55Click();
    void N56Click();
    void N57Click();
    void N58Click();
    void N59Click();
    void N60Click();
    void Excel2Click();
    void N61Click();
    void N62Click();
    void N63Click();
    void N64Click();
    void N65Click();
    void N66Click();
    void N67Click();
    void N68Click();
    void N69Click();
    void N70Click();
    void N71Click();
    void N72Click();
    void N73Click();
    void N74Click();
    void N75Click();
    void N76Click();
    void Query1Click();
    void N77Click();
    void N78Click();
    void N79Click();
    void N80Click();
    void N81Click();
    void N82Click();
    void N83Click();
    void N84Click();
    void N85Click();
    void N86Click();
    void N87Click();
    void N88Click();
    void N89Click();
    void EXCEL4Click();
    void N104Click();
    void N105Click();
    void N106Click();
    void N107Click();
    void N108Click();
    void N109Click();
    void N120Click();
    void N121Click();
    void N122Click();
    void N123Click();
    void N124Click();
    void N125Click();
    void N126Click();
    void N127Click();
    void N128Click();
    void N129Click();
    void N130Click();
    void N131Click();
    void N132Click();
    void N133Click();
    void N134Click();
    void N135Click();
    void N136Click();
    void N137Click();
    void N138Click();
    void N139Click();
    void N140Click();
    void N141Click();
    void N142Click();
    void N143Click();
    void N144Click();
    void N102Click();
    void N103Click();
    void N145Click();
    void N146Click();
    void N110Click();
    void N111Click();
    void N112Click();
    void N113Click();
    void N114Click();
    void N115Click();
    void N116Click();
    void N117Click();
    void N118Click();
    void N119Click();
    void N147Click();
    void N210Click();
    void N310Click();
    void N410Click();
    void N510Click();

private:
    // Shows a course page: the pane fills the window, and the page is looked
    // up under the directory the textbook was started from.
    void ShowPage(const char *PagePath);
    // Starts a course program by its command line, relative to that directory.
    void StartProgram(const char *CommandLine);
};

extern TForm1 *Form1;
