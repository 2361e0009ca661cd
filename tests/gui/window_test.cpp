// The window as a whole: the example library opens with its pictures, the image list holds its
// 19 pictures, every pane can be reached by keyboard and named by a screen reader. With
// ORLAMO_SCREENSHOT set to a file name, the example scene is also saved as a picture of the window.

#include "app/ImageList.h"
#include "app/MainForm.h"
#include "formats/PlayListFile.h"
#include "support/GuiFixture.h"
#include "support/WindowScenes.h"
#include "views/ListViewColumns.h"

#include <QAccessible>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QSplitter>
#include <QStatusBar>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

using namespace scenes;

namespace {
const QString Examples = QStringLiteral(ORLAMO_EXAMPLES);

// Whether a picture has drawn pixels (not all transparent) at this size.
bool Drawn(const QIcon& icon, int size) {
    const QImage image = icon.pixmap(QSize(size, size)).toImage();
    if (image.size() != QSize(size, size))
        return false;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                return true;
    return false;
}

// The example scene: the station library with its playlist, the Doors bin shown.
void OpenExampleScene(TFormMain& window) {
    QVERIFY(window.LoadArchive(Examples + QStringLiteral("/station.arh")));
    orlamo::PlayListReadResult read =
        orlamo::ReadPlayListFile(orlamo::views::ToCore(Examples + QStringLiteral("/station.pla")));
    QVERIFY(read.FileFound);
    window.AddPlayListNode(std::move(read.List));
    window.SetCurrentPlayListPath(Examples + QStringLiteral("/station.pla"));
    window.FillPlayListView();
    window.ElTree_PlayListClick();
    window.ExpandLibraryTree(true);
    ClickLibraryNode(window, 1);
}
} // namespace

class WindowTest : public QObject {
    Q_OBJECT
private slots:
    void imageListHoldsNineteenPictures();
    void exampleLibraryOpens();
    void panesCarryNamesAndTakeFocusInOrder();
    void screenshot();
};

void WindowTest::imageListHoldsNineteenPictures() {
    QCOMPARE(ImageList::Count, 19);
    for (int index = 0; index < ImageList::Count; ++index) {
        const QIcon icon = ImageList::Icon(index);
        QVERIFY2(!icon.isNull(), qPrintable(ImageList::ResourcePath(index)));
        // Drawn for the plain size and for a screen at twice the density.
        QVERIFY2(Drawn(icon, 16) && Drawn(icon, 32), qPrintable(ImageList::ResourcePath(index)));
    }
    QVERIFY(ImageList::Icon(ImageList::Count).isNull());
    QVERIFY(ImageList::Icon(-1).isNull());
    QVERIFY(Drawn(ImageList::ApplicationIcon(), 48));
}

void WindowTest::exampleLibraryOpens() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    OpenExampleScene(window);
    QVERIFY2(fixture.Seam().Messages.isEmpty(),
             qPrintable(fixture.Seam().MessageTexts().join(u'|')));
    QVERIFY(!window.windowIcon().isNull());
    QCOMPARE(window.windowTitle(),
             QStringLiteral("Orlamo - ") + Examples + QStringLiteral("/station.arh"));

    const QTreeWidgetItem* archive = window.ElTvProject->topLevelItem(0);
    QCOMPARE(archive->text(0), QStringLiteral("Station"));
    QVERIFY(archive->icon(0).isNull());
    QCOMPARE(archive->childCount(), 3);
    for (int bin = 0; bin < archive->childCount(); ++bin)
        QVERIFY(!archive->child(bin)->icon(0).isNull());

    // The Doors bin: every voice measured from its wave; those in the playlist marked.
    const QAbstractItemModel* rows = window.LView_Archive->model();
    QVERIFY(rows->rowCount() > 0);
    int marked = 0;
    for (int row = 0; row < rows->rowCount(); ++row) {
        QVERIFY(!rows->index(row, 4).data().toString().isEmpty());
        marked += Drawn(rows->index(row, 0).data(Qt::DecorationRole).value<QIcon>(), 16) ? 1 : 0;
    }
    QVERIFY(marked > 0);
    QVERIFY(window.PlayList()->UsedSlotCount() > 0);
}

void WindowTest::panesCarryNamesAndTakeFocusInOrder() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    const QList<QWidget*> named{window.ElTvProject, window.ElTree_PlayList, window.LView_Archive,
                                window.LView_PL, window.ElPanel_Top};
    for (const QWidget* widget : named)
        QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(widget->objectName()));
    QCOMPARE(window.ElTvProject->accessibleName(), QStringLiteral("Library"));
    QCOMPARE(window.ElTree_PlayList->accessibleName(), QStringLiteral("PlayList"));
    for (int panel = 0; panel < 4; ++panel)
        QCOMPARE(window.stbBottomPanels[panel]->accessibleName(),
                 QStringLiteral("stbBottom panel %1").arg(panel));
    for (QGroupBox* group : window.findChildren<QGroupBox*>())
        QVERIFY(!group->title().isEmpty());

    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.ElTvProject->setFocus();
    QTRY_VERIFY(window.ElTvProject->hasFocus());
    QTest::keyClick(window.ElTvProject, Qt::Key_Tab);
    QTRY_VERIFY(window.ElTree_PlayList->hasFocus());
    QTest::keyClick(window.ElTree_PlayList, Qt::Key_Tab);
    QTRY_VERIFY(window.LView_Archive->hasFocus());
    // With the playlist in front, its view is the pane that Tab reaches.
    OpenPlayList(window, QStringLiteral("Door"), {});
    window.ElTree_PlayList->setFocus();
    QTest::keyClick(window.ElTree_PlayList, Qt::Key_Tab);
    QTRY_VERIFY(window.LView_PL->hasFocus());
}

void WindowTest::screenshot() {
    const QString target = qEnvironmentVariable("ORLAMO_SCREENSHOT");
    if (target.isEmpty())
        QSKIP("set ORLAMO_SCREENSHOT to a file name to save a picture of the window");
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    OpenExampleScene(window);
    window.SetArchivePath(QStringLiteral("/home/user/Voices/station.arh"));
    window.resize(920, 560);
    window.findChild<QSplitter*>(QStringLiteral("Splitter"))->setSizes({210, 710});
    window.SelectRows(VoiceListKind::Archive, {1});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.LView_Archive->setFocus();
    QTest::qWait(50);
    QVERIFY(window.grab().save(target));
}

QTEST_MAIN(WindowTest)
#include "window_test.moc"
