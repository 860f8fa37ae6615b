#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QStandardPaths>
#include <filesystem>
#include <optional>

#include "app/editor_catalog.hpp"
#include "shell/ui/editor_window.hpp"
#include "shell/ui/recovery_store.hpp"
#include "shell/ui/selection_window.hpp"
#include "shell/ui/working_folder.hpp"

namespace {

// Started from a shell, the program works in the shell's folder. Started from
// the application menu it would be the home folder, where macro files do not
// belong: the menu entry asks for the folder the technician chose last, or a
// folder of the program's own among the user's documents, made on first start.
std::optional<std::filesystem::path> workingFolder(bool documentsFolder) {
    if (documentsFolder) {
        const auto chosen = mc::ui::rememberedFolder();
        if (chosen && QDir::setCurrent(QFile::decodeName(chosen->native().c_str()))) return chosen;
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString folder = QDir(documents).filePath(QStringLiteral("Tavrel Macros"));
        if (documents.isEmpty() || !QDir().mkpath(folder) || !QDir::setCurrent(folder)) {
            QMessageBox::critical(nullptr, QStringLiteral("Tavrel Macro Creator"),
                                  QStringLiteral("The folder %1 cannot be created or opened.").arg(folder));
            return std::nullopt;
        }
    }
    return std::filesystem::current_path();
}

// --help and --version only print, so they need no display: asked from a
// terminal without one (over ssh, say), they answer instead of aborting.
void answerWithoutDisplay(int argc, char* argv[]) {
    const QByteArrayList printOnly{"-h", "--help", "--help-all", "-v", "--version"};
    for (int i = 1; i < argc; ++i)
        if (printOnly.contains(QByteArray(argv[i])) && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
}

}  // namespace

int main(int argc, char* argv[]) {
    answerWithoutDisplay(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tavrel-macro-creator"));
    QApplication::setApplicationVersion(QStringLiteral(MC_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("tavrel-macro-creator"));

    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Builds, checks, prints and saves infusion pump macro files."));
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption documentsFolder(
        QStringLiteral("documents-folder"),
        QStringLiteral("Work in the folder chosen last on an Open page after such a start, else in the folder "
                       "\"Tavrel Macros\" of the documents folder, made when missing."));
    options.addOption(documentsFolder);
    options.process(app);

    // Unsaved work is kept in a recovery copy until it is saved or dropped.
    mc::ui::installRecoveryStore(std::make_unique<mc::ui::RecoveryStore>(mc::ui::RecoveryStore::defaultFolder()));
    const auto folder = workingFolder(options.isSet(documentsFolder));
    if (!folder) return 1;
    mc::ui::startIn(*folder, options.isSet(documentsFolder));
    const auto numbers = mc::ui::systemNumberFormat();
    auto* selection = new mc::ui::SelectionWindow([numbers](mc::EditorKind kind) {
        return mc::app::createEditorWindow(kind, mc::ui::startFolder(), numbers);
    });
    selection->show();
    return QApplication::exec();
}
