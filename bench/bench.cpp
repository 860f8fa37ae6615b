// Timings of the windows for scripts/bench.sh, on the offscreen platform:
//   mc_bench first-paint selection|bare   start, paint the window once, exit
//   mc_bench windows                      in-process timings, medians
//   mc_bench write-libraries DIR          full libraries of each kind to time
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <vector>

#include "app/editor_catalog.hpp"
#include "druglib_dual/core/quelda041_editor.hpp"
#include "druglib_dual/core/tm2_file.hpp"
#include "protocols/core/macro_file.hpp"
#include "shell/ui/selection_window.hpp"

namespace {

// Waits until `widget` has been painted once after the call.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget* widget) { widget->installEventFilter(this); }
    void wait() {
        QElapsedTimer limit;
        limit.start();
        while (!painted_ && limit.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (!painted_) std::fprintf(stderr, "no paint within 5 s\n");
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted_ = true;
        return false;
    }

private:
    bool painted_ = false;
};

void showAndWait(QWidget* window, QWidget* watched = nullptr) {
    PaintWatch watch(watched ? watched : window);
    window->show();
    watch.wait();
}

QWidget* bareWindow() {
    auto* window = new QWidget;
    auto* label = new QLabel(QStringLiteral("Select pump software version"), window);
    label->move(18, 10);
    window->resize(mc::ui::SelectionWindow([](mc::EditorKind) { return nullptr; }).sizeHint());
    return window;
}

QWidget* selectionWindow(const std::filesystem::path& folder) {
    return new mc::ui::SelectionWindow([folder](mc::EditorKind kind) {
        return mc::app::createEditorWindow(kind, folder, mc::NumberFormat{});
    });
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <typename Run>
double timed(int rounds, Run run) {
    std::vector<double> ms;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        ms.push_back(run(timer));
    }
    return median(ms);
}

double elapsedMs(const QElapsedTimer& timer) { return static_cast<double>(timer.nsecsElapsed()) / 1e6; }

// The widgets of a window by page, class and caption, to build a bare twin.
struct Shape {
    struct Item {
        int page;
        QString className;
        QString text;
        QStringList items;
        bool hidden = false;
        bool disabled = false;
    };
    std::vector<Item> items;
};

int pageOf(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (w->objectName().startsWith(QStringLiteral("Frame")) && w->objectName().size() == 6)
            return w->objectName().back().digitValue() - 1;
    return -1;
}

Shape shapeOf(QWidget* window) {
    Shape shape;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const int page = pageOf(w);
        if (page < 0 || w->objectName().startsWith(QStringLiteral("Frame"))) continue;
        QString text;
        QStringList items;
        if (auto* b = qobject_cast<QAbstractButton*>(w)) text = b->text();
        if (auto* l = qobject_cast<QLabel*>(w)) text = l->text();
        if (auto* e = qobject_cast<QLineEdit*>(w)) text = e->text();
        if (auto* c = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i) items << c->itemText(i);
        const QString name = QString::fromLatin1(w->metaObject()->className());
        if (name == QLatin1String("QLabel") || name == QLatin1String("QPushButton") || name == QLatin1String("QLineEdit") ||
            name == QLatin1String("QComboBox") || name == QLatin1String("QCheckBox") ||
            name == QLatin1String("QListWidget"))
            shape.items.push_back({page, name, text, items, w->isHidden(), !w->isEnabled()});
    }
    return shape;
}

QWidget* makeWidget(const Shape::Item& item) {
    if (item.className == QLatin1String("QLabel")) return new QLabel(item.text);
    if (item.className == QLatin1String("QPushButton")) return new QPushButton(item.text);
    if (item.className == QLatin1String("QCheckBox")) return new QCheckBox(item.text);
    if (item.className == QLatin1String("QComboBox")) {
        auto* combo = new QComboBox;
        combo->addItems(item.items);
        return combo;
    }
    if (item.className == QLatin1String("QListWidget")) return new QListWidget;
    return new QLineEdit(item.text);
}

