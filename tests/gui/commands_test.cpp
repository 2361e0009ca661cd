// The command table: the 23 original actions and the four added ones, the main menu and the popups
// with their own captions, the enabling rules as a table of situations, the window-wide shortcuts,
// the Delete key of the four panes, and About through the seam.

#include "app/MainForm.h"
#include "dialogs/HelpAbout_Form.h"
#include "support/GuiFixture.h"
#include "support/WindowScenes.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>
#include <functional>
#include <stdexcept>

using namespace scenes;

namespace {
QStringList Sorted(QStringList names) {
    names.sort();
    return names;
}

// Entry captions of a menu, top to bottom.
QStringList Captions(const QMenu* menu) {
    QStringList captions;
    for (const QAction* entry : menu->actions())
        captions.append(entry->text());
    return captions;
}

const QStringList AlwaysEnabled{
    QStringLiteral("ActFile_CreateArchive"), QStringLiteral("ActFile_OpenArchive"),
    QStringLiteral("ActFile_Exit"), QStringLiteral("ActOption_WavePath"),
    QStringLiteral("ActAbout_About")};
const QStringList ArchiveEnabled{
    QStringLiteral("ActFile_SaveArchive"), QStringLiteral("ActFile_SaveAsArchive"),
    QStringLiteral("ActPL_CreatePlayList"), QStringLiteral("ActPL_OpenPlayList")};
const QStringList PlayListEnabled{
    QStringLiteral("ActPL_SavePlayList"),    QStringLiteral("ActPL_SaveAsPlayList"),
    QStringLiteral("ActFile_SaveToWrkFile"), QStringLiteral("ActPL_DelPlayList"),
    QStringLiteral("ActPL_ReName"),          QStringLiteral("ActPL_ExportSlotMap"),
    QStringLiteral("ActPL_CheckPlayList")};
// With a playlist open and its view on screen.
const QStringList PlayListViewShown{QStringLiteral("ActPL_PlayFromHere")};
const QStringList BinSelected{QStringLiteral("ActFile_ReName"), QStringLiteral("ActBin_DelBin")};
const QStringList VoiceCommands{QStringLiteral("ActVoice_EditVoice"),
                                QStringLiteral("ActVoice_DelVoice")};

// The situations of the rules table; each builds its scene in a fresh window.
using Scene = std::function<void(GuiFixture&, TFormMain&)>;

void TwoBins(GuiFixture& fixture, TFormMain& window) {
    OpenArchive(window, QStringLiteral("Station"),
                {{QStringLiteral("Doors"),
                  {WaveVoice(fixture, QStringLiteral("open.wav"), 3000),
                   WaveVoice(fixture, QStringLiteral("close.wav"), 2000)}},
                 {QStringLiteral("Alarms"), {}}});
}

void TwoBinsAndPlayList(GuiFixture& fixture, TFormMain& window) {
    TwoBins(fixture, window);
    OpenPlayList(window, QStringLiteral("Door"),
                 {{3, WaveVoice(fixture, QStringLiteral("open.wav"), 3000)}});
}
} // namespace

Q_DECLARE_METATYPE(Scene)

class CommandsTest : public QObject {
    Q_OBJECT
private slots:
    void commandTable();
    void menusShowTheirOwnCaptions();
    void menuEntriesFollowTheirCommands();
    void enablingRules_data();
    void enablingRules();
    void selectionIsJudgedOnlyWhenThePopupOpens();
    void voiceMenuJudgesLikeThePopup();
    void shortcutsRunOnlyEnabledCommands();
    void deleteKey_data();
    void deleteKey();
    void aboutShowsTheSameBoxEachTime();
    void errorsInHandlersAreShownAndTheWindowGoesOn();
};

