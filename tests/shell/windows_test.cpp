// The shell's windows through their real widgets: the frame's Open page, its
// list and the keyboard, what may be typed into a box, the regional number
// format; the progress of a printout; and the print page window, how it reads
// the print file and lays the page out, rendered in-process to PDF and read
// back with poppler's tools.

#include <QKeyEvent>
#include <QProgressDialog>
#include <QTemporaryDir>

#include "shell/ui/editor_window.hpp"
#include "shell/ui/named_widget.hpp"
#include "shell/ui/settprint.hpp"
#include "support/pdf_text.hpp"
#include "support/qt_test_environment.hpp"
#include "support/recording_printer.hpp"
#include "support/temp_folder.hpp"
#include "support/window_driver.hpp"

using mc::ui::SettPrint;
using namespace mc::testing;

static mc::FrameLayout plainLayout() {
    mc::FrameLayout layout;
    layout.windowName = "Plain_Macro_Creator";
    layout.extension = ".tst";
    layout.fileButtons = {{"Command15", "Print Macro Data"}};
    return layout;
}

class ShellWindowsTest : public QObject {
    Q_OBJECT

    TempFolder folder;

    QWidget* openWindow(const std::filesystem::path& workingFolder) {
        auto* window = new mc::ui::EditorWindow(
            std::make_unique<mc::EditorFrame>(plainLayout(), workingFolder, mc::NumberFormat{}), new QWidget,
            new QWidget);
        window->show();
        QApplication::setActiveWindow(window);
        if (!QTest::qWaitForWindowActive(window)) qWarning("window not active");
        return window;
    }

private slots:
    void initTestCase() {
        quietOffscreenNoise();
        for (const char* name : {"one.tst", "two.tst", "three.tst"}) folder.write(name, "");
    }
    void cleanup() {
        for (QWidget* window : QApplication::topLevelWidgets()) window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The Open page names the folder it lists; a name beyond Latin-1 shows '?'
    // where the character cannot be shown, like the names of the files.
    void theOpenPageNamesItsWorkingFolder() {
        for (const auto& [name, shownName] :
             {std::pair{"Ward 3", "Ward 3"}, {"M\u00e9dicaments", "M\u00e9dicaments"}, {"\u00c4rzte \u20ac", "\u00c4rzte ?"}}) {
            const std::filesystem::path workingFolder = folder.path() / QString::fromUtf8(name).toStdU16String();
            std::filesystem::create_directories(workingFolder);
            QWidget* window = openWindow(workingFolder);
            QVERIFY(visible(window, "WorkingFolder"));
            QVERIFY(widget(window, "Frame1")->isAncestorOf(widget(window, "WorkingFolder")));
            QCOMPARE(shown(window, "WorkingFolder"),
                     QString::fromStdString(folder.path().string()) + '/' + QString::fromUtf8(shownName));
        }
    }

    // Taking the focus chooses nothing; the first key stroke lands on the first file, as in any list.
    void movingThroughTheListWithTheKeyboardChoosesAFile() {
        QWidget* window = openWindow(folder.path());
        auto* list = widget<QListWidget>(window, "File1");
        list->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        QVERIFY(list->hasFocus());
        QCOMPARE(shown(window, "Text30"), QString());
        for (const auto& [key, chosen] : {std::pair{Qt::Key_Down, "one.tst"}, {Qt::Key_End, "two.tst"},
                                          {Qt::Key_Up, "three.tst"}, {Qt::Key_Home, "one.tst"}}) {
            QTest::keyClick(list, key);
            QCOMPARE(shown(window, "Text30"), QString::fromLatin1(chosen));
        }
    }

    void onlyLatin1CanBeTyped() {
        QWidget* window = openWindow(folder.path());
        for (const char* button : {"Command12", "Command3", "Command10"}) clickButton(window, button);  // New, on to Save
        auto* name = widget<QLineEdit>(window, "Text29");
        name->setFocus();
        // Each character as a key press of its own; the euro sign and a kanji are refused.
        for (const QChar c : QString::fromUtf8("D\u00e9p\u20ac\u65e5t")) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(name, &press);
        }
        QCOMPARE(name->text(), QString::fromUtf8("D\u00e9pt"));
        QVERIFY(enabled(window, "Command11"));
    }

