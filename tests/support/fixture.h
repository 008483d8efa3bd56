#pragma once
// The common start of every test: a clean data model with its constant tables,
// an empty temporary data folder as gDataPath, a fixed clock, a seeded random
// generator, and message boxes answered from a script.
#include "platform/controls.h"
#include "platform/dialogs.h"

#include <QByteArray>
#include <QDateTime>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

class ModelTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The day the clock is fixed to.
    static inline const QDate today{2026, 3, 11};

    // Full path of a file in the data folder; an absolute path stays as it is.
    QString path(const QString& name) const;
    // Writes a data file: lines in Windows-1252, each ended by CR LF.
    void writeLines(const QString& name, const QStringList& lines) const;
    void writeBytes(const QString& name, const QByteArray& bytes) const;
    QByteArray readBytes(const QString& name) const;
    // The lines of a data file as the program reads them.
    QStringList readLines(const QString& name) const;

    // Messages and questions are answered from the script again, after a
    // test had them shown in real boxes (dialogs::clearHandler()).
    void answerFromScript();
    // Answers for the next questions (true = "Ja", false = "Nein", or an
    // Answer such as Answer::Cancel); every message shown is kept.
    void answer(std::initializer_list<dialogs::Reply> answers) { m_answers.insert(m_answers.end(), answers); }
    QStringList messages() const { return m_messages; }
    // The title of each message kept, in the same order.
    QStringList titles() const { return m_titles; }
    // The questions whose "Nein" Enter would answer.
    QStringList noPreselected() const { return m_noPreselected; }

    // Fills the data folder with a copy of the demo school's files.
    void copyDemoSchool() const;
    // The model as both programs start in the data folder: reset, then the
    // shared start-up run there (master data, the plan the settings ask for).
    void startInDataFolder() const;

    // Sets the clock to a date (and time).
    void setNow(const QDateTime& when) const;

    // Puts a folder where the file should be: writing it fails, even for root.
    void blockFile(const QString& name) const;
    void unblockFile(const QString& name) const;
    // The same while what it gives is held.
    std::shared_ptr<void> blockedWhileHeld(const QString& name) const;

    // Appends a student to the student list.
    static void addStudent(const QString& name, const QString& cls);

    // Types into a field and presses Enter.
    static void enter(TextBox* field, const QString& text);

    // Queues `close` as a click on "Exit" waits in the queue: the next yield
    // to the event loop carries it out. The windows it closes are deleted
    // there and then, as a later turn of the loop would delete them.
    static void closeAtNextYield(std::function<void()> close);
    // Carries out `close` while the next message box or question is up, as
    // a click waiting in the queue runs in the box's event loop; the windows
    // it closes are deleted there and then.
    void closeAtNextMessage(std::function<void()> close) { m_closeAtMessage = std::move(close); }

    // The field colours: accepted, neutral, refused.
    static bool green(const QWidget* w) { return controls::backColor(w) == 0xC0FFC0u; }
    static bool grey(const QWidget* w) { return controls::backColor(w) == 0xE0E0E0u; }
    static bool red(const QWidget* w) { return controls::backColor(w) == 0xC0C0FFu; }

    QTemporaryDir m_dir;

private:
    std::deque<dialogs::Reply> m_answers;
    QStringList m_messages;
    QStringList m_titles;
    QStringList m_noPreselected;
    std::function<void()> m_closeAtMessage;
};