void CommandsTest::commandTable() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    struct Expected {
        const char* Name;
        const char* Category;
        const char* Caption;
        QKeySequence Shortcut;
        bool HasImage;
    };
    const Expected table[] = {
        {"ActFile_CreateArchive", "File", "Create  Library", QKeySequence(Qt::CTRL | Qt::Key_N),
         false},
        {"ActFile_OpenArchive", "File", "Open Archive", QKeySequence(Qt::CTRL | Qt::Key_O), true},
        {"ActFile_SaveArchive", "File", "Save Archive", QKeySequence(Qt::CTRL | Qt::Key_S), true},
        {"ActFile_SaveAsArchive", "File", "Save As Archive", {}, false},
        {"ActFile_Exit", "File", "Exit", {}, true},
        {"ActBin_CreateBin", "Bin", "Create Bin", {}, true},
        {"ActFile_ReName", "Bin", "ReName", {}, false},
        {"ActBin_DelBin", "Bin", "Del Bin", {}, true},
        {"ActPL_CreatePlayList", "PlayList", "Create  PlayList", {}, true},
        {"ActPL_OpenPlayList", "PlayList", "Open PlayList", {}, true},
        {"ActPL_SavePlayList", "PlayList", "Save PlayList", {}, true},
        {"ActPL_SaveAsPlayList", "PlayList", "Save As PlayList", {}, false},
        {"ActFile_SaveToWrkFile", "PlayList", "Compile To WrkFile", {}, false},
        {"ActPL_DelPlayList", "PlayList", "Del PlayList", {}, true},
        {"ActPL_ReName", "PlayList", "ReName", {}, false},
        {"ActVoice_AddVoice", "Voice", "Add Voice", {}, true},
        {"ActVoice_EditVoice", "Voice", "Edit Voice", {}, false},
        {"ActVoice_DelVoice", "Voice", "Del Voice", {}, true},
        {"ActVoice_AddToPlayList", "Voice", "Add To PlayList", {}, false},
        {"ActTool_PlayWav", "Voice", "Play Wave", {}, true},
        {"ActPL_MoveWaveTo", "PlayList", "Move Wave To", {}, false},
        {"ActOption_WavePath", "Option", "Set Wave Path", {}, false},
        {"ActAbout_About", "About", "About", {}, false},
        {"ActPL_ExportSlotMap", "PlayList", "Export Slot Map", {}, false},
        {"ActPL_CheckPlayList", "PlayList", "Check PlayList", {}, false},
        {"ActPL_PlayFromHere", "Voice", "Play From Here", {}, true},
        {"ActTool_StopPlaying", "Voice", "Stop", {}, false},
    };
    QCOMPARE(window.CommandActions.size(), qsizetype(std::size(table)));
    for (qsizetype i = 0; i < window.CommandActions.size(); ++i) {
        const QAction* action = window.CommandActions[i];
        const Expected& expected = table[i];
        QCOMPARE(action->objectName(), QString::fromLatin1(expected.Name));
        QCOMPARE(action->text(), QString::fromLatin1(expected.Caption));
        QCOMPARE(action->property("category").toString(), QString::fromLatin1(expected.Category));
        QCOMPARE(action->shortcut(), expected.Shortcut);
        QCOMPARE(!action->icon().isNull(), expected.HasImage);
        QCOMPARE(window.Action(action->objectName()), action);
    }
    QCOMPARE(window.ActFile_OpenArchive->icon().cacheKey() != 0, true);
}

