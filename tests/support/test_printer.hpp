#pragma once
// The test printer: a cups-pdf queue of a local scheduler (started by
// scripts/cups-test-printer.sh) whose jobs end up as PDF files to read back.

#include <pwd.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <algorithm>

#include "support/pdf_text.hpp"

namespace mc::testing {

inline const QString Queue = QStringLiteral("MacroCreatorPDF");
// cups-pdf writes into the PDF folder of the job owner's home as the user
// database has it, whatever HOME says.
inline QString pdfFolder() { return QString::fromLocal8Bit(getpwuid(getuid())->pw_dir) + QStringLiteral("/PDF"); }

inline QSet<QString> pdfsNow() {
    const QStringList names = QDir(pdfFolder()).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    return QSet<QString>(names.begin(), names.end());
}

// cups-pdf writes the PDF in place: it is complete once the queue no longer lists the job.
inline bool queueDrained() {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 60000) {
        if (output(QStringLiteral("lpstat"), {QStringLiteral("-o"), Queue}).trimmed().isEmpty()) return true;
        QTest::qWait(100);
    }
    return false;
}

// The job number in a cups-pdf file name ("ToPrint-job_12.pdf").
inline int jobNumber(const QString& pdf) {
    static const QRegularExpression pattern(QStringLiteral("job_(\\d+)\\.pdf$"));
    return pattern.match(pdf).captured(1).toInt();
}

// The PDFs the queue wrote since `before`, in the order the jobs were sent.
inline QStringList newPdfs(const QSet<QString>& before) {
    if (!queueDrained()) return {QStringLiteral("<queue did not drain>")};
    QStringList added;
    for (const QString& name : pdfsNow())
        if (!before.contains(name)) added << pdfFolder() + QLatin1Char('/') + name;
    std::sort(added.begin(), added.end(), [](const QString& a, const QString& b) { return jobNumber(a) < jobNumber(b); });
    return added;
}

// Runs one of CUPS's queue commands (cupsreject, cupsaccept, cupsdisable, cupsenable) on the test queue.
inline bool queueCommand(const char* command) {
    return output(QString::fromLatin1(command), {Queue}) != QStringLiteral("<%1 failed>").arg(QString::fromLatin1(command));
}

// The queue of the test scheduler must be the default printer: HOME moves to
// the private runtime folder so that no ~/.cups/lpoptions of the user running
// the tests picks another one, nor may PRINTER or LPDEST. Call after
// prepareHeadlessQt().
inline void useTestPrinter() {
    qputenv("HOME", qgetenv("XDG_RUNTIME_DIR"));
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    qunsetenv("CUPS_SERVER");
}

}  // namespace mc::testing
