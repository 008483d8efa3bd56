#include "platform/dialogs.h"

#include <QMessageBox>
#include <QPushButton>

namespace dialogs {
namespace {
Handler gHandler;
}
void setHandler(Handler handler) { gHandler = std::move(handler); }
void clearHandler() { gHandler = nullptr; }

static bool show(const Shown& s)
{
    if (gHandler)
        return gHandler(s);
    if (s.question) {
        // The questions name their answers "Ja" and "Nein"; Qt's own buttons
        // would speak English on a machine without Qt's translations.
        QMessageBox box(QMessageBox::Question, s.title, s.text);
        QPushButton* yes = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
        box.setEscapeButton(box.addButton(QStringLiteral("Nein"), QMessageBox::NoRole));
        box.exec();
        return box.clickedButton() == yes;
    }
    QMessageBox::information(nullptr, s.title, s.text);
    return true;
}
}

static QString titleOr(const QString& title) { return title.isEmpty() ? kDefaultDialogTitle : title; }

void MsgBox(const QString& text, const QString& title) { dialogs::show({text, titleOr(title), false}); }

bool AskYesNo(const QString& text, const QString& title) { return dialogs::show({text, titleOr(title), true}); }
