#pragma once
// TFormMain: the editor's one window. It owns every piece of state of a run: the library, the open
// playlist, the change indicators, the last inspected wave, the view state and the wave folder.
// Views are functions of that state: a command changes the model, marks the change, then runs the
// refresh of what it changed (ElTvProjectClick for the library, ElTree_PlayListClick for the
// playlist). Every command is an action whose enabled state UpdateActions() computes in one place.
//
// The command handlers live in their own files (ArchiveCommands.cpp, BinCommands.cpp,
// VoiceCommands.cpp, PlayListCommands.cpp, CompileCommand.cpp, CloseCommands.cpp,
// ExtrasCommands.cpp); this header is the whole window.

#include "app/CommandTable.h"
#include "app/UiSeam.h"
#include "formats/WaveInspector.h"
#include "model/Library.h"
#include "model/Messages.h"
#include "model/PlayList.h"

#include <QList>
#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class AudioOutput;
class QAction;
class QCloseEvent;
class QLabel;
class QMenu;
class QProgressBar;
class QSettings;
class QStackedWidget;
class QTreeView;
class QTreeWidget;
class BinVoiceModel;
class PlayListModel;
class TForm_AddBin;
class TForm_AddPlayList;
class TForm_AddVoiceSlice;
class TForm_ChangeName;
class TForm_CheckPlayList;
class TForm_CreateArchive;
class TForm_HelpAbout;
class TForm_MoveWaveTo;
class TForm_SETWavePath;

// Which of the two list views an operation addresses.
enum class VoiceListKind { Archive, PlayList };

// The file names the window's file choosers hold between uses within one run (a chooser proposes
// the name last chosen in it). SaveDialogPlay is written as "PlayListFilePath" at the end.
struct FileDialogMemory {
    QString OpenDialog_Archive;
    QString SaveDialogBin;
    QString OpenDialog_PlayList;
    QString SaveDialogPlay;
    QString SaveDialogWrk;
    QString SaveDialogSlotMap;
};

class TFormMain : public QMainWindow {
    Q_OBJECT
public:
    // The window shows every box, dialog and file chooser through `seam` (the real Qt one when
    // none is given). Construction runs FormCreate: the starting state, then LoadSettings, which
    // may reopen the remembered archive and show its messages before the window is shown.
    explicit TFormMain(std::unique_ptr<UiSeam> seam = nullptr, QWidget* parent = nullptr);
    // Runs FormDestroy when it has not run yet.
    ~TFormMain() override;

    // Creates the dialogs once each, in their fixed order. main() calls it after construction.
    void CreateDialogs();
    UiSeam& Seam() const { return *SeamPtr; }

    // ---- Messages and change indicators -------------------------------------------------------
    // A numbered message: text and caption from the string table; 1 OK, 2 Cancel, 6 Yes, 7 No.
    int ShowResMessage(int textId, int captionId, MessageButtons buttons, MessageIcon icon);
    // A box with a literal text (the "ERROR" boxes, the size question).
    int ShowTextMessage(const QString& text, const QString& caption, MessageButtons buttons,
                        MessageIcon icon);
    // The application's error box: an error raised while a handler ran, or a settings error.
    void ShowErrorBox(const QString& text);
    // Runs `work`; an exception it throws is shown in the error box and the program goes on.
    void RunGuarded(const std::function<void()>& work);

    bool ArchiveModified() const { return Changes.ArchiveModified(); }
    bool PlayListModified() const { return Changes.PlayListModified(); }
    QString CurrentArchivePath() const;
    // Each touches its indicator (status panel 0, 1, or the caption) only when the value changes.
    void SetArchiveModified(bool modified);
    void SetPlayListModified(bool modified);
    void SetArchivePath(const QString& path);

