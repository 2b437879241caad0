// GoogleTest entry point for tests that need a QApplication (widgets render
// with the offscreen platform unless the caller chose another).
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A home of their own: the tests write desktop entries, mimeapps.list and
    // safety copies, never into the user's.
    QTemporaryDir home;
    for (const char *variable :
         {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"})
        qputenv(variable, QFile::encodeName(home.path() + u'/' + QString::fromLatin1(variable).toLower()));
    qputenv("HOME", QFile::encodeName(home.path()));
    qunsetenv("XDG_CURRENT_DESKTOP");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
