// The views as functions of the model: the bin view (rows, sizes in KB of 1000 rounded down per
// voice, totals, header line, in-playlist markers), the playlist view (rows, totals, the report
// of missing and refused waves in slot order), the row colours, the clicks on trees and rows, and
// the change indicators with the numbered messages.

#include "app/MainForm.h"
#include "formats/PlayListFile.h"
#include "formats/WaveInspector.h"
#include "support/GuiFixture.h"
#include "support/TestHelpers.h"
#include "support/WindowScenes.h"
#include "views/BinVoiceModel.h"
#include "views/ListViewColumns.h"
#include "views/PlayListModel.h"

#include <QDir>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

using namespace scenes;
using orlamo::views::ToCore;

namespace {
QStringList Row(const QTreeView* view, int row) {
    QStringList cells;
    for (int column = 0; column < view->model()->columnCount(); ++column)
        cells.append(Cell(view, row, column));
    return cells;
}

// Whether a row's picture shows something (an unmarked row keeps a blank picture's room).
bool ShowsMarker(const QTreeView* view, int row) {
    const QIcon icon = view->model()->index(row, 0).data(Qt::DecorationRole).value<QIcon>();
    const QImage image = icon.pixmap(QSize(16, 16)).toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                return true;
    return false;
}
} // namespace

class ViewsTest : public QObject {
    Q_OBJECT
private slots:
    void binViewShowsTheSelectedBin();
    void emptyBinShowsZeroTotals();
    void archiveNodeBlanksTheBinView();
    void clickWithoutSelectionChangesNothing();
    void markersFollowTheOpenPlayList();
    void rowColoursAlternate();
    void mouseAndKeyboardRefreshTheBinView();
    void playListViewShowsEverySlot();
    void missingAndRefusedWavesAreReportedInSlotOrder();
    void playListReadFromFileIsChecked();
    void clickOnEmptyPlayListTree();
    void playListViewClickSetsNextSlot();
    void indicatorsAndMessages();
};

