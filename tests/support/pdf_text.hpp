#pragma once
// Reading printed pages back: text and word positions of a PDF, through
// poppler's command-line tools.

#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <cmath>

namespace mc::testing {

inline QString output(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) return QStringLiteral("<%1 failed>").arg(program);
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline QString pdfText(const QString& pdf) {
    return output(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
}

// A word of `pdftotext -bbox` in points from the top-left corner of the sheet.
struct Word {
    QString text;
    double xMin, yMin, xMax, yMax;

    QByteArray describe() const {
        return QStringLiteral("%1 at x %2..%3, y %4..%5").arg(text).arg(xMin).arg(xMax).arg(yMin).arg(yMax).toUtf8();
    }
};

inline bool near(double value, double expected, double tolerance) { return std::abs(value - expected) <= tolerance; }

inline QList<Word> wordsOf(const QString& pdf) {
    static const QRegularExpression pattern(QString::fromLatin1(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<Word> words;
    const QString html = output(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    for (auto it = pattern.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        words.append({m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                      m.captured(4).toDouble()});
    }
    return words;
}

// The `nth` word (from 1) reading `text`, in the order poppler found them.
inline Word wordOf(const QList<Word>& words, const QString& text, int nth = 1) {
    for (const Word& w : words)
        if (w.text == text && --nth == 0) return w;
    return {QStringLiteral("<%1 not found>").arg(text), -1, -1, -1, -1};
}

}  // namespace mc::testing
