#pragma once
// Register windows read the entry window's fields: these tests start it (on the
// temporary data folder unless another is named; files are then written to the
// temporary one) and type into its fields.
#include "core/model.h"
#include "platform/forms.h"
#include "register/entry_window.h"
#include "tests/support/fixture.h"

#include <QDir>
#include <QTest>

class EntryWindowFieldsTest : public ModelTest {
protected:
    Form1* entryWindow(const QString& folder = QString())
    {
        if (Form1* f = forms::ifOpen<Form1>())
            return f;
        const QString here = QDir::currentPath();
        QDir::setCurrent(folder.isEmpty() ? m_dir.path() : folder);
        Form1* f = forms::show<Form1>();
        QDir::setCurrent(here);
        gDataPath = m_dir.path() + QLatin1Char('/');
        return f;
    }

    // Types into a field and presses Enter.
    static void enter(TextBox* field, const QString& text)
    {
        field->setText(text);
        QTest::keyClick(field, Qt::Key_Return);
    }

    Form1* typeIntoEntryWindow(const QString& date, const QString& cls)
    {
        Form1* f = entryWindow();
        f->Text2->setText(date);
        f->Text3->setText(cls);
        return f;
    }
};