void ViewsTest::binViewShowsTheSelectedBin() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    OpenArchive(
        window, QStringLiteral("Station"),
        {{QStringLiteral("Alarms"), {Voice(QStringLiteral("x.wav"), 5000)}},
         {QStringLiteral("Doors"),
          {Voice(QStringLiteral("silent.wav"), 0, QStringLiteral("/w/silent.wav"),
                 QStringLiteral("Silence"), QStringLiteral("nothing"), QStringLiteral("0.00")),
           Voice(QStringLiteral("small.wav"), 999), Voice(QStringLiteral("one.wav"), 1999),
           Voice(QStringLiteral("a.wav"), 1500), Voice(QStringLiteral("b.wav"), 1500),
           Voice(QStringLiteral("c.wav"), 1500)}}});
    ClickLibraryNode(window, 2);

    const QTreeView* view = window.LView_Archive;
    QVERIFY(window.BinViewActive());
    QVERIFY(window.BinViewShown() && view->isVisibleTo(&window) &&
            !window.LView_PL->isVisibleTo(&window));
    QCOMPARE(view->model()->rowCount(), 6);
    QCOMPARE(Row(view, 0), (QStringList{QStringLiteral("1"), QStringLiteral("silent.wav"),
                                        QStringLiteral("Silence"), QStringLiteral("0.00"),
                                        QString(), QStringLiteral("nothing")}));
    QStringList sizes;
    for (int row = 0; row < 6; ++row)
        sizes.append(Cell(view, row, 4));
    // Each voice is rounded down on its own: the total is 4, not 7.
    QCOMPARE(sizes, (QStringList{QString(), QStringLiteral("0"), QStringLiteral("1"),
                                 QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")}));
    QCOMPARE(Cell(view, 5, 0), QStringLiteral("6"));
    QCOMPARE(window.HeaderText(), QStringLiteral("Bin Name = Doors"));
    QCOMPARE(window.StatusPanelText(2), QStringLiteral("Total Wave = 6"));
    QCOMPARE(window.StatusPanelText(3), QStringLiteral("Total Size = 4 KB"));

    // Six columns with their captions and widths.
    const QStringList captions{QStringLiteral("Index"),     QStringLiteral("File Name"),
                               QStringLiteral("Name"),      QStringLiteral("Time (Sec)"),
                               QStringLiteral("Size (KB)"), QStringLiteral("Description")};
    for (const QTreeView* list : {window.LView_Archive, window.LView_PL}) {
        for (int column = 0; column < 6; ++column)
            QCOMPARE(list->model()->headerData(column, Qt::Horizontal).toString(),
                     captions[column]);
        QCOMPARE(list->columnWidth(1), 120);
        QCOMPARE(list->columnWidth(2), 120);
        QCOMPARE(list->columnWidth(3), 80);
        QCOMPARE(list->columnWidth(4), 80);
        QCOMPARE(list->selectionMode(), QAbstractItemView::ExtendedSelection);
        QCOMPARE(list->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(list->editTriggers(), QAbstractItemView::NoEditTriggers);
        QVERIFY(!list->rootIsDecorated());
    }
}

void ViewsTest::emptyBinShowsZeroTotals() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    OpenArchive(window, QStringLiteral("Station"),
                {{QStringLiteral("Doors"), {Voice(QStringLiteral("a.wav"), 4000)}},
                 {QStringLiteral("Empty"), {}}});
    ClickLibraryNode(window, 1);
    ClickLibraryNode(window, 2);
    QCOMPARE(window.LView_Archive->model()->rowCount(), 0);
    QCOMPARE(window.HeaderText(), QStringLiteral("Bin Name = Empty"));
    QCOMPARE(window.StatusPanelText(2), QStringLiteral("Total Wave = 0"));
    QCOMPARE(window.StatusPanelText(3), QStringLiteral("Total Size = 0 KB"));
    QVERIFY(window.BinViewActive());
}

void ViewsTest::archiveNodeBlanksTheBinView() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    OpenArchive(window, QStringLiteral("Station"),
                {{QStringLiteral("Doors"), {WaveVoice(fixture, QStringLiteral("a.wav"), 4000)}}});
    ClickLibraryNode(window, 1);
    OpenPlayList(window, QStringLiteral("Door"), {});
    QVERIFY(!window.BinViewShown());

    ClickLibraryNode(window, 0);
    // The playlist view stays in front with its rows; the bin view is emptied all the same.
    QVERIFY(!window.BinViewShown());
    QCOMPARE(window.LView_PL->model()->rowCount(), 245);
    QCOMPARE(window.LView_Archive->model()->rowCount(), 0);
    QVERIFY(window.HeaderText().isEmpty());
    QVERIFY(window.StatusPanelText(2).isEmpty());
    QVERIFY(window.StatusPanelText(3).isEmpty());
    QVERIFY(!window.BinViewActive());
}

void ViewsTest::clickWithoutSelectionChangesNothing() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    OpenArchive(window, QStringLiteral("Station"),
                {{QStringLiteral("Doors"), {Voice(QStringLiteral("a.wav"), 4000)}}});
    ClickLibraryNode(window, 1);
    window.SelectLibraryNode(-1);
    window.ElTvProjectClick();
    QCOMPARE(window.LView_Archive->model()->rowCount(), 1);
    QCOMPARE(window.HeaderText(), QStringLiteral("Bin Name = Doors"));
    QVERIFY(window.BinViewActive());
}

void ViewsTest::markersFollowTheOpenPlayList() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    const orlamo::WAVE_DPTR open = WaveVoice(fixture, QStringLiteral("open.wav"), 3000);
    const orlamo::WAVE_DPTR close = WaveVoice(fixture, QStringLiteral("close.wav"), 2000);
    orlamo::WAVE_DPTR stale = WaveVoice(fixture, QStringLiteral("stale.wav"), 1000);
    stale.InPlayList = 1; // marked earlier; matches no slot now
    OpenArchive(
        window, QStringLiteral("Station"),
        {{QStringLiteral("Doors"), {open, close, stale}}, {QStringLiteral("Copies"), {open}}});
    OpenPlayList(window, QStringLiteral("Door"), {{4, open}});

    ClickLibraryNode(window, 1);
    const QTreeView* view = window.LView_Archive;
    QCOMPARE(QList<bool>({ShowsMarker(view, 0), ShowsMarker(view, 1), ShowsMarker(view, 2)}),
             QList<bool>({true, false, false}));
    const auto& doors = window.Library().BinAt(0).Voices;
    QCOMPARE(int(doors[0].InPlayList), 1);
    QCOMPARE(int(doors[1].InPlayList), 0);
    QCOMPARE(int(doors[2].InPlayList), 1); // not matched, so not changed
    // The same full path in another bin is marked too: the match is by path.
    ClickLibraryNode(window, 2);
    QVERIFY(ShowsMarker(view, 0));

    // Without a playlist no row is marked and every voice of the shown bin is unmarked.
    window.RemovePlayListNode();
    ClickLibraryNode(window, 1);
    QCOMPARE(QList<bool>({ShowsMarker(view, 0), ShowsMarker(view, 1), ShowsMarker(view, 2)}),
             QList<bool>({false, false, false}));
    for (const orlamo::WAVE_DPTR& voice : window.Library().BinAt(0).Voices)
        QCOMPARE(int(voice.InPlayList), 0);
}

