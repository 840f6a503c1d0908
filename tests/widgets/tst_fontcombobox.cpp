#include "widgets/FontComboBox.h"
#include "widgets/FontSampleWindow.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QtTest>

namespace {

const QList<FontFace> Faces = {
        {"DejaVu Sans", FontKind::TrueTypeText},
        {"DejaVu Serif", FontKind::TrueTypeText},
        {"Dingbats", FontKind::TrueTypeSymbol},
        {"@DejaVu Sans Mono", FontKind::TrueTypeText},
        {"Fixed", FontKind::Raster},
        {"DejaVu Sans Mono", FontKind::TrueTypeText},
};

} // namespace

// The font picker control on a fixed font list: opening and closing its
// list, picks with the mouse and the keyboard, the preview window and the
// faces its rows are drawn in.
class tst_FontComboBox : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void listsTheFixedFaces();
    void installedFacesAreClassified_data();
    void installedFacesAreClassified();
    void fontNameWriteSelectsAndCommits();
    void pickWithTheMouseGivesFaceAlone();
    void escapeKeepsEntryText();
    void keyboardWhileClosed();
    void previewBesideTheList();
    void previewSettingsApplyAtOnce();
    void rowFaces_data();
    void rowFaces();

private:
    void openList();
    void clickRow(int row);

    std::unique_ptr<QWidget> m_host;
    FontComboBox *m_combo = nullptr;
};

void tst_FontComboBox::init()
{
    m_host = std::make_unique<QWidget>();
    m_host->resize(300, 120);
    m_combo = new FontComboBox(m_host.get());
    m_combo->setGeometry(8, 6, 145, 24);
    m_combo->setFontFaces(Faces);
    m_host->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_host.get()));
}

void tst_FontComboBox::cleanup()
{
    m_host.reset();
}

void tst_FontComboBox::openList()
{
    m_combo->showPopup();
    QVERIFY(QTest::qWaitForWindowExposed(m_combo->view()->window()));
}

void tst_FontComboBox::clickRow(int row)
{
    QAbstractItemView *view = m_combo->view();
    const QPoint at = view->visualRect(m_combo->model()->index(row, 0)).center();
    QTest::mouseMove(view->viewport(), at);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTRY_VERIFY(!m_combo->entries()->isOpen());
}

void tst_FontComboBox::listsTheFixedFaces()
{
    QCOMPARE(m_combo->entries()->entries(), (QStringList{"DejaVu Sans Mono=TA", "DejaVu Sans=TA",
                                                         "DejaVu Serif=TA", "Dingbats=TS"}));
    QCOMPARE(m_combo->currentIndex(), -1);
    m_combo->setFontKinds(FontKind::Raster);
    QCOMPARE(m_combo->entries()->entries(), QStringList{"Fixed=R"});
}

void tst_FontComboBox::installedFacesAreClassified_data()
{
    // Families of fonts-urw-base35 (scripts/setup.sh installs it) come from
    // two or three foundries each.
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("kind");
    QTest::newRow("one foundry") << "DejaVu Sans" << int(FontKind::TrueTypeText);
    QTest::newRow("two foundries") << "C059" << int(FontKind::TrueTypeText);
    QTest::newRow("three foundries") << "Nimbus Sans" << int(FontKind::TrueTypeText);
    QTest::newRow("dingbats") << "D050000L" << int(FontKind::TrueTypeSymbol);
    QTest::newRow("symbols") << "Standard Symbols PS" << int(FontKind::TrueTypeSymbol);
}

void tst_FontComboBox::installedFacesAreClassified()
{
    QFETCH(QString, family);
    QFETCH(int, kind);
    const QList<FontFace> faces = FontComboBox::installedFaces();
    QStringList names;
    for (const FontFace &face : faces) {
        QVERIFY2(!face.name.contains(QLatin1Char('[')), qPrintable(face.name));
        names << face.name;
    }
    QCOMPARE(names.count(family), 1);
    const FontFace &face = faces.at(names.indexOf(family));
    QCOMPARE(face.kind, FontKinds(kind));
}

