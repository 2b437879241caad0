#include "crash_recovery.h"
#include "font_substitutions.h"
#include "memory_policy.h"
#include "preview_environment.h"
#include "qt_translations.h"
#include "qumo_application.h"
#include "read_ahead.h"
#include "recovery_places.h"
#include "tform1.h"
#include "tform3.h"
#include "toolbar.h"

#include <QFile>
#include <QSessionManager>
#include <cstring>
#include <exception>

int main(int argc, char **argv)
{
    KeepFreedMemoryForReuse();
    // Arguments after "--" are names, not options: Qt does not see them.
    int qtArgc = 1;
    while (qtArgc < argc && std::strcmp(argv[qtArgc], "--") != 0)
        ++qtArgc;
    QStringList afterDashes;
    for (int i = qtArgc; i < argc; ++i)
        afterDashes << QFile::decodeName(argv[i]);
    PrepareForPreviewEngine();
    ReadAhead readAhead;
    QumoApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("QUMOEDIT"));
    InstallJapaneseFontSubstitutions();
    InstallQtTranslations(&app);
    // Needing no fonts, the toolbar's icons are made while they are read.
    ToolbarGlyphs();
    readAhead.waitForFonts();
    try {
        TForm1 form1;
        TForm3 form3(&form1);
        form1.setForm3(&form3);
        // The button content dialog (TForm2) joins here with the palettes.
        QStringList arguments = QApplication::arguments().mid(1);
        // Another instance handed over a recovery copy the user chose to restore.
        const qsizetype recover = arguments.indexOf(QStringLiteral("--recover"));
        if (recover >= 0 && recover + 1 < arguments.size()) {
            form1.crashRecovery().setHandedOverCopy(arguments[recover + 1]);
            arguments.remove(recover, 2);
        }
        form1.setCommandLine(arguments + afterDashes);
        form1.crashRecovery().enable(RecoveryPlaces());
        form1.crashRecovery().exitOnTerminationSignals();
        QObject::connect(&app, &QGuiApplication::commitDataRequest, &form1, &TForm1::commitData,
                         Qt::DirectConnection);
        form1.show();
        return QApplication::exec();
    } catch (const std::exception &error) {
        QumoApplication::showException(error.what());
        return 1;
    }
}
