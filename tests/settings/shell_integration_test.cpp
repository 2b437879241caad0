#include "shell_integration.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace ShellIntegration;

TEST(ShellIntegration, ExecQuotesTheProgramByTheDesktopEntryRules)
{
    const struct
    {
        QString program;
        QString exec;
    } cases[] = {
        {QStringLiteral("/usr/bin/qumoedit"), QStringLiteral("/usr/bin/qumoedit %f")},
        {QStringLiteral("/home/u/my apps/qumoedit"), QStringLiteral("\"/home/u/my apps/qumoedit\" %f")},
        {QStringLiteral("/opt/a\"b/q"), QStringLiteral("\"/opt/a\\\\\"b/q\" %f")},
        {QStringLiteral("/opt/$x`y/q"), QStringLiteral("\"/opt/\\\\$x\\\\`y/q\" %f")},
        {QStringLiteral("/opt/100%/q"), QStringLiteral("\"/opt/100%%/q\" %f")},
        {QStringLiteral("/opt/a;b/q"), QStringLiteral("\"/opt/a;b/q\" %f")},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ExecLine(c.program), c.exec) << c.program.toStdString();
    EXPECT_TRUE(DesktopEntryText(QStringLiteral("/q"), true).contains(QStringLiteral("\nNoDisplay=true\n")));
    EXPECT_FALSE(DesktopEntryText(QStringLiteral("/q"), false).contains(QStringLiteral("NoDisplay")));
}

TEST(ShellIntegration, MimeAppsListKeepsWhatIsNotOurs)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mimeapps.list"));
    const QByteArray original = "# kept comment\n[Default Applications]\ntext/plain=gedit.desktop\n"
                                "image/png=eog.desktop\n\n[Added Associations]\ntext/html=firefox.desktop;\n";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(original);
    file.close();

    MimeAppsList list(path);
    EXPECT_EQ(list.defaultFor(QStringLiteral("text/plain")), QStringLiteral("gedit.desktop"));
    list.setDefault(QStringLiteral("text/plain"), QLatin1String(DesktopId));
    list.setAssociation(QStringLiteral("text/html"), QLatin1String(DesktopId), true);
    ASSERT_TRUE(list.save().isEmpty());
    MimeAppsList ours(path);
    EXPECT_EQ(ours.defaultFor(QStringLiteral("text/plain")), QLatin1String(DesktopId));
    EXPECT_EQ(ours.defaultFor(QStringLiteral("image/png")), QStringLiteral("eog.desktop"));
    EXPECT_TRUE(ours.hasAssociation(QStringLiteral("text/html"), QLatin1String(DesktopId)));
    EXPECT_TRUE(ours.hasAssociation(QStringLiteral("text/html"), QStringLiteral("firefox.desktop")));

    // Switched off: exactly what was there before.
    ours.setDefault(QStringLiteral("text/plain"), QStringLiteral("gedit.desktop"));
    ours.setAssociation(QStringLiteral("text/html"), QLatin1String(DesktopId), false);
    ASSERT_TRUE(ours.save().isEmpty());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), original);
    file.close();

    // An empty previous default removes our line, and nothing else.
    MimeAppsList fresh(dir.filePath(QStringLiteral("new/mimeapps.list")));
    fresh.setDefault(QStringLiteral("text/plain"), QLatin1String(DesktopId));
    fresh.setDefault(QStringLiteral("text/plain"), QString());
    EXPECT_EQ(fresh.lines(), QStringList{QStringLiteral("[Default Applications]")});
}

// The desktop's own tool reads back what we wrote.
TEST(ShellIntegration, XdgMimeSeesThisProgramAsTheTextOpener)
{
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-mime")).isEmpty())
        GTEST_SKIP() << "xdg-mime is installed by the setup";
    QTemporaryDir home;
    const QString config = home.filePath(QStringLiteral("config"));
    const QString data = home.filePath(QStringLiteral("data"));
    QDir().mkpath(data + QStringLiteral("/applications"));
    QFile entry(data + QStringLiteral("/applications/") + QLatin1String(DesktopId));
    ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
    // xdg-mime checks that the program exists.
    entry.write(DesktopEntryText(QCoreApplication::applicationFilePath(), false).toUtf8());
    entry.close();
    MimeAppsList list(config + QStringLiteral("/mimeapps.list"));
    list.setDefault(QStringLiteral("text/plain"), QLatin1String(DesktopId));
    ASSERT_TRUE(list.save().isEmpty());

    QProcess query;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    env.insert(QStringLiteral("XDG_DATA_HOME"), data);
    env.insert(QStringLiteral("HOME"), home.path());
    env.remove(QStringLiteral("XDG_CURRENT_DESKTOP"));
    query.setProcessEnvironment(env);
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/plain")});
    ASSERT_TRUE(query.waitForFinished(10000));
    EXPECT_EQ(QString::fromUtf8(query.readAllStandardOutput()).trimmed(), QLatin1String(DesktopId));
}

} // namespace
