#include "base/ErrorReport.h"
#include "settings/SettingsBackingStore.h"
#include "settings/StoredValueScrambler.h"
#include "settings/WindowStateStore.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Section = QStringLiteral("Melbrin\\TrevixStyleEditor");
const QString Key = QStringLiteral("SOFTWARE/Melbrin/TrevixStyleEditor/");

// A component with a switch and a text, as a window's child carries them.
class Component : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool Visible MEMBER visible)
    Q_PROPERTY(QString Caption MEMBER caption)

public:
    Component(const QString &name, QObject *parent) : QObject(parent) { setObjectName(name); }
    bool visible = true;
    QString caption;
};

// A window without a window system: the store's steps act on plain fields.
struct FakeWindow : FormWindow
{
    QObject form_;
    WindowPlacement placement_;
    bool sizeable = true;
    QSize size_{700, 400};
    QSize screen{1280, 800};
    int pixelsPerInch = 96;
    State state = State::Normal;
    int setPlacementCalls = 0;
    int minimizePosts = 0;
    int maxAdjustments = 0;
    QString focused;
    QString activated;

    FakeWindow()
    {
        placement_.left = 290;
        placement_.top = 200;
        placement_.right = 990;
        placement_.bottom = 600;
    }

    QObject *form() const override { return const_cast<QObject *>(&form_); }
    WindowPlacement placement() const override { return placement_; }
    void setPlacement(const WindowPlacement &p) override
    {
        placement_ = p;
        ++setPlacementCalls;
    }
    bool isSizeable() const override { return sizeable; }
    QSize size() const override { return size_; }
    QSize screenSize() const override { return screen; }
    int screenPixelsPerInch() const override { return pixelsPerInch; }
    void setState(State s) override { state = s; }
    void postMinimize() override { ++minimizePosts; }
    void adjustMaximizedPosition() override { ++maxAdjustments; }
    QString activeControlName() const override { return focused; }
    void setActiveControl(const QString &name) override { activated = name; }
};

} // namespace

class tst_WindowStateStore : public QObject
{
    Q_OBJECT

private:
    struct Fixture
    {
        WindowStateStore storage;
        FakeWindow *window = new FakeWindow;
        Component *statusBar = new Component(QStringLiteral("StatusBar"), &window->form_);
        Component *fullPath = new Component(QStringLiteral("ItemFullPath"), &window->form_);

        Fixture()
        {
            storage.attach(std::unique_ptr<FormWindow>(window));
            storage.setSection(Section);
            storage.setOptions(
                    {FormPlacement::State, FormPlacement::Position, FormPlacement::ActiveControl});
            storage.setStoredProperties({QStringLiteral("StatusBar.Visible"),
                                         QStringLiteral("ItemFullPath.Visible"),
                                         QStringLiteral("NoSuchComponent.Visible"),
                                         QStringLiteral("StatusBar.NoSuchProperty"),
                                         QStringLiteral("NoDot"), QStringLiteral(" . ")});
            storage.setStoredValues({
                    StoredValue(QStringLiteral("SWFFile"), QStringLiteral("trevix.swf"),
                                QStringLiteral("Quillmarten")),
                    StoredValue(QStringLiteral("SWFWidth"), 400, QStringLiteral("Brosendaw")),
                    StoredValue(QStringLiteral("SWFHeight"), 300, QStringLiteral("Tavelnok")),
                    StoredValue(QStringLiteral("SWFDataFile"), QStringLiteral("data.txt"),
                                QStringLiteral("Hemrquist")),
            });
            storage.setActive(true);
        }
    };

    QSettings raw() const { return QSettings(m_path, QSettings::IniFormat); }
    void setRaw(const QString &name, const QVariant &value)
    {
        QSettings settings(m_path, QSettings::IniFormat);
        settings.setValue(Key + name, value);
    }
    void writeRawLine(const QByteArray &line)
    {
        QDir().mkpath(QFileInfo(m_path).absolutePath());
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[SOFTWARE]\n" + line + "\n");
    }
    // A run that closes with the given window and values, as the next start finds it.
    void saveRun(const std::function<void(Fixture &)> &change)
    {
        Fixture run;
        run.storage.restoreSettings();
        change(run);
        run.storage.saveSettings();
    }

