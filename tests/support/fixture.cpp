#include "tests/support/fixture.h"

#include "core/constants.h"
#include "core/model.h"
#include "core/startup.h"
#include "platform/bounds.h"
#include "platform/clock.h"
#include "platform/codepage.h"
#include "platform/datafile.h"
#include "platform/dialogs.h"
#include "platform/forms.h"
#include "platform/runtime.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <utility>

void ModelTest::SetUp()
{
    resetModel();
    Clock::set(QDateTime(today, QTime(9, 30, 0)));
    InitialiseConstants();
    Randomize(1);
    runtime::resetBeeps();
    bounds::resetViolations();
    ASSERT_TRUE(m_dir.isValid());
    gDataPath = m_dir.path() + QLatin1Char('/');
    answerFromScript();
}

void ModelTest::answerFromScript()
{
    dialogs::setHandler([this](const dialogs::Shown& s) -> dialogs::Reply {
        m_messages << s.text;
        m_titles << s.title;
        if (s.noPreselected)
            m_noPreselected << s.text;
        if (const std::function<void()> close = std::exchange(m_closeAtMessage, nullptr)) {
            close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        if (!s.question)
            return true;
        if (m_answers.empty()) {
            ADD_FAILURE() << "unanswered question: " << s.text.toStdString();
            return s.cancellable ? Answer::Cancel : Answer::No;
        }
        const dialogs::Reply a = m_answers.front();
        m_answers.pop_front();
        return a;
    });
}

void ModelTest::TearDown()
{
    forms::unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    dialogs::clearHandler();
    Clock::useSystem();
    EXPECT_EQ(bounds::violations(), 0) << "a fixed table was indexed outside its bounds";
    EXPECT_TRUE(m_answers.empty()) << "scripted answers left over";
}

void ModelTest::copyDemoSchool() const
{
    const QDir demo(QStringLiteral(ORVQZ_DEMO_SCHOOL));
    for (const QString& name : demo.entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(demo.filePath(name), path(name))) << name.toStdString();
}

void ModelTest::startInDataFolder() const
{
    resetModel();
    const QString here = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
    RunStartUp();
    QDir::setCurrent(here);
    gDataPath = m_dir.path() + QLatin1Char('/');
}

QString ModelTest::path(const QString& name) const
{
    return QDir::isAbsolutePath(name) ? name : m_dir.path() + QLatin1Char('/') + name;
}

void ModelTest::writeLines(const QString& name, const QStringList& lines) const
{
    QByteArray bytes;
    for (const QString& l : lines)
        bytes += codepage::encode(l) + "\r\n";
    writeBytes(name, bytes);
}

void ModelTest::writeBytes(const QString& name, const QByteArray& bytes) const
{
    QFile f(path(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray ModelTest::readBytes(const QString& name) const
{
    QFile f(path(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QStringList ModelTest::readLines(const QString& name) const
{
    return datafile::readLines(path(name)).value_or(QStringList{});
}

void ModelTest::setNow(const QDateTime& when) const { Clock::set(when); }

void ModelTest::blockFile(const QString& name) const
{
    QFile::remove(path(name));
    ASSERT_TRUE(QDir().mkdir(path(name)));
}

void ModelTest::unblockFile(const QString& name) const { ASSERT_TRUE(QDir().rmdir(path(name))); }

std::shared_ptr<void> ModelTest::blockedWhileHeld(const QString& name) const
{
    blockFile(name);
    return std::shared_ptr<void>(nullptr, [this, name](void*) { unblockFile(name); });
}

void ModelTest::addStudent(const QString& name, const QString& cls)
{
    ++gStudentCount;
    gStudentNames(gStudentCount) = name;
    gStudentClass(gStudentCount) = cls;
}

void ModelTest::enter(TextBox* field, const QString& text)
{
    field->setText(text);
    QTest::keyClick(field, Qt::Key_Return);
}

void ModelTest::closeAtNextYield(std::function<void()> close)
{
    QMetaObject::invokeMethod(
        qApp,
        [close = std::move(close)] {
            close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        },
        Qt::QueuedConnection);
}
