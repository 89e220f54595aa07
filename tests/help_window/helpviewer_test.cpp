#include "core/cp932.h"
#include "help_window/chmfile.h"
#include "help_window/chmhelpviewer.h"
#include "help_window/helpwindow.h"
#include "help_window/texts.h"
#include "tests/support/accessibilityevents.h"
#include "tests/support/messageboxes.h"
#include "tests/support/qtapp.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPointer>
#include <QProcess>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace {

using pomiro::testing::Box;
using pomiro::testing::Described;
using pomiro::testing::whatName;

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

struct SystemData : Described
{
    QByteArray system;
    QByteArray topic;
};

class HelpSystemData : public ::testing::TestWithParam<SystemData>
{};

TEST_P(HelpSystemData, DefaultTopicIsReadFromRecordTwoAndDamageGivesNone)
{
    EXPECT_EQ(defaultTopicFromSystem(GetParam().system), GetParam().topic);
}

std::vector<SystemData> systemData()
{
    const QByteArray topic = systemRecord(2, QByteArray("index.html", 11));
    return {
        {{"the record alone"}, kVersion + topic, "/index.html"},
        {{"after other records"},
         kVersion + systemRecord(3, "タイトル") + systemRecord(0, "RwHelp.hhc") + topic,
         "/index.html"},
        {{"already rooted"}, kVersion + systemRecord(2, QByteArray("/a.htm", 7)), "/a.htm"},
        {{"no NUL at the end"}, kVersion + systemRecord(2, "index.html"), "/index.html"},
        {{"backslashes and an anchor"},
         kVersion + systemRecord(2, QByteArray("sub\\page.htm#top", 17)),
         "/sub/page.htm"},
        {{"empty topic"}, kVersion + systemRecord(2, QByteArray("\0", 1)), ""},
        {{"no topic record"}, kVersion + systemRecord(3, "title"), ""},
        {{"nothing at all"}, QByteArray(), ""},
        {{"version cut short"}, QByteArray("\x03\x00", 2), ""},
        {{"record head cut short"}, kVersion + QByteArray("\x02\x00\x0b", 3), ""},
        {{"length past the end"}, kVersion + topic.left(10), ""},
        {{"huge length"}, kVersion + QByteArray("\x02\x00\xff\xff", 4) + "index.html", ""},
    };
}

INSTANTIATE_TEST_SUITE_P(Records, HelpSystemData, ::testing::ValuesIn(systemData()), whatName);

TEST(HelpSystemDataTest, NoiseIsNeverReadOutsideTheBuffer)
{
    // The sanitizer build checks this.
    QRandomGenerator random(3);
    for (int round = 0; round < 500; ++round) {
        QByteArray noise(random.bounded(64), Qt::Uninitialized);
        for (char &byte : noise)
            byte = char(random.bounded(256));
        (void)defaultTopicFromSystem(noise);
    }
}

const QString kHelpWords = QStringLiteral("ぽみろの換算￥");

struct HelpPage : Described
{
    QByteArray bytes;
};

class HelpText : public ::testing::TestWithParam<HelpPage>
{};

TEST_P(HelpText, IsDecodedByItsCharset)
{
    EXPECT_TRUE(decodeHelpText(GetParam().bytes).endsWith(QStringLiteral("<p>") + kHelpWords));
}

std::vector<HelpPage> helpPages()
{
    const QByteArray sjis = *cp932::encode(kHelpWords);
    return {
        {{"utf-8 declared"}, "<meta charset=\"utf-8\"><p>" + kHelpWords.toUtf8()},
        {{"Shift_JIS declared"},
         "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\"><p>" + sjis},
        {{"windows-31j declared"}, "<meta charset='windows-31j'><p>" + sjis},
        {{"nothing declared, utf-8"}, "<p>" + kHelpWords.toUtf8()},
        {{"nothing declared, Shift-JIS"}, "<p>" + sjis},
        {{"byte order mark"}, "\xEF\xBB\xBF<p>" + kHelpWords.toUtf8()},
    };
}

INSTANTIATE_TEST_SUITE_P(Charsets, HelpText, ::testing::ValuesIn(helpPages()), whatName);

struct Link : Described
{
    const char *url;
    HelpLink kind;
};