    // ---- The library and its tree ------------------------------------------------------------
    orlamo::Library& Library() { return TheLibrary; }
    const orlamo::Library& Library() const { return TheLibrary; }
    // Reads an archive file into the library (which it replaces) and the library tree. Shows 2004
    // for a wrong extension, 2201 for a missing file, the error box for an unreadable one; the
    // library is then untouched. On success clears ArchiveModified and sets the archive path, and
    // lists in one "Warning" box any part of the file the library could not take.
    bool LoadArchive(const QString& path);
    // Makes the library tree mirror the library again: the archive node, then a node per bin
    // (picture 5). The selection stays at its position when that still exists, else moves to the
    // last node; nothing is refreshed and no click handler runs.
    void RebuildLibraryTree();
    // T: nodes of the library tree (archive node and bins), 0 when no archive is open.
    int LibraryNodeCount() const;
    // s: absolute position of the selected library node (0 the archive node, k + 1 bin k).
    std::optional<int> SelectedLibraryPosition() const;
    // Child position of the selected bin, or -1 when no bin is selected.
    int SelectedBin() const;
    // Selects a node by absolute position (-1: none) without running any handler.
    void SelectLibraryNode(int position);
    void ExpandLibraryTree(bool expanded);
    // Empties one list view's rows; touches no record.
    void ClearVoiceList(VoiceListKind which);

    // ---- The archive's save prompt, close and saves (ArchiveCommands.cpp) ---------------------
    // Offers to save unsaved changes ("Save changes to Archive ?"), then closes the archive; true
    // when the caller may go on (No, or Yes with a save that went through or nothing to save).
    bool QuerySaveArchive();
    // Removes the library and its tree without saving; the bin view is emptied. Returns true.
    bool CloseArchive();
    // Asks for a name and makes a new archive node; true when one was made.
    bool NewArchive();
    // Writes the library to its file, or asks for one when it has none; true when written.
    bool SaveCurrentArchive();
    // Asks for a file and writes the library there; true when written. A failed write leaves the
    // flag, the path and the old file as they were.
    bool SaveArchiveAs();
    // Open Archive once its file is known (the chooser's, or one named on the command line): the
    // save prompt, then LoadArchive; true when the file was read.
    bool OpenArchiveFile(const QString& path);

    // ---- The playlist and its tree -----------------------------------------------------------
    std::optional<orlamo::PlayList>& PlayList() { return ThePlayList; }
    const std::optional<orlamo::PlayList>& PlayList() const { return ThePlayList; }
    QString CurrentPlayListPath() const { return PlayListPath; }
    void SetCurrentPlayListPath(const QString& path) { PlayListPath = path; }
    // Makes `list` the open playlist with its node in the playlist tree, not selected (any open
    // playlist is dropped). The rows are not filled: FillPlayListView does that.
    void AddPlayListNode(orlamo::PlayList list);
    // Drops the open playlist and its node. The rows stay until ClearVoiceList.
    void RemovePlayListNode();
    // Renames the open playlist; its node keeps its selection.
    void SetPlayListName(const QString& name);
    // P: nodes of the playlist tree (0 or 1).
    int PlayListNodeCount() const;
    bool PlayListNodeSelected() const;
    void SelectPlayListNode(bool selected);
    // Tells the playlist view that slots changed (0: every slot).
    void PlayListSlotsChanged(int slotNumber = 0);

    // ---- The playlist's save prompt, close and saves (PlayListCommands.cpp) -------------------
    // Offers to save unsaved changes ("Save changes to PlayList ?"), then closes the playlist;
    // true when the caller may go on (No, or Yes with a save that went through).
    bool QuerySavePlayList();
    // Removes the open playlist without saving it; its path and the header line stay.
    void ClosePlayList();
    // Writes the playlist to its file, or asks for one when it has none; true when written.
    bool SaveCurrentPlayList();
    // Asks for a file and writes the playlist there; the path changes only when it was written.
    bool SavePlayListAs();
    // Open PlayList once its file is known (the chooser's, or one named on the command line): reads
    // it, offers to save the open playlist's changes, then shows it; true when it was opened.
    bool OpenPlayListFile(const QString& path);