void CommandsTest::menusShowTheirOwnCaptions() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    QStringList titles;
    for (const QAction* menu : window.menuBar()->actions())
        titles.append(menu->text().remove(QLatin1Char('&')));
    QCOMPARE(titles, (QStringList{QStringLiteral("File"), QStringLiteral("Bin"),
                                  QStringLiteral("Play List"), QStringLiteral("Voice"),
                                  QStringLiteral("Option"), QStringLiteral("Help")}));
    QCOMPARE(Captions(window.MainMenu(QStringLiteral("ElMMenu_File"))),
             (QStringList{QStringLiteral("Create  Archive"), QStringLiteral("Open  Archive"),
                          QStringLiteral("Save  Archive"), QStringLiteral("Save  As  Archive"),
                          QStringLiteral("Exit")}));
    QCOMPARE(Captions(window.MainMenu(QStringLiteral("ElMMenu_PlayList"))),
             (QStringList{QStringLiteral("Create  Play List"), QStringLiteral("Open  Play List"),
                          QStringLiteral("Save  Play List"), QStringLiteral("Save  As  Play List"),
                          QStringLiteral("Compile To  Wrk File"), QStringLiteral("Del  Play List"),
                          QStringLiteral("Export Slot Map..."), QStringLiteral("Check PlayList")}));
    QCOMPARE(Captions(window.MainMenu(QStringLiteral("ElMMenu_Voice"))),
             (QStringList{QStringLiteral("Add Voice"), QStringLiteral("Edit Voice"),
                          QStringLiteral("Del Voice"), QStringLiteral("Add To Play List"),
                          QStringLiteral("Play  Wav"), QStringLiteral("Move Wave To"),
                          QStringLiteral("Play From Here"), QStringLiteral("Stop")}));
    QCOMPARE(Captions(window.MainMenu(QStringLiteral("ElMMenu_Help"))),
             QStringList{QStringLiteral("About Orlamo")});
    QCOMPARE(Captions(window.ElPMenu_Archive),
             (QStringList{QStringLiteral("Create  Bin"), QStringLiteral("ReName"),
                          QStringLiteral("Del  Bin")}));
    QCOMPARE(Captions(window.ElPMenu_SG),
             (QStringList{QStringLiteral("Add  Voice"), QStringLiteral("Edit  Voice"),
                          QStringLiteral("Del Voice"), QStringLiteral("Add To PlayList"),
                          QStringLiteral("Play  Wave"), QStringLiteral("Move  Wave  To"),
                          QStringLiteral("Play From Here"), QStringLiteral("Stop")}));
    QCOMPARE(Captions(window.ElPMenu_PlayList),
             (QStringList{QStringLiteral("Create  Play List"), QStringLiteral("Open  Play List"),
                          QStringLiteral("Save  Play List"), QStringLiteral("Save  As  Play List"),
                          QStringLiteral("Compile To WrkFile"), QStringLiteral("Del  Play List"),
                          QStringLiteral("ReName")}));
}

void CommandsTest::menuEntriesFollowTheirCommands() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    const QMenu* file = window.MainMenu(QStringLiteral("ElMMenu_File"));
    const QAction* saveEntry = file->actions().at(2);
    // The entry shows its command's picture and shortcut and follows its enabled state.
    QCOMPARE(saveEntry->shortcut(), window.ActFile_SaveArchive->shortcut());
    QCOMPARE(saveEntry->icon().isNull(), false);
    QVERIFY(!saveEntry->isEnabled());
    OpenArchive(window, QStringLiteral("Station"), {});
    QVERIFY(window.ActFile_SaveArchive->isEnabled());
    QVERIFY(saveEntry->isEnabled());

    // Choosing an entry runs its command: "About Orlamo" shows the about box.
    fixture.Seam().OnDialog(QStringLiteral("Form_HelpAbout"), [](QDialog&) { return 0; });
    window.MainMenu(QStringLiteral("ElMMenu_Help"))->actions().constFirst()->trigger();
    QCOMPARE(fixture.Seam().DialogsShown, QStringList{QStringLiteral("Form_HelpAbout")});
}