class HelpLinkTest : public ::testing::TestWithParam<Link>
{};

TEST_P(HelpLinkTest, OnlyPagesOfTheFileAndWebAddressesAreFollowed)
{
    EXPECT_EQ(classifyHelpLink(QUrl(QString::fromLatin1(GetParam().url))), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    Links, HelpLinkTest,
    ::testing::Values(
        Link{{"page of the file"}, "chm:///kansan.html", HelpLink::Inside},
        Link{{"page of the file with an anchor"}, "chm:///index.html#top", HelpLink::Inside},
        Link{{"https"}, "https://example.org/", HelpLink::External},
        Link{{"http in capitals"}, "HTTP://example.org/", HelpLink::External},
        Link{{"mail"}, "mailto:someone@example.org", HelpLink::External},
        Link{{"local file"}, "file:///usr/bin/xterm", HelpLink::Refused},
        Link{{"script"}, "javascript:alert(1)", HelpLink::Refused},
        Link{{"another help file"}, "ms-its:other.chm::/a.htm", HelpLink::Refused},
        // not resolved against a page
        Link{{"bare path"}, "/kansan.html", HelpLink::Refused}),
    whatName);

TEST(HelpLocationTest, FirstFolderHoldingTheFileWins)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString work = root.filePath("work"), program = root.filePath("bin"),
                  data = root.filePath("share");
    for (const QString &dir : {work, program, data})
        ASSERT_TRUE(QDir().mkpath(dir));
    const QStringList folders{work, program, data};
    auto place = [](const QString &dir) {
        return writeFile(QDir(dir).filePath("RwHelp.chm"), "x");
    };
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
    EXPECT_EQ(locateHelpFile(QDir(data).filePath("RwHelp.chm"), {}),
              QDir(data).filePath("RwHelp.chm"));
    EXPECT_EQ(locateHelpFile(QString(), folders), QString());
}

struct HelpProject : Described
{
    const char *options; // the project's [OPTIONS] besides the compiled file
    const char *files;   // its [FILES]
    QByteArray topic;
};

class DefaultTopic : public ::testing::TestWithParam<HelpProject>
{};

// The file's default topic when it names a page of the file, otherwise its first page.
TEST_P(DefaultTopic, FallsBackToTheFirstPage)
{
    const QString chmcmd = QStandardPaths::findExecutable(QStringLiteral("chmcmd"));
    ASSERT_FALSE(chmcmd.isEmpty())
        << "chmcmd is missing (package fp-utils, which the build needs too)";
    const HelpProject &c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(writeFile(dir.filePath("b.html"),
                          "<html><head><title>B</title></head><body>b</body></html>"));
    ASSERT_TRUE(writeFile(dir.filePath("a.html"),
                          "<html><head><title>A</title></head><body>a</body></html>"));
    ASSERT_TRUE(writeFile(dir.filePath("c.css"), "p {}"));
    ASSERT_TRUE(
        writeFile(dir.filePath("help.hhp"), QByteArray("[OPTIONS]\nCompiled file=help.chm\n") +
                                                c.options + "\n[FILES]\n" + c.files));
    QProcess compile;
    compile.setWorkingDirectory(dir.path());
    compile.start(chmcmd, {QStringLiteral("help.hhp")});
    ASSERT_TRUE(compile.waitForFinished(30000));
    const auto file = ChmFile::open(dir.filePath("help.chm"));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->defaultTopic(), c.topic);
}

INSTANTIATE_TEST_SUITE_P(Projects, DefaultTopic,
                         ::testing::Values(HelpProject{{"named"},
                                                       "Default topic=b.html\n",
                                                       "b.html\na.html\n",
                                                       "/b.html"},
                                           HelpProject{{"named but missing"},
                                                       "Default topic=gone.html\n",
                                                       "c.css\nb.html\na.html\n",
                                                       "/a.html"},
                                           HelpProject{{"no page at all"}, "", "c.css\n", ""}),
                         whatName);

