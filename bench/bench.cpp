// Timings of the windows for scripts/bench.sh, on the offscreen platform:
//   mc_bench first-paint selection|bare   start, paint the window once, exit
//   mc_bench windows                      in-process timings, medians
//   mc_bench loop window|twin N K         editor window K (0 release 041 .. 4 KT) or its
//                                         bare twin built, shown and closed N times, for
//                                         a profiler (callgrind --toggle-collect=*buildAndShow*)
//   mc_bench write-libraries DIR          full libraries of each kind to time
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QBoxLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
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
#include "druglib_us/core/tv1_file.hpp"
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

// A bare twin of a window: plain Qt widgets of the same classes, with the same
// captions, entries, fonts, size limits and state, in the same layouts, and
// none of the window's logic (no model, no binding, no style of its own).
// The window is read once into a plan; the twin is built from the plan alone.
struct LayoutPlan;

struct WidgetPlan {
    QString kind;  // the Qt class
    QString text;
    QStringList items;
    int current = -1;
    bool wordWrap = false, readOnly = false, hidden = false, enabled = true, ownFont = false, widgetResizable = false;
    Qt::Alignment alignment;
    Qt::TextInteractionFlags interaction = Qt::LinksAccessibleByMouse;
    QFrame::Shape frameShape = QFrame::NoFrame;
    QFont font;
    QSizePolicy policy;
    QSize minimum, maximum;
    std::vector<WidgetPlan> children;  // a scroll area's widget, a stack's pages
    QSize contentSize;                 // a scroll area's: its widget's size in the window
    std::shared_ptr<LayoutPlan> layout;
};

struct ItemPlan {
    enum class What { Widget, Layout, Spacer } what = What::Spacer;
    int row = 0, column = 0, rowSpan = 1, columnSpan = 1, stretch = 0;
    Qt::Alignment alignment;
    WidgetPlan widget;
    std::shared_ptr<LayoutPlan> layout;
    QSize spacerSize;
    QSizePolicy spacerPolicy;
};

struct LayoutPlan {
    bool grid = false;
    QBoxLayout::Direction direction = QBoxLayout::TopToBottom;
    std::vector<ItemPlan> items;
    QMargins margins;
    int spacing = -1, horizontalSpacing = -1, verticalSpacing = -1;
    QLayout::SizeConstraint constraint = QLayout::SetDefaultConstraint;
    std::vector<int> rowStretch, columnStretch, rowMinimum, columnMinimum;
};

WidgetPlan planOf(const QWidget* w);

std::shared_ptr<LayoutPlan> planOf(const QLayout* from) {
    auto plan = std::make_shared<LayoutPlan>();
    auto itemOf = [](QLayoutItem* item, int stretch) {
        ItemPlan planned;
        planned.stretch = stretch;
        planned.alignment = item->alignment();
        if (item->widget()) {
            planned.what = ItemPlan::What::Widget;
            planned.widget = planOf(item->widget());
        } else if (item->layout()) {
            planned.what = ItemPlan::What::Layout;
            planned.layout = planOf(item->layout());
        } else if (QSpacerItem* spacer = item->spacerItem()) {
            planned.spacerSize = spacer->sizeHint();
            planned.spacerPolicy = spacer->sizePolicy();
        }
        return planned;
    };
    if (auto* grid = qobject_cast<const QGridLayout*>(from)) {
        plan->grid = true;
        for (int i = 0; i < grid->count(); ++i) {
            ItemPlan item = itemOf(grid->itemAt(i), 0);
            grid->getItemPosition(i, &item.row, &item.column, &item.rowSpan, &item.columnSpan);
            plan->items.push_back(std::move(item));
        }
        for (int r = 0; r < grid->rowCount(); ++r) {
            plan->rowStretch.push_back(grid->rowStretch(r));
            plan->rowMinimum.push_back(grid->rowMinimumHeight(r));
        }
        for (int c = 0; c < grid->columnCount(); ++c) {
            plan->columnStretch.push_back(grid->columnStretch(c));
            plan->columnMinimum.push_back(grid->columnMinimumWidth(c));
        }
        plan->horizontalSpacing = grid->horizontalSpacing();
        plan->verticalSpacing = grid->verticalSpacing();
    } else if (auto* box = qobject_cast<const QBoxLayout*>(from)) {
        plan->direction = box->direction();
        for (int i = 0; i < box->count(); ++i) plan->items.push_back(itemOf(box->itemAt(i), box->stretch(i)));
        plan->spacing = box->spacing();
    }
    plan->margins = from->contentsMargins();
    plan->constraint = from->sizeConstraint();
    return plan;
}

