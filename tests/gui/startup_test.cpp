// Start-up and settings: the first run, the remembered archive (found, deleted, of the wrong
// type), the remembered placement with its faulty values, what is written when the window closes
// and is destroyed, and a restart that finds everything again.

#include "app/MainForm.h"
#include "support/GuiFixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QStackedWidget>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

namespace {
// A small archive "Station" with two bins; the first holds one voice whose wave lies beside it.
QString WriteStationArchive(GuiFixture& fixture, const QString& relativePath) {
    fixture.WriteWave(QStringLiteral("lib/wave/open.wav"), 4000);
    const QByteArray text = "[Version]\r\nVersionInfo=V1.01 Build 02022010 \r\n"
                            "[Class]\r\nTotalClass=2\r\nArchiveName=Station\r\n"
                            "1.Name=Doors\r\n2.Name=Empty\r\n"
                            "[~Doors]\r\n1.FileName=open.wav\r\n1.Filepath=" +
                            QDir(fixture.Path(QStringLiteral("lib/wave"))).path().toLocal8Bit() +
                            "/\r\n1.VoiceName=Door open\r\n1.Descripition=Front door\r\n";
    return fixture.WriteFile(relativePath, text);
}
} // namespace

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void firstRunOpensNothingAndShowsNothing();
    void rememberedArchiveIsReopened();
    void rememberedArchiveProblems_data();
    void rememberedArchiveProblems();
    void loadReportsWhatItCouldNotRead();
    void placement_data();
    void placement();
    void closeWritesPlacementVersionAndPaths();
    void exitClosesLikeTheCloseBox();
    void pathsNotRewrittenWhenNoneIsCurrent();
    void settingsSurviveARestart();
    void waveFolderFollowsTheOverride();
};

void StartupTest::firstRunOpensNothingAndShowsNothing() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    QVERIFY(fixture.Seam().Messages.isEmpty());
    QCOMPARE(window.windowTitle(), QStringLiteral("Orlamo"));
    QCOMPARE(window.LibraryNodeCount(), 0);
    QCOMPARE(window.pos(), QPoint(286, 244));
    QCOMPARE(window.size(), QSize(798, 534));
    // The starting state: bin view in front, no bin active, no playlist, nothing judged.
    QVERIFY(window.BinViewShown());
    QVERIFY(!window.BinViewActive());
    QVERIFY(!window.NoSingleVoiceSelected());
    QVERIFY(!window.PlayList().has_value());
    QVERIFY(window.CurrentPlayListPath().isEmpty());
    QCOMPARE(window.LastWave().LastWaveFormat, 0u);
    for (int panel = 0; panel < 4; ++panel)
        QVERIFY(window.StatusPanelText(panel).isEmpty());
}

void StartupTest::rememberedArchiveIsReopened() {
    GuiFixture fixture;
    const QString archive = WriteStationArchive(fixture, QStringLiteral("lib/station.arh"));
    fixture.WriteEarlierRun();
    fixture.WriteSetting(QStringLiteral("ArchiveFilePath"), archive);
    TFormMain& window = fixture.CreateWindow();

    QVERIFY2(fixture.Seam().Messages.isEmpty(),
             qPrintable(fixture.Seam().MessageTexts().join(u'|')));
    QCOMPARE(window.windowTitle(), QStringLiteral("Orlamo - ") + archive);
    QCOMPARE(window.CurrentArchivePath(), archive);
    QVERIFY(!window.ArchiveModified());
    QCOMPARE(window.LibraryNodeCount(), 3);
    QCOMPARE(window.ElTvProject->topLevelItem(0)->text(0), QStringLiteral("Station"));
    QCOMPARE(window.ElTvProject->topLevelItem(0)->child(1)->text(0), QStringLiteral("Empty"));
    // Reopened collapsed and without a selection; the last voice read was inspected.
    QVERIFY(!window.ElTvProject->topLevelItem(0)->isExpanded());
    QVERIFY(!window.SelectedLibraryPosition().has_value());
    QCOMPARE(window.LastWave().LastWaveSize, 4000u);
    QCOMPARE(window.LastWave().LastWaveFormat, 0x50000000u);
}

void StartupTest::rememberedArchiveProblems_data() {
    QTest::addColumn<QString>("file");    // written into the fixture ("" = none)
    QTest::addColumn<QString>("setting"); // the remembered path, relative to the fixture
    QTest::addColumn<QString>("message");

    QTest::newRow("deleted") << QString() << QStringLiteral("gone/station.arh")
                             << QStringLiteral("Not Found File");
    QTest::newRow("wrong extension")
        << QStringLiteral("lib/station.txt") << QStringLiteral("lib/station.txt")
        << QStringLiteral("File type Error.");
    QTest::newRow("extension in capitals")
        << QStringLiteral("lib/station.ARH") << QStringLiteral("lib/station.ARH")
        << QStringLiteral("File type Error.");
}