TEST(ChmFileTest, FilesThatAreNotHelpFilesDoNotOpen)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_FALSE(ChmFile::open(dir.filePath("absent.chm")));
    ASSERT_TRUE(writeFile(dir.filePath("empty.chm"), {}));
    EXPECT_FALSE(ChmFile::open(dir.filePath("empty.chm")));
    ASSERT_TRUE(writeFile(dir.filePath("text.chm"), QByteArray(4096, 'x')));
    EXPECT_FALSE(ChmFile::open(dir.filePath("text.chm")));
}

// The pages of the help file the build compiled, as the whole file holds them.
const QByteArray kHelpPages[] = {
    "/#SYSTEM",        "/index.html",  "/kansan.html",  "/hozon.html", "/ichiran.html",
    "/tsumitate.html", "/kiroku.html", "/insatsu.html", "/style.css",  "/images/pomiro.svg"};

QByteArray builtHelpBytes()
{
    QFile built(builtHelpFile());
    EXPECT_TRUE(built.open(QIODevice::ReadOnly)) << builtHelpFile().toStdString();
    return built.readAll();
}

// chmlib reads what lies past the end of a file cut short as zeros, and hands out pages made of
// them or of other pages' bytes: a help file shorter than its header says does not open, wherever
// the cut falls, and the user is told it is damaged instead of shown a garbled page.
TEST(ChmFileTest, AFileCutShortDoesNotOpen)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray whole = builtHelpBytes();
    ASSERT_GT(whole.size(), 1000);
    const QString path = dir.filePath(QStringLiteral("cut.chm"));
    // Cuts all through the file, and at each of its last bytes.
    const qsizetype step = whole.size() / 256;
    for (qsizetype size = 1; size < whole.size(); size += size + 64 < whole.size() ? step : 1) {
        ASSERT_TRUE(writeFile(path, whole.left(size)));
        EXPECT_FALSE(ChmFile::open(path))
            << "cut to " << size << " of " << whole.size() << " bytes";
    }
}