    // A drop-down whose entries change shows the longest of them whole.
    void aDropDownGrowsToItsLongestEntry() {
        mc::EditorFrame model(plainLayout(), folder.path(), mc::NumberFormat{});
        model.form().add("Combo1").items = {"mg"};
        QWidget window;
        auto* combo = mc::ui::named<QComboBox>("Combo1", &window);
        mc::ui::FormBinding binding(&window, model);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        const QString longest = QStringLiteral("Million Units/kg/hr");
        model.form()["Combo1"].items = {"mg", longest.toStdString()};
        binding.render();
        combo->adjustSize();
        QVERIFY(combo->width() > combo->fontMetrics().horizontalAdvance(longest));
    }

    void theRegionalDecimalSeparatorReachesTheCore() {
        QCOMPARE(mc::ui::numberFormatOf(QLocale(QLocale::English, QLocale::UnitedStates)).decimalSeparator, '.');
        QCOMPARE(mc::ui::numberFormatOf(QLocale(QLocale::German, QLocale::Germany)).decimalSeparator, ',');
        QCOMPARE(mc::ui::numberFormatOf(QLocale(QLocale::French, QLocale::France)).decimalSeparator, ',');
    }

    // A printout of several pages shows its progress; Cancel stops it after the page in print.
    void aLongPrintoutShowsItsProgressAndCanBeCancelled() {
        RecordingPrinter printer;
        const mc::PrintServices recording = printer.services();
        mc::PrintServices services = mc::ui::systemPrintServices();
        services.printerProblem = recording.printerProblem;
        QStringList labels;
        services.printFile = [&](const std::filesystem::path& file, const std::string& footer) {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<QProgressDialog*>(top); dialog && dialog->isVisible()) {
                    labels << dialog->labelText();
                    if (labels.size() < 3) continue;
                    saveScreenshot(dialog, QStringLiteral("print-progress"));
                    dialog->cancel();
                }
            return recording.printFile(file, footer);
        };
        QCOMPARE(mc::printPages(folder.path(), std::vector<mc::PrintedPage>(6, {"Title", "body"}), {"Long.tm2", ""}, services),
                 std::optional<std::string>("Printing cancelled: 3 of 6 pages were printed; the rest were not."));
        QCOMPARE(labels, (QStringList{"Printing page 1 of 6", "Printing page 2 of 6", "Printing page 3 of 6"}));
        QCOMPARE(printer.jobs.size(), 3u);
    }

    // Everything below the title is the body, blank lines and blanks kept; a title alone is nothing to print.
    void readsTitleAndBodyLines() {
        const struct { QByteArray bytes; QString title, body; } cases[] = {
            {"T\r\n a \r\nb\r\n", "T", " a \nb\n"}, {"T\r\n\r\n\r\n", "T", "\n\n"}, {"T\r\nb", "T", "b\n"},
            {"T\nb\n", "T", "b\n"}, {"\xB5g\r\n\xE9t\xE9\r\n", QString::fromUtf8("µg"), QString::fromUtf8("été\n")},
            {"T\r\n", "T", ""}, {"", "", ""},
        };
        for (const auto& c : cases) {
            folder.write("ToPrint.tmp", c.bytes.toStdString());
            SettPrint window;
            QCOMPARE(window.layOut(folder.path() / "ToPrint.tmp", ""), !c.body.isEmpty());
            QCOMPARE(shown(&window, "Label2"), c.title);
            QCOMPARE(shown(&window, "Label1"), c.body);
        }
    }

    void laysTheTitleAndBodyOutOnOnePage() {
        const QStringList body = {QStringLiteral("Drug Number              : 2"),
                                  QStringLiteral("   Dose Minimum          : 0.5 mg"),
                                  QStringLiteral("      iiiiiiii|MMMMMMMM|")};
        const std::string page = "Drug Library: CARDIO     Page 1 of 3\r\n" + body.join("\r\n").toStdString() + "\r\n";
        folder.write("ToPrint.tmp", page);
        SettPrint window;
        const std::string footer = "File CARDIO.tm2  SHA-256 ba33bbf01d353c74  Page 1 of 3  Printed 2026-12-06 14:05";
        QVERIFY(window.layOut(folder.path() / "ToPrint.tmp", footer));
        // Laid out at the size of the sheet, larger than many screens, the page is never shown.
        QVERIFY(window.width() > 700 && window.height() > 1000);
        QTemporaryDir rendered;
        QFile file(rendered.filePath(QStringLiteral("page.pdf")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(window.renderPdf()) > 0);
        file.close();
        const QString pdf = file.fileName();
        QVERIFY(!window.isVisible());
        QCOMPARE(folder.read("ToPrint.tmp"), page);  // the print file stays, holding the page

        // The text reads back line for line, the body keeping its blanks; the
        // footer stands below the body, in the body's font, never in the print file.
        const QStringList text = pdfText(pdf).split(QLatin1Char('\n'));
        auto lineWith = [&](const QString& words) {
            for (const QString& line : text)
                if (line.contains(words)) return line;
            return QStringLiteral("<%1 not found>").arg(words);
        };
        QVERIFY2(lineWith(QStringLiteral("Drug Library: CARDIO")).contains(QStringLiteral("Page 1 of 3")), qPrintable(text.join('\n')));
        const qsizetype margin = lineWith(QStringLiteral("Drug Number")).indexOf(QLatin1Char('D'));
        for (const QString& line : body) QCOMPARE(lineWith(line.trimmed()).mid(margin), line);
        QCOMPARE(lineWith(QStringLiteral("SHA-256")).simplified(), QString::fromStdString(footer).simplified());

        // Placement and type, in points from the sheet's top-left corner: both
        // labels 960 twips (48 pt) from the left, their tops 1080 and 2160 twips
        // (54 and 108 pt) down, the title 18 pt and the body 8.25 pt, the body
        // fixed-pitch (Liberation Mono advances 0.6 em) with its blanks kept.
        const QList<Word> words = wordsOf(pdf);
        const Word title = wordOf(words, QStringLiteral("Drug"), 1), first = wordOf(words, QStringLiteral("Drug"), 2),
                   indented = wordOf(words, QStringLiteral("iiiiiiii|MMMMMMMM|")), footed = wordOf(words, QStringLiteral("File"));
        constexpr double Advance = 0.6 * 8.25;
        QVERIFY2(near(title.xMin, 48, 1) && title.yMin > 53.5 && title.yMin < 60, title.describe().constData());
        QVERIFY2(near(first.xMin, 48, 0.5) && first.yMin > 107.5 && first.yMin < 112, first.describe().constData());
        QVERIFY2(near((title.yMax - title.yMin) / (first.yMax - first.yMin), 18 / 8.25, 0.1), title.describe().constData());
        QVERIFY2(near(indented.xMin, 48 + 6 * Advance, 0.5) && near(indented.xMax - indented.xMin, 18 * Advance, 0.5),
                 indented.describe().constData());
        QVERIFY2(near(footed.xMin, 48, 0.5) && footed.yMin > indented.yMax + 8 &&
                     near(footed.yMax - footed.yMin, first.yMax - first.yMin, 0.5),
                 footed.describe().constData());
        const QString fonts = output(QStringLiteral("pdffonts"), {pdf});
        QVERIFY2(fonts.contains(QStringLiteral("LiberationSans")) && fonts.contains(QStringLiteral("LiberationMono")),
                 qPrintable(fonts));
    }
};

MC_HEADLESS_TEST_MAIN(ShellWindowsTest)
#include "windows_test.moc"
