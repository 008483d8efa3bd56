#pragma once
// The common start of every test: a clean data model with its constant tables,
// an empty temporary data folder as gDataPath, a fixed clock, a seeded random
// generator, and message boxes answered from a script.
#include <QByteArray>
#include <QDateTime>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <gtest/gtest.h>

class ModelTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Full path of a file in the data folder.
    QString path(const QString& name) const;
    // Writes a data file: lines in Windows-1252, each ended by CR LF.
    void writeLines(const QString& name, const QStringList& lines) const;
    void writeBytes(const QString& name, const QByteArray& bytes) const;
    QByteArray readBytes(const QString& name) const;
    // The lines of a data file as the program reads them.
    QStringList readLines(const QString& name) const;

    // Answers for the next questions (true = "Ja"); every message shown is kept.
    void answer(std::initializer_list<bool> answers) { m_answers.insert(m_answers.end(), answers); }
    QStringList messages() const { return m_messages; }

    // Sets the clock to a date (and time).
    void setNow(const QDateTime& when) const;

    QTemporaryDir m_dir;

private:
    std::deque<bool> m_answers;
    QStringList m_messages;
};