// Bytes after the end the header gives are no damage: every page reads as the whole file has it.
TEST(ChmFileTest, AFileLongerThanItSaysOpensWithEveryPageInFull)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto whole = ChmFile::open(builtHelpFile());
    ASSERT_TRUE(whole);
    const QString path = dir.filePath(QStringLiteral("longer.chm"));
    ASSERT_TRUE(writeFile(path, builtHelpBytes() + QByteArray(1000, 'x')));
    const auto longer = ChmFile::open(path);
    ASSERT_TRUE(longer);
    EXPECT_EQ(longer->defaultTopic(), "/index.html");
    for (const QByteArray &page : kHelpPages) {
        const auto bytes = longer->read(page);
        ASSERT_TRUE(bytes) << page.constData();
        EXPECT_EQ(*bytes, whole->read(page).value()) << page.constData();
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

    void placeHelpFile()
    {
        ASSERT_TRUE(QFile::copy(builtHelpFile(), m_work.filePath("RwHelp.chm")));
    }

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
    // Before the viewer, so that it outlives every window.
    pomiro::testing::AccessibilityEvents m_heard;
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
    const QVariant picture = browser->document()->resource(
        QTextDocument::ImageResource, QUrl(QStringLiteral("chm:///images/pomiro.svg")));
    EXPECT_FALSE(picture.value<QImage>().isNull());
    // The style sheet is made at build time with the colours the program shares with its pages;
    // the pages must still look as they always did: dark grey text on cream.
    const QString styleSheet =
        browser->document()
            ->resource(QTextDocument::StyleSheetResource, QUrl(QStringLiteral("chm:///style.css")))
            .toString();
    EXPECT_TRUE(styleSheet.contains(QStringLiteral("body")));
    EXPECT_TRUE(styleSheet.contains(QStringLiteral("color: #333333;"))) << styleSheet.toStdString();
    EXPECT_TRUE(styleSheet.contains(QStringLiteral("background-color: #fffff0;")))
        << styleSheet.toStdString();
    EXPECT_FALSE(styleSheet.contains(u'@')) << "a colour was left unfilled";

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
    for (const char *page : {"kansan.html", "hozon.html", "ichiran.html", "tsumitate.html",
                             "kiroku.html", "insatsu.html"}) {
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
    const QVariant read = browser->document()->resource(QTextDocument::StyleSheetResource,
                                                        QUrl::fromLocalFile(local));
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

enum class Damage { Missing, NotAHelpFile, CutShort };

struct Unopenable : Described
{
    const char *file;
    Damage damage;
    const char *says; // a piece of the one warning
};

class UnopenableHelpFile : public HelpViewerTest, public ::testing::WithParamInterface<Unopenable>
{};

TEST_P(UnopenableHelpFile, IsReportedAndOpensNothing)
{
    const Unopenable &c = GetParam();
    const QString path = m_work.filePath(QString::fromLatin1(c.file));
    if (c.damage == Damage::NotAHelpFile) {
        ASSERT_TRUE(writeFile(path, QByteArray(2048, '\x01')));
    } else if (c.damage == Damage::CutShort) {
        ASSERT_TRUE(writeFile(path, builtHelpBytes().chopped(100)));
    }
    m_viewer.displayTopic(nullptr, QString::fromLatin1(c.file));
    EXPECT_TRUE(m_viewer.windows().isEmpty());
    ASSERT_EQ(m_messages.shown.size(), 1);
    EXPECT_EQ(m_messages.shown[0].box, Box::Warning);
    EXPECT_TRUE(m_messages.shown[0].text.contains(QString::fromUtf8(c.says)))
        << m_messages.shown[0].text.toStdString();
    // A file that is there is named by its full path.
    if (c.damage != Damage::Missing) {
        EXPECT_TRUE(m_messages.shown[0].text.contains(QDir::toNativeSeparators(path)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnopenableHelpFile,
    ::testing::Values(
        Unopenable{
            {"missing"}, "NoSuchHelp.chm", Damage::Missing, "「NoSuchHelp.chm」が見つかりません"},
        Unopenable{{"not a help file"}, "Broken.chm", Damage::NotAHelpFile, "開けませんでした"},
        Unopenable{{"cut short"}, "RwHelp.chm", Damage::CutShort, "開けませんでした"}),
    whatName);

// The links of a page as its document holds them: the runs of text that carry an address.
struct PageLink
{
    int start;
    int end;
    QString text;
};

QList<PageLink> linksOf(const QTextDocument &document)
{
    QList<PageLink> links;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto piece = block.begin(); !piece.atEnd(); ++piece) {
            const QTextFragment fragment = piece.fragment();
            if (!fragment.charFormat().isAnchor() || fragment.charFormat().anchorHref().isEmpty())
                continue;
            if (!links.isEmpty() && links.last().end == fragment.position())
                links.last().end += fragment.length(), links.last().text += fragment.text();
            else
                links.append({fragment.position(), fragment.position() + fragment.length(),
                              fragment.text()});
        }
    }
    return links;
}

// The help window opened from the keyboard, as a screen-reader user meets it.
class HelpKeyboardTest : public HelpViewerTest
{
protected:
    void SetUp() override
    {
        HelpViewerTest::SetUp();
        placeHelpFile();
        m_viewer.displayTopic(nullptr, QStringLiteral("RwHelp.chm"));
        ASSERT_EQ(m_viewer.windows().size(), 1);
        m_window = m_viewer.windows().first();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window));
        m_links = linksOf(*browser()->document());
        ASSERT_GE(m_links.size(), 6) << "the contents bar and the list of topics";
        m_heard.clear();
    }

    HelpBrowser *browser() const { return m_window->browser(); }

    // A key as the user presses it: to whatever has the focus, through the application.
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QWidget *focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::keyClick(focus, key, modifiers);
    }

    QStringList announced() const { return m_heard.announced(); }

    void expectAtPageStart()
    {
        EXPECT_EQ(QApplication::focusWidget(), browser());
        EXPECT_EQ(browser()->textCursor().position(), 0);
        EXPECT_FALSE(browser()->textCursor().hasSelection());
    }

    QPointer<HelpWindow> m_window;
    QList<PageLink> m_links;
};