void CommandsTest::enablingRules_data() {
    QTest::addColumn<Scene>("scene");
    QTest::addColumn<QStringList>("enabled");

    QTest::newRow("no archive") << Scene([](GuiFixture&, TFormMain&) {}) << AlwaysEnabled;
    QTest::newRow("no archive, click on the empty playlist tree: Add Voice")
        << Scene([](GuiFixture&, TFormMain& window) { window.ElTree_PlayListClick(); })
        << AlwaysEnabled + QStringList{QStringLiteral("ActVoice_AddVoice")};
    QTest::newRow("archive without bins, archive node selected")
        << Scene([](GuiFixture&, TFormMain& window) {
               OpenArchive(window, QStringLiteral("Station"), {});
               ClickLibraryNode(window, 0);
           })
        << AlwaysEnabled + ArchiveEnabled + VoiceCommands +
               QStringList{QStringLiteral("ActBin_CreateBin")};
    QTest::newRow("bins, nothing selected: Play Wave by the node count")
        << Scene([](GuiFixture& fixture, TFormMain& window) { TwoBins(fixture, window); })
        << AlwaysEnabled + ArchiveEnabled + VoiceCommands +
               QStringList{QStringLiteral("ActTool_PlayWav")};
    QTest::newRow("a bin selected")
        << Scene([](GuiFixture& fixture, TFormMain& window) {
               TwoBins(fixture, window);
               ClickLibraryNode(window, 2);
           })
        << AlwaysEnabled + ArchiveEnabled + VoiceCommands + BinSelected +
               QStringList{QStringLiteral("ActVoice_AddVoice"), QStringLiteral("ActTool_PlayWav")};
    QTest::newRow("playlist open, one bin row, popup opened")
        << Scene([](GuiFixture& fixture, TFormMain& window) {
               TwoBinsAndPlayList(fixture, window);
               ClickLibraryNode(window, 1);
               window.SelectRows(VoiceListKind::Archive, {1});
               OpenListPopup(window);
           })
        << AlwaysEnabled + ArchiveEnabled + PlayListEnabled + VoiceCommands + BinSelected +
               QStringList{QStringLiteral("ActVoice_AddVoice"), QStringLiteral("ActTool_PlayWav"),
                           QStringLiteral("ActVoice_AddToPlayList")};
    QTest::newRow("playlist open, two bin rows, popup opened")
        << Scene([](GuiFixture& fixture, TFormMain& window) {
               TwoBinsAndPlayList(fixture, window);
               ClickLibraryNode(window, 1);
               window.SelectRows(VoiceListKind::Archive, {0, 1});
               OpenListPopup(window);
           })
        << AlwaysEnabled + ArchiveEnabled + PlayListEnabled + BinSelected +
               QStringList{QStringLiteral("ActVoice_AddVoice")};
    QTest::newRow("no row selected, popup opened")
        << Scene([](GuiFixture& fixture, TFormMain& window) {
               TwoBinsAndPlayList(fixture, window);
               ClickLibraryNode(window, 1);
               OpenListPopup(window);
           })
        << AlwaysEnabled + ArchiveEnabled + PlayListEnabled + BinSelected +
               QStringList{QStringLiteral("ActVoice_AddVoice")};
    QTest::newRow("empty slot selected, popup opened")
        << Scene([](GuiFixture& fixture, TFormMain& window) {
               TwoBinsAndPlayList(fixture, window);
               ClickPlayListNode(window);
               window.SelectRows(VoiceListKind::PlayList, {0});
               OpenListPopup(window);
           })
        << AlwaysEnabled + ArchiveEnabled + PlayListEnabled + PlayListViewShown;
    QTest::newRow("occupied slot selected, popup opened: Move Wave To, not Add To PlayList")
        << Scene([](GuiFixture& fixture, TFormMain& window) {
               TwoBinsAndPlayList(fixture, window);
               ClickPlayListNode(window);
               window.SelectRows(VoiceListKind::PlayList, {2});
               OpenListPopup(window);
           })
        << AlwaysEnabled + ArchiveEnabled + PlayListEnabled + PlayListViewShown + VoiceCommands +
               QStringList{QStringLiteral("ActTool_PlayWav"), QStringLiteral("ActPL_MoveWaveTo")};
    QTest::newRow("occupied and empty slot selected, popup opened")
        << Scene([](GuiFixture& fixture, TFormMain& window) {
               TwoBinsAndPlayList(fixture, window);
               ClickPlayListNode(window);
               window.SelectRows(VoiceListKind::PlayList, {2, 3});
               OpenListPopup(window);
           })
        << AlwaysEnabled + ArchiveEnabled + PlayListEnabled + PlayListViewShown;
}

void CommandsTest::enablingRules() {
    QFETCH(Scene, scene);
    QFETCH(QStringList, enabled);
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    scene(fixture, window);
    window.UpdateActions();
    QCOMPARE(EnabledActions(window), Sorted(enabled));
    // Every menu and popup entry shows its command's state.
    QList<QMenu*> menus = window.menuBar()->findChildren<QMenu*>();
    menus << window.ElPMenu_Archive << window.ElPMenu_SG << window.ElPMenu_PlayList;
    for (const QMenu* menu : menus)
        for (const QAction* entry : menu->actions()) {
            const QString command =
                entry->objectName().mid(entry->objectName().indexOf(u"_Act") + 1);
            QVERIFY2(window.Action(command), qPrintable(entry->objectName()));
            QCOMPARE(entry->isEnabled(), window.Action(command)->isEnabled());
        }
}

