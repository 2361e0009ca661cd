// The bin commands driven through the window's actions and keys: Create Bin and ReName with the
// names they refuse (taken in any letter case, or not storable in an archive file), and Del Bin
// with the selection and the views it leaves.

#include "app/MainForm.h"
#include "support/GuiFixture.h"
#include "support/TestHelpers.h"
#include "support/WindowScenes.h"
#include "views/ListViewColumns.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

using namespace scenes;
using orlamo::views::FromCore;

namespace {
const QString AddBinForm = QStringLiteral("Form_AddBin");
const QString NotStorableStart = QStringLiteral("The bin name \"");

// The texts of the library tree's bin nodes, in order.
QStringList TreeBinNames(const TFormMain& window) {
    QStringList names;
    if (const QTreeWidgetItem* archive = window.ElTvProject->topLevelItem(0))
        for (int i = 0; i < archive->childCount(); ++i)
            names.append(archive->child(i)->text(0));
    return names;
}

// Archive Station: Doors (two voices with wave files), Alarms (one), Lights (none).
void Station(GuiFixture& fixture, TFormMain& window) {
    OpenArchive(window, QStringLiteral("Station"),
                {{QStringLiteral("Doors"),
                  {WaveVoice(fixture, QStringLiteral("open.wav"), 3000),
                   WaveVoice(fixture, QStringLiteral("close.wav"), 2000)}},
                 {QStringLiteral("Alarms"), {WaveVoice(fixture, QStringLiteral("fire.wav"), 1500)}},
                 {QStringLiteral("Lights"), {}}});
}

// What a refused name shows: message 2003 for a taken one, a box naming it for one the archive
// file could not carry back.
enum class Refusal { None, Taken, NotStorable };
} // namespace

Q_DECLARE_METATYPE(Refusal)

class BinCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void createBin_data();
    void createBin();
    void createBinCancelledChangesNothing();
    void reName_data();
    void reName();
    void delBin_data();
    void delBin();
    void delBinKeepsThePlayList();
};

// ---- Create Bin ------------------------------------------------------------------------------

void BinCommandsTest::createBin_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<Refusal>("refusal");

    QTest::newRow("a new name") << "Gates" << Refusal::None;
    QTest::newRow("a name with inner blanks") << "Front gates" << Refusal::None;
    QTest::newRow("an existing name") << "Doors" << Refusal::Taken;
    QTest::newRow("an existing name in lower case") << "doors" << Refusal::Taken;
    QTest::newRow("an existing name in upper case") << "ALARMS" << Refusal::Taken;
    QTest::newRow("a trailing blank") << "Doors " << Refusal::NotStorable;
    QTest::newRow("a leading blank") << " Gates" << Refusal::NotStorable;
    QTest::newRow("a closing bracket") << "Gates]" << Refusal::NotStorable;
    QTest::newRow("wholly in quotation marks") << "\"Gates\"" << Refusal::NotStorable;
    QTest::newRow("a single blank") << " " << Refusal::NotStorable;
}

