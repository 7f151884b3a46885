#pragma once

// A main window started the way the program starts it, against a fresh
// configuration folder (with its own documents folder) and the synthetic
// sound devices; messages the window would show are collected instead.
#include "app/FormMain.h"
#include "audio/AudioFile.h"
#include "audio/AudioPlayer.h"
#include "audio/AudioRecord.h"
#include "audio/SoundBackend.h"
#include "audio/backends/SyntheticBackend.h"
#include "files/Playback.h"
#include "files/RecordingsList.h"
#include "hotkeys/Hotkeys.h"
#include "hotkeys/ScriptedKeyboardState.h"
#include "recording/InputSelection.h"
#include "recording/RecordingSession.h"
#include "settings/ConfigPaths.h"
#include "settings/OptionBoxes.h"
#include "settings/OutputFolderChooser.h"
#include "settings/RegistryHive.h"
#include "settings/Settings.h"
#include "settings/TempConfigHome.h"
#include "ui/IconMode.h"
#include "ui/PageMenu.h"
#include "ui/PageMenuHandlers.h"
#include "ui/PresetMenus.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTreeWidget>

#include <memory>
#include <vector>

namespace quillotap::test {

struct ShownMessage {
    QMessageBox::Icon icon;
    QString title;
    QString text;
};

inline std::shared_ptr<SyntheticBackend> Synthetic() {
    return std::dynamic_pointer_cast<SyntheticBackend>(SoundBackend::instance());
}

// Processes events until `done` holds or `ms` pass; returns `done()`.
template <class Condition> bool WaitFor(Condition done, int ms = 10000) {
    QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

class AppFixture : public TempConfigHome {
public:
    void SetUp() override {
        TempConfigHome::SetUp();
        backend_ = Synthetic();
        ASSERT_TRUE(backend_) << "tests run on the synthetic sound back end";
        backend_->setDevices(SyntheticBackend::standardDevices());
        backend_->setDefaultDevice(0);
        documents_ = home_.path() + QStringLiteral("/Documents");
        QDir().mkpath(documents_);
        QFile dirs(home_.path() + QStringLiteral("/user-dirs.dirs"));
        ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
        dirs.write("XDG_DOCUMENTS_DIR=\"" + QFile::encodeName(documents_) + "\"\n");
    }

    void TearDown() override {
        form_.reset();
        backend_->setDevices(SyntheticBackend::standardDevices());
        backend_->setDefaultDevice(0);
        backend_->setOutputVolume(65535);
        backend_->setOutputMuted(false);
        TempConfigHome::TearDown();
    }

    // Uses the device table syntax of the synthetic back end.
    void useDevices(const QString& table, int defaultDevice = 0) {
        QString error;
        auto devices = SyntheticBackend::parseDevices(table, &error);
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
        backend_->setDevices(std::move(devices));
        backend_->setDefaultDevice(defaultDevice);
    }

    FormMain& start(const QStringList& arguments = {QStringLiteral("quillotap")}) {
        return start(FormMainServices{}, arguments);
    }

    // A window whose keyboard, hotkey clock, cue waits or file clock are the
    // test's.
    FormMain& start(FormMainServices services,
                    const QStringList& arguments = {QStringLiteral("quillotap")}) {
        form_ = std::make_unique<FormMain>(std::move(services));
        form_->setMessageHandler(
            [this](QMessageBox::Icon icon, const QString& title, const QString& text) {
                messages_.push_back({icon, title, text});
            });
        started_ = form_->StartUp(arguments);
        return *form_;
    }

    // Services for a window driven by the test: a scripted keyboard (handed
    // out through `keys`), a hotkey poller ticked by hand and start/stop
    // cues that do not wait.
    static FormMainServices handDrivenServices(ScriptedKeyboardState** keys = nullptr) {
        FormMainServices services;
        auto keyboard = std::make_unique<ScriptedKeyboardState>();
        if (keys)
            *keys = keyboard.get();
        services.keyboard = std::move(keyboard);
        services.hotkeyClock = HotkeyClock::Manual;
        services.cueWait = [](int) {};
        return services;
    }

    // Closes the window (the shut-down runs) and starts a new one.
    FormMain& restart() {
        close();
        Registry::instance().reload();
        return start();
    }

    void close() {
        if (!form_)
            return;
        form_->close();
        form_.reset();
    }

    FormMain& form() { return *form_; }

    template <class T> T* control(const char* name) {
        T* found = form_->control<T>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    // The value names under the program key of the hive file, in file order,
    // and one value's text.
    QStringList storedNames() const {
        const auto hive = RegistryHive::parse(readAll(hiveFilePath()));
        return hive ? hive->valueNames(QString::fromLatin1(kProgramKey)) : QStringList();
    }
    static QString stored(const QString& name) { return ReadSetting(name); }

    void installSettings(const QByteArray& values) {
        installHive("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Velmora Software\\Quillotap]\n" +
                    values);
    }

    std::shared_ptr<SyntheticBackend> backend_;
    QString documents_;
    std::unique_ptr<FormMain> form_;
    std::vector<ShownMessage> messages_;
    bool started_ = false;
};

// A window test whose synthetic devices run 40 times faster than real time.
class FastAppFixture : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        backend_->setSpeed(40);
    }
    void TearDown() override {
        AppFixture::TearDown();
        backend_->setSpeed(1);
    }
};

} // namespace quillotap::test