void CommandsTest::selectionIsJudgedOnlyWhenThePopupOpens() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    TwoBinsAndPlayList(fixture, window);
    ClickLibraryNode(window, 1);
    window.SelectRows(VoiceListKind::Archive, {0});
    OpenListPopup(window);
    QVERIFY(window.ActVoice_EditVoice->isEnabled());

    // Two rows now, but nobody looked: Edit Voice keeps its state until the popup opens again.
    window.SelectRows(VoiceListKind::Archive, {0, 1});
    window.UpdateActions();
    QVERIFY(window.ActVoice_EditVoice->isEnabled());
    OpenListPopup(window);
    QVERIFY(!window.ActVoice_EditVoice->isEnabled());
    QVERIFY(window.NoSingleVoiceSelected());
}

void CommandsTest::voiceMenuJudgesLikeThePopup() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    TwoBins(fixture, window);
    ClickLibraryNode(window, 1);
    window.SelectRows(VoiceListKind::Archive, {0, 1});
    emit window.MainMenu(QStringLiteral("ElMMenu_Voice"))->aboutToShow();
    QVERIFY(window.NoSingleVoiceSelected());
    QVERIFY(!window.ActTool_PlayWav->isEnabled());
    // Other menus look at the state without judging the selection again.
    window.SelectRows(VoiceListKind::Archive, {1});
    emit window.MainMenu(QStringLiteral("ElMMenu_File"))->aboutToShow();
    QVERIFY(window.NoSingleVoiceSelected());
}

