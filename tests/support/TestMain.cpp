// Entry point of every test program: an offscreen QApplication (widget tests
// need one, the audio engine delivers its events through its event loop),
// then GoogleTest.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Tests never talk to a real sound server unless they start one themselves.
    if (qEnvironmentVariableIsEmpty("QUILLOTAP_AUDIO"))
        qputenv("QUILLOTAP_AUDIO", "synthetic");
    // Nor do they read the desktop's keyboard or bind its shortcuts: a test
    // that wants hotkeys hands the window its own keyboard or portal.
    if (qEnvironmentVariableIsEmpty("QUILLOTAP_HOTKEYS"))
        qputenv("QUILLOTAP_HOTKEYS", "none");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
