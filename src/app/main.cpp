#include "font_substitutions.h"
#include "memory_policy.h"
#include "tform1.h"
#include "tform3.h"

#include <QApplication>
#include <QMessageBox>
#include <exception>

int main(int argc, char **argv)
{
    KeepFreedMemoryForReuse();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QUMOEDIT"));
    InstallJapaneseFontSubstitutions();
    try {
        TForm1 form1;
        TForm3 form3(&form1);
        form1.setForm3(&form3);
        // The button content dialog (TForm2) joins here with the palettes.
        form1.setCommandLine(QApplication::arguments().mid(1));
        form1.show();
        return QApplication::exec();
    } catch (const std::exception &error) {
        QMessageBox::critical(nullptr, QStringLiteral("QUMOEDIT"), QString::fromLocal8Bit(error.what()));
        return 1;
    }
}