void CommandsTest::shortcutsRunOnlyEnabledCommands() {
    GuiFixture fixture;
    // Only which commands run matters here, not what they then ask.
    fixture.Seam().FailOnUnscripted = false;
    TFormMain& window = fixture.CreateWindow();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QSignalSpy creates(window.ActFile_CreateArchive, &QAction::triggered);
    QSignalSpy opens(window.ActFile_OpenArchive, &QAction::triggered);
    QSignalSpy saves(window.ActFile_SaveArchive, &QAction::triggered);

    // From a pane deep in the window, with no archive open.
    window.ElTree_PlayList->setFocus();
    QTest::keyClick(window.ElTree_PlayList, Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(window.ElTree_PlayList, Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(window.ElTree_PlayList, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(saves.count(), 0);
    QCOMPARE(creates.count(), 1);
    QCOMPARE(opens.count(), 1);

    OpenArchive(window, QStringLiteral("Station"), {});
    QTest::keyClick(window.LView_Archive, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(saves.count(), 1);
}

void CommandsTest::deleteKey_data() {
    QTest::addColumn<Scene>("scene");
    QTest::addColumn<QString>("pane");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QStringList>("ran");

    const QStringList nothing;
    const int none = Qt::NoModifier;
    QTest::newRow("library tree, bin selected") << Scene([](GuiFixture& f, TFormMain& w) {
        TwoBins(f, w);
        ClickLibraryNode(w, 2);
    }) << QStringLiteral("ElTvProject") << none << QStringList{QStringLiteral("ActBin_DelBin")};
    QTest::newRow("library tree, bin selected, Shift held")
        << Scene([](GuiFixture& f, TFormMain& w) {
               TwoBins(f, w);
               ClickLibraryNode(w, 1);
           })
        << QStringLiteral("ElTvProject") << int(Qt::ShiftModifier)
        << QStringList{QStringLiteral("ActBin_DelBin")};
    QTest::newRow("library tree, archive node selected") << Scene([](GuiFixture& f, TFormMain& w) {
        TwoBins(f, w);
        ClickLibraryNode(w, 0);
    }) << QStringLiteral("ElTvProject") << none << nothing;
    QTest::newRow("library tree, several nodes, none selected")
        << Scene([](GuiFixture& f, TFormMain& w) { TwoBins(f, w); })
        << QStringLiteral("ElTvProject") << none << nothing;
    QTest::newRow("library tree, no archive") << Scene([](GuiFixture&, TFormMain&) {})
                                              << QStringLiteral("ElTvProject") << none << nothing;
    QTest::newRow("playlist tree, playlist open")
        << Scene([](GuiFixture& f, TFormMain& w) { TwoBinsAndPlayList(f, w); })
        << QStringLiteral("ElTree_PlayList") << none
        << QStringList{QStringLiteral("ActPL_DelPlayList")};
    QTest::newRow("playlist tree, no playlist")
        << Scene([](GuiFixture& f, TFormMain& w) { TwoBins(f, w); })
        << QStringLiteral("ElTree_PlayList") << none << nothing;
    QTest::newRow("bin view, two rows selected")
        << Scene([](GuiFixture& f, TFormMain& w) {
               TwoBins(f, w);
               ClickLibraryNode(w, 1);
               w.SelectRows(VoiceListKind::Archive, {0, 1});
           })
        << QStringLiteral("LView_Archive") << int(Qt::ControlModifier)
        << QStringList{QStringLiteral("ActVoice_DelVoice")};
    QTest::newRow("bin view, no row selected") << Scene([](GuiFixture& f, TFormMain& w) {
        TwoBins(f, w);
        ClickLibraryNode(w, 1);
    }) << QStringLiteral("LView_Archive") << none
                                               << nothing;
    QTest::newRow("playlist view, an empty slot selected")
        << Scene([](GuiFixture& f, TFormMain& w) {
               TwoBinsAndPlayList(f, w);
               w.SelectRows(VoiceListKind::PlayList, {7});
           })
        << QStringLiteral("LView_PL") << none << QStringList{QStringLiteral("ActVoice_DelVoice")};
    QTest::newRow("playlist view, no row selected")
        << Scene([](GuiFixture& f, TFormMain& w) { TwoBinsAndPlayList(f, w); })
        << QStringLiteral("LView_PL") << none << nothing;
}

void CommandsTest::deleteKey() {
    QFETCH(Scene, scene);
    QFETCH(QString, pane);
    QFETCH(int, modifiers);
    QFETCH(QStringList, ran);
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    scene(fixture, window);
    QSignalSpy spy(&window, &TFormMain::KeyCommandRun);
    auto* target = window.findChild<QWidget*>(pane);
    QVERIFY(target);
    QTest::keyClick(target, Qt::Key_Delete, Qt::KeyboardModifiers(modifiers));
    // Other keys are the pane's own.
    QTest::keyClick(target, Qt::Key_Backspace);
    QStringList actual;
    for (const QList<QVariant>& call : spy)
        actual.append(call.constFirst().toString());
    QCOMPARE(actual, ran);
}

void CommandsTest::aboutShowsTheSameBoxEachTime() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    QList<QDialog*> shown;
    QStringList versions;
    auto handler = [&](QDialog& dialog) {
        shown.append(&dialog);
        versions.append(static_cast<TForm_HelpAbout&>(dialog).VersionNumberText());
        dialog.close();
        return 0;
    };
    fixture.Seam().OnDialog(QStringLiteral("Form_HelpAbout"), handler);
    fixture.Seam().OnDialog(QStringLiteral("Form_HelpAbout"), handler);
    window.ActAbout_About->trigger();
    window.ActAbout_About->trigger();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown[0], shown[1]);
    QCOMPARE(shown[0], static_cast<QDialog*>(window.Form_HelpAbout()));
    QCOMPARE(versions, (QStringList{QStringLiteral("V1.01 Build 02022010 "),
                                    QStringLiteral("V1.01 Build 02022010 ")}));
    QVERIFY(fixture.Seam().Messages.isEmpty());
}

void CommandsTest::errorsInHandlersAreShownAndTheWindowGoesOn() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    fixture.Seam().ExpectMessage(QStringLiteral("disk on fire"), 1);
    fixture.Seam().ExpectMessage(QString(), 1);
    window.RunGuarded([] { throw std::runtime_error("disk on fire"); });
    window.RunGuarded([] { throw 42; });
    QVERIFY(fixture.Seam().ScriptUsedUp());
    for (const ScriptedSeam::ShownMessage& box : fixture.Seam().Messages) {
        QCOMPARE(box.Caption, QStringLiteral("Orlamo"));
        QCOMPARE(box.Icon, MessageIcon::Critical);
    }
}

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
