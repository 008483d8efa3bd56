#include "planner/masterdata/data_folder_window.h"
#include "platform/folder_lists.h"
#include "tests/planner/masterdata/masterdata_fixture.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>

class DataFolderWindowTest : public MasterDataTest {
protected:
    void SetUp() override
    {
        MasterDataTest::SetUp();
        m_started = QDir::currentPath();
        ASSERT_TRUE(QDir(m_dir.path()).mkpath("start"));
        ASSERT_TRUE(QDir(m_dir.path()).mkpath("Schule 2/Daten"));
        QDir::setCurrent(path("start"));
    }
    void TearDown() override
    {
        QDir::setCurrent(m_started);
        MasterDataTest::TearDown();
    }
    QString m_started;
};

TEST_F(DataFolderWindowTest, TheSwitchTakesTheFolderChosenWithOneSlash)
{
    const QString before = gDataPath;
    Form24* f = forms::show<Form24>();
    EXPECT_EQ(f->windowTitle(), "Wechsel");
    EXPECT_EQ(f->Label5->text(), before);
    EXPECT_FALSE(f->Command2->isEnabled()) << "nothing chosen yet";

    f->Dir1->setPath(path("Schule 2/Daten"));
    EXPECT_EQ(f->Label2->text(), path("Schule 2/Daten") + "/");
    EXPECT_TRUE(f->Command2->isEnabled());
    f->Command2->click();
    EXPECT_EQ(gDataPath, path("Schule 2/Daten") + "/");
    EXPECT_EQ(f->Label5->text(), gDataPath);
    EXPECT_EQ(readLines(path("start/Pfad.dat")), QStringList({gDataPath})) << "in the folder the program started in";

    f->Dir1->setPath("/");
    EXPECT_EQ(f->Label2->text(), "/") << "the root keeps its one slash";
}

TEST_F(DataFolderWindowTest, AFailedWriteOfTheFolderFileDoesNotUndoTheSwitch)
{
    blockFile("start/Pfad.dat");
    Form24* f = forms::show<Form24>();
    f->Dir1->setPath(path("Schule 2"));
    f->Command2->click();
    EXPECT_EQ(gDataPath, path("Schule 2") + "/");
    EXPECT_TRUE(messages().isEmpty());
    unblockFile("start/Pfad.dat");
}
