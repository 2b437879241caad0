#include "mime_apps_list.h"
#include "shell_integration.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
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

void WriteText(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A home of the test's own, without the system's folders.
ShellIntegration::Places HomePlaces(const QTemporaryDir &home)
{
    return {home.path(),
            home.filePath(QStringLiteral("config")),
            home.filePath(QStringLiteral("data")),
            home.filePath(QStringLiteral("Desktop")),
            {},
            {},
            {}};
}

QByteArray ReadText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Our id goes into the lists it belongs to and comes out again; every other byte stays.
TEST(ShellIntegration, MimeAppsListChangesOnlyOurIds)
{
    const QByteArray ours = DesktopId;
    const struct
    {
        const char *name;
        QByteArray before;
        bool text, html;
        QByteArray after;
    } cases[] = {
        {"FallbacksKept", "[Default Applications]\ntext/plain=a.desktop;b.desktop;\n", false, true,
         "[Default Applications]\ntext/plain=a.desktop;b.desktop;\n\n[Added Associations]\ntext/html=" +
             ours + ";\n"},
        {"FirstOfADefaultList", "[Default Applications]\ntext/plain=a.desktop;b.desktop;\n", true, false,
         "[Default Applications]\ntext/plain=" + ours + ";a.desktop;b.desktop;\n"},
        {"CrLfLatin1TrailingBlanks",
         "# caf\xE9\r\n[Added Associations]\r\ntext/html=firefox.desktop;chromium.desktop;\r\n\r\n\r\n",
         false, true,
         "# caf\xE9\r\n[Added Associations]\r\ntext/html=" + ours +
             ";firefox.desktop;chromium.desktop;\r\n\r\n\r\n"},
        {"NoFinalNewline", "[Default Applications]\ntext/plain=gedit.desktop", true, false,
         "[Default Applications]\ntext/plain=" + ours + ";gedit.desktop"},
        {"AppendedAfterALastLineWithoutEnd", "[Default Applications]\r\nimage/png=eog.desktop", true, false,
         "[Default Applications]\r\nimage/png=eog.desktop\r\ntext/plain=" + ours + ";"},
        {"SectionAddedWithoutFinalNewline", "[Default Applications]\nimage/png=eog.desktop", false, true,
         "[Default Applications]\nimage/png=eog.desktop\n\n[Added Associations]\ntext/html=" + ours + ";"},
        {"Missing", "", true, true,
         "[Default Applications]\ntext/plain=" + ours + ";\n\n[Added Associations]\ntext/html=" + ours +
             ";\n"},
        {"DuplicateSections",
         "[Default Applications]\nimage/png=eog.desktop\n\n[Added Associations]\nx/y=z;\n"
         "[Default Applications]\ntext/plain=gedit.desktop\n",
         true, false,
         "[Default Applications]\nimage/png=eog.desktop\n\n[Added Associations]\nx/y=z;\n"
         "[Default Applications]\ntext/plain=" +
             ours + ";gedit.desktop\n"},
        {"InvalidUtf8Id", "[Added Associations]\ntext/html=\xFF\xFE.desktop;\n", false, true,
         "[Added Associations]\ntext/html=" + ours + ";\xFF\xFE.desktop;\n"},
        {"SpacesAndCrKept", "[Default Applications]\ntext/plain = a.desktop \r\r\n", true, false,
         "[Default Applications]\ntext/plain = " + ours + ";a.desktop \r\r\n"},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mimeapps.list"));
    for (const auto &c : cases) {
        WriteText(path, c.before);
        MimeAppsList list(path);
        list.setDefault(QStringLiteral("text/plain"), QLatin1String(DesktopId), c.text);
        list.setAssociation(QStringLiteral("text/html"), QLatin1String(DesktopId), c.html);
        ASSERT_TRUE(list.save().done()) << c.name;
        EXPECT_EQ(ReadText(path), c.after) << c.name;
        // Switched off: exactly what was there before.
        MimeAppsList again(path);
        again.setDefault(QStringLiteral("text/plain"), QLatin1String(DesktopId), false);
        again.setAssociation(QStringLiteral("text/html"), QLatin1String(DesktopId), false);
        ASSERT_TRUE(again.save().done()) << c.name;
        EXPECT_EQ(ReadText(path), c.before) << c.name;
    }

    // A list that held only ours brings back the opener remembered from before.
    WriteText(path, "[Default Applications]\ntext/plain=" + ours + "\n");
    MimeAppsList only(path);
    only.setDefault(QStringLiteral("text/plain"), QLatin1String(DesktopId), false,
                    QStringLiteral("gedit.desktop"));
    ASSERT_TRUE(only.save().done());
    EXPECT_EQ(ReadText(path), "[Default Applications]\ntext/plain=gedit.desktop\n");
}

// A desktop file the program cannot read is never replaced, and the message names it.
TEST(ShellIntegration, UnreadableDesktopFilesAreNotWritten)
{
    QTemporaryDir home;
    const Places places = HomePlaces(home);
    const QString firefox = home.filePath(QStringLiteral(".mozilla/firefox"));
    QDir().mkpath(firefox + QStringLiteral("/p.default"));
    WriteText(firefox + QStringLiteral("/profiles.ini"), "[Profile0]\nPath=p.default\nDefault=1\n");
    const QString lists[] = {places.configHome + QStringLiteral("/mimeapps.list"),
                             firefox + QStringLiteral("/p.default/user.js")};
    Choices on;
    on.text = on.html = on.viewSource = true;
    for (const QString &unreadable : lists) {
        for (const QString &file : lists)
            WriteText(file, "kept\n");
        // Made unreadable: a FIFO (root reads any mode), or mode 000 for another user.
        QFile::remove(unreadable);
        ASSERT_EQ(::mkfifo(QFile::encodeName(unreadable).constData(), 0600), 0);
        const Applied applied = Apply(places, QStringLiteral("/opt/q/qumoedit"), on, true, QString());
        EXPECT_TRUE(applied.outcome.message.contains(unreadable)) << applied.outcome.message.toStdString();
        EXPECT_TRUE(QFileInfo(unreadable).isFile() == false && QFileInfo(unreadable).exists());
        QFile::remove(unreadable);
    }
    if (::geteuid() != 0) {
        WriteText(lists[0], "[Default Applications]\nimage/png=eog.desktop\n");
        QFile::setPermissions(lists[0], {});
        const Applied applied = Apply(places, QStringLiteral("/opt/q/qumoedit"), on, true, QString());
        EXPECT_TRUE(applied.outcome.message.contains(lists[0])) << applied.outcome.message.toStdString();
        EXPECT_FALSE(applied.pointedHere && applied.outcome.done());
        QFile::setPermissions(lists[0], QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        EXPECT_EQ(ReadText(lists[0]), "[Default Applications]\nimage/png=eog.desktop\n");
    }
}

// The text box is read through the lookup xdg-mime makes: checked against the real xdg-mime.
TEST(ShellIntegration, DefaultApplicationIsWhatXdgMimeFinds)
{
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-mime")).isEmpty())
        GTEST_SKIP() << "xdg-mime is installed by the setup";
    const QByteArray ours = DesktopId;
    const QByteArray none;
    const struct
    {
        const char *name;
        QByteArray userList, desktopList, systemList, systemCache; // empty: no such file
        bool declared; // the entries declare text/plain: ours, and another one preferred
        QString expected;
    } cases[] = {
        {"Ours", "[Default Applications]\ntext/plain=" + ours + ";other.desktop;\n", none, none, none, false,
         DesktopId},
        {"DesktopListOverrides", "[Default Applications]\ntext/plain=" + ours + ";\n",
         "[Default Applications]\ntext/plain=other.desktop\n", none, none, false, "other.desktop"},
        {"FirstIdNotInstalled", "[Default Applications]\ntext/plain=missing.desktop;" + ours + ";\n", none,
         none, none, false, ""},
        {"SystemList", none, none, "[Default Applications]\ntext/plain=" + ours + "\n", none, false,
         DesktopId},
        {"OtherSection", "[Added Associations]\ntext/plain=" + ours + ";\n", none, none, none, false, ""},
        {"MimeinfoCache", none, none, none, "[MIME Cache]\ntext/plain=other.desktop;" + ours + ";\n", false,
         "other.desktop"},
        {"DeclaredWithPreference", "[Default Applications]\nimage/png=" + ours + "\n", none, none, none, true,
         "preferred.desktop"},
    };
    for (const auto &c : cases) {
        QTemporaryDir home;
        const QString config = home.filePath(QStringLiteral("config"));
        const QString data = home.filePath(QStringLiteral("data"));
        const QString system = home.filePath(QStringLiteral("system"));
        WriteText(data + QStringLiteral("/applications/") + QLatin1String(DesktopId),
                  DesktopEntryText(QCoreApplication::applicationFilePath(), false, c.declared).toUtf8());
        if (c.declared)
            WriteText(system + QStringLiteral("/applications/preferred.desktop"),
                      "[Desktop Entry]\nType=Application\nName=p\nExec=/bin/true %f\nMimeType=text/plain;\n"
                      "InitialPreference=3\n");
        WriteText(data + QStringLiteral("/applications/other.desktop"),
                  "[Desktop Entry]\nType=Application\nName=o\nExec=/bin/true %f\n");
        if (!c.userList.isEmpty())
            WriteText(config + QStringLiteral("/mimeapps.list"), c.userList);
        if (!c.desktopList.isEmpty())
            WriteText(config + QStringLiteral("/xfce-mimeapps.list"), c.desktopList);
        if (!c.systemList.isEmpty())
            WriteText(system + QStringLiteral("/applications/mimeapps.list"), c.systemList);
        if (!c.systemCache.isEmpty())
            WriteText(system + QStringLiteral("/applications/mimeinfo.cache"), c.systemCache);

        QProcess query;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        env.insert(QStringLiteral("XDG_CONFIG_DIRS"), home.filePath(QStringLiteral("etc")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), data);
        env.insert(QStringLiteral("XDG_DATA_DIRS"), system);
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("XFCE"));
        query.setProcessEnvironment(env);
        query.start(QStringLiteral("xdg-mime"),
                    {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/plain")});
        ASSERT_TRUE(query.waitForFinished(10000));
        EXPECT_EQ(QString::fromUtf8(query.readAllStandardOutput()).trimmed(), c.expected) << c.name;
        EXPECT_EQ(DefaultApplication(QStringLiteral("text/plain"),
                                     {config, home.filePath(QStringLiteral("etc"))}, {data, system},
                                     {QStringLiteral("XFCE")}),
                  c.expected)
            << c.name;
        // The box follows it.
        const Places places{home.path(),
                            config,
                            data,
                            home.filePath(QStringLiteral("Desktop")),
                            {home.filePath(QStringLiteral("etc"))},
                            {system},
                            {QStringLiteral("XFCE")}};
        EXPECT_EQ(ReadChoices(places, QCoreApplication::applicationFilePath()).text, c.expected == DesktopId)
            << c.name;
    }
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
    list.setDefault(QStringLiteral("text/plain"), QLatin1String(DesktopId), true);
    ASSERT_TRUE(list.save().done());

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

    Places places = HomePlaces(home);
    const QString program = QStringLiteral("/opt/q/qumoedit");
    Choices on;
    on.viewSource = true;
    Applied applied = Apply(places, program, on, true, QString());
    EXPECT_TRUE(applied.outcome.done()) << applied.outcome.message.toStdString();
    EXPECT_TRUE(applied.pointedHere);
    EXPECT_EQ(ReadText(userJs), mine + "user_pref(\"view_source.editor.external\", true);\n"
                                       "user_pref(\"view_source.editor.path\", \"/opt/q/qumoedit\");\n");
    EXPECT_TRUE(ReadChoices(places, program).viewSource);
    EXPECT_FALSE(ReadChoices(places, QStringLiteral("/elsewhere/qumoedit")).viewSource) << "a copy elsewhere";

    applied = Apply(places, program, Choices(), true, QString());
    EXPECT_FALSE(applied.pointedHere);
    EXPECT_EQ(ReadText(userJs), mine);
}

// user.js as the user keeps it: only our two lines come and go.
TEST(ShellIntegration, UserJsKeepsEveryOtherByte)
{
    const QByteArray ours[] = {"user_pref(\"view_source.editor.external\", true);",
                               "user_pref(\"view_source.editor.path\", \"/opt/q/qumoedit\");"};
    const struct
    {
        const char *name;
        QByteArray before, after;
    } cases[] = {
        {"Empty", "", ours[0] + "\n" + ours[1] + "\n"},
        {"CrLfWithoutFinalEnd", "// caf\xE9\r\nuser_pref(\"a\", 1);",
         "// caf\xE9\r\nuser_pref(\"a\", 1);\r\n" + ours[0] + "\r\n" + ours[1]},
        {"TrailingBlankLines", "user_pref(\"a\", 1);\n\n\n",
         "user_pref(\"a\", 1);\n\n\n" + ours[0] + "\n" + ours[1] + "\n"},
    };
    for (const auto &c : cases) {
        QTemporaryDir home;
        const QString firefox = home.filePath(QStringLiteral(".mozilla/firefox"));
        QDir().mkpath(firefox + QStringLiteral("/p.default"));
        WriteText(firefox + QStringLiteral("/profiles.ini"), "[Profile0]\nPath=p.default\nDefault=1\n");
        const QString userJs = firefox + QStringLiteral("/p.default/user.js");
        WriteText(userJs, c.before);
        Choices on;
        on.viewSource = true;
        EXPECT_TRUE(
            Apply(HomePlaces(home), QStringLiteral("/opt/q/qumoedit"), on, true, QString()).outcome.done());
        EXPECT_EQ(ReadText(userJs), c.after) << c.name;
        EXPECT_TRUE(Apply(HomePlaces(home), QStringLiteral("/opt/q/qumoedit"), Choices(), true, QString())
                        .outcome.done());
        EXPECT_EQ(ReadText(userJs), c.before) << c.name;
    }
}

TEST(ShellIntegration, ACopyElsewhereAndAReadOnlyConfigFolder)
{
    QTemporaryDir home;
    Places places = HomePlaces(home);
    Choices all;
    all.text = all.html = all.menu = all.desktop = all.openWith = true;
    ASSERT_TRUE(Apply(places, QStringLiteral("/opt/a/qumoedit"), all, true, QString()).outcome.done());
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
    const Applied applied = Apply(places, QStringLiteral("/opt/a/qumoedit"), Choices(), true, QString());
    EXPECT_TRUE(applied.outcome.message.contains(QStringLiteral("mimeapps.list")))
        << applied.outcome.message.toStdString();
    EXPECT_FALSE(applied.pointedHere);
}

} // namespace
