#include "Unit1.h"

#include "Unit2.h"
#include "toolkit/TApplication.h"
#include "toolkit/WinExec.h"

#include <QFile>

TForm1 *Form1 = nullptr;

namespace {
constexpr int clientWidth = 1015;
constexpr int clientHeight = 682;
}

TForm1::TForm1(QWidget *parent)
    : TForm(parent)
{
    setupUi(this);
    SetClientSize(clientWidth, clientHeight);
}

void TForm1::ShowPage(const char *PagePath)
{
    Application->Guard([&] {
        WebBrowser1->setAlign(TAlign::alClient);
        const QByteArray address = DirectoryListBox1->Directory() + PagePath;
        WebBrowser1->Navigate(QFile::decodeName(address));
    });
}

void TForm1::StartProgram(const char *CommandLine)
{
    WinExec(CommandLine, SW_RESTORE);
}

void TForm1::N5Click()
{
    StartProgram("test/test.exe");
}

void TForm1::N4Click()
{
    ShowPage("/teoria/slov.html");
}

void TForm1::N90Click()
{
    Form1->Close();
    Form2->Close();
}

void TForm1::N7Click()
{
    ShowPage("/teoria/1/0.html");
}

void TForm1::N18Click()
{
    ShowPage("/teoria/1/1.8.html");
}

void TForm1::N19Click()
{
    ShowPage("/teoria/1/1.1.html");
}

void TForm1::N20Click()
{
    ShowPage("/teoria/1/1.2.html");
}

void TForm1::N21Click()
{
    ShowPage("/teoria/1/1.3.html");
}

void TForm1::N22Click()
{
    ShowPage("/teoria/1/1.4.html");
}

void TForm1::N23Click()
{
    ShowPage("/teoria/1/1.5.html");
}

void TForm1::N24Click()
{
    ShowPage("/teoria/1/1.6.html");
}

void TForm1::N25Click()
{
    ShowPage("/teoria/1/1.7.html");
}

void TForm1::N26Click()
{
    ShowPage("/teoria/1/t1.html");
}

void TForm1::N27Click()
{
    ShowPage("/teoria/2/2.1.html");
}

void TForm1::N28Click()
{
    ShowPage("/teoria/2/2.2.html");
}

void TForm1::N29Click()
{
    ShowPage("/teoria/2/2.3.html");
}

void TForm1::N30Click()
{
    ShowPage("/teoria/2/2.4.html");
}

void TForm1::N31Click()
{
    ShowPage("/teoria/2/2.5.html");
}

void TForm1::N32Click()
{
    ShowPage("/teoria/2/t2.html");
}

void TForm1::N33Click()
{
    ShowPage("/teoria/3/3.1.html");
}

void TForm1::N34Click()
{
    ShowPage("/teoria/3/3.2.html");
}

void TForm1::N35Click()
{
    ShowPage("/teoria/3/3.3.html");
}

void TForm1::N36Click()
{
    ShowPage("/teoria/3/3.4.html");
}

void TForm1::N37Click()
{
    ShowPage("/teoria/3/3.5.html");
}

void TForm1::N38Click()
{
    ShowPage("/teoria/3/3.6.html");
}

void TForm1::N39Click()
{
    ShowPage("/teoria/3/3.7.html");
}

void TForm1::N40Click()
{
    ShowPage("/teoria/3/t3.html");
}

void TForm1::N41Click()
{
    ShowPage("/teoria/4/4.1.html");
}

void TForm1::N42Click()
{
    ShowPage("/teoria/4/4.2.html");
}

void TForm1::N43Click()
{
    ShowPage("/teoria/4/4.3.html");
}

void TForm1::N44Click()
{
    ShowPage("/teoria/4/4.4.html");
}

void TForm1::N45Click()
{
    ShowPage("/teoria/4/4.5.html");
}

void TForm1::N46Click()
{
    ShowPage("/teoria/4/t4.html");
}

void TForm1::N47Click()
{
    ShowPage("/teoria/5/5.1.html");
}

void TForm1::N48Click()
{
    ShowPage("/teoria/5/5.2.html");
}