void ViewsTest::rowColoursAlternate() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    OpenArchive(window, QStringLiteral("Station"),
                {{QStringLiteral("Doors"),
                  {Voice(QStringLiteral("a.wav"), 1), Voice(QStringLiteral("b.wav"), 2),
                   Voice(QStringLiteral("c.wav"), 3), Voice(QStringLiteral("d.wav"), 4)}}});
    ClickLibraryNode(window, 1);
    window.SelectRows(VoiceListKind::Archive, {0, 1});
    OpenPlayList(window, QStringLiteral("Door"), {});
    const QColor grey(239, 239, 239);
    const QColor white(Qt::white);
    for (const QTreeView* view : {window.LView_Archive, window.LView_PL})
        for (int row = 0; row < 4; ++row)
            for (int column : {0, 5})
                QCOMPARE(view->model()->index(row, column).data(Qt::BackgroundRole).value<QColor>(),
                         row % 2 == 1 ? grey : white);
}

void ViewsTest::mouseAndKeyboardRefreshTheBinView() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    OpenArchive(window, QStringLiteral("Station"),
                {{QStringLiteral("Doors"), {Voice(QStringLiteral("a.wav"), 4000)}},
                 {QStringLiteral("Alarms"),
                  {Voice(QStringLiteral("b.wav"), 1000), Voice(QStringLiteral("c.wav"), 1000)}}});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTreeWidget* tree = window.ElTvProject;
    QTreeWidgetItem* doors = tree->topLevelItem(0)->child(0);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(doors).center());
    QCOMPARE(window.HeaderText(), QStringLiteral("Bin Name = Doors"));
    QCOMPARE(window.LView_Archive->model()->rowCount(), 1);

    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_Down);
    QCOMPARE(window.HeaderText(), QStringLiteral("Bin Name = Alarms"));
    QCOMPARE(window.LView_Archive->model()->rowCount(), 2);

    // A click on the bin already selected shows it again, in front of the playlist view.
    OpenPlayList(window, QStringLiteral("Door"), {});
    QVERIFY(!window.BinViewShown());
    QTreeWidgetItem* alarms = tree->topLevelItem(0)->child(1);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(alarms).center());
    QVERIFY(window.BinViewShown());
    QVERIFY(window.BinViewActive());
}

void ViewsTest::playListViewShowsEverySlot() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    orlamo::WAVE_DPTR first = WaveVoice(fixture, QStringLiteral("first.wav"), 3000);
    first.VoiceName = "First";
    first.Descripition = "Opening words";
    first.PlayTime = "0.07";
    OpenPlayList(window, QStringLiteral("Door"),
                 {{1, first},
                  {3, WaveVoice(fixture, QStringLiteral("a.wav"), 1500)},
                  {5, WaveVoice(fixture, QStringLiteral("b.wav"), 1500)},
                  {7, WaveVoice(fixture, QStringLiteral("c.wav"), 999)}});

    const QTreeView* view = window.LView_PL;
    QVERIFY(!window.BinViewShown());
    QVERIFY(view->isEnabled());
    QVERIFY(!window.BinViewActive());
    QCOMPARE(view->model()->rowCount(), 245);
    QCOMPARE(Row(view, 0), (QStringList{QStringLiteral("1"), QStringLiteral("first.wav"),
                                        QStringLiteral("First"), QStringLiteral("0.07"),
                                        QStringLiteral("3"), QStringLiteral("Opening words")}));
    // An empty slot's row shows only its number; no row shows a picture.
    QCOMPARE(Row(view, 1), (QStringList{QStringLiteral("2"), QString(), QString(), QString(),
                                        QString(), QString()}));
    QCOMPARE(Cell(view, 6, 4), QStringLiteral("0"));
    QCOMPARE(Cell(view, 244, 0), QStringLiteral("245"));
    for (int row = 0; row < 8; ++row)
        QVERIFY(!ShowsMarker(view, row));
    QCOMPARE(window.HeaderText(), QStringLiteral("Play List Name = Door"));
    QCOMPARE(window.StatusPanelText(2), QStringLiteral("Total Wave = 4"));
    QCOMPARE(window.StatusPanelText(3), QStringLiteral("Total Size = 5 KB"));
    QCOMPARE(window.PlayList()->TotalSize(), std::int64_t(6999));
}