WidgetPlan planOf(const QWidget* w) {
    WidgetPlan plan;
    plan.kind = QString::fromLatin1(w->metaObject()->className());
    if (auto* label = qobject_cast<const QLabel*>(w)) {
        plan.text = label->text();
        plan.wordWrap = label->wordWrap();
        plan.alignment = label->alignment();
        plan.interaction = label->textInteractionFlags();
    } else if (auto* button = qobject_cast<const QAbstractButton*>(w)) {
        plan.text = button->text();
    } else if (auto* edit = qobject_cast<const QLineEdit*>(w)) {
        plan.text = edit->text();
        plan.alignment = edit->alignment();
        plan.readOnly = edit->isReadOnly();
    } else if (auto* combo = qobject_cast<const QComboBox*>(w)) {
        for (int i = 0; i < combo->count(); ++i) plan.items << combo->itemText(i);
        plan.current = combo->currentIndex();
    } else if (auto* list = qobject_cast<const QListWidget*>(w)) {
        for (int i = 0; i < list->count(); ++i) plan.items << list->item(i)->text();
    } else if (auto* scroll = qobject_cast<const QScrollArea*>(w)) {
        plan.frameShape = scroll->frameShape();
        plan.widgetResizable = scroll->widgetResizable();
        if (scroll->widget()) {
            plan.children.push_back(planOf(scroll->widget()));
            plan.contentSize = scroll->widget()->size();
        }
    } else if (auto* stack = qobject_cast<const QStackedWidget*>(w)) {
        for (int i = 0; i < stack->count(); ++i) plan.children.push_back(planOf(stack->widget(i)));
        plan.current = stack->currentIndex();
    } else if (auto* group = qobject_cast<const QGroupBox*>(w)) {
        plan.text = group->title();
    }
    plan.ownFont = w->testAttribute(Qt::WA_SetFont);
    plan.font = w->font();
    plan.policy = w->sizePolicy();
    plan.minimum = w->minimumSize();
    plan.maximum = w->maximumSize();
    plan.hidden = w->isHidden() && w->parentWidget() && !qobject_cast<const QStackedWidget*>(w->parentWidget());
    plan.enabled = w->isEnabled();
    if (w->layout() && !qobject_cast<const QStackedWidget*>(w)) plan.layout = planOf(w->layout());
    return plan;
}

QWidget* build(const WidgetPlan& plan);

QSpacerItem* spacer(const ItemPlan& item) {
    return new QSpacerItem(item.spacerSize.width(), item.spacerSize.height(), item.spacerPolicy.horizontalPolicy(),
                           item.spacerPolicy.verticalPolicy());
}

QLayout* build(const LayoutPlan& plan) {
    QLayout* layout = nullptr;
    if (plan.grid) {
        auto* grid = new QGridLayout;
        for (const ItemPlan& item : plan.items) {
            if (item.what == ItemPlan::What::Widget)
                grid->addWidget(build(item.widget), item.row, item.column, item.rowSpan, item.columnSpan, item.alignment);
            else if (item.what == ItemPlan::What::Layout)
                grid->addLayout(build(*item.layout), item.row, item.column, item.rowSpan, item.columnSpan, item.alignment);
            else grid->addItem(spacer(item), item.row, item.column, item.rowSpan, item.columnSpan);
        }
        for (std::size_t r = 0; r < plan.rowStretch.size(); ++r) {
            grid->setRowStretch(static_cast<int>(r), plan.rowStretch[r]);
            grid->setRowMinimumHeight(static_cast<int>(r), plan.rowMinimum[r]);
        }
        for (std::size_t c = 0; c < plan.columnStretch.size(); ++c) {
            grid->setColumnStretch(static_cast<int>(c), plan.columnStretch[c]);
            grid->setColumnMinimumWidth(static_cast<int>(c), plan.columnMinimum[c]);
        }
        grid->setHorizontalSpacing(plan.horizontalSpacing);
        grid->setVerticalSpacing(plan.verticalSpacing);
        layout = grid;
    } else {
        auto* box = new QBoxLayout(plan.direction);
        for (const ItemPlan& item : plan.items) {
            if (item.what == ItemPlan::What::Widget) box->addWidget(build(item.widget), item.stretch, item.alignment);
            else if (item.what == ItemPlan::What::Layout) box->addLayout(build(*item.layout), item.stretch);
            else box->addSpacerItem(spacer(item));
        }
        box->setSpacing(plan.spacing);
        layout = box;
    }
    layout->setContentsMargins(plan.margins);
    layout->setSizeConstraint(plan.constraint);
    return layout;
}

