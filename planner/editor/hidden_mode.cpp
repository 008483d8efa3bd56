#include "planner/editor/hidden_mode.h"

#include "core/model.h"
#include "planner/editor/optimiser_window.h"
#include "platform/controls.h"
#include "platform/units.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

namespace {

const QString kAccessWord = QStringLiteral("tqe");
constexpr std::uint32_t kLightGreen = 0xC0FFC0;

QPointer<QWidget> gMainWindow;

void showWindows(bool visible)
{
    if (Form18* f = forms::ifOpen<Form18>())
        f->setVisible(visible);
    if (gMainWindow)
        gMainWindow->setVisible(visible);
}

// Closing the main window closes every window as the user would, so each
// saves what it holds.
void endProgram()
{
    if (gMainWindow)
        gMainWindow->close();
    else
        QCoreApplication::quit();
}

}

namespace optimiser {
void setMainWindow(QWidget* window) { gMainWindow = window; }
QWidget* mainWindow() { return gMainWindow.data(); }
}

Form56::Form56()
{
    setObjectName(QStringLiteral("Form56"));
    setWindowTitle(QStringLiteral("laufende Optimierung verstecken"));

    Label1 = controls::label(this, "Label1",
                             QStringLiteral("Die Aktivierung bzw. Deaktivierung des \"stealth\"-Modus von VORDA "
                                            "erfolgt über die Eingabe eines Passwortes"));
    Label1->setWordWrap(true);
    place(Label1, 240, 120, 4200, 720);
    Text1 = controls::named<TextBox>(this, QStringLiteral("Text1"));
    Text2 = controls::named<TextBox>(this, QStringLiteral("Text2"));
    for (TextBox* box : {Text1, Text2}) {
        box->setEchoMode(QLineEdit::Password);
        controls::setBackColor(box, kLightGreen);
        place(box, 240, 960, 2400, 315);
    }
    Text2->hide();
    Command1 = controls::button(this, "Command1", QStringLiteral("exit"));
    place(Command1, 3000, 960, 1440, 375);
    resize(units::twipsToPixels(4680), units::twipsToPixels(1560));

    connect(Text1, &TextBox::Change, this, &Form56::Text1_Change);
    connect(Text2, &TextBox::Change, this, &Form56::Text2_Change);
    connect(Command1, &QPushButton::clicked, this, &Form56::Command1_Click);
}

void Form56::Text1_Change()
{
    if (Text1->text() != kAccessWord)
        return;
    Text2->show();
    Text2->setText(QString());
    Text1->hide();
    showWindows(false);
    gStealthMode = 1;
    showMinimized();
}

void Form56::Text2_Change()
{
    if (Text2->text() != kAccessWord)
        return;
    Text1->show();
    Text1->setText(QString());
    Text2->hide();
    showWindows(true);
    gStealthMode = 0;
    unload();
}

void Form56::Command1_Click()
{
    if (gStealthMode == 1)
        showMinimized();
    else
        hide();
}

void Form56::Form_Unload(bool& cancel)
{
    (void)cancel;
    if (gStealthMode != 1)
        return;
    gStealthMode = 0;
    showWindows(true);
    // The run must return before the windows close; the end of the program
    // follows this window's own unload.
    if (!StopOptimisationRun(endProgram))
        QTimer::singleShot(0, qApp, endProgram);
}
