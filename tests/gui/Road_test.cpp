// One piece of work from wave files to a work file, as a user does it in the window: Open Archive
// on a real archive file, a click on a bin, Add Voice, Create PlayList, Add To PlayList with three
// voices, Compile To WrkFile, Save PlayList and Save Archive, and the close that remembers both.

#include "app/MainForm.h"
#include "formats/ArchiveFile.h"
#include "formats/PlayListFile.h"
#include "formats/WorkFile.h"
#include "support/GuiFixture.h"
#include "support/TestHelpers.h"
#include "support/WindowScenes.h"
#include "views/ListViewColumns.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

using namespace scenes;
using orlamo::views::FromCore;
using orlamo::views::ToCore;

namespace {
// The sound data of a wave file as the fixture writes it: after its 44-byte header, without the
// pad byte that follows an odd-sized data chunk.
QByteArray SoundData(const QString& wavePath, int size) {
    return FileBytes(wavePath).mid(44, size);
}

// A press and release of the left button on a node of the library tree.
void ClickLibraryItem(TFormMain& window, QTreeWidgetItem* item) {
    window.ElTvProject->scrollToItem(item);
    const QPoint centre = window.ElTvProject->visualItemRect(item).center();
    QTest::mouseClick(window.ElTvProject->viewport(), Qt::LeftButton, {}, centre);
}

QStringList Lines(const QByteArray& bytes) {
    return QString::fromLatin1(bytes).split(QStringLiteral("\r\n"));
}
} // namespace

class RoadTest : public QObject {
    Q_OBJECT
private slots:
    void fromWaveFilesToAWorkFile();
};

