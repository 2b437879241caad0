#include "shell_integration.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

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

void WriteText(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray ReadText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(ShellIntegration, FirefoxDefaultProfileGetsTheViewSourceLinesAndLosesExactlyThose)
{
    QTemporaryDir home;
    const QString firefox = home.filePath(QStringLiteral(".mozilla/firefox"));
    EXPECT_TRUE(FirefoxUserJs(home.path()).isEmpty()) << "no profile";
    QDir().mkpath(firefox + QStringLiteral("/abc.default-release"));
    QDir().mkpath(firefox + QStringLiteral("/old.default"));
    WriteText(firefox + QStringLiteral("/profiles.ini"),
              "[Profile1]\nName=old\nIsRelative=1\nPath=old.default\nDefault=1\n\n"
              "[Profile0]\nName=default-release\nIsRelative=1\nPath=abc.default-release\n\n"
              "[Install4F96D1932A9F858E]\nDefault=abc.default-release\nLocked=1\n");
    const QString userJs = firefox + QStringLiteral("/abc.default-release/user.js");
    EXPECT_EQ(FirefoxUserJs(home.path()), userJs) << "the installation's default wins";
    const QByteArray mine = "user_pref(\"browser.startup.page\", 3);\n";
    WriteText(userJs, mine);

    Places places{home.path(), home.filePath(QStringLiteral("config")), home.filePath(QStringLiteral("data")),
                  home.filePath(QStringLiteral("Desktop"))};
    const QString program = QStringLiteral("/opt/q/qumoedit");
    Choices on;
    on.viewSource = true;
    Outcome outcome = Apply(places, program, on, true, QString());
    EXPECT_TRUE(outcome.error.isEmpty()) << outcome.error.toStdString();
    EXPECT_TRUE(outcome.pointedHere);
    EXPECT_EQ(ReadText(userJs), mine + "user_pref(\"view_source.editor.external\", true);\n"
                                       "user_pref(\"view_source.editor.path\", \"/opt/q/qumoedit\");\n");
    EXPECT_TRUE(ReadChoices(places, program).viewSource);
    EXPECT_FALSE(ReadChoices(places, QStringLiteral("/elsewhere/qumoedit")).viewSource) << "a copy elsewhere";

    outcome = Apply(places, program, Choices(), true, QString());
    EXPECT_FALSE(outcome.pointedHere);
    EXPECT_EQ(ReadText(userJs), mine);
}

TEST(ShellIntegration, ACopyElsewhereAndAReadOnlyConfigFolder)
{
    QTemporaryDir home;
    Places places{home.path(), home.filePath(QStringLiteral("config")), home.filePath(QStringLiteral("data")),
                  home.filePath(QStringLiteral("Desktop"))};
    Choices all;
    all.text = all.html = all.menu = all.desktop = all.openWith = true;
    ASSERT_TRUE(Apply(places, QStringLiteral("/opt/a/qumoedit"), all, true, QString()).error.isEmpty());
    const Choices here = ReadChoices(places, QStringLiteral("/opt/a/qumoedit"));
    EXPECT_TRUE(here.text && here.html && here.menu && here.desktop && here.openWith);
    QString other = QStringLiteral("kept");
    const Choices copy = ReadChoices(places, QStringLiteral("/opt/b/qumoedit"), &other);
    EXPECT_FALSE(copy.text || copy.html || copy.menu || copy.desktop || copy.openWith);
    EXPECT_EQ(other, QStringLiteral("kept")) << "our own default is no other program's to restore";

    if (::geteuid() == 0) {
        // Root writes anywhere: the folder is made unwritable by being a file.
        QDir(places.configHome).removeRecursively();
        WriteText(places.configHome, "not a folder");
    } else {
        QFile::setPermissions(places.configHome, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
    const Outcome outcome = Apply(places, QStringLiteral("/opt/a/qumoedit"), Choices(), true, QString());
    EXPECT_TRUE(outcome.error.contains(QStringLiteral("mimeapps.list"))) << outcome.error.toStdString();
    EXPECT_FALSE(outcome.pointedHere);
}

} // namespace
