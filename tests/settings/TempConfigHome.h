#pragma once

// A test fixture that points XDG_CONFIG_HOME at a fresh temporary folder and
// makes the process registry start over from it, so no test sees the user's
// real settings or another test's leftovers.
#include "settings/ConfigPaths.h"
#include "settings/Registry.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>
#include <unistd.h>

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace quillotap::test {

class TempConfigHome : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home_.isValid());
        saved_ = qgetenv("XDG_CONFIG_HOME");
        hadSaved_ = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home_.path()));
        Registry::instance().reload();
    }

    void TearDown() override {
        if (hadSaved_)
            qputenv("XDG_CONFIG_HOME", saved_);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }

    // Puts `text` into the hive file as another program would and reloads.
    void installHive(const QByteArray& text) {
        QDir().mkpath(home_.path() + QStringLiteral("/quillotap"));
        QFile file(hiveFilePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(text), text.size());
        file.close();
        Registry::instance().reload();
    }

    static QByteArray readAll(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Permission tests mean nothing to root, who may write anywhere.
    static bool runningAsRoot() { return ::geteuid() == 0; }

    QTemporaryDir home_;

private:
    QByteArray saved_;
    bool hadSaved_ = false;
};

} // namespace quillotap::test
