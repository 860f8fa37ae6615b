#include <QTest>
class ProtocolWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void nothing() {}
};
QTEST_MAIN(ProtocolWindowsTest)
#include "windows_test.moc"