void StartupTest::rememberedArchiveProblems() {
    QFETCH(QString, file);
    QFETCH(QString, setting);
    QFETCH(QString, message);
    GuiFixture fixture;
    if (!file.isEmpty())
        WriteStationArchive(fixture, file);
    fixture.WriteEarlierRun();
    fixture.WriteSetting(QStringLiteral("ArchiveFilePath"), fixture.Path(setting));
    fixture.Seam().ExpectMessage(message, 1);
    TFormMain& window = fixture.CreateWindow();

    // Shown during construction, so before the window could be shown.
    QCOMPARE(fixture.Seam().MessageTexts(), QStringList{message});
    QCOMPARE(fixture.Seam().Messages.constFirst().Caption, QStringLiteral("Warning"));
    QCOMPARE(fixture.Seam().Messages.constFirst().Icon, MessageIcon::Warning);
    QVERIFY(!window.isVisible());
    QCOMPARE(window.LibraryNodeCount(), 0);
    QCOMPARE(window.windowTitle(), QStringLiteral("Orlamo"));
}

void StartupTest::loadReportsWhatItCouldNotRead() {
    GuiFixture fixture;
    const QString archive =
        fixture.WriteFile(QStringLiteral("lib/odd.arh"),
                          "[Class]\r\nTotalClass=1\r\nArchiveName=Odd\r\n1.Name=Doors\r\n"
                          "[~Nobody]\r\n1.FileName=a.wav\r\n1.Filepath=\r\n"
                          "1.VoiceName=A\r\n1.Descripition=\r\n");
    TFormMain& window = fixture.CreateWindow();
    const QString text = QStringLiteral("Not all of %1 could be read:\n\n"
                                        "Section [~Nobody] names no bin of the archive; its 4 "
                                        "lines were not read.")
                             .arg(archive);
    fixture.Seam().ExpectMessage(text, 1);
    QVERIFY(window.LoadArchive(archive));
    QVERIFY(fixture.Seam().ScriptUsedUp());
    QCOMPARE(fixture.Seam().Messages.constFirst().Caption, QStringLiteral("Warning"));
    // The library holds what could be read; the file is current.
    QCOMPARE(window.LibraryNodeCount(), 2);
    QCOMPARE(window.CurrentArchivePath(), archive);
}

void StartupTest::placement_data() {
    QTest::addColumn<QVariantList>("values"); // Left, Top, Height, Width; invalid = absent
    QTest::addColumn<QString>("error");
    QTest::addColumn<QRect>("expected"); // position and size after start

    const QVariant none;
    QTest::newRow("all four") << QVariantList{10, 20, 300, 400} << QString()
                              << QRect(10, 20, 400, 300);
    QTest::newRow("top absent: left applies, the rest not")
        << QVariantList{10, none, 300, 400} << QStringLiteral("Failed to get data for 'Top'")
        << QRect(10, 244, 798, 534);
    QTest::newRow("height not a number")
        << QVariantList{10, 20, QStringLiteral("tall"), 400}
        << QStringLiteral("Invalid data type for 'Height'") << QRect(10, 20, 798, 534);
    QTest::newRow("left absent: nothing applies")
        << QVariantList{none, 20, 300, 400} << QStringLiteral("Failed to get data for 'Left'")
        << QRect(286, 244, 798, 534);
    QTest::newRow("width a fraction")
        << QVariantList{10, 20, 300, QStringLiteral("400.5")}
        << QStringLiteral("Invalid data type for 'Width'") << QRect(10, 20, 798, 300);
    QTest::newRow("off every screen: kept as designed")
        << QVariantList{30000, 30000, 300, 400} << QString() << QRect(286, 244, 798, 534);
    QTest::newRow("no size: kept as designed")
        << QVariantList{10, 20, 0, 400} << QString() << QRect(286, 244, 798, 534);
}