QWidget* build(const WidgetPlan& plan) {
    QWidget* widget = nullptr;
    if (plan.kind == QLatin1String("QLabel")) {
        auto* label = new QLabel(plan.text);
        label->setWordWrap(plan.wordWrap);
        label->setAlignment(plan.alignment);
        label->setTextInteractionFlags(plan.interaction);
        widget = label;
    } else if (plan.kind == QLatin1String("QPushButton")) {
        widget = new QPushButton(plan.text);
    } else if (plan.kind == QLatin1String("QCheckBox")) {
        widget = new QCheckBox(plan.text);
    } else if (plan.kind == QLatin1String("QRadioButton")) {
        widget = new QRadioButton(plan.text);
    } else if (plan.kind == QLatin1String("QLineEdit")) {
        auto* edit = new QLineEdit(plan.text);
        edit->setAlignment(plan.alignment);
        edit->setReadOnly(plan.readOnly);
        widget = edit;
    } else if (plan.kind == QLatin1String("QComboBox")) {
        auto* combo = new QComboBox;
        combo->addItems(plan.items);
        combo->setCurrentIndex(plan.current);
        widget = combo;
    } else if (plan.kind == QLatin1String("QListWidget")) {
        auto* list = new QListWidget;
        list->addItems(plan.items);
        widget = list;
    } else if (plan.kind == QLatin1String("QScrollArea")) {
        auto* scroll = new QScrollArea;
        scroll->setFrameShape(plan.frameShape);
        scroll->setWidgetResizable(plan.widgetResizable);
        if (!plan.children.empty()) {
            // At the window's size: layouts laid out afresh may come out
            // wider than the window's own, and a twin that scrolls would
            // measure the scroll bars.
            QWidget* content = build(plan.children.front());
            if (content->layout()) content->layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
            content->setFixedSize(plan.contentSize);
            scroll->setWidget(content);
        }
        widget = scroll;
    } else if (plan.kind == QLatin1String("QStackedWidget")) {
        auto* stack = new QStackedWidget;
        for (const WidgetPlan& page : plan.children) stack->addWidget(build(page));
        stack->setCurrentIndex(plan.current);
        widget = stack;
    } else if (plan.kind == QLatin1String("QGroupBox")) {
        widget = new QGroupBox(plan.text);
    } else {
        widget = new QWidget;
    }
    if (plan.ownFont) widget->setFont(plan.font);
    widget->setSizePolicy(plan.policy);
    if (!plan.minimum.isNull()) widget->setMinimumSize(plan.minimum);
    if (plan.maximum != QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX)) widget->setMaximumSize(plan.maximum);
    if (plan.hidden) widget->hide();
    widget->setEnabled(plan.enabled);
    if (plan.layout) widget->setLayout(build(*plan.layout));
    return widget;
}

struct Census {
    int widgets = 0;
    int layouts = 0;
    QSize pages;  // the size the pages take, which tells whether the twin is laid out as the window
};