void tst_FontComboBox::fontNameWriteSelectsAndCommits()
{
    QSignalSpy clicks(m_combo, &FontComboBox::clicked);
    m_combo->setFontName(QStringLiteral("DejaVu Serif"));
    QCOMPARE(m_combo->fontName(), QStringLiteral("DejaVu Serif=TA"));
    QCOMPARE(m_combo->currentIndex(), 0);
    QCOMPARE(m_combo->currentText(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(m_combo->count(), 5);
    QCOMPARE(clicks.count(), 0);

    m_combo->setFontName(QStringLiteral("Arial"));
    QCOMPARE(m_combo->fontName(), QStringLiteral("DejaVu Serif=TA"));
    QCOMPARE(m_combo->currentIndex(), 0);
}

void tst_FontComboBox::pickWithTheMouseGivesFaceAlone()
{
    m_combo->setFontName(QStringLiteral("DejaVu Serif"));
    QSignalSpy dropDowns(m_combo, &FontComboBox::aboutToDropDown);
    QSignalSpy clicks(m_combo, &FontComboBox::clicked);
    openList();
    QCOMPARE(dropDowns.count(), 1);
    QVERIFY(m_combo->entries()->isOpen());

    clickRow(4); // Dingbats, in the font section
    QCOMPARE(m_combo->fontName(), QStringLiteral("Dingbats"));
    QCOMPARE(m_combo->entries()->entries().mid(0, 2),
             (QStringList{"Dingbats=TS", "DejaVu Serif=TA"}));
    QCOMPARE(m_combo->currentIndex(), 0);
    QCOMPARE(m_combo->currentText(), QStringLiteral("Dingbats"));
    QVERIFY(!m_combo->preview()->isVisible());
    QVERIFY(clicks.count() >= 1);
    QVERIFY(m_combo->hasFocus());
}

void tst_FontComboBox::escapeKeepsEntryText()
{
    m_combo->setFontName(QStringLiteral("DejaVu Sans"));
    openList();
    QTest::keyClick(m_combo->view(), Qt::Key_Down);
    QTest::keyClick(m_combo->view(), Qt::Key_Escape);
    QTRY_VERIFY(!m_combo->entries()->isOpen());
    QCOMPARE(m_combo->fontName(), QStringLiteral("DejaVu Sans=TA"));
    QCOMPARE(m_combo->entries()->usedCount(), 1);
}

void tst_FontComboBox::keyboardWhileClosed()
{
    m_combo->setFontName(QStringLiteral("DejaVu Sans"));
    m_combo->setFocus();
    QSignalSpy changes(m_combo, &FontComboBox::changed);
    QTest::keyClick(m_combo, Qt::Key_Down);
    QCOMPARE(m_combo->fontName(), QStringLiteral("DejaVu Sans Mono"));
    QCOMPARE(m_combo->entries()->usedCount(), 1);
    QCOMPARE(changes.count(), 1);
}

void tst_FontComboBox::previewBesideTheList()
{
    m_combo->setFontName(QStringLiteral("DejaVu Serif"));
    openList();
    FontSampleWindow *preview = m_combo->preview();
    QVERIFY(preview->isVisible());
    QCOMPARE(preview->size(), QSize(240, 60));
    QCOMPARE(preview->pos(), m_combo->mapToGlobal(QPoint(m_combo->width(), m_combo->height())));
    QCOMPARE(preview->panelFontName()->text(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(preview->panelPreview()->text(), QStringLiteral("AaBbYyZz"));

    // The row under the cursor is previewed, a symbol font in its own face.
    emit m_combo->highlighted(4);
    QCOMPARE(preview->panelFontName()->text(), QStringLiteral("Dingbats"));
    QCOMPARE(preview->panelPreview()->font().families().value(0), QStringLiteral("Dingbats"));
    QVERIFY(preview->panelPreview()->font().bold());
    QCOMPARE(preview->panelPreview()->font().pixelSize(), 24);
    m_combo->hidePopup();
    QTRY_VERIFY(!m_combo->entries()->isOpen());
    QVERIFY(!preview->isVisible());
}

void tst_FontComboBox::previewSettingsApplyAtOnce()
{
    FontSampleWindow *preview = m_combo->preview();
    m_combo->setPreviewWidth(300);
    m_combo->setPreviewHeight(80);
    QCOMPARE(preview->size(), QSize(300, 80));
    m_combo->setShowPreviewFontName(false);
    QVERIFY(!preview->panelFontName()->isVisibleTo(preview));
    QCOMPARE(preview->panelPreview()->geometry(), QRect(0, 0, 300, 80));
    m_combo->setShowPreviewFontName(true);
    // The name strip holds a line of its font, at least 15 pixels, and the sample fills the rest.
    const int strip = preview->panelFontName()->height();
    QVERIFY(strip >= 15);
    QVERIFY(strip >= preview->panelFontName()->fontMetrics().height());
    QCOMPARE(preview->panelFontName()->geometry(), QRect(0, 0, 300, strip));
    QCOMPARE(preview->panelPreview()->geometry(), QRect(0, strip, 300, 80 - strip));

    m_combo->setFontName(QStringLiteral("DejaVu Sans"));
    openList();
    m_combo->setPreviewText(QStringLiteral("Chart 2026"));
    QCOMPARE(preview->panelPreview()->text(), QStringLiteral("Chart 2026"));
    m_combo->setPreviewText(QStringLiteral("  "));
    QCOMPARE(preview->panelPreview()->text(), QStringLiteral("AaBbYyZz"));

    m_combo->setShowPreview(false);
    m_combo->hidePopup();
    QTRY_VERIFY(!m_combo->entries()->isOpen());
    openList();
    QVERIFY(!preview->isVisible());
}

void tst_FontComboBox::rowFaces_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("listRow");
    QTest::addColumn<bool>("ownFace");
    QTest::newRow("list row in its own face") << "DejaVu Serif=TA" << true << true;
    QTest::newRow("symbol font in the control's face") << "Dingbats=TS" << true << false;
    QTest::newRow("raster font in its own face") << "Fixed=R" << true << true;
    QTest::newRow("closed face in the control's font") << "DejaVu Serif=TA" << false << false;
}

void tst_FontComboBox::rowFaces()
{
    QFETCH(QString, entry);
    QFETCH(bool, listRow);
    QFETCH(bool, ownFace);
    const QFont font = m_combo->entryFont(entry, listRow);
    const QString face = FontEntryList::faceOf(entry);
    QCOMPARE(font.families().value(0) == face, ownFace);
    QCOMPARE(font.pointSize(), m_combo->font().pointSize());
}

QTEST_MAIN(tst_FontComboBox)
#include "tst_fontcombobox.moc"
