#pragma once
// The test printer: the default queue of the run's private CUPS scheduler
// (started by scripts/cups-test-printer.sh, reached through CUPS_SERVER),
// whose device writes each job as a PDF file to read back.

#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <algorithm>

#include "support/pdf_text.hpp"

namespace mc::testing {

inline const QString Queue = QStringLiteral("MacroCreatorPDF");
// Where the queue's device puts the jobs, as CTest says.
inline QString pdfFolder() { return qEnvironmentVariable("MC_TEST_PRINTER_PDFS"); }

inline QSet<QString> pdfsNow() {
    const QStringList names = QDir(pdfFolder()).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    return QSet<QString>(names.begin(), names.end());
}

// The device moves each PDF into place whole; it is there once the queue no longer lists the job.
inline bool queueDrained() {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 60000) {
        if (output(QStringLiteral("lpstat"), {QStringLiteral("-o"), Queue}).trimmed().isEmpty()) return true;
        QTest::qWait(100);
    }
    return false;
}

// The job number in a PDF's name ("job_12.pdf").
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

// The run's scheduler must be the one printed on: without CUPS_SERVER (a
// test started outside CTest) the test would reach the machine's own printers,
// so it stops instead. Nor may PRINTER or LPDEST pick another queue. Call
// after prepareHeadlessQt().
inline void useTestPrinter() {
    if (!qEnvironmentVariableIsSet("CUPS_SERVER") || pdfFolder().isEmpty())
        qFatal("The printing tests need the test printer: run them through ctest, which starts it.");
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
}

}  // namespace mc::testing