void ViewsTest::missingAndRefusedWavesAreReportedInSlotOrder() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    const orlamo::WAVE_DPTR kept = WaveVoice(fixture, QStringLiteral("kept.wav"), 2000);
    orlamo::WAVE_DPTR stereo = WaveVoice(fixture, QStringLiteral("stereo.wav"), 2000);
    fixture.WriteWave(QStringLiteral("Wave/stereo.wav"), 2000, 44100, 16, 2);
    orlamo::WAVE_DPTR gone = WaveVoice(fixture, QStringLiteral("gone.wav"), 2000);
    QVERIFY(QFile::remove(fixture.Path(QStringLiteral("Wave/gone.wav"))));
    orlamo::WAVE_DPTR alsoGone = gone;
    alsoGone.FileName = "also-gone.wav";
    alsoGone.FullPath = ToCore(fixture.Path(QStringLiteral("elsewhere/also-gone.wav")));
    orlamo::WAVE_DPTR folder = Voice(QStringLiteral("Wave"), 2000, fixture.WaveFolder());

    const QString refusal = QStringLiteral("stereo.wav: Format Error - 44K x 16bit x Stereo\n\n") +
                            QString::fromLocal8Bit(orlamo::SupportedFormatText().c_str());
    fixture.Seam().ExpectMessage(QStringLiteral("Not Found gone.wav"), 1);
    fixture.Seam().ExpectMessage(refusal, 1);
    fixture.Seam().ExpectMessage(QStringLiteral("Not Found also-gone.wav"), 1);
    fixture.Seam().ExpectMessage(QStringLiteral("Not Found Wave"), 1);
    OpenPlayList(window, QStringLiteral("Door"),
                 {{2, kept}, {4, gone}, {6, stereo}, {9, alsoGone}, {11, folder}});

    QVERIFY2(fixture.Seam().ScriptUsedUp(), qPrintable(fixture.Seam().UnusedScript().join(u'|')));
    for (const ScriptedSeam::ShownMessage& box : fixture.Seam().Messages) {
        QCOMPARE(box.Caption, QStringLiteral("ERROR"));
        QCOMPARE(box.Icon, MessageIcon::Warning);
        QCOMPARE(box.Buttons, MessageButtons::Ok);
    }
    for (int slot : {4, 6, 9, 11}) {
        QVERIFY(orlamo::IsEmptySlot(window.PlayList()->Slot(slot)));
        QVERIFY(Cell(window.LView_PL, slot - 1, 1).isEmpty());
        QCOMPARE(Cell(window.LView_PL, slot - 1, 0), QString::number(slot));
    }
    QCOMPARE(window.PlayList()->Slot(2).FileName, std::string("kept.wav"));
    QCOMPARE(window.StatusPanelText(2), QStringLiteral("Total Wave = 1"));
    QCOMPARE(window.StatusPanelText(3), QStringLiteral("Total Size = 2 KB"));
    // Emptying slots this way is not a change of the playlist the user made.
    QVERIFY(!window.PlayListModified());

    // The next refresh finds nothing more to say.
    fixture.Seam().ClearRecords();
    window.ElTree_PlayListClick();
    QVERIFY(fixture.Seam().Messages.isEmpty());
}

