#pragma once
// Window tests run without a display, and without touching the account they
// run in: the offscreen platform, a private home, runtime, data and settings
// folder, and a quiet log apart from real warnings.

#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

namespace mc::testing {

inline QtMessageHandler previousHandler = nullptr;

// The offscreen platform cannot size or raise windows and says so each time.
inline void dropOffscreenNoise(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message == QLatin1String("This plugin does not support propagateSizeHints()") ||
        message == QLatin1String("This plugin does not support raise()"))
        return;
    if (previousHandler) previousHandler(type, context, message);
}

// The test runner installs its own handler; call from initTestCase().
inline void quietOffscreenNoise() { previousHandler = qInstallMessageHandler(dropOffscreenNoise); }

// Call before the QApplication is created. Nothing the test writes (recovery
// copies, settings, a CUPS lpoptions file) reaches the real home folder, and
// nothing found there (an lpoptions file choosing another printer) reaches
// the test.
inline void prepareHeadlessQt() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QTemporaryDir home;  // private (mode 0700) and removed when the test ends
    const QByteArray path = QFile::encodeName(home.path());
    qputenv("HOME", path);
    qputenv("XDG_RUNTIME_DIR", path);
    qputenv("XDG_DATA_HOME", path + "/.local/share");
    qputenv("XDG_CONFIG_HOME", path + "/.config");
    qputenv("XDG_CACHE_HOME", path + "/.cache");
}

}  // namespace mc::testing

// QTEST_MAIN for the headless window tests.
#define MC_HEADLESS_TEST_MAIN(TestClass)          \
    int main(int argc, char** argv) {             \
        mc::testing::prepareHeadlessQt();         \
        QApplication app(argc, argv);             \
        TestClass test;                           \
        return QTest::qExec(&test, argc, argv);   \
    }