void TForm1::N49Click()
{
    ShowPage("/teoria/5/5.3.html");
}

void TForm1::N50Click()
{
    ShowPage("/teoria/5/5.4.html");
}

void TForm1::N51Click()
{
    ShowPage("/teoria/5/5.5.html");
}

void TForm1::N52Click()
{
    ShowPage("/teoria/5/t5.html");
}

void TForm1::N53Click()
{
    ShowPage("/teoria/6/6.1.html");
}

void TForm1::N54Click()
{
    ShowPage("/teoria/6/6.2.html");
}

void TForm1::N55Click()
{
    ShowPage("/teoria/6/6.3.html");
}

void TForm1::N56Click()
{
    ShowPage("/teoria/6/6.4.html");
}

void TForm1::N57Click()
{
    ShowPage("/teoria/6/6.5.html");
}

void TForm1::N58Click()
{
    ShowPage("/teoria/6/6.6.html");
}

void TForm1::N59Click()
{
    ShowPage("/teoria/6/6.7.html");
}

void TForm1::N60Click()
{
    ShowPage("/teoria/6/t6.html");
}

void TForm1::Excel2Click()
{
    ShowPage("/teoria/7/7.1.html");
}

void TForm1::N61Click()
{
    ShowPage("/teoria/7/7.2.html");
}

void TForm1::N62Click()
{
    ShowPage("/teoria/7/7.3.html");
}

void TForm1::N63Click()
{
    ShowPage("/teoria/7/t7.html");
}

void TForm1::N64Click()
{
    ShowPage("/teoria/8/8.1.html");
}

void TForm1::N65Click()
{
    ShowPage("/teoria/8/8.2.html");
}

void TForm1::N66Click()
{
    ShowPage("/teoria/8/8.3.html");
}

void TForm1::N67Click()
{
    ShowPage("/teoria/8/8.4.html");
}

void TForm1::N68Click()
{
    ShowPage("/teoria/8/8.5.html");
}

void TForm1::N69Click()
{
    ShowPage("/teoria/8/8.6.html");
}

void TForm1::N70Click()
{
    ShowPage("/teoria/8/8.7.html");
}

void TForm1::N71Click()
{
    ShowPage("/teoria/8/t8.html");
}

void TForm1::N72Click()
{
    ShowPage("/teoria/9/9.1.html");
}

void TForm1::N73Click()
{
    ShowPage("/teoria/9/9.2.html");
}

void TForm1::N74Click()
{
    ShowPage("/teoria/9/9.3.html");
}

void TForm1::N75Click()
{
    ShowPage("/teoria/9/t9.html");
}

void TForm1::N76Click()
{
    ShowPage("/teoria/10/10.1.html");
}

void TForm1::Query1Click()
{
    ShowPage("/teoria/10/10.2.html");
}

void TForm1::N77Click()
{
    ShowPage("/teoria/10/10.3.html");
}

void TForm1::N78Click()
{
    ShowPage("/teoria/10/10.4.html");
}

void TForm1::N79Click()
{
    ShowPage("/teoria/10/10.5.html");
}

void TForm1::N80Click()
{
    ShowPage("/teoria/10/10.6.html");
}

void TForm1::N81Click()
{
    ShowPage("/teoria/10/t10.html");
}

void TForm1::N82Click()
{
    ShowPage("/teoria/11/11.1.html");
}

void TForm1::N83Click()
{
    ShowPage("/teoria/11/11.2.html");
}

void TForm1::N84Click()
{
    ShowPage("/teoria/11/11.3.html");
}

void TForm1::N85Click()
{
    ShowPage("/teoria/11/11.4.html");
}

void TForm1::N86Click()
{
    ShowPage("/teoria/11/11.5.html");
}

void TForm1::N87Click()
{
    ShowPage("/teoria/11/11.6.html");
}

void TForm1::N88Click()
{
    ShowPage("/teoria/11/11.8.html");
}

void TForm1::N89Click()
{
    ShowPage("/teoria/11/t11.html");
}

void TForm1::EXCEL4Click()
{
    ShowPage("/video/1_1.html");
}

void TForm1::N104Click()
{
    ShowPage("/video/1_2.html");
}