    // ---- View state ---------------------------------------------------------------------------
    bool BinViewActive() const { return BinViewActiveFlag; }
    void SetBinViewActive(bool active);
    bool NoSingleVoiceSelected() const { return NoSingleVoiceSelectedFlag; }
    void SetNoSingleVoiceSelected(bool value);
    // Exactly one list view is visible: these switch between them.
    void ShowBinView();
    void ShowPlayListView();
    bool BinViewShown() const;
    void SetPlayListViewEnabled(bool enabled);
    // Selected rows of a list view, ascending; and selecting rows (whole rows) for commands/tests.
    QList<int> SelectedRows(VoiceListKind which) const;
    void SelectRows(VoiceListKind which, const QList<int>& rows);
    // The voice behind a bin-view row (the selected bin's voice), or nullptr.
    const orlamo::WAVE_DPTR* BinVoiceAtRow(int row) const;
    // The bin view's in-playlist marker of a row (Add To PlayList shows it before the refresh).
    bool BinRowMarked(int row) const;
    void SetBinRowMarked(int row, bool marked);
    void SetHeaderText(const QString& text);
    QString HeaderText() const;
    // Status panels 2 and 3: "Total Wave = %d", "Total Size = %d KB"; ClearTotals blanks both.
    void ShowTotals(int waves, qint64 kilobytes);
    void ClearTotals();
    QString StatusPanelText(int panel) const;

    // ---- Refreshes and click handlers ---------------------------------------------------------
    // The library tree's click: rebuilds the bin view, header line and totals from the selection.
    void ElTvProjectClick();
    // The playlist tree's click: shows the playlist view, reports and empties slots whose wave is
    // missing or refused, recomputes the totals and writes header line and totals.
    void ElTree_PlayListClick();
    // Removes every playlist row and adds one per slot.
    void FillPlayListView();
    // Reports and empties the first slot whose wave file is missing or refused; true when none is.
    bool CheckPlayListFiles();
    // The playlist view's click: sets NextSlot from the first selected row.
    void LView_PLClick();
    // Recomputes NoSingleVoiceSelected from the shown list view's selection.
    void ElPMenu_SGPopup();
    // Sets every command's enabled state from the live state.
    void UpdateActions();
    CommandState CurrentCommandState() const;

    // The Delete key on the four panes; true when the key was theirs.
    bool ElTvProjectKeyDown(int key);
    bool ElTree_PlayListKeyDown(int key);
    bool LView_ArchiveKeyDown(int key);
    bool LView_PLKeyDown(int key);

    // ---- Wave folder and the last inspected wave -----------------------------------------------
    QString WaveFolder() const { return WaveFolderPath; }
    void SetWaveFolder(const QString& folder) { WaveFolderPath = folder; }
    QString ChosenWavePath() const { return ChosenWaveFolder; }
    void SetChosenWavePath(const QString& folder) { ChosenWaveFolder = folder; }
    const orlamo::LastWave& LastWave() const { return LastInspected; }
    void SetLastWave(const orlamo::LastWave& wave) { LastInspected = wave; }

    // ---- Capacity meter and slot previews (ExtrasCommands.cpp) ----------------------------------
    // The status bar's gauge of the open playlist's sound data against the module's budget; the
    // totals' refreshes and every change of slots run it, and it hides while no playlist is open.
    void ShowCapacity();
    QProgressBar* CapacityMeter = nullptr;
    // Previews play here; the Qt output unless another is installed (tests install a fake).
    AudioOutput& Audio() const { return *AudioPtr; }
    void SetAudioOutput(std::unique_ptr<AudioOutput> output);
    // Plays the slots one after another, as the module would play them; false (after saying why)
    // when nothing could start.
    bool PlaySlots(const QList<int>& slotNumbers);
    void StopPlaying();
    // A preview is playing or waiting for its turn.
    bool Playing() const;

