#include "font_substitutions.h"
#include "tform1.h"
#include "tform3.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QUMOEDIT"));
    InstallJapaneseFontSubstitutions();

    TForm1 form1;
    TForm3 form3(&form1);
    form1.setForm3(&form3);
    // The button content dialog (TForm2) joins here with the palettes.
    form1.setCommandLine(QApplication::arguments().mid(1));
    form1.show();
    return QApplication::exec();
}
