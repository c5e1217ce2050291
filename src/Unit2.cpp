#include "Unit2.h"

#include "Unit1.h"

TForm2 *Form2 = nullptr;

namespace {
// The outer size 578 × 460 less a 4-pixel sizing border each side and a 19-pixel caption.
constexpr int clientWidth = 570;
constexpr int clientHeight = 433;
}

TForm2::TForm2(QWidget *parent)
    : TForm(parent)
{
    setupUi(this);
    SetClientSize(clientWidth, clientHeight);
}

void TForm2::Image1Click()
{
    Form1->Show();
    Form2->Hide();
}