Census censusOf(const QWidget* window) {
    const auto* pages = window->findChild<QStackedWidget*>();
    return {static_cast<int>(window->findChildren<QWidget*>().size()), static_cast<int>(window->findChildren<QLayout*>().size()),
            pages ? pages->size() : QSize()};
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
        const QString line = QStringLiteral("click \"%1\" to the editor's first paint").arg(QString::fromLatin1(caption));
        std::printf("%-62s %9.2f\n", qPrintable(line), open);
    }

    const double modelOnly = timed(rounds, [&](QElapsedTimer& timer) {
        timer.start();
        mc::druglib::Quelda041Editor editor(dir, mc::NumberFormat{});
        return elapsedMs(timer);
    });
    std::printf("%-62s %9.2f\n", "release-041 editor's model alone (no widgets)", modelOnly);

    // Each editor window against plain Qt building the same widgets; the
    // twin copies the window as it stands when first shown. Taken in turns,
    // so that both meet the same machine.
    const std::pair<mc::EditorKind, const char*> kinds[] = {{mc::EditorKind::Quelda041, "release-041"},
                                                            {mc::EditorKind::Quelda036, "release-036"},
                                                            {mc::EditorKind::OrrxUsa, "US"},
                                                            {mc::EditorKind::Rx, "RX protocols"},
                                                            {mc::EditorKind::Kt, "KT protocols"}};
    for (const auto& [kind, caption] : kinds) {
        QWidget* model = mc::app::createEditorWindow(kind, dir, mc::NumberFormat{});
        showAndWait(model);
        const Census census = censusOf(model);
        const WidgetPlan plan = planOf(model);
        delete model;
        std::vector<double> real, bare;
        Census twinCensus;
        for (int i = 0; i < 3 * rounds; ++i) {
            QElapsedTimer timer;
            timer.start();
            QWidget* window = mc::app::createEditorWindow(kind, dir, mc::NumberFormat{});
            showAndWait(window);
            real.push_back(elapsedMs(timer));
            delete window;
            timer.start();
            QWidget* twin = build(plan);
            showAndWait(twin);
            bare.push_back(elapsedMs(timer));
            twinCensus = censusOf(twin);
            delete twin;
        }
        const double r = median(real), b = median(bare);
        const QString line = QStringLiteral("%1 window (%2 widgets, %3 layouts) / bare twin")
                                 .arg(QString::fromLatin1(caption)).arg(census.widgets).arg(census.layouts);
        std::printf("%-62s %9.2f %9.2f  %+5.1f%%\n", qPrintable(line), r, b, (r / b - 1) * 100);
        if (twinCensus.widgets != census.widgets || twinCensus.layouts != census.layouts || twinCensus.pages != census.pages)
            std::printf("  but its twin differs: %d widgets, %d layouts, pages %dx%d against %dx%d\n", twinCensus.widgets,
                        twinCensus.layouts, twinCensus.pages.width(), twinCensus.pages.height(), census.pages.width(),
                        census.pages.height());
    }
    std::printf("%-62s\n", "  (build and first paint, ms; goal: every window within 5 % of its twin)");

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

// Kept out of line so that a profiler can count this alone.
[[gnu::noinline]] QWidget* buildAndShow(mc::EditorKind kind, bool twin, const WidgetPlan& plan,
                                        const std::filesystem::path& dir) {
    QWidget* window = twin ? build(plan) : mc::app::createEditorWindow(kind, dir, mc::NumberFormat{});
    showAndWait(window);
    return window;
}

int loop(mc::EditorKind kind, bool twin, int rounds) {
    QTemporaryDir folder;
    const std::filesystem::path dir = folder.path().toStdString();
    QWidget* model = mc::app::createEditorWindow(kind, dir, mc::NumberFormat{});
    showAndWait(model);
    const WidgetPlan plan = planOf(model);
    delete model;
    for (int i = 0; i < rounds; ++i) delete buildAndShow(kind, twin, plan, dir);
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
    std::ofstream(dir / "full.tv9", std::ios::binary) << mc::protocols::writeProtocolMacro(macro, mc::protocols::Variant::Rx, "FULL");
    mc::druglib_us::UsDrugLibrary us;
    for (int d = 1; d <= mc::druglib_us::DepartmentCount; ++d) us.DepartmentName[d] = "Department " + std::to_string(d);
    us.DrugCount = mc::druglib_us::MaxDrugCount;
    for (int n = 1; n <= us.DrugCount; ++n) {
        mc::druglib_us::DrugEntry& e = us.Drug[n];
        e.DrugName = "Drug " + std::to_string(n);
        e.WeightLowerSoft = 2;
        e.WeightUpperSoft = 150;
        e.ConcUnits = "MG/ML";
        e.Concentration = "1.6";
        e.DoseUnits = "MCG/KG/MIN";
        e.DoseRateLowerSoft = "2";
        e.DoseRateUpperSoft = "20";
        e.DoseRateLowerHard = "1";
        e.DoseRateUpperHard = "25";
        e.DoseRateInitial = "5";
        e.BolusMode = "VOLUME";
        e.BolusInitial = "1.5";
        e.BolusTimeUnits = "SS";
        e.BolusTime = "30";
        e.BolusLowerSoft = "1";
        e.BolusUpperSoft = "2";
        e.BolusLowerHard = "0";
        e.BolusUpperHard = "3";
        e.DrugDepartments = 0xFFFFFF;
    }
    std::ofstream(dir / "full.tv1", std::ios::binary) << mc::druglib_us::writeTv1(us, "FULL");
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
    if (args.size() == 4 && args[0] == "loop")
        return loop(static_cast<mc::EditorKind>(std::stoi(args[3])), args[1] == "twin", std::stoi(args[2]));
    std::fprintf(stderr, "usage: mc_bench first-paint selection|bare | windows | loop window|twin N K | write-libraries DIR\n");
    return 2;
}