void BinCommandsTest::createBin() {
    QFETCH(QString, name);
    QFETCH(Refusal, refusal);
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    Station(fixture, window);
    ClickLibraryNode(window, 0);
    const QStringList before = BinNames(window);
    ScriptedSeam& seam = fixture.Seam();
    seam.OnDialog(AddBinForm, [name](QDialog& dialog) {
        // The entry starts empty each time.
        if (!dialog.findChild<QLineEdit*>(QStringLiteral("ElEdit_BinName"))->text().isEmpty())
            return static_cast<int>(QDialog::Rejected);
        return ScriptedSeam::EnterAndOk(QStringLiteral("ElEdit_BinName"), name)(dialog);
    });
    if (refusal == Refusal::Taken)
        seam.ExpectMessage(IdenticalName);
    if (refusal == Refusal::NotStorable)
        seam.FailOnUnscripted = false; // the box is checked below
    QVERIFY(Trigger(window, "ActBin_CreateBin"));
    QVERIFY(seam.ScriptUsedUp());

    if (refusal == Refusal::NotStorable) {
        QCOMPARE(seam.Messages.size(), 1);
        QVERIFY(
            seam.Messages.constFirst().Text.startsWith(NotStorableStart + name + QLatin1Char('"')));
        QCOMPARE(seam.Messages.constFirst().Caption, QStringLiteral("Warning"));
    } else {
        QVERIFY(seam.Unscripted.isEmpty());
    }
    const QStringList expected = refusal == Refusal::None ? before + QStringList{name} : before;
    QCOMPARE(BinNames(window), expected);
    QCOMPARE(TreeBinNames(window), expected);
    QCOMPARE(window.ArchiveModified(), refusal == Refusal::None);
    QCOMPARE(window.StatusPanelText(0),
             refusal == Refusal::None ? QStringLiteral("Archive  Modified") : QString());
    // The archive node stays selected; the bin view shows, even for a refused name.
    QCOMPARE(window.SelectedLibraryPosition(), std::optional<int>(0));
    QVERIFY(window.BinViewShown());
    if (refusal == Refusal::None) {
        QVERIFY(window.BinViewActive());
        QCOMPARE(window.LView_Archive->model()->rowCount(), 0);
        // A click on the new bin shows it empty.
        ClickLibraryNode(window, window.LibraryNodeCount() - 1);
        QCOMPARE(window.HeaderText(), QStringLiteral("Bin Name = ") + name);
        QCOMPARE(window.StatusPanelText(2), QStringLiteral("Total Wave = 0"));
    }
}

void BinCommandsTest::createBinCancelledChangesNothing() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    Station(fixture, window);
    OpenPlayList(window, QStringLiteral("Door"), {});
    ClickLibraryNode(window, 0);
    fixture.Seam().OnDialog(AddBinForm, ScriptedSeam::Cancel());
    QVERIFY(Trigger(window, "ActBin_CreateBin"));
    QVERIFY(fixture.Seam().Unscripted.isEmpty());
    QCOMPARE(window.Library().BinCount(), 3);
    QVERIFY(!window.ArchiveModified());
    QVERIFY(!window.BinViewShown()); // the playlist view still shows
}

// ---- ReName -----------------------------------------------------------------------------------

void BinCommandsTest::reName_data() {
    QTest::addColumn<QString>("name"); // empty: the dialog is cancelled
    QTest::addColumn<Refusal>("refusal");

    QTest::newRow("a new name") << "Gates" << Refusal::None;
    QTest::newRow("its own name in another case") << "DOORS" << Refusal::None;
    QTest::newRow("another bin's name") << "Alarms" << Refusal::Taken;
    QTest::newRow("another bin's name in lower case") << "lights" << Refusal::Taken;
    QTest::newRow("a trailing blank") << "Gates " << Refusal::NotStorable;
    QTest::newRow("a line break") << "Ga\ntes" << Refusal::NotStorable;
    QTest::newRow("cancelled") << "" << Refusal::None;
}

void BinCommandsTest::reName() {
    QFETCH(QString, name);
    QFETCH(Refusal, refusal);
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    Station(fixture, window);
    ClickLibraryNode(window, 1);
    ScriptedSeam& seam = fixture.Seam();
    QString shownName;
    seam.OnDialog(ChangeNameForm, [name, &shownName](QDialog& dialog) {
        shownName = dialog.findChild<QLineEdit*>(QStringLiteral("ElEdit_ChangeName"))->text();
        if (name.isEmpty())
            return ScriptedSeam::Cancel()(dialog);
        return ScriptedSeam::EnterAndOk(QStringLiteral("ElEdit_ChangeName"), name)(dialog);
    });
    if (refusal == Refusal::Taken)
        seam.ExpectMessage(IdenticalName);
    if (refusal == Refusal::NotStorable)
        seam.FailOnUnscripted = false;
    QVERIFY(Trigger(window, "ActFile_ReName"));
    QVERIFY(seam.ScriptUsedUp());
    QCOMPARE(shownName, QStringLiteral("Doors"));
    if (refusal == Refusal::NotStorable) {
        QCOMPARE(seam.Messages.size(), 1);
        QVERIFY(seam.Messages.constFirst().Text.startsWith(NotStorableStart));
    } else {
        QVERIFY(seam.Unscripted.isEmpty());
    }

    const bool renamed = refusal == Refusal::None && !name.isEmpty();
    const QStringList expected{renamed ? name : QStringLiteral("Doors"), QStringLiteral("Alarms"),
                               QStringLiteral("Lights")};
    QCOMPARE(BinNames(window), expected);
    QCOMPARE(TreeBinNames(window), expected);
    QCOMPARE(window.ArchiveModified(), renamed);
    // The bin keeps its selection and its voices.
    QCOMPARE(window.SelectedBin(), 0);
    QCOMPARE(window.Library().BinAt(0).Voices.size(), std::size_t{2});
}