TEST_F(HelpKeyboardTest, TheArrowsMoveACaretThroughThePage)
{
    const Qt::TextInteractionFlags flags = browser()->textInteractionFlags();
    EXPECT_TRUE(flags.testFlag(Qt::TextSelectableByKeyboard));
    EXPECT_TRUE(flags.testFlag(Qt::LinksAccessibleByKeyboard));
    EXPECT_TRUE(flags.testFlag(Qt::LinksAccessibleByMouse));
    EXPECT_FALSE(flags.testFlag(Qt::TextEditable));
    expectAtPageStart();
    EXPECT_EQ(browser()->accessibleName(), helptexts::kPageName);

    press(Qt::Key_Down);
    const QTextCursor second = browser()->textCursor();
    EXPECT_EQ(second.blockNumber(), 1) << "one line down, into the heading";
    press(Qt::Key_End);
    EXPECT_GT(browser()->textCursor().position(), second.position());
    EXPECT_EQ(browser()->textCursor().blockNumber(), 1);
    press(Qt::Key_Up);
    EXPECT_EQ(browser()->textCursor().blockNumber(), 0);
    // Reading is not a link: nothing is announced, and the text stays as it was.
    EXPECT_TRUE(announced().isEmpty());
    EXPECT_EQ(browser()->source(), m_window->homeUrl());
}

struct LinkWalk : Described
{
    const char *keys; // T: Tab, S: Shift+Tab
    int link;         // the link reached, counted in the page from 0; -1 for the last
};

class HelpLinkWalk : public HelpKeyboardTest, public ::testing::WithParamInterface<LinkWalk>
{};

// Tab and Shift+Tab go from link to link and round the page; each link reached is said with its
// text, as the page shows it.
TEST_P(HelpLinkWalk, ReachesTheLinkAndSaysIt)
{
    const LinkWalk &c = GetParam();
    for (const char *key = c.keys; *key; ++key)
        press(Qt::Key_Tab, *key == 'S' ? Qt::ShiftModifier : Qt::NoModifier);

    const PageLink &link = c.link < 0 ? m_links.last() : m_links[c.link];
    const QTextCursor cursor = browser()->textCursor();
    EXPECT_EQ(QApplication::focusWidget(), browser()) << "the keyboard stays in the page";
    EXPECT_EQ(cursor.selectionStart(), link.start);
    EXPECT_EQ(cursor.selectionEnd(), link.end);
    const QStringList heard = announced();
    EXPECT_EQ(heard.size(), qsizetype(strlen(c.keys))) << "one announcement a key";
    ASSERT_FALSE(heard.isEmpty());
    EXPECT_EQ(heard.last(), link.text + QStringLiteral(" リンク"));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, HelpLinkWalk,
    ::testing::Values(LinkWalk{{"first link from the page start"}, "T", 0},
                      LinkWalk{{"second link"}, "TT", 1},
                      LinkWalk{{"into the body text"}, "TTTTTT", 5},
                      LinkWalk{{"back with Shift+Tab"}, "TTTS", 1},
                      LinkWalk{{"Shift+Tab from the page start to the last link"}, "S", -1},
                      LinkWalk{{"Shift+Tab from the first link to the last"}, "TS", -1},
                      LinkWalk{{"Tab round from the last link to the first"}, "ST", 0}),
    whatName);

TEST_F(HelpKeyboardTest, TabWalksEveryLinkOnceAndComesRound)
{
    for (const PageLink &link : m_links) {
        press(Qt::Key_Tab);
        EXPECT_EQ(browser()->textCursor().selectedText(), link.text);
    }
    press(Qt::Key_Tab);
    EXPECT_EQ(browser()->textCursor().selectionStart(), m_links.first().start);
    EXPECT_EQ(announced().size(), m_links.size() + 1);
}

// After reading down the page, Tab goes to the next link below the caret, Shift+Tab to the one
// above it, not to the page's first or last.
TEST_F(HelpKeyboardTest, TabGoesOnFromTheCaret)
{
    for (int line = 0; line < 4; ++line)
        press(Qt::Key_Down);
    const int caret = browser()->textCursor().position();
    ASSERT_GT(caret, m_links[4].end) << "past the contents bar";
    const auto after = std::find_if(m_links.begin(), m_links.end(),
                                    [&](const PageLink &l) { return l.start >= caret; });
    ASSERT_NE(after, m_links.end());
    press(Qt::Key_Tab);
    EXPECT_EQ(browser()->textCursor().selectionStart(), after->start);
    EXPECT_EQ(announced().last(), after->text + QStringLiteral(" リンク"));

    browser()->setTextCursor(QTextCursor(browser()->document()));
    for (int line = 0; line < 4; ++line)
        press(Qt::Key_Down);
    ASSERT_EQ(browser()->textCursor().position(), caret);
    press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(browser()->textCursor().selectionStart(), std::prev(after)->start);
    EXPECT_EQ(announced().last(), std::prev(after)->text + QStringLiteral(" リンク"));
}

