#include "platform/dialogs.h"

#include <QMessageBox>

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
    if (s.question)
        return QMessageBox::question(nullptr, s.title, s.text, QMessageBox::Yes | QMessageBox::No)
            == QMessageBox::Yes;
    QMessageBox::information(nullptr, s.title, s.text);
    return true;
}
}

static QString titleOr(const QString& title) { return title.isEmpty() ? kDefaultDialogTitle : title; }

void MsgBox(const QString& text, const QString& title) { dialogs::show({text, titleOr(title), false}); }

bool AskYesNo(const QString& text, const QString& title) { return dialogs::show({text, titleOr(title), true}); }
