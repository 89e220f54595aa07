#include "help_window/chmfile.h"
#include "help_window/chmhelpviewer.h"
#include "core/cp932.h"
#include "help_window/helpwindow.h"
#include "tests/support/qtapp.h"
#include "tests/support/messageboxes.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPointer>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

using pomiro::testing::Box;


using namespace pomiro;

QString builtHelpFile()
{
    const QString dir = qEnvironmentVariable("POMIRO_BUILD_DIR", QStringLiteral(POMIRO_BUILD_DIR));
    return QDir(dir).filePath(QStringLiteral("RwHelp.chm"));
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray systemRecord(quint16 code, const QByteArray &data)
{
    QByteArray record;
    record.append(char(code & 0xFF)).append(char(code >> 8));
    record.append(char(data.size() & 0xFF)).append(char(data.size() >> 8));
    return record + data;
}

const QByteArray kVersion("\x03\x00\x00\x00", 4);

TEST(HelpSystemDataTest, DefaultTopicIsReadFromRecordTwoAndDamageGivesNone)
{
    struct Case
    {
        const char *what;
        QByteArray system;
        QByteArray topic;
    };
    const QByteArray topic = systemRecord(2, QByteArray("index.html", 11));
    const Case cases[] = {
        {"the record alone", kVersion + topic, "/index.html"},
        {"after other records", kVersion + systemRecord(3, "タイトル") + systemRecord(0, "RwHelp.hhc") + topic,
         "/index.html"},
        {"already rooted", kVersion + systemRecord(2, QByteArray("/a.htm", 7)), "/a.htm"},
        {"no NUL at the end", kVersion + systemRecord(2, "index.html"), "/index.html"},
        {"backslashes and an anchor", kVersion + systemRecord(2, QByteArray("sub\\page.htm#top", 17)),
         "/sub/page.htm"},
        {"empty topic", kVersion + systemRecord(2, QByteArray("\0", 1)), ""},
        {"no topic record", kVersion + systemRecord(3, "title"), ""},
        {"nothing at all", QByteArray(), ""},
        {"version cut short", QByteArray("\x03\x00", 2), ""},
        {"record head cut short", kVersion + QByteArray("\x02\x00\x0b", 3), ""},
        {"length past the end", kVersion + topic.left(10), ""},
        {"huge length", kVersion + QByteArray("\x02\x00\xff\xff", 4) + "index.html", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(defaultTopicFromSystem(c.system), c.topic) << c.what;

    // Noise must never read outside the buffer (the sanitizer build checks this).
    QRandomGenerator random(3);
    for (int round = 0; round < 500; ++round) {
        QByteArray noise(random.bounded(64), Qt::Uninitialized);
        for (char &byte : noise)
            byte = char(random.bounded(256));
        (void)defaultTopicFromSystem(noise);
    }
}

TEST(HelpTextTest, PagesAreDecodedByTheirCharset)
{
    const QString words = QStringLiteral("ぽみろの換算￥");
    const QByteArray sjis = *cp932::encode(words);
    struct Case
    {
        const char *what;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"utf-8 declared", "<meta charset=\"utf-8\"><p>" + words.toUtf8()},
        {"Shift_JIS declared",
         "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\"><p>" + sjis},
        {"windows-31j declared", "<meta charset='windows-31j'><p>" + sjis},
        {"nothing declared, utf-8", "<p>" + words.toUtf8()},
        {"nothing declared, Shift-JIS", "<p>" + sjis},
        {"byte order mark", "\xEF\xBB\xBF<p>" + words.toUtf8()},
    };
    for (const Case &c : cases)
        EXPECT_TRUE(decodeHelpText(c.bytes).endsWith(QStringLiteral("<p>") + words)) << c.what;
}

TEST(HelpLinkTest, OnlyPagesOfTheFileAndWebAddressesAreFollowed)
{
    struct Case
    {
        const char *url;
        HelpLink kind;
    };
    const Case cases[] = {
        {"chm:///kansan.html", HelpLink::Inside},
        {"chm:///index.html#top", HelpLink::Inside},
        {"https://example.org/", HelpLink::External},
        {"HTTP://example.org/", HelpLink::External},
        {"mailto:someone@example.org", HelpLink::External},
        {"file:///usr/bin/xterm", HelpLink::Refused},
        {"javascript:alert(1)", HelpLink::Refused},
        {"ms-its:other.chm::/a.htm", HelpLink::Refused},
        {"/kansan.html", HelpLink::Refused}, // not resolved against a page
    };
    for (const Case &c : cases)
        EXPECT_EQ(classifyHelpLink(QUrl(QString::fromLatin1(c.url))), c.kind) << c.url;
}

TEST(HelpLocationTest, FirstFolderHoldingTheFileWins)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString work = root.filePath("work"), program = root.filePath("bin"), data = root.filePath("share");
    for (const QString &dir : {work, program, data})
        ASSERT_TRUE(QDir().mkpath(dir));
    const QStringList folders{work, program, data};
    auto place = [](const QString &dir) { return writeFile(QDir(dir).filePath("RwHelp.chm"), "x"); };
    auto clear = [&] {
        for (const QString &dir : folders)
            QFile::remove(QDir(dir).filePath("RwHelp.chm"));
    };

    EXPECT_EQ(locateHelpFile("RwHelp.chm", folders), QString()) << "nowhere";
    ASSERT_TRUE(place(data));
    EXPECT_EQ(locateHelpFile("RwHelp.chm", folders), QDir(data).filePath("RwHelp.chm"));
    ASSERT_TRUE(place(program));
    EXPECT_EQ(locateHelpFile("RwHelp.chm", folders), QDir(program).filePath("RwHelp.chm"));
    ASSERT_TRUE(place(work));
    EXPECT_EQ(locateHelpFile("RwHelp.chm", folders), QDir(work).filePath("RwHelp.chm"));

    clear();
    ASSERT_TRUE(QDir(work).mkdir("RwHelp.chm")); // a folder of that name is not the file
    ASSERT_TRUE(place(data));
    EXPECT_EQ(locateHelpFile("RwHelp.chm", folders), QDir(data).filePath("RwHelp.chm"));
    EXPECT_EQ(locateHelpFile(QDir(data).filePath("RwHelp.chm"), {}), QDir(data).filePath("RwHelp.chm"));
    EXPECT_EQ(locateHelpFile(QString(), folders), QString());
}

TEST(ChmFileTest, DefaultTopicFallsBackToTheFirstPage)
{
    const QString chmcmd = QStandardPaths::findExecutable(QStringLiteral("chmcmd"));
    if (chmcmd.isEmpty())
        GTEST_SKIP() << "chmcmd is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(writeFile(dir.filePath("b.html"), "<html><head><title>B</title></head><body>b</body></html>"));
    ASSERT_TRUE(writeFile(dir.filePath("a.html"), "<html><head><title>A</title></head><body>a</body></html>"));
    ASSERT_TRUE(writeFile(dir.filePath("c.css"), "p {}"));
    ASSERT_TRUE(writeFile(dir.filePath("named.hhp"),
                          "[OPTIONS]\nCompiled file=named.chm\nDefault topic=b.html\n\n[FILES]\nb.html\na.html\n"));
    ASSERT_TRUE(writeFile(dir.filePath("missing.hhp"),
                          "[OPTIONS]\nCompiled file=missing.chm\nDefault topic=gone.html\n\n[FILES]\nc.css\nb.html\n"
                          "a.html\n"));
    ASSERT_TRUE(writeFile(dir.filePath("nopage.hhp"), "[OPTIONS]\nCompiled file=nopage.chm\n\n[FILES]\nc.css\n"));
    struct Case
    {
        const char *project;
        QByteArray topic;
    };
    const Case cases[] = {{"named", "/b.html"}, {"missing", "/a.html"}, {"nopage", ""}};
    for (const Case &c : cases) {
        QProcess compile;
        compile.setWorkingDirectory(dir.path());
        compile.start(chmcmd, {QString::fromLatin1(c.project) + ".hhp"});
        ASSERT_TRUE(compile.waitForFinished(30000)) << c.project;
        const auto file = ChmFile::open(dir.filePath(QString::fromLatin1(c.project) + ".chm"));
        ASSERT_TRUE(file) << c.project;
        EXPECT_EQ(file->defaultTopic(), c.topic) << c.project;
    }
}

TEST(ChmFileTest, FilesThatAreNotHelpFilesDoNotOpen)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile built(builtHelpFile());
    ASSERT_TRUE(built.open(QIODevice::ReadOnly)) << builtHelpFile().toStdString();
    const QByteArray whole = built.readAll();

    EXPECT_FALSE(ChmFile::open(dir.filePath("absent.chm")));
    ASSERT_TRUE(writeFile(dir.filePath("empty.chm"), {}));
    EXPECT_FALSE(ChmFile::open(dir.filePath("empty.chm")));
    ASSERT_TRUE(writeFile(dir.filePath("text.chm"), QByteArray(4096, 'x')));
    EXPECT_FALSE(ChmFile::open(dir.filePath("text.chm")));

    // A help file cut short may open, but yields no page it cannot read in full.
    for (qsizetype size : {qsizetype(64), qsizetype(600), whole.size() / 2, whole.size() - 100}) {
        const QString path = dir.filePath(QStringLiteral("cut%1.chm").arg(size));
        ASSERT_TRUE(writeFile(path, whole.left(size)));
        if (const auto file = ChmFile::open(path)) {
            const QByteArray topic = file->defaultTopic();
            if (!topic.isEmpty()) {
                EXPECT_TRUE(file->read(topic)) << size;
            }
        }
    }
}

class HelpViewerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        pomiro::testing::application();
        m_previous = QDir::currentPath();
        ASSERT_TRUE(m_work.isValid());
        ASSERT_TRUE(QDir::setCurrent(m_work.path()));
    }

    void TearDown() override
    {
        m_viewer.closeAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QDir::setCurrent(m_previous);
    }

    void placeHelpFile() { ASSERT_TRUE(QFile::copy(builtHelpFile(), m_work.filePath("RwHelp.chm"))); }

    // Clicks the link whose text is `text` in the page shown.
    static void clickLink(HelpBrowser *browser, const QString &text)
    {
        const QTextCursor found = browser->document()->find(text);
        ASSERT_FALSE(found.isNull()) << text.toStdString();
        QTextCursor inside(browser->document());
        inside.setPosition(found.selectionStart() + 1);
        const QPoint at = browser->cursorRect(inside).center();
        QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, at);
    }

    pomiro::testing::MessageBoxes m_messages;
    ChmHelpViewer m_viewer;
    QTemporaryDir m_work;
    QString m_previous;
};

TEST_F(HelpViewerTest, OpensAtTheDefaultTopicAndBrowsesInsideTheFile)
{
    placeHelpFile();
    m_viewer.displayTopic(nullptr, QStringLiteral("RwHelp.chm"));
    ASSERT_EQ(m_viewer.windows().size(), 1);
    EXPECT_TRUE(m_messages.shown.isEmpty());
    HelpWindow *window = m_viewer.windows().first();
    HelpBrowser *browser = window->browser();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));

    EXPECT_EQ(browser->source(), QUrl(QStringLiteral("chm:///index.html")));
    EXPECT_EQ(browser->documentTitle(), QStringLiteral("ぽみろチェッカーへようこそ"));
    EXPECT_TRUE(window->windowTitle().contains(QStringLiteral("ぽみろチェッカー ヘルプ")));
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("「ぽみろ」とは")));
    EXPECT_FALSE(window->backAction()->isEnabled());

    // The picture and the style sheet come out of the file too.
    const QVariant picture = browser->document()->resource(QTextDocument::ImageResource,
                                                           QUrl(QStringLiteral("chm:///images/pomiro.svg")));
    EXPECT_FALSE(picture.value<QImage>().isNull());
    EXPECT_TRUE(browser->document()
                    ->resource(QTextDocument::StyleSheetResource, QUrl(QStringLiteral("chm:///style.css")))
                    .toString()
                    .contains(QStringLiteral("body")));

    clickLink(browser, QStringLiteral("金額の換算"));
    EXPECT_EQ(browser->source(), QUrl(QStringLiteral("chm:///kansan.html")));
    EXPECT_EQ(browser->documentTitle(), QStringLiteral("金額の換算"));
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("182.5")));
    ASSERT_TRUE(window->backAction()->isEnabled());

    window->backAction()->trigger();
    EXPECT_EQ(browser->source(), QUrl(QStringLiteral("chm:///index.html")));
    ASSERT_TRUE(window->forwardAction()->isEnabled());
    window->forwardAction()->trigger();
    EXPECT_EQ(browser->source(), QUrl(QStringLiteral("chm:///kansan.html")));

    window->homeAction()->trigger();
    EXPECT_EQ(browser->documentTitle(), QStringLiteral("ぽみろチェッカーへようこそ"));

    // Every page the contents bar links to is in the file.
    for (const char *page : {"kansan.html", "hozon.html", "ichiran.html", "insatsu.html"}) {
        browser->setSource(QUrl(QStringLiteral("chm:///") + QLatin1String(page)));
        EXPECT_FALSE(browser->documentTitle().isEmpty()) << page;
        EXPECT_FALSE(browser->toPlainText().contains(QStringLiteral("ありません："))) << page;
    }
}

