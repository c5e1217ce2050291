#pragma once

#include "toolkit/TForm.h"
#include "ui_Unit2.h"

// The title window: the title picture; a click on it enters the textbook.
class TForm2 : public TForm, public Ui::TForm2
{
    Q_OBJECT
public:
    explicit TForm2(QWidget *parent = nullptr);

public slots:
    void Image1Click();
};

extern TForm2 *Form2;
