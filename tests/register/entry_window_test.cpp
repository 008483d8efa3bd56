#include "core/model.h"
#include "platform/forms.h"
#include "register/entry_window.h"
#include "tests/support/fixture.h"

#include <QDir>
#include <QLabel>

using EntryWindowTest = ModelTest;

TEST_F(EntryWindowTest, StartsWithTheProgramCaption)
{
    const QString here = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
    Form1* f = forms::show<Form1>();
    QDir::setCurrent(here);
    EXPECT_EQ(f->windowTitle(), "ORV-qz V1.28a");
    EXPECT_EQ(f->Label2->text(), "ORV-qz V1.28a");
    EXPECT_EQ(f->Label2->objectName(), "Label2");
}