TEST_F(HelpViewerTest, NothingOutsideTheFileIsLoaded)
{
    placeHelpFile();
    m_viewer.displayTopic(nullptr, QStringLiteral("RwHelp.chm"));
    ASSERT_EQ(m_viewer.windows().size(), 1);
    HelpBrowser *browser = m_viewer.windows().first()->browser();

    const QString local = m_work.filePath(QStringLiteral("secret.css"));
    ASSERT_TRUE(writeFile(local, "body { color: red }"));
    const QVariant read = browser->document()->resource(QTextDocument::StyleSheetResource, QUrl::fromLocalFile(local));
    EXPECT_TRUE(read.toString().isEmpty());
    EXPECT_TRUE(read.toByteArray().isEmpty());

    // A link a page does not have inside the file shows a note, not an empty window.
    browser->setSource(QUrl(QStringLiteral("chm:///nosuch.html")));
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("ありません")));
}

TEST_F(HelpViewerTest, OneWindowPerFileAndCloseAllClosesIt)
{
    placeHelpFile();
    m_viewer.displayTopic(nullptr, QStringLiteral("RwHelp.chm"));
    ASSERT_EQ(m_viewer.windows().size(), 1);
    QPointer<HelpWindow> first = m_viewer.windows().first();

    // Called again after browsing and minimising: the same window, back at the default topic.
    first->browser()->setSource(QUrl(QStringLiteral("chm:///hozon.html")));
    first->showMinimized();
    m_viewer.displayTopic(nullptr, QStringLiteral("RwHelp.chm"));
    ASSERT_EQ(m_viewer.windows().size(), 1);
    EXPECT_EQ(m_viewer.windows().first(), first.data());
    EXPECT_EQ(first->browser()->source(), first->homeUrl());
    EXPECT_EQ(first->browser()->documentTitle(), QStringLiteral("ぽみろチェッカーへようこそ"));
    EXPECT_FALSE(first->isMinimized());

    m_viewer.closeAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(m_viewer.windows().isEmpty());
    EXPECT_TRUE(first.isNull());

    // Closed by the user, it opens again on the next call.
    m_viewer.displayTopic(nullptr, QStringLiteral("RwHelp.chm"));
    ASSERT_EQ(m_viewer.windows().size(), 1);
    QPointer<HelpWindow> second = m_viewer.windows().first();
    second->close();
    m_viewer.displayTopic(nullptr, QStringLiteral("RwHelp.chm"));
    ASSERT_EQ(m_viewer.windows().size(), 1);
    EXPECT_TRUE(m_viewer.windows().first()->isVisible());
    EXPECT_NE(m_viewer.windows().first(), second.data());
    EXPECT_TRUE(m_messages.shown.isEmpty());
}

TEST_F(HelpViewerTest, MissingOrDamagedFileIsReportedAndOpensNothing)
{
    ASSERT_TRUE(writeFile(m_work.filePath("Broken.chm"), QByteArray(2048, '\x01')));
    struct Case
    {
        QString file;
        QString says;
    };
    const Case cases[] = {
        {QStringLiteral("NoSuchHelp.chm"), QStringLiteral("「NoSuchHelp.chm」が見つかりません")},
        {QStringLiteral("Broken.chm"), QStringLiteral("開けませんでした")},
    };
    for (const Case &c : cases) {
        m_messages.shown.clear();
        m_viewer.displayTopic(nullptr, c.file);
        EXPECT_TRUE(m_viewer.windows().isEmpty()) << c.file.toStdString();
        ASSERT_EQ(m_messages.shown.size(), 1) << c.file.toStdString();
        EXPECT_EQ(m_messages.shown[0].box, Box::Warning);
        EXPECT_TRUE(m_messages.shown[0].text.contains(c.says)) << m_messages.shown[0].text.toStdString();
    }
    EXPECT_TRUE(m_messages.shown[0].text.contains(QDir::toNativeSeparators(m_work.filePath("Broken.chm"))));
}

} // namespace