// The same content as the window shows: captions, texts, list entries, state.
QWidget* make(const Shape::Item& item) {
    QWidget* widget = makeWidget(item);
    if (item.hidden) widget->hide();
    if (item.disabled) widget->setEnabled(false);
    return widget;
}

// Plain Qt: the same widgets on four stacked pages in grids, no style of our own.
QWidget* bareTwin(const Shape& shape) {
    auto* window = new QWidget;
    auto* pages = new QStackedWidget;
    std::vector<QGridLayout*> grids;
    for (int p = 0; p < 4; ++p) {
        auto* page = new QGroupBox;
        grids.push_back(new QGridLayout(page));
        pages->addWidget(page);
    }
    std::vector<int> placed(4, 0);
    for (const Shape::Item& item : shape.items) {
        const auto p = static_cast<std::size_t>(item.page);
        grids[p]->addWidget(make(item), placed[p] / 6, placed[p] % 6);
        ++placed[p];
    }
    auto* all = new QVBoxLayout(window);
    all->addWidget(pages);
    return window;
}

QAbstractButton* button(QWidget* window, const char* name) {
    return window->findChild<QAbstractButton*>(QString::fromLatin1(name));
}

int windows() {
    QTemporaryDir folder;
    const std::filesystem::path dir = folder.path().toStdString();
    {
        mc::druglib::DrugLibrary library;
        for (int d = 1; d <= mc::druglib::DepartmentCount; ++d) library.DepartmentNames[d] = "Department " + std::to_string(d);
        for (int n = 1; n <= mc::druglib::DrugCount; ++n) {
            library.DrugNames[n] = "Drug " + std::to_string(n);
            library.DrugUnitCodes[n] = 7;
            library.DoseMaxCodes[n] = 10000;
            library.DepartmentMasks[n] = 1;
        }
        std::ofstream(dir / "full.tm2", std::ios::binary) << mc::druglib::writeTm2Release041(library, "FULL");
    }
    const int rounds = 15;
    std::printf("%-62s %9s\n", "in-process, median of 15 (offscreen)", "ms");

    const double selection = timed(rounds, [&](QElapsedTimer& timer) {
        timer.start();
        QWidget* window = selectionWindow(dir);
        showAndWait(window);
        const double ms = elapsedMs(timer);
        delete window;
        return ms;
    });
    std::printf("%-62s %9.2f\n", "start-up window: set-up and first paint", selection);

    for (const auto& [name, caption] : {std::pair{"Command9", "Quelda041"}, std::pair{"Command2", "Quelda036"}}) {
        const double open = timed(rounds, [&](QElapsedTimer& timer) {
            QWidget* start = selectionWindow(dir);
            showAndWait(start);
            auto* chooser = static_cast<mc::ui::SelectionWindow*>(start);
            const auto kind = std::string_view(caption) == "Quelda041" ? mc::EditorKind::Quelda041 : mc::EditorKind::Quelda036;
            timer.start();
            button(start, name)->click();
            QWidget* editor = chooser->editor(kind);
            PaintWatch watch(editor);
            watch.wait();
            const double ms = elapsedMs(timer);
            delete editor;
            delete start;
            return ms;
        });
        std::printf("%-62s %9.2f\n", (std::string("click \"") + caption + "\" to the editor's first paint").c_str(), open);
    }

    QWidget* model = mc::app::createEditorWindow(mc::EditorKind::Quelda041, dir, mc::NumberFormat{});
    const Shape shape = shapeOf(model);
    delete model;
    std::vector<double> real, bare;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        QWidget* window = mc::app::createEditorWindow(mc::EditorKind::Quelda041, dir, mc::NumberFormat{});
        showAndWait(window);
        real.push_back(elapsedMs(timer));
        delete window;
        timer.start();
        QWidget* twin = bareTwin(shape);
        showAndWait(twin);
        bare.push_back(elapsedMs(timer));
        delete twin;
    }
    const double modelOnly = timed(rounds, [&](QElapsedTimer& timer) {
        timer.start();
        mc::druglib::Quelda041Editor editor(dir, mc::NumberFormat{});
        return elapsedMs(timer);
    });
    const double r = median(real), b = median(bare);
    std::printf("%-62s %9.2f\n", "release-041 editor window: build and first paint", r);
    std::printf("%-62s %9.2f\n", ("bare Qt twin, same " + std::to_string(shape.items.size()) + " widgets").c_str(), b);
    std::printf("%-62s %9.2f\n", "  of which the editor's model (no widgets)", modelOnly);
    std::printf("%-62s %8.1f%%\n", "editor window against its bare twin (goal: within 5 %)", (r / b - 1) * 100);

    const double open = timed(rounds, [&](QElapsedTimer& timer) {
        QWidget* window = mc::app::createEditorWindow(mc::EditorKind::Quelda041, dir, mc::NumberFormat{});
        showAndWait(window);
        auto* list = window->findChild<QListWidget*>(QStringLiteral("File1"));
        list->setCurrentRow(0);
        list->itemClicked(list->item(0));
        QCoreApplication::processEvents();
        timer.start();
        PaintWatch watch(window->findChild<QWidget*>(QStringLiteral("Frame2")));
        button(window, "Command1")->click();
        watch.wait();
        const double ms = elapsedMs(timer);
        delete window;
        return ms;
    });
    std::printf("%-62s %9.2f\n", "click \"Open\" on a full library to the department page", open);
    return 0;
}

