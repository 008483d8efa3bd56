#pragma once
// The common start of the master-data windows' tests: named special rooms and
// a subject table filled as a test needs it.
#include "core/constants.h"
#include "core/master_data.h"
#include "core/model.h"
#include "platform/forms.h"
#include "tests/support/fixture.h"

#include <QString>

// Another window of the program, to take the activation away.
class OtherWindow : public FormBase {
public:
    OtherWindow() : FormBase(0) {}
};

class MasterDataTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        gSpecialRoomNames(0) = QStringLiteral("Klasse - kein Bedarf");
        gSpecialRoomCount = 16;
        for (int r = 1; r <= 16; ++r)
            gSpecialRoomNames(r) = r <= 4 ? QStringLiteral("Raum %1").arg(r) : QStringLiteral("-");
        for (int s = 1; s <= 99; ++s)
            gSubjectNames(s, 1) = QStringLiteral("=");
    }

    // Names subject `s`; its properties stay as they are.
    static void subject(int s, const QString& screen, const QString& longName = QString(),
                        const QString& print = QString())
    {
        gSubjectNames(s, 0) = longName;
        gSubjectNames(s, 1) = screen;
        gSubjectNames(s, 2) = print;
    }
    // Activates another window, then the window `F` again.
    template <class F>
    static F* activateAgain()
    {
        forms::show<OtherWindow>();
        return forms::show<F>();
    }
    // The model as the next start reads the data folder's master data.
    void startAgain() const
    {
        resetModel();
        InitialiseConstants();
        gDataPath = m_dir.path() + QLatin1Char('/');
        LoadMasterData();
    }
};

// The demo school as a new user meets it: a copy of its folder, started the
// way the program starts.
class DemoSchoolTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        copyDemoSchool();
        startInDataFolder();
    }
};
