#include "register/password_file.h"

#include "core/model.h"
#include "core/passwords.h"
#include "platform/datafile.h"
#include "platform/runtime.h"

#include <cmath>

QString PasswordFilePath(const QString& shortName) { return gDataPath + shortName + QStringLiteral(".pw"); }

void ReadPasswordFile()
{
    datafile::Reader in(gFileName);
    gUserPassword = QString();
    gText = QString();
    in.lineInput(gUserPassword);
    in.lineInput(gText);
    if (!gText.toString().isEmpty()) {
        UnscramblePassword();
        gUserPassword = gText.toString();
    }
}

namespace {
// A control character could scramble into a byte that ends a line or the file.
bool hasControlCharacter(const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() < 0x20)
            return true;
    }
    return false;
}
}

bool PasswordStorable(const QString& password)
{
    if (password.isEmpty() || hasControlCharacter(password))
        return false;
    gText = password;
    return ScramblePassword();
}

datafile::WriteResult WritePasswordFile(const QString& path, const QString& password, int numberBound)
{
    if (!PasswordStorable(password))
        return {false, QStringLiteral("Das Passwort enthält Zeichen, die nicht gespeichert werden können")};
    datafile::Writer out;
    out.number(std::floor(Rnd() * numberBound));
    out.line(gText.toString());
    return datafile::rewrite(path, out.lines());
}
