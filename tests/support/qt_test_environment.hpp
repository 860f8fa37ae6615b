#pragma once
// Window tests run without a display: the offscreen platform, a private
// runtime directory, and a quiet log apart from real warnings.

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

// Call before the QApplication is created.
inline void prepareHeadlessQt() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QTemporaryDir runtime;  // private (mode 0700) and removed when the test ends
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
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