void StartupTest::placement() {
    QFETCH(QVariantList, values);
    QFETCH(QString, error);
    QFETCH(QRect, expected);
    GuiFixture fixture;
    const QStringList names{QStringLiteral("Left"), QStringLiteral("Top"), QStringLiteral("Height"),
                            QStringLiteral("Width")};
    for (int i = 0; i < names.size(); ++i)
        if (values[i].isValid())
            fixture.WriteSetting(names[i], values[i]);
    if (!error.isEmpty())
        fixture.Seam().ExpectMessage(error, 1);
    TFormMain& window = fixture.CreateWindow();

    QCOMPARE(fixture.Seam().MessageTexts(), error.isEmpty() ? QStringList() : QStringList{error});
    if (!error.isEmpty()) {
        QCOMPARE(fixture.Seam().Messages.constFirst().Caption, QStringLiteral("Orlamo"));
        QCOMPARE(fixture.Seam().Messages.constFirst().Icon, MessageIcon::Critical);
    }
    QCOMPARE(QRect(window.pos(), window.size()), expected);
}

void StartupTest::closeWritesPlacementVersionAndPaths() {
    GuiFixture fixture;
    const QString archive = WriteStationArchive(fixture, QStringLiteral("lib/station.arh"));
    TFormMain& window = fixture.CreateWindow();
    QVERIFY(window.LoadArchive(archive));
    window.move(40, 50);
    window.resize(640, 480);
    window.FileDialogs.SaveDialogPlay = fixture.Path(QStringLiteral("lists/door.pla"));
    QVERIFY(fixture.CloseAndDestroyWindow());

    QCOMPARE(fixture.ReadSetting(QStringLiteral("Left")).toInt(), 40);
    QCOMPARE(fixture.ReadSetting(QStringLiteral("Top")).toInt(), 50);
    QCOMPARE(fixture.ReadSetting(QStringLiteral("Width")).toInt(), 640);
    QCOMPARE(fixture.ReadSetting(QStringLiteral("Height")).toInt(), 480);
    QCOMPARE(fixture.ReadSetting(QStringLiteral("Version")).toString(), QStringLiteral("1.0"));
    QCOMPARE(fixture.ReadSetting(QStringLiteral("ArchiveFilePath")).toString(), archive);
    QCOMPARE(fixture.ReadSetting(QStringLiteral("PlayListFilePath")).toString(),
             fixture.Path(QStringLiteral("lists/door.pla")));
    QVERIFY(QFile::exists(fixture.SettingsFile()));
}

void StartupTest::exitClosesLikeTheCloseBox() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.move(30, 40);
    window.ActFile_Exit->trigger();
    QVERIFY(!window.isVisible());
    QCOMPARE(fixture.ReadSetting(QStringLiteral("Version")).toString(), QStringLiteral("1.0"));
    QCOMPARE(fixture.ReadSetting(QStringLiteral("Left")).toInt(), 30);
}

void StartupTest::pathsNotRewrittenWhenNoneIsCurrent() {
    GuiFixture fixture;
    // The remembered archive is gone, so no path is current; neither playlist chooser was used.
    const QString earlier = fixture.Path(QStringLiteral("gone/old.arh"));
    fixture.WriteEarlierRun();
    fixture.WriteSetting(QStringLiteral("ArchiveFilePath"), earlier);
    fixture.WriteSetting(QStringLiteral("PlayListFilePath"), QStringLiteral("/lists/old.pla"));
    fixture.Seam().ExpectMessage(QStringLiteral("Not Found File"), 1);
    fixture.CreateWindow();
    QVERIFY(fixture.CloseAndDestroyWindow());

    QCOMPARE(fixture.ReadSetting(QStringLiteral("ArchiveFilePath")).toString(), earlier);
    QCOMPARE(fixture.ReadSetting(QStringLiteral("PlayListFilePath")).toString(),
             QStringLiteral("/lists/old.pla"));
    QCOMPARE(fixture.ReadSetting(QStringLiteral("Version")).toString(), QStringLiteral("1.0"));
}

void StartupTest::settingsSurviveARestart() {
    GuiFixture fixture;
    const QString archive = WriteStationArchive(fixture, QStringLiteral("lib/station.arh"));
    TFormMain& first = fixture.CreateWindow();
    QVERIFY(first.LoadArchive(archive));
    first.move(60, 70);
    first.resize(700, 500);

    TFormMain& second = fixture.Restart();
    QVERIFY(fixture.Seam().Messages.isEmpty());
    QCOMPARE(second.windowTitle(), QStringLiteral("Orlamo - ") + archive);
    QCOMPARE(second.LibraryNodeCount(), 3);
    QCOMPARE(QRect(second.pos(), second.size()), QRect(60, 70, 700, 500));
}

void StartupTest::waveFolderFollowsTheOverride() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    QCOMPARE(window.WaveFolder(), fixture.WaveFolder());
    QCOMPARE(window.ChosenWavePath(), QDir::cleanPath(fixture.Root()));
}

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