void TForm1::N105Click()
{
    ShowPage("/video/1_3.html");
}

void TForm1::N106Click()
{
    ShowPage("/video/1_4.html");
}

void TForm1::N107Click()
{
    ShowPage("/video/2_1.html");
}

void TForm1::N108Click()
{
    ShowPage("/video/2_2.html");
}

void TForm1::N109Click()
{
    ShowPage("/video/2_3.html");
}

void TForm1::N120Click()
{
    ShowPage("/video/3_1.html");
}

void TForm1::N121Click()
{
    ShowPage("/video/3_2.html");
}

void TForm1::N122Click()
{
    ShowPage("/video/3_3.html");
}

void TForm1::N123Click()
{
    ShowPage("/video/3_4.html");
}

void TForm1::N124Click()
{
    ShowPage("/video/3_5.html");
}

void TForm1::N125Click()
{
    ShowPage("/video/3_6.html");
}

void TForm1::N126Click()
{
    ShowPage("/video/3_7.html");
}

void TForm1::N127Click()
{
    ShowPage("/video/3_8.html");
}

void TForm1::N128Click()
{
    ShowPage("/video/4_1.html");
}

void TForm1::N129Click()
{
    ShowPage("/video/4_2.html");
}

void TForm1::N130Click()
{
    ShowPage("/video/4_3.html");
}

void TForm1::N131Click()
{
    ShowPage("/video/4_4.html");
}

void TForm1::N132Click()
{
    ShowPage("/video/5_1.html");
}

void TForm1::N133Click()
{
    ShowPage("/video/5_2.html");
}

void TForm1::N134Click()
{
    ShowPage("/video/5_3.html");
}

void TForm1::N135Click()
{
    ShowPage("/video/5_4.html");
}

void TForm1::N136Click()
{
    ShowPage("/video/6_1.html");
}

void TForm1::N137Click()
{
    ShowPage("/video/6_2.html");
}

void TForm1::N138Click()
{
    ShowPage("/video/6_3.html");
}

void TForm1::N139Click()
{
    ShowPage("/video/6_4.html");
}

void TForm1::N140Click()
{
    ShowPage("/video/7_1.html");
}

void TForm1::N141Click()
{
    ShowPage("/video/7_2.html");
}

void TForm1::N142Click()
{
    ShowPage("/video/7_3.html");
}

void TForm1::N143Click()
{
    ShowPage("/video/7_4.html");
}

void TForm1::N144Click()
{
    ShowPage("/video/7_5.html");
}

void TForm1::N102Click()
{
    ShowPage("/video/8_1.html");
}

void TForm1::N103Click()
{
    ShowPage("/video/8_2.html");
}

void TForm1::N145Click()
{
    ShowPage("/video/8_3.html");
}

void TForm1::N146Click()
{
    ShowPage("/video/8_4.html");
}

void TForm1::N110Click()
{
    ShowPage("/lab/laba1.html");
}

void TForm1::N111Click()
{
    ShowPage("/lab/laba2.html");
}

void TForm1::N112Click()
{
    ShowPage("/lab/laba3.html");
}

void TForm1::N113Click()
{
    ShowPage("/lab/laba4.html");
}

void TForm1::N114Click()
{
    ShowPage("/lab/laba5.html");
}

void TForm1::N115Click()
{
    ShowPage("/lab/laba6.html");
}

void TForm1::N116Click()
{
    ShowPage("/lab/laba7.html");
}

void TForm1::N117Click()
{
    ShowPage("/lab/laba8.html");
}

void TForm1::N118Click()
{
    ShowPage("/lab/laba9.html");
}

void TForm1::N119Click()
{
    ShowPage("/lab/laba10.html");
}

void TForm1::N147Click()
{
    StartProgram("zad/1/project1.exe");
}

void TForm1::N210Click()
{
    StartProgram("zad/2/project1.exe");
}

void TForm1::N310Click()
{
    StartProgram("zad/3/project1.exe");
}

void TForm1::N410Click()
{
    StartProgram("zad/4/project1.exe");
}

void TForm1::N510Click()
{
    StartProgram("zad/5/project1.exe");
}