    QTemporaryDir m_dir;
    QString m_path;
    QStringList m_errors;
    ErrorReport::Handler m_previousHandler;

private slots:
    void initTestCase()
    {
        m_previousHandler = ErrorReport::setHandler(
                [this](const QString &message) { m_errors << message; });
    }
    void cleanupTestCase()
    {
        ErrorReport::setHandler(m_previousHandler);
        SettingsBackingStore::setUserFilePath(QString());
    }
    void init()
    {
        // A fresh settings file for each test and data row.
        m_path = m_dir.filePath(QStringLiteral("%1-%2/Melbrin/TrevixStyleEditor.conf")
                                        .arg(QString::fromLatin1(QTest::currentTestFunction()),
                                             QString::fromLatin1(QTest::currentDataTag())));
        SettingsBackingStore::setUserFilePath(m_path);
        m_errors.clear();
    }

    void firstRunKeepsTheDesignAsText()
    {
        Fixture f;
        f.storage.windowShown();
        QVERIFY(f.storage.isRestored());
        QCOMPARE(f.window->maxAdjustments, 1);
        QCOMPARE(f.window->setPlacementCalls, 0);
        QCOMPARE(f.window->state, FormWindow::State::Normal);
        QVERIFY(f.statusBar->visible);
        const QStringList expected = {QStringLiteral("trevix.swf"), QStringLiteral("400"),
                                      QStringLiteral("300"), QStringLiteral("data.txt")};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(f.storage.storedValues()[i].value.typeId(), QMetaType::QString);
            QCOMPARE(f.storage.storedValues()[i].value.toString(), expected[i]);
        }
        QVERIFY(!QFile::exists(m_path));
        QVERIFY(m_errors.isEmpty());
    }

    void saveWritesEveryValueAsText()
    {
        Fixture f;
        f.storage.restoreSettings();
        f.window->focused = QStringLiteral("ProfileGrid");
        f.statusBar->visible = false;
        f.storage.windowCloseQueried(true);
        QVERIFY(f.storage.isSaved());

        QSettings s = raw();
        s.beginGroup(Key);
        const QStringList names = {QStringLiteral("FormVersion"),
                                   QStringLiteral("Flags"),
                                   QStringLiteral("ShowCmd"),
                                   QStringLiteral("PixelsPerInch"),
                                   QStringLiteral("MinMaxPos(1280x800)"),
                                   QStringLiteral("MinMaxPos"),
                                   QStringLiteral("NormPos(1280x800)"),
                                   QStringLiteral("NormPos"),
                                   QStringLiteral("Visible"),
                                   QStringLiteral("ActiveControl"),
                                   QStringLiteral("StatusBar_Visible"),
                                   QStringLiteral("ItemFullPath_Visible"),
                                   QStringLiteral("SWFFile"),
                                   QStringLiteral("SWFWidth"),
                                   QStringLiteral("SWFHeight"),
                                   QStringLiteral("SWFDataFile")};
        const QStringList keys = s.childKeys();
        QCOMPARE(QSet<QString>(keys.cbegin(), keys.cend()),
                 QSet<QString>(names.cbegin(), names.cend()));
        QCOMPARE(s.value(QStringLiteral("FormVersion")).toString(), QStringLiteral("0"));
        QCOMPARE(s.value(QStringLiteral("ShowCmd")).toString(), QStringLiteral("1"));
        QCOMPARE(s.value(QStringLiteral("PixelsPerInch")).toString(), QStringLiteral("96"));
        QCOMPARE(s.value(QStringLiteral("NormPos")).toString(), QStringLiteral("290,200,990,600"));
        QCOMPARE(s.value(QStringLiteral("NormPos(1280x800)")).toString(),
                 QStringLiteral("290,200,990,600"));
        QCOMPARE(s.value(QStringLiteral("MinMaxPos")).toString(), QStringLiteral("-1,-1,-1,-1"));
        QCOMPARE(s.value(QStringLiteral("Visible")).toString(), QStringLiteral("0"));
        QCOMPARE(s.value(QStringLiteral("ActiveControl")).toString(),
                 QStringLiteral("ProfileGrid"));
        QCOMPARE(s.value(QStringLiteral("StatusBar_Visible")).toString(), QStringLiteral("False"));
        QCOMPARE(s.value(QStringLiteral("ItemFullPath_Visible")).toString(),
                 QStringLiteral("True"));
        const QString width = s.value(QStringLiteral("SWFWidth")).toString();
        QCOMPARE(width, StoredValueScrambler::scramble(QStringLiteral("400"),
                                                       QStringLiteral("Brosendaw")));
        QCOMPARE(width.size(), 6);
        QCOMPARE(width, width.toLower());
    }

    void nextRunRestoresWhatWasSaved()
    {
        saveRun([](Fixture &run) {
            run.window->placement_.left = 10;
            run.window->placement_.top = 20;
            run.window->placement_.right = 810;
            run.window->placement_.bottom = 620;
            run.window->placement_.showCmd = WindowPlacement::Maximized;
            run.window->focused = QStringLiteral("ProfileGrid");
            run.statusBar->visible = false;
            run.storage.writeStoredValue(QStringLiteral("swfwidth"), 640);
            run.storage.writeStoredValue(QStringLiteral("SWFDataFile"),
                                         QStringLiteral("sales 2026.txt"));
        });

        Fixture f;
        f.storage.windowShown();
        QCOMPARE(f.window->setPlacementCalls, 1);
        QCOMPARE(f.window->placement_.normPosText(), QStringLiteral("10,20,810,620"));
        QCOMPARE(f.window->state, FormWindow::State::Maximized);
        QCOMPARE(f.window->activated, QStringLiteral("ProfileGrid"));
        QVERIFY(!f.statusBar->visible);
        QVERIFY(f.fullPath->visible);
        QCOMPARE(f.storage.readStoredValue(QStringLiteral("SWFWidth")),
                 QVariant(QStringLiteral("640")));
        QCOMPARE(f.storage.readStoredValue(QStringLiteral("SWFDataFile")),
                 QVariant(QStringLiteral("sales 2026.txt")));
        QCOMPARE(f.storage.readStoredValue(QStringLiteral("SWFFile")),
                 QVariant(QStringLiteral("trevix.swf")));
    }

    void lowerVersionRestoresNothingButCountsAsRestored()
    {
        saveRun([](Fixture &run) { run.statusBar->visible = false; });
        setRaw(QStringLiteral("FormVersion"), QStringLiteral("-1"));

        Fixture f;
        int restoreEvents = 0;
        f.storage.setRestoreHandler([&](SettingsBackingStore &) { ++restoreEvents; });
        f.storage.windowShown();
        QVERIFY(f.storage.isRestored());
        QCOMPARE(f.window->maxAdjustments, 1);
        QCOMPARE(f.window->setPlacementCalls, 0);
        QVERIFY(f.statusBar->visible);
        QCOMPARE(f.storage.readStoredValue(QStringLiteral("SWFWidth")), QVariant(400));
        QCOMPARE(restoreEvents, 0);

        f.storage.windowCloseQueried(true);
        QCOMPARE(raw().value(Key + QStringLiteral("FormVersion")).toString(), QStringLiteral("0"));
        QCOMPARE(raw().value(Key + QStringLiteral("StatusBar_Visible")).toString(),
                 QStringLiteral("True"));
    }

    void storedBooleanText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("visible");
        QTest::newRow("False") << QStringLiteral("False") << false;
        QTest::newRow("lower case") << QStringLiteral("false") << false;
        QTest::newRow("blanks") << QStringLiteral("  FALSE ") << false;
        QTest::newRow("no") << QStringLiteral("no") << true;
        QTest::newRow("0") << QStringLiteral("0") << true;
        QTest::newRow("empty") << QString() << true;
    }
    void storedBooleanText()
    {
        QFETCH(QString, text);
        QFETCH(bool, visible);
        setRaw(QStringLiteral("StatusBar_Visible"), text);
        Fixture f;
        f.storage.restoreSettings();
        QCOMPARE(f.statusBar->visible, visible);
    }

    void nonBooleanPropertyTakesTheText()
    {
        setRaw(QStringLiteral("StatusBar_Caption"), QStringLiteral("  Ready "));
        Fixture f;
        f.storage.setStoredProperties({QStringLiteral(" StatusBar . Caption ")});
        f.storage.restoreSettings();
        QCOMPARE(f.statusBar->caption, QStringLiteral("Ready"));
    }

    void storedValueMissingOrEmpty()
    {
        QDir().mkpath(QFileInfo(m_path).absolutePath());
        setRaw(QStringLiteral("SWFHeight"), QString());
        Fixture f;
        f.storage.restoreSettings();
        QCOMPARE(f.storage.readStoredValue(QStringLiteral("SWFWidth")),
                 QVariant(QStringLiteral("400")));
        QCOMPARE(f.storage.readStoredValue(QStringLiteral("SWFHeight")), QVariant(QString()));
    }

    void writeStoredValueAddsUnknownNames()
    {
        Fixture f;
        f.storage.writeStoredValue(QStringLiteral("Extra"), QStringLiteral("x"));
        QCOMPARE(f.storage.storedValues().size(), 5);
        QCOMPARE(f.storage.readStoredValue(QStringLiteral("EXTRA")), QVariant(QStringLiteral("x")));
        QVERIFY(f.storage.readStoredValue(QStringLiteral("Nothing")).isNull());
        f.storage.setActive(false); // saves without a restore
        f.storage.saveSettings();
        QCOMPARE(raw().value(Key + QStringLiteral("Extra")).toString(), QStringLiteral("x"));
    }

    void nonTextValueBeforeTheWindowStopsTheRestoreAndTheSave()
    {
        writeRawLine("Melbrin\\TrevixStyleEditor\\Flags=@Point(1 2)\n"
                     "Melbrin\\TrevixStyleEditor\\SWFFile=00");
        const QByteArray before = [this] {
            QFile file(m_path);
            file.open(QIODevice::ReadOnly);
            return file.readAll();
        }();
        Fixture f;
        f.storage.windowShown();
        QCOMPARE(m_errors, QStringList{QStringLiteral("Invalid data type for 'Flags'")});
        QVERIFY(!f.storage.isRestored());
        f.storage.windowCloseQueried(true);
        f.storage.windowDestroying();
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }

    void brokenSettingsFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray junk(64 * 1024, Qt::Uninitialized);
        quint32 seed = 7;
        for (char &c : junk) {
            seed = seed * 1664525u + 1013904223u;
            c = char(seed >> 24);
        }
        QTest::newRow("binary junk") << junk;
        QTest::newRow("NUL bytes") << QByteArray(4096, '\0');
        QTest::newRow("one long line")
                << ("[SOFTWARE]\nMelbrin\\TrevixStyleEditor\\SWFFile=" + QByteArray(4 << 20, 'a'));
        QTest::newRow("no sections") << QByteArray("Flags=0\nSWFWidth=abc\n");
        QTest::newRow("cut short")
                << QByteArray("[SOFTWARE]\nMelbrin\\TrevixStyleEditor\\NormPos=\"1, 2");
        QTest::newRow("brackets and escapes") << QByteArray(
                "[[[\n]]]\n=\n\\x\n[SOFTWARE/Melbrin]\nTrevixStyleEditor\\SWFHeight=\\");
    }

    // Whatever the file holds, the window shows (with its design or what the
    // file could give) and the close writes a file that the next run reads.
    void brokenSettingsFile()
    {
        QFETCH(QByteArray, bytes);
        QDir().mkpath(QFileInfo(m_path).absolutePath());
        {
            QFile file(m_path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        {
            Fixture f;
            f.storage.windowShown();
            f.storage.windowCloseQueried(true);
            f.storage.windowDestroying();
        }
        for (const QString &error : std::as_const(m_errors))
            QVERIFY2(error.startsWith(QLatin1String("Invalid data type for '")), qPrintable(error));
        m_errors.clear();
        Fixture next;
        next.storage.windowShown();
        QVERIFY(next.storage.isRestored());
        QVERIFY(m_errors.isEmpty());
    }

    void nonTextStoredValueSkipsTheRestButSavesMemory()
    {
        writeRawLine("Melbrin\\TrevixStyleEditor\\SWFFile=68\nMelbrin\\TrevixStyleEditor\\SWFWidth="
                     "@ByteArray(1)\n"
                     "Melbrin\\TrevixStyleEditor\\SWFHeight="
                     "00\nMelbrin\\TrevixStyleEditor\\ActiveControl=Grid");
        Fixture f;
        bool restoreEvent = false;
        f.storage.setRestoreHandler([&](SettingsBackingStore &) { restoreEvent = true; });
        f.storage.windowShown();
        QCOMPARE(m_errors, QStringList{QStringLiteral("Invalid data type for 'SWFWidth'")});
        QVERIFY(f.storage.isRestored());
        QVERIFY(!restoreEvent);
        QVERIFY(f.window->activated.isEmpty());
        QCOMPARE(f.storage.readStoredValue(QStringLiteral("SWFFile")),
                 QVariant(QStringLiteral("9")));
        QCOMPARE(f.storage.readStoredValue(QStringLiteral("SWFHeight")), QVariant(300));

        f.storage.windowCloseQueried(true);
        QCOMPARE(raw().value(Key + QStringLiteral("SWFWidth")).toString(),
                 StoredValueScrambler::scramble(QStringLiteral("400"),
                                                QStringLiteral("Brosendaw")));
    }

    void scrambleRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("file") << QStringLiteral("trevix.swf");
        QTest::newRow("longer than the key")
                << QStringLiteral("a/rather/long/path/to/a movie file.swf");
        QTest::newRow("same as the key") << QStringLiteral("Hemrquist");
        QTest::newRow("non-ascii") << QStringLiteral("Gr\u00fcn.txt");
    }
    void scrambleRoundTrip()
    {
        QFETCH(QString, text);
        const QString key = QStringLiteral("Hemrquist");
        const QString scrambled = StoredValueScrambler::scramble(text, key);
        QCOMPARE(scrambled.size(), 2 * text.toUtf8().size());
        QVERIFY(scrambled.contains(QRegularExpression(QStringLiteral("^[0-9a-f]*$"))));
        QCOMPARE(StoredValueScrambler::unscramble(scrambled, key), text);
    }

    void unscrambleBadPairs_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes"); // before the key is applied
        QTest::newRow("upper-case hex") << QStringLiteral("4A") << QByteArray("\x4a");
        QTest::newRow("not hex") << QStringLiteral("zz41") << QByteArray(" \x41");
        QTest::newRow("half hex") << QStringLiteral("4g") << QByteArray(" ");
        QTest::newRow("sign") << QStringLiteral("-1") << QByteArray(" ");
        QTest::newRow("blank") << QStringLiteral(" 1") << QByteArray(" ");
        QTest::newRow("odd last character") << QStringLiteral("414") << QByteArray("\x41");
    }
    void unscrambleBadPairs()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        const QString key = QStringLiteral("Kq");
        QByteArray expected = bytes;
        for (qsizetype i = 0; i < expected.size(); ++i)
            expected[i] = char(expected[i] ^ key[i % 2].toLatin1());
        QCOMPARE(StoredValueScrambler::unscramble(text, key), QString::fromUtf8(expected));
    }

    void otherScreenSizeUsesThePlainRectangle()
    {
        saveRun([](Fixture &run) {
            run.window->placement_.left = 5;
            run.window->placement_.right = 905;
        });
        setRaw(QStringLiteral("NormPos"), QStringLiteral("7,8,907,608"));
        Fixture f;
        f.window->screen = QSize(1920, 1080);
        f.storage.restoreSettings();
        QCOMPARE(f.window->placement_.normPosText(), QStringLiteral("7,8,907,608"));

        f.storage.saveSettings();
        const QSettings s = raw();
        QCOMPARE(s.value(Key + QStringLiteral("NormPos(1280x800)")).toString(),
                 QStringLiteral("5,200,905,600"));
        QCOMPARE(s.value(Key + QStringLiteral("NormPos(1920x1080)")).toString(),
                 QStringLiteral("7,8,907,608"));
    }

    void emptySuffixedRectangleFallsBackToPlain()
    {
        setRaw(QStringLiteral("NormPos(1280x800)"), QString());
        setRaw(QStringLiteral("NormPos"), QStringLiteral("1,2,801,402"));
        Fixture f;
        f.storage.restoreSettings();
        QCOMPARE(f.window->placement_.normPosText(), QStringLiteral("1,2,801,402"));
    }

    void otherPixelsPerInchKeepsTheRectangleButNotTheState()
    {
        saveRun([](Fixture &run) { run.window->placement_.showCmd = WindowPlacement::Maximized; });
        setRaw(QStringLiteral("PixelsPerInch"), QStringLiteral("120"));
        Fixture f;
        f.storage.restoreSettings();
        QCOMPARE(f.window->setPlacementCalls, 0);
        QCOMPARE(f.window->state, FormWindow::State::Maximized);
    }

    void malformedPositionWords_data()
    {
        QTest::addColumn<QString>("minMaxPos");
        QTest::addColumn<QString>("normPos");
        QTest::addColumn<QString>("appliedMinMax");
        QTest::addColumn<QString>("appliedNorm");
        QTest::newRow("blanks and commas")
                << QStringLiteral(" 1 ,2,,3 4 ") << QStringLiteral("10, 20 ,30,40")
                << QStringLiteral("1,2,3,4") << QStringLiteral("10,20,30,40");
        QTest::newRow("missing words")
                << QStringLiteral("5") << QStringLiteral("10") << QStringLiteral("5,0,0,0")
                << QStringLiteral("10,200,990,600");
        QTest::newRow("bad words")
                << QStringLiteral("a,b,c,d") << QStringLiteral("x,y,800,z")
                << QStringLiteral("0,0,0,0") << QStringLiteral("290,200,800,600");
    }
    void malformedPositionWords()
    {
        QFETCH(QString, minMaxPos);
        QFETCH(QString, normPos);
        QFETCH(QString, appliedMinMax);
        QFETCH(QString, appliedNorm);
        setRaw(QStringLiteral("MinMaxPos"), minMaxPos);
        setRaw(QStringLiteral("NormPos"), normPos);
        Fixture f;
        f.storage.restoreSettings();
        QCOMPARE(f.window->setPlacementCalls, 1);
        QCOMPARE(f.window->placement_.minMaxPosText(), appliedMinMax);
        QCOMPARE(f.window->placement_.normPosText(), appliedNorm);
    }

    void rectangleThatIsNotOneIsNotApplied()
    {
        setRaw(QStringLiteral("NormPos"), QStringLiteral("500,0,400,300"));
        Fixture f;
        f.storage.restoreSettings();
        QCOMPARE(f.window->setPlacementCalls, 0);
    }

    void fixedWindowKeepsItsSize()
    {
        setRaw(QStringLiteral("NormPos"), QStringLiteral("50,60,2000,2000"));
        Fixture f;
        f.window->sizeable = false;
        f.window->size_ = QSize(300, 250);
        f.storage.restoreSettings();
        QCOMPARE(f.window->placement_.normPosText(), QStringLiteral("50,60,350,310"));
    }

    void showCmd_data()
    {
        QTest::addColumn<QString>("showCmd");
        QTest::addColumn<bool>("maximized");
        QTest::addColumn<int>("minimizePosts");
        QTest::newRow("normal") << QStringLiteral("1") << false << 0;
        QTest::newRow("maximized") << QStringLiteral("3") << true << 0;
        QTest::newRow("minimized") << QStringLiteral("2") << false << 1;
        QTest::newRow("minimize") << QStringLiteral("6") << false << 1;
        QTest::newRow("minimized, not active") << QStringLiteral("7") << false << 1;
        QTest::newRow("hidden") << QStringLiteral("0") << false << 0;
        QTest::newRow("not a number") << QStringLiteral("max") << false << 0;
    }
    void showCmd()
    {
        QFETCH(QString, showCmd);
        QFETCH(bool, maximized);
        QFETCH(int, minimizePosts);
        setRaw(QStringLiteral("ShowCmd"), showCmd);
        Fixture f;
        f.window->state = FormWindow::State::Maximized;
        f.storage.restoreSettings();
        QCOMPARE(f.window->state == FormWindow::State::Maximized, maximized);
        QCOMPARE(f.window->minimizePosts, minimizePosts);
    }

    void optionsLimitWhatIsKept()
    {
        setRaw(QStringLiteral("ShowCmd"), QStringLiteral("3"));
        setRaw(QStringLiteral("NormPos"), QStringLiteral("1,2,801,402"));
        setRaw(QStringLiteral("ActiveControl"), QStringLiteral("Grid"));
        Fixture f;
        f.storage.setOptions(FormPlacement::Position);
        f.window->focused = QStringLiteral("Grid");
        f.storage.restoreSettings();
        QCOMPARE(f.window->setPlacementCalls, 1);
        QCOMPARE(f.window->state, FormWindow::State::Normal);
        QVERIFY(f.window->activated.isEmpty());

        QFile::remove(m_path);
        f.storage.saveSettings();
        QVERIFY(raw().contains(Key + QStringLiteral("NormPos")));
        QVERIFY(!raw().contains(Key + QStringLiteral("ActiveControl")));
    }

    void activeStoreSavesOnlyAfterARestore()
    {
        Fixture f;
        f.storage.saveSettings();
        f.storage.windowCloseQueried(true);
        QVERIFY(!f.storage.isSaved());
        QVERIFY(!QFile::exists(m_path));
    }

    void inactiveStoreFollowsNoNotification()
    {
        saveRun([](Fixture &run) { run.statusBar->visible = false; });
        Fixture f;
        f.storage.setActive(false);
        f.storage.windowShown();
        QVERIFY(f.statusBar->visible);
        QVERIFY(!f.storage.isRestored());
    }

    void closeThatDoesNotGoOnSavesNothing()
    {
        Fixture f;
        f.storage.windowShown();
        f.storage.windowCloseQueried(false);
        QVERIFY(!f.storage.isSaved());
        QVERIFY(!QFile::exists(m_path));
    }

    void destructionSavesOnceWhenNotSavedYet()
    {
        Fixture f;
        f.storage.windowShown();
        bool destroyingSeen = false;
        f.storage.setSaveHandler(
                [&](SettingsBackingStore &) { destroyingSeen = f.storage.isDestroying(); });
        f.storage.windowDestroying();
        QVERIFY(destroyingSeen);
        QVERIFY(!f.storage.isDestroying());
        QCOMPARE(raw().value(Key + QStringLiteral("Visible")).toString(), QStringLiteral("1"));

        // A later close (or a second notification) after the restore that clears Saved.
        f.storage.restoreSettings();
        QVERIFY(!f.storage.isSaved());
        QFile::remove(m_path);
        f.storage.windowDestroying();
        QVERIFY(!QFile::exists(m_path));
    }

    void destructionAfterAClosingSaveWritesNothing()
    {
        Fixture f;
        f.storage.windowShown();
        f.storage.windowCloseQueried(true);
        QFile::remove(m_path);
        f.storage.windowDestroying();
        QVERIFY(!QFile::exists(m_path));
    }

    void failedWriteLeavesSavedClearSoDestructionTriesAgain()
    {
        Fixture f;
        f.storage.windowShown();
        const QString blocker = QFileInfo(m_path).absolutePath();
        QDir(blocker).removeRecursively();
        QDir().mkpath(QFileInfo(blocker).absolutePath());
        {
            QFile file(blocker);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        f.storage.windowCloseQueried(true);
        QCOMPARE(m_errors,
                 QStringList{QStringLiteral("Failed to create key Melbrin\\TrevixStyleEditor.")});
        QVERIFY(!f.storage.isSaved());

        QFile::remove(blocker);
        f.storage.windowDestroying();
        QVERIFY(f.storage.isSaved());
        QCOMPARE(raw().value(Key + QStringLiteral("Visible")).toString(), QStringLiteral("1"));
    }

    void placementEventsSeeTheOpenStore()
    {
        Fixture f;
        f.storage.setSaveHandler([&](SettingsBackingStore &store) {
            store.writeText(f.storage.section() + QStringLiteral("\\ReopenList"),
                            QStringLiteral("MRU1"), QStringLiteral("/a.stl"));
        });
        QString seen;
        f.storage.setRestoreHandler([&](SettingsBackingStore &store) {
            seen = store.readText(f.storage.section() + QStringLiteral("\\ReopenList"),
                                  QStringLiteral("MRU1"), QString());
        });
        f.storage.restoreSettings();
        QVERIFY(seen.isEmpty());
        f.storage.saveSettings();
        f.storage.restoreSettings();
        QCOMPARE(seen, QStringLiteral("/a.stl"));
    }
};

QTEST_GUILESS_MAIN(tst_WindowStateStore)
#include "tst_windowstatestore.moc"