TEST_F(HelpKeyboardTest, HoveringOverALinkSaysNothing)
{
    QSignalSpy highlighted(browser(), &QTextBrowser::highlighted);
    for (const PageLink &link : {m_links[1], m_links[5], m_links[1]}) {
        QTextCursor inside(browser()->document());
        inside.setPosition(link.start + 1);
        QTest::mouseMove(browser()->viewport(), browser()->cursorRect(inside).center());
        QTest::mouseMove(browser()->viewport(), QPoint(browser()->viewport()->width() - 5,
                                                       browser()->viewport()->height() - 5));
    }
    EXPECT_GE(highlighted.count(), 3) << "the mouse did pass over the links";
    EXPECT_TRUE(announced().isEmpty());
    // Nor does the mouse over the link the keyboard is on.
    press(Qt::Key_Tab);
    m_heard.clear();
    QTextCursor inside(browser()->document());
    inside.setPosition(m_links[0].start + 1);
    QTest::mouseMove(browser()->viewport(), browser()->cursorRect(inside).center());
    EXPECT_TRUE(announced().isEmpty());
}

class HelpLinkEnter : public HelpKeyboardTest, public ::testing::WithParamInterface<Qt::Key>
{};

// Enter follows the link the keyboard is on; the new page is said and read from its top, and the
// keys of the toolbar's buttons go back and forth.
TEST_P(HelpLinkEnter, OpensThePageOfTheLink)
{
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    ASSERT_EQ(browser()->textCursor().selectedText(), QStringLiteral("金額の換算"));
    m_heard.clear();
    press(GetParam());
    EXPECT_EQ(browser()->source(), QUrl(QStringLiteral("chm:///kansan.html")));
    EXPECT_EQ(browser()->documentTitle(), QStringLiteral("金額の換算"));
    expectAtPageStart();
    EXPECT_EQ(announced(), QStringList{QStringLiteral("金額の換算 ページ")});

    // Back: the page before, from its top too, not at the link that was followed.
    press(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(browser()->source(), m_window->homeUrl());
    expectAtPageStart();
    press(Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(browser()->source(), QUrl(QStringLiteral("chm:///kansan.html")));
    expectAtPageStart();
    press(Qt::Key_Down);
    press(Qt::Key_Home, Qt::AltModifier);
    EXPECT_EQ(browser()->source(), m_window->homeUrl());
    expectAtPageStart();
    EXPECT_EQ(announced(), (QStringList{QStringLiteral("金額の換算 ページ"),
                                        QStringLiteral("ぽみろチェッカーへようこそ ページ"),
                                        QStringLiteral("金額の換算 ページ"),
                                        QStringLiteral("ぽみろチェッカーへようこそ ページ")}));

    // The link to the page shown starts it over.
    press(Qt::Key_Tab);
    ASSERT_EQ(browser()->textCursor().selectedText(), QStringLiteral("はじめに"));
    m_heard.clear();
    press(GetParam());
    EXPECT_EQ(browser()->source(), m_window->homeUrl());
    expectAtPageStart();
    EXPECT_EQ(announced(), QStringList{QStringLiteral("ぽみろチェッカーへようこそ ページ")});
}

INSTANTIATE_TEST_SUITE_P(Keys, HelpLinkEnter, ::testing::Values(Qt::Key_Return, Qt::Key_Enter));

TEST_F(HelpKeyboardTest, EscClosesTheWindowAndHelpOpensAgain)
{
    press(Qt::Key_Tab); // wherever the keyboard is in the page
    press(Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(m_window.isNull()) << "closed as by its close button";
    EXPECT_TRUE(m_viewer.windows().isEmpty());

    m_viewer.displayTopic(nullptr, QStringLiteral("RwHelp.chm"));
    ASSERT_EQ(m_viewer.windows().size(), 1);
    m_window = m_viewer.windows().first();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window));
    expectAtPageStart();
}

} // namespace