    // ---- Settings and the window's life ------------------------------------------------------
    void LoadSettings();
    // The close request: true when the window may close.
    bool FormCloseQuery();
    // Writes the placement and the version (the window has closed).
    void FormClose();
    // Writes the archive and playlist paths and closes the settings; runs once.
    void FormDestroy();
    // "PlayListFilePath" as the settings hold it now (empty when absent).
    QString RememberedPlayListPath() const;
    FileDialogMemory FileDialogs;

    // ---- Dialogs (created by CreateDialogs, owned by the window) ------------------------------
    TForm_CreateArchive* Form_CreateArchive() const { return CreateArchiveForm; }
    TForm_ChangeName* Form_ChangeName() const { return ChangeNameForm; }
    TForm_AddPlayList* Form_AddPlayList() const { return AddPlayListForm; }
    TForm_AddVoiceSlice* Form_AddVoiceSlice() const { return AddVoiceSliceForm; }
    TForm_HelpAbout* Form_HelpAbout() const { return HelpAboutForm; }
    TForm_SETWavePath* Form_SETWavePath() const { return SETWavePathForm; }
    TForm_AddBin* Form_AddBin() const { return AddBinForm; }
    TForm_MoveWaveTo* Form_MoveWaveTo() const { return MoveWaveToForm; }
    // Made at the first Check PlayList.
    TForm_CheckPlayList* Form_CheckPlayList() const { return CheckPlayListForm; }

    // ---- Widgets, actions and menus ------------------------------------------------------------
    QTreeWidget* ElTvProject = nullptr;
    QTreeWidget* ElTree_PlayList = nullptr;
    QLabel* ElPanel_Top = nullptr;
    QStackedWidget* ListViews = nullptr;
    QTreeView* LView_Archive = nullptr;
    QTreeView* LView_PL = nullptr;
    BinVoiceModel* BinModel = nullptr;
    PlayListModel* PlayListRows = nullptr;
    QList<QLabel*> stbBottomPanels; // panels 0 to 3

    // The command by its name ("ActFile_OpenArchive"); nullptr for an unknown name.
    QAction* Action(const QString& name) const;
    QList<QAction*> CommandActions;
    QAction* ActFile_CreateArchive = nullptr;
    QAction* ActFile_OpenArchive = nullptr;
    QAction* ActFile_SaveArchive = nullptr;
    QAction* ActFile_SaveAsArchive = nullptr;
    QAction* ActFile_Exit = nullptr;
    QAction* ActBin_CreateBin = nullptr;
    QAction* ActFile_ReName = nullptr;
    QAction* ActBin_DelBin = nullptr;
    QAction* ActPL_CreatePlayList = nullptr;
    QAction* ActPL_OpenPlayList = nullptr;
    QAction* ActPL_SavePlayList = nullptr;
    QAction* ActPL_SaveAsPlayList = nullptr;
    QAction* ActFile_SaveToWrkFile = nullptr;
    QAction* ActPL_DelPlayList = nullptr;
    QAction* ActPL_ReName = nullptr;
    QAction* ActVoice_AddVoice = nullptr;
    QAction* ActVoice_EditVoice = nullptr;
    QAction* ActVoice_DelVoice = nullptr;
    QAction* ActVoice_AddToPlayList = nullptr;
    QAction* ActTool_PlayWav = nullptr;
    QAction* ActPL_MoveWaveTo = nullptr;
    QAction* ActOption_WavePath = nullptr;
    QAction* ActAbout_About = nullptr;
    QAction* ActPL_ExportSlotMap = nullptr;
    QAction* ActPL_CheckPlayList = nullptr;
    QAction* ActPL_PlayFromHere = nullptr;
    QAction* ActTool_StopPlaying = nullptr;