void RoadTest::fromWaveFilesToAWorkFile() {
    GuiFixture fixture;
    ScriptedSeam& seam = fixture.Seam();
    const QString voices = fixture.Path(QStringLiteral("voices")) + QLatin1Char('/');
    const QString openWave = fixture.WriteWave(QStringLiteral("voices/open.wav"), 3000, 22050, 16);
    const QString closeWave = fixture.WriteWave(QStringLiteral("voices/close.wav"), 2001, 8000, 8);
    const QString bellSource =
        fixture.WriteWave(QStringLiteral("sources/bell.wav"), 4000, 16000, 16);
    const QString archivePath = fixture.WriteFile(
        QStringLiteral("station.arh"),
        (QStringLiteral("[Version]\r\nVersionInfo=V1.01 Build 02022010 \r\n"
                        "[Class]\r\nTotalClass=2\r\nArchiveName=Station\r\n1.Name=Doors\r\n"
                        "2.Name=Alarms\r\n"
                        "[~Doors]\r\n"
                        "1.FileName=open.wav\r\n1.Filepath=%1\r\n1.VoiceName=Door open\r\n"
                        "1.Descripition=Front door opening\r\n"
                        "2.FileName=close.wav\r\n2.Filepath=%1\r\n2.VoiceName=Door close\r\n"
                        "2.Descripition=\r\n")
             .arg(voices))
            .toLocal8Bit());
    TFormMain& window = fixture.CreateWindow();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    // 1. Open Archive: the chooser, then the library tree shows the archive and its bins.
    seam.QueueFile(QStringLiteral("OpenDialog_Archive"), archivePath);
    QVERIFY(Trigger(window, "ActFile_OpenArchive"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Orlamo - ") + archivePath);
    QCOMPARE(window.LibraryNodeCount(), 3);
    QCOMPARE(window.Library().BinAt(0).Voices.size(), std::size_t{2});
    QCOMPARE(window.Library().BinAt(0).Voices[1].DataSize, 2001u);

    // 2. A click on the bin Doors fills the bin view.
    window.ElTvProject->expandAll();
    ClickLibraryItem(window, window.ElTvProject->topLevelItem(0)->child(0));
    QCOMPARE(window.HeaderText(), QStringLiteral("Bin Name = Doors"));
    QVERIFY(window.BinViewShown());
    QCOMPARE(window.LView_Archive->model()->rowCount(), 2);
    QCOMPARE(window.StatusPanelText(2), QStringLiteral("Total Wave = 2"));

    // 3. Add Voice: the file is picked, named, copied into the wave folder and appended.
    seam.QueueFile(QStringLiteral("OpenDialog"), bellSource);
    seam.OnDialog(QStringLiteral("Form_AddVoiceSlice"), [](QDialog& dialog) {
        dialog.findChild<QPushButton*>(QStringLiteral("ElGBtn_OpenFile"))->click();
        ScriptedSeam::SetText(dialog, QStringLiteral("ElEdit_VoiceName"), QStringLiteral("Bell"));
        ScriptedSeam::SetText(dialog, QStringLiteral("ElEdit_VoiceDescripition"),
                              QStringLiteral("Door bell"));
        return ScriptedSeam::ClickButton(dialog, QStringLiteral("ElGB_OK"));
    });
    QVERIFY(Trigger(window, "ActVoice_AddVoice"));
    QVERIFY(seam.ScriptUsedUp());
    QCOMPARE(window.Library().BinAt(0).Voices.size(), std::size_t{3});
    const orlamo::WAVE_DPTR bell = window.Library().BinAt(0).Voices[2];
    const QString bellCopy = QDir(fixture.WaveFolder()).filePath(QStringLiteral("bell.wav"));
    QCOMPARE(FromCore(bell.FullPath), bellCopy);
    QCOMPARE(FileBytes(bellCopy), FileBytes(bellSource));
    QVERIFY(window.ArchiveModified());

    // 4. Create PlayList: the name, then 245 empty slots.
    seam.OnDialog(
        QStringLiteral("Form_AddPlayList"),
        ScriptedSeam::EnterAndOk(QStringLiteral("ElEdit_PlayListName"), QStringLiteral("Lobby")));
    QVERIFY(Trigger(window, "ActPL_CreatePlayList"));
    QCOMPARE(window.PlayList()->UsedSlotCount(), 0);
    QCOMPARE(window.HeaderText(), QStringLiteral("Play List Name = Lobby"));

    // 5. Back to the bin, three voices selected, Add To PlayList at the proposed slot 1.
    ClickLibraryItem(window, window.ElTvProject->topLevelItem(0)->child(0));
    QVERIFY(window.BinViewActive());
    window.SelectRows(VoiceListKind::Archive, {0});
    OpenListPopup(window);
    window.SelectRows(VoiceListKind::Archive, {0, 1, 2});
    QString proposed;
    seam.OnDialog(QStringLiteral("Form_MoveWaveTo"), [&proposed](QDialog& dialog) {
        proposed = dialog.findChild<QLineEdit*>(QStringLiteral("ElEdit_WaveIndex"))->text();
        return ScriptedSeam::ClickButton(dialog, QStringLiteral("ElGB_OK"));
    });
    QVERIFY(Trigger(window, "ActVoice_AddToPlayList"));
    QCOMPARE(proposed, QStringLiteral("1"));
    QCOMPARE(window.PlayList()->UsedSlotCount(), 3);
    QCOMPARE(window.PlayList()->TotalSize(), std::int64_t(3000 + 2001 + 4000));
    QCOMPARE(window.PlayList()->NextSlot, 2);
    for (int row = 0; row < 3; ++row)
        QVERIFY(window.BinRowMarked(row));
    QVERIFY(window.PlayListModified());

    // 6. Compile To WrkFile: written as the core compiler writes these slots, and checked.
    QDir().mkpath(fixture.Path(QStringLiteral("out")));
    const QString workFile = fixture.Path(QStringLiteral("out/lobby.wrk"));
    seam.QueueFile(QStringLiteral("SaveDialog"), workFile);
    QVERIFY(Trigger(window, "ActFile_SaveToWrkFile"));
    QVERIFY(seam.Messages.isEmpty());
    std::vector<orlamo::WAVE_DPTR> records = window.PlayList()->AllSlots();
    const QString reference = fixture.Path(QStringLiteral("reference.wrk"));
    QVERIFY(orlamo::CompileWorkFile(ToCore(reference), records).Ok);
    const QByteArray image = FileBytes(workFile);
    QCOMPARE(image, FileBytes(reference));
    QCOMPARE(image.left(12), QByteArray("ORMN\x0B\x00\x03\x00\x29\x23\x00\x00", 12)); // 9001
    QCOMPARE(image.mid(36),
             SoundData(openWave, 3000) + SoundData(closeWave, 2001) + SoundData(bellCopy, 4000));
    const orlamo::WorkFileReport report = orlamo::CheckWorkFile(ToCore(workFile));
    QVERIFY(report.Consistent);
    QCOMPARE(report.Slots.size(), std::size_t{3});
    QCOMPARE(report.Slots[0].RateIndex, 5);
    QCOMPARE(report.Slots[1].RateIndex, 0);
    QCOMPARE(report.Slots[2].RateIndex, 4);
    QCOMPARE(report.Slots[2].Offset, 36u + 3000u + 2001u);

    // 7. Save PlayList asks for its file; Save Archive writes back to the file it was read from.
    const QString playListFile = fixture.Path(QStringLiteral("lobby.pla"));
    seam.QueueFile(QStringLiteral("SaveDialogPlay"), playListFile);
    QVERIFY(Trigger(window, "ActPL_SavePlayList"));
    const QStringList lines = Lines(FileBytes(playListFile));
    QCOMPARE(lines.size(), 1 + 4 * orlamo::PlayListSlots + 1); // and the end of the last line
    QCOMPARE(lines.mid(0, 5),
             (QStringList{QStringLiteral("[~Lobby]"), QStringLiteral("1.FileName=open.wav"),
                          QStringLiteral("1.Filepath=") + voices,
                          QStringLiteral("1.VoiceName=Door open"),
                          QStringLiteral("1.Descripition=Front door opening")}));
    QCOMPARE(lines.at(9), QStringLiteral("3.FileName=bell.wav"));
    QVERIFY(!window.PlayListModified());

    QVERIFY(Trigger(window, "ActFile_SaveArchive"));
    QVERIFY(!window.ArchiveModified());
    const orlamo::ArchiveLoadResult saved = orlamo::LoadArchive(ToCore(archivePath));
    QCOMPARE(saved.Result, orlamo::ArchiveLoadResult::Status::Loaded);
    QCOMPARE(saved.Archive.BinAt(0).Voices.size(), std::size_t{3});
    QCOMPARE(saved.Archive.BinAt(0).Voices[2].FullPath, bell.FullPath);
    QCOMPARE(saved.Archive.BinAt(0).Voices[2].VoiceName, std::string("Bell"));
    QCOMPARE(saved.Archive.BinCount(), 2);

    // Nothing is left unsaved: the window closes without a question and remembers both files.
    QVERIFY(seam.ScriptUsedUp());
    QVERIFY(seam.Unscripted.isEmpty());
    QVERIFY(fixture.CloseAndDestroyWindow());
    QCOMPARE(fixture.ReadSetting(QStringLiteral("ArchiveFilePath")).toString(), archivePath);
    QCOMPARE(fixture.ReadSetting(QStringLiteral("PlayListFilePath")).toString(), playListFile);

    // The next run reopens the archive; Open PlayList proposes the playlist, which reads back
    // with the same slots.
    TFormMain& next = fixture.Restart();
    next.show();
    QVERIFY(QTest::qWaitForWindowExposed(&next));
    QCOMPARE(next.LibraryNodeCount(), 3);
    fixture.Seam().QueueFile(QStringLiteral("OpenDialog_PlayList"), playListFile);
    QVERIFY(Trigger(next, "ActPL_OpenPlayList"));
    QCOMPARE(fixture.Seam().FileRequests.constLast().FileName, playListFile);
    QVERIFY(fixture.Seam().Messages.isEmpty());
    for (int slot = 1; slot <= 3; ++slot) {
        QCOMPARE(next.PlayList()->Slot(slot).FullPath, records[std::size_t(slot - 1)].FullPath);
        QCOMPARE(next.PlayList()->Slot(slot).DataSize, records[std::size_t(slot - 1)].DataSize);
    }
    QCOMPARE(next.PlayList()->UsedSlotCount(), 3);
}

QTEST_MAIN(RoadTest)
#include "Road_test.moc"
