#include "register/entry_window.h"

#include "core/constants.h"

#include <QLabel>

Form1::Form1() : FormBase(1)
{
    setObjectName(QStringLiteral("Form1"));
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    place(Label2, 120, 120, 4000, 300);
    resize(640, 480);
}

void Form1::Form_Load()
{
    InitialiseConstants();
    const QString caption = ProgramCaption();
    setWindowTitle(caption);
    Label2->setText(caption);
}