    QMenu* ElPMenu_Archive = nullptr;
    QMenu* ElPMenu_SG = nullptr;
    QMenu* ElPMenu_PlayList = nullptr;
    // A menu of the main menu bar by its objectName ("ElMMenu_Voice").
    QMenu* MainMenu(const QString& name) const;

public slots:
    // Archive commands (ArchiveCommands.cpp).
    void ActFile_CreateArchiveExecute();
    void ActFile_OpenArchiveExecute();
    void ActFile_SaveArchiveExecute();
    void ActFile_SaveAsArchiveExecute();
    // Bin commands (BinCommands.cpp).
    void ActBin_CreateBinExecute();
    void ActFile_ReNameExecute();
    void ActBin_DelBinExecute();
    // Playlist commands (PlayListCommands.cpp).
    void ActPL_CreatePlayListExecute();
    void ActPL_OpenPlayListExecute();
    void ActPL_SavePlayListExecute();
    void ActPL_SaveAsPlayListExecute();
    void ActPL_DelPlayListExecute();
    void ActPL_ReNameExecute();
    void ActPL_MoveWaveToExecute();
    void ActVoice_AddToPlayListExecute();
    // Voice commands (VoiceCommands.cpp).
    void ActVoice_AddVoiceExecute();
    void ActVoice_EditVoiceExecute();
    void ActVoice_DelVoiceExecute();
    void ActTool_PlayWavExecute();
    void ActOption_WavePathExecute();
    // Compile To WrkFile (CompileCommand.cpp).
    void ActFile_SaveToWrkFileExecute();
    // Exit (CloseCommands.cpp).
    void ActFile_ExitExecute();
    // About.
    void ActAbout_AboutExecute();
    // Slot map, completeness report and previews (ExtrasCommands.cpp).
    void ActPL_ExportSlotMapExecute();
    void ActPL_CheckPlayListExecute();
    void ActPL_PlayFromHereExecute();
    void ActTool_StopPlayingExecute();

signals:
    // A Delete key ran a command directly (its handler, without the enabling rule): the action's
    // name, e.g. "ActBin_DelBin". Emitted before the handler runs.
    void KeyCommandRun(const QString& actionName);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildWidgets();
    void BuildActions();
    void BuildMenus();
    QMenu* BuildMenu(const MenuInfo& info, QWidget* parent);
    void ConnectPanes();
    void RunCommand(QAction* action, void (TFormMain::*handler)());
    void ShowPopup(QMenu* popup, QWidget* pane, const QPoint& position);
    void ApplyPlacement();
    // Marks the bin's voices that the open playlist holds (by full path); returns the row markers.
    std::vector<bool> MarkVoicesInPlayList(int binPosition);
    void BuildCapacityMeter();
    // Starts the next waiting preview; false when none could start.
    bool PlayNextSlot();
    void PreviewFinished();

    std::unique_ptr<UiSeam> SeamPtr;

    orlamo::Library TheLibrary;
    std::optional<orlamo::PlayList> ThePlayList;
    QString PlayListPath;
    orlamo::ChangeState Changes;
    orlamo::LastWave LastInspected;
    bool BinViewActiveFlag = false;
    bool NoSingleVoiceSelectedFlag = false;
    QString WaveFolderPath;
    QString ChosenWaveFolder;

    std::unique_ptr<QSettings> SettingsStore;
    bool Destroyed = false;

    // Mouse clicks on the trees: a selection that changes during a press is refreshed once, when
    // the button comes up, so a click refreshes once.
    bool LibraryPressed = false;
    bool LibrarySelectionChangedInPress = false;
    bool PlayListPressed = false;

    TForm_CreateArchive* CreateArchiveForm = nullptr;
    TForm_ChangeName* ChangeNameForm = nullptr;
    TForm_AddPlayList* AddPlayListForm = nullptr;
    TForm_AddVoiceSlice* AddVoiceSliceForm = nullptr;
    TForm_HelpAbout* HelpAboutForm = nullptr;
    TForm_SETWavePath* SETWavePathForm = nullptr;
    TForm_AddBin* AddBinForm = nullptr;
    TForm_MoveWaveTo* MoveWaveToForm = nullptr;
    TForm_CheckPlayList* CheckPlayListForm = nullptr;

    std::unique_ptr<AudioOutput> AudioPtr;
    QList<int> WaitingSlots; // the slots Play From Here has still to play, in order
};