void ViewsTest::playListReadFromFileIsChecked() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    const QString folder = QDir(fixture.WaveFolder()).path() + QLatin1Char('/');
    fixture.WriteWave(QStringLiteral("Wave/open.wav"), 4000);
    QByteArray text = "[~Door]\r\n";
    for (int slot = 1; slot <= 245; ++slot) {
        const QByteArray n = QByteArray::number(slot);
        const bool open = slot == 1, missing = slot == 3;
        text += n + ".FileName=" + (open ? "open.wav" : missing ? "lost.wav" : "") + "\r\n";
        text += n + ".Filepath=" + (open || missing ? folder.toLocal8Bit() : QByteArray()) + "\r\n";
        text += n + ".VoiceName=" + (open ? "Door open" : "") + "\r\n";
        text += n + ".Descripition=\r\n";
    }
    const QString path = fixture.WriteFile(QStringLiteral("lists/Door.pla"), text);
    orlamo::PlayListReadResult read = orlamo::ReadPlayListFile(ToCore(path));
    QVERIFY(read.FileFound);

    fixture.Seam().ExpectMessage(QStringLiteral("Not Found lost.wav"), 1);
    window.AddPlayListNode(std::move(read.List));
    window.ShowPlayListView();
    window.FillPlayListView();
    window.ElTree_PlayListClick();
    QVERIFY(fixture.Seam().ScriptUsedUp());
    QCOMPARE(
        Row(window.LView_PL, 0),
        (QStringList{QStringLiteral("1"), QStringLiteral("open.wav"), QStringLiteral("Door open"),
                     QStringLiteral("0.09"), QStringLiteral("4"), QString()}));
    QCOMPARE(window.StatusPanelText(2), QStringLiteral("Total Wave = 1"));
    QCOMPARE(window.HeaderText(), QStringLiteral("Play List Name = Door"));
}

void ViewsTest::clickOnEmptyPlayListTree() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    OpenArchive(window, QStringLiteral("Station"), {{QStringLiteral("Doors"), {}}});
    ClickLibraryNode(window, 0);
    window.SetHeaderText(QStringLiteral("unchanged"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(window.ElTree_PlayList->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    QVERIFY(window.BinViewActive());
    QVERIFY(window.BinViewShown());
    QCOMPARE(window.HeaderText(), QStringLiteral("unchanged"));
}

void ViewsTest::playListViewClickSetsNextSlot() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    OpenPlayList(window, QStringLiteral("Door"), {});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTreeView* view = window.LView_PL;
    auto clickRow = [view](int row) {
        const QModelIndex index = view->model()->index(row, 1);
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    };

    // The playlist node has not been clicked yet: the row click leaves NextSlot alone.
    clickRow(16);
    QCOMPARE(window.PlayList()->NextSlot, 1);
    ClickPlayListNode(window);
    clickRow(16);
    QCOMPARE(window.PlayList()->NextSlot, 17);
    // While a bin is active the first click only makes the playlist active.
    window.SetBinViewActive(true);
    clickRow(30);
    QCOMPARE(window.PlayList()->NextSlot, 17);
    QVERIFY(!window.BinViewActive());
    clickRow(30);
    QCOMPARE(window.PlayList()->NextSlot, 31);
}

void ViewsTest::indicatorsAndMessages() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    window.SetArchiveModified(true);
    window.SetPlayListModified(true);
    QCOMPARE(window.StatusPanelText(0), QStringLiteral("Archive  Modified"));
    QCOMPARE(window.StatusPanelText(1), QStringLiteral("PlayList  Modified"));
    // Setting a flag to the value it has leaves its panel alone.
    window.stbBottomPanels[0]->setText(QStringLiteral("untouched"));
    window.SetArchiveModified(true);
    QCOMPARE(window.StatusPanelText(0), QStringLiteral("untouched"));
    window.SetArchiveModified(false);
    window.SetPlayListModified(false);
    QVERIFY(window.StatusPanelText(0).isEmpty());
    QVERIFY(window.StatusPanelText(1).isEmpty());

    window.SetArchivePath(QStringLiteral("/voices/station.arh"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Orlamo - /voices/station.arh"));
    window.setWindowTitle(QStringLiteral("untouched"));
    window.SetArchivePath(QStringLiteral("/voices/station.arh"));
    QCOMPARE(window.windowTitle(), QStringLiteral("untouched"));
    window.SetArchivePath(QString());
    QCOMPARE(window.windowTitle(), QStringLiteral("Orlamo"));

    fixture.Seam().ExpectMessage(CoverQuestion, 6);
    QCOMPARE(window.ShowResMessage(2202, 1, MessageButtons::YesNo, MessageIcon::Question), 6);
    QCOMPARE(fixture.Seam().Messages.constFirst().Caption, QStringLiteral("Warning"));
    QCOMPARE(fixture.Seam().Messages.constFirst().Buttons, MessageButtons::YesNo);
    QCOMPARE(fixture.Seam().Messages.constFirst().Icon, MessageIcon::Question);
}

QTEST_MAIN(ViewsTest)
#include "views_test.moc"
