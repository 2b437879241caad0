// Qt's own texts (message box buttons, the file, colour and print dialogs) in
// the user's language.
#pragma once

#include <QLocale>

class QCoreApplication;
class QTranslator;

// Installs Qt's translations for `locale` into the application; null when
// there are none for it.
QTranslator *InstallQtTranslations(QCoreApplication *app, const QLocale &locale = QLocale::system());