int firstPaint(const QString& which) {
    QTemporaryDir folder;
    QWidget* window = which == QLatin1String("bare") ? bareWindow() : selectionWindow(folder.path().toStdString());
    showAndWait(window);
    delete window;
    return 0;
}

// Every slot and protocol filled, as the longest files of each kind are.
int writeLibraries(const std::filesystem::path& dir) {
    mc::druglib::DrugLibrary library;
    for (int d = 1; d <= mc::druglib::DepartmentCount; ++d) library.DepartmentNames[d] = "Department " + std::to_string(d);
    for (int n = 1; n <= mc::druglib::DrugCount; ++n) {
        library.DrugNames[n] = "Drug " + std::to_string(n);
        library.DrugUnitCodes[n] = 7;
        library.ConcMinCodes[n] = 1000;
        library.ConcMaxCodes[n] = 2000;
        library.DoseMinCodes[n] = 500;
        library.DoseMaxCodes[n] = 10000;
        library.DepartmentMasks[n] = 0xFFFFFF;
    }
    std::ofstream(dir / "full041.tm2", std::ios::binary) << mc::druglib::writeTm2Release041(library, "FULL");
    for (int n = 1; n <= mc::druglib::DrugCount; ++n) library.DrugUnitCodes[n] = 3;
    std::ofstream(dir / "full036.tm2", std::ios::binary) << mc::druglib::writeTm2Release036(library);
    mc::protocols::ProtocolMacro macro;
    for (int f = 1; f <= mc::protocols::MaxSettingCount; ++f) macro.PumpSettings[f] = "1";
    for (int k = 1; k <= mc::protocols::ProtocolCount; ++k) {
        macro.ProtocolDrugName[k] = "Protocol " + std::to_string(k);
        macro.ProtocolConcentration[k] = "1";
        macro.ProtocolBagVolume[k] = "100";
    }
    std::ofstream(dir / "full.tb2", std::ios::binary) << mc::protocols::writeProtocolMacro(macro, mc::protocols::Variant::Kt, "FULL");
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "write-libraries") return writeLibraries(args[1]);
    // The offscreen platform warns on every fixed-size window; writing that
    // out is no part of what a window costs on a real display.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QApplication app(argc, argv);
    if (args.size() == 2 && args[0] == "first-paint") return firstPaint(QString::fromStdString(args[1]));
    if (args.size() == 1 && args[0] == "windows") return windows();
    std::fprintf(stderr, "usage: mc_bench first-paint selection|bare | windows | write-libraries DIR\n");
    return 2;
}