// ---- Del Bin ----------------------------------------------------------------------------------

void BinCommandsTest::delBin_data() {
    QTest::addColumn<int>("position"); // absolute tree position of the bin removed
    QTest::addColumn<bool>("byKey");
    QTest::addColumn<QStringList>("left");

    QTest::newRow("the first bin, from the menu")
        << 1 << false << QStringList{QStringLiteral("Alarms"), QStringLiteral("Lights")};
    QTest::newRow("the middle bin, Delete key")
        << 2 << true << QStringList{QStringLiteral("Doors"), QStringLiteral("Lights")};
    QTest::newRow("the last bin, Delete key")
        << 3 << true << QStringList{QStringLiteral("Doors"), QStringLiteral("Alarms")};
}

// Whatever bin goes, the archive node is selected afterwards and no view or BinViewActive
// refers to the removed bin.
void BinCommandsTest::delBin() {
    QFETCH(int, position);
    QFETCH(bool, byKey);
    QFETCH(QStringList, left);
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    Station(fixture, window);
    ClickLibraryNode(window, position);
    QVERIFY(window.BinViewActive());
    if (byKey)
        QTest::keyClick(window.ElTvProject, Qt::Key_Delete);
    else
        QVERIFY(Trigger(window, "ActBin_DelBin"));
    QVERIFY(fixture.Seam().Messages.isEmpty());

    QCOMPARE(BinNames(window), left);
    QCOMPARE(TreeBinNames(window), left);
    QCOMPARE(window.SelectedLibraryPosition(), std::optional<int>(0));
    QVERIFY(!window.BinViewActive());
    QCOMPARE(window.LView_Archive->model()->rowCount(), 0);
    QCOMPARE(window.HeaderText(), QString());
    QCOMPARE(window.StatusPanelText(2), QString());
    QVERIFY(window.ArchiveModified());
    // Add Voice now has no bin: it is not offered.
    window.UpdateActions();
    QVERIFY(!window.Action(QStringLiteral("ActVoice_AddVoice"))->isEnabled());
}

void BinCommandsTest::delBinKeepsThePlayList() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    Station(fixture, window);
    const orlamo::WAVE_DPTR open = window.Library().BinAt(0).Voices[0];
    OpenPlayList(window, QStringLiteral("Door"), {{3, open}});
    window.PlayList()->Slot(3).SourceBin = 0;
    window.PlayList()->Slot(3).SourceIndex = 0;
    const std::vector<orlamo::WAVE_DPTR> slotsBefore = window.PlayList()->AllSlots();
    ClickLibraryNode(window, 1);
    QVERIFY(Trigger(window, "ActBin_DelBin"));
    QCOMPARE(window.PlayList()->AllSlots(), slotsBefore);
    QVERIFY(!window.PlayListModified());
    // The slot's remembered position now names another bin, whose voices are not marked: marks go
    // by full path.
    ClickLibraryNode(window, 1);
    QCOMPARE(FromCore(window.Library().BinAt(0).Name), QStringLiteral("Alarms"));
    QVERIFY(!window.BinRowMarked(0));
    QVERIFY(fixture.Seam().Messages.isEmpty());
}

QTEST_MAIN(BinCommandsTest)
#include "BinCommands_test.moc"
