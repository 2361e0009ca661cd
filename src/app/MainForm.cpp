// TFormMain: construction (FormCreate), the window's layout, settings, messages and the
// operations on the library, the playlist and the view state. Actions and menus are in
// MainFormActions.cpp, the refreshes in MainFormViews.cpp.

#include "app/MainForm.h"

#include "app/AudioOutput.h"
#include "app/ImageList.h"
#include "app/Settings.h"
#include "app/WaveFolder.h"
#include "dialogs/AddBin_Form.h"
#include "dialogs/AddPlayList_Form.h"
#include "dialogs/AddVoiceSlice_Form.h"
#include "dialogs/ChangeName_Form.h"
#include "dialogs/CreateArchive_Form.h"
#include "dialogs/HelpAbout_Form.h"
#include "dialogs/MoveWaveTo_Form.h"
#include "dialogs/SETWavePath_Form.h"
#include "formats/ArchiveFile.h"
#include "formats/AtomicFile.h"
#include "views/BinVoiceModel.h"
#include "views/ListViewColumns.h"
#include "views/PlayListModel.h"

#include <QCloseEvent>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSettings>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <exception>

using orlamo::views::FromCore;
using orlamo::views::ToCore;

namespace {
// Where the window stands and how big it is before any remembered placement applies.
constexpr QPoint DesignedPosition(286, 244);
constexpr QSize DesignedSize(798, 534);
constexpr int LeftPaneWidth = 210;
constexpr int StatusPanelWidths[] = {100, 100, 100, 50};

QTreeWidget* MakeTree(const QString& name, const QString& accessibleName, QWidget* parent) {
    auto* tree = new QTreeWidget(parent);
    tree->setObjectName(name);
    tree->setAccessibleName(accessibleName);
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setIconSize(QSize(16, 16));
    tree->setContextMenuPolicy(Qt::CustomContextMenu);
    return tree;
}

QTreeView* MakeListView(const QString& name, QAbstractItemModel* model, QWidget* parent) {
    auto* view = new QTreeView(parent);
    view->setObjectName(name);
    view->setAccessibleName(name);
    view->setModel(model);
    view->setRootIsDecorated(false);
    view->setItemsExpandable(false);
    view->setUniformRowHeights(true);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setAllColumnsShowFocus(true);
    view->setIconSize(QSize(16, 16));
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    view->header()->setSectionsMovable(false);
    view->header()->setStretchLastSection(true);
    for (int column = 0; column < orlamo::views::ColumnCount; ++column)
        if (orlamo::views::ColumnWidth(column) > 0)
            view->setColumnWidth(column, orlamo::views::ColumnWidth(column));
    return view;
}
} // namespace

TFormMain::TFormMain(std::unique_ptr<UiSeam> seam, QWidget* parent)
    : QMainWindow(parent), SeamPtr(seam ? std::move(seam) : std::make_unique<QtUiSeam>()) {
    setObjectName(QStringLiteral("TFormMain"));
    setWindowIcon(ImageList::ApplicationIcon());
    setWindowTitle(FromCore(Changes.WindowCaption()));
    BuildWidgets();
    BuildActions();
    BuildMenus();
    ConnectPanes();
    SetAudioOutput(std::make_unique<QtAudioOutput>());
    move(DesignedPosition);
    resize(DesignedSize);

    // FormCreate. 1: the version text and the supported-format text are the core's constants.
    // 2: the wave folder and the folder the Set Wave Path dialog starts in.
    const WaveFolderDefaults defaults = DefaultWaveFolder();
    WaveFolderPath = defaults.WaveFolder;
    ChosenWaveFolder = defaults.ChosenWavePath;
    // 3: the bin view shows, the playlist view hides, no bin is active.
    ShowBinView();
    BinViewActiveFlag = false;
    // 4: no playlist, nothing inspected, the popup has not judged any selection.
    ThePlayList.reset();
    PlayListPath.clear();
    LastInspected = {};
    NoSingleVoiceSelectedFlag = false;
    // 5: the settings, the remembered archive and the placement.
    LoadSettings();
    UpdateActions();
}

TFormMain::~TFormMain() {
    FormDestroy();
    // The views read the library and the playlist, which go before the widgets do: take the views
    // down first so that nothing repaints from them while the window is torn down.
    BinModel->Clear();
    PlayListRows->Clear();
    delete takeCentralWidget();
    // The dialogs hold the seam, which goes with the window's members.
    for (QDialog* dialog : findChildren<QDialog*>(Qt::FindDirectChildrenOnly))
        delete dialog;
}

void TFormMain::BuildWidgets() {
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("Splitter"));
    splitter->setChildrenCollapsible(false);

    // Left pane: the library and the playlist, each in its group.
    auto* leftPane = new QWidget(splitter);
    leftPane->setObjectName(QStringLiteral("ElExplorerBar"));
    auto* leftLayout = new QVBoxLayout(leftPane);
    leftLayout->setContentsMargins(4, 4, 2, 4);
    auto* libraryGroup = new QGroupBox(QStringLiteral("Library"), leftPane);
    libraryGroup->setObjectName(QStringLiteral("ElExplorerBarGroup_Library"));
    auto* libraryLayout = new QVBoxLayout(libraryGroup);
    libraryLayout->setContentsMargins(4, 4, 4, 4);
    ElTvProject = MakeTree(QStringLiteral("ElTvProject"), QStringLiteral("Library"), libraryGroup);
    libraryLayout->addWidget(ElTvProject);
    auto* playListGroup = new QGroupBox(QStringLiteral("PlayList"), leftPane);
    playListGroup->setObjectName(QStringLiteral("ElExplorerBarGroup_PlayList"));
    auto* playListLayout = new QVBoxLayout(playListGroup);
    playListLayout->setContentsMargins(4, 4, 4, 4);
    ElTree_PlayList =
        MakeTree(QStringLiteral("ElTree_PlayList"), QStringLiteral("PlayList"), playListGroup);
    ElTree_PlayList->setRootIsDecorated(false); // one node, never any children
    playListLayout->addWidget(ElTree_PlayList);
    leftLayout->addWidget(libraryGroup, 3);
    leftLayout->addWidget(playListGroup, 1);

    // Right pane: the header line over the two list views that share one place.
    auto* rightPane = new QWidget(splitter);
    auto* rightLayout = new QVBoxLayout(rightPane);
    rightLayout->setContentsMargins(2, 4, 4, 4);
    rightLayout->setSpacing(4);
    auto* headerFrame = new QFrame(rightPane);
    headerFrame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto* headerLayout = new QHBoxLayout(headerFrame);
    headerLayout->setContentsMargins(6, 3, 6, 3);
    ElPanel_Top = new QLabel(headerFrame);
    ElPanel_Top->setObjectName(QStringLiteral("ElPanel_Top"));
    ElPanel_Top->setAccessibleName(QStringLiteral("ElPanel_Top"));
    ElPanel_Top->setTextFormat(Qt::PlainText);
    ElPanel_Top->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont headerFont = ElPanel_Top->font();
    headerFont.setBold(true);
    ElPanel_Top->setFont(headerFont);
    ElPanel_Top->setMinimumHeight(ElPanel_Top->fontMetrics().height() + 4);
    headerLayout->addWidget(ElPanel_Top);
    rightLayout->addWidget(headerFrame);

    BinModel = new BinVoiceModel(TheLibrary, ImageList::Icon(ImageList::InPlayListTick), this);
    PlayListRows = new PlayListModel(ThePlayList, this);
    ListViews = new QStackedWidget(rightPane);
    ListViews->setObjectName(QStringLiteral("ListViews"));
    LView_Archive = MakeListView(QStringLiteral("LView_Archive"), BinModel, ListViews);
    LView_PL = MakeListView(QStringLiteral("LView_PL"), PlayListRows, ListViews);
    // The playlist view's empty area has the dialog-face colour; its rows are painted by the model.
    QPalette playListPalette = LView_PL->palette();
    playListPalette.setColor(QPalette::Base, playListPalette.color(QPalette::Window));
    LView_PL->setPalette(playListPalette);
    ListViews->addWidget(LView_Archive);
    ListViews->addWidget(LView_PL);
    rightLayout->addWidget(ListViews, 1);

    splitter->addWidget(leftPane);
    splitter->addWidget(rightPane);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({LeftPaneWidth, DesignedSize.width() - LeftPaneWidth});
    setCentralWidget(splitter);

    QStatusBar* stbBottom = statusBar();
    stbBottom->setObjectName(QStringLiteral("stbBottom"));
    stbBottom->setSizeGripEnabled(true);
    for (int panel = 0; panel < 4; ++panel) {
        auto* label = new QLabel(stbBottom);
        label->setObjectName(QStringLiteral("stbBottom_Panel%1").arg(panel));
        label->setAccessibleName(QStringLiteral("stbBottom panel %1").arg(panel));
        label->setTextFormat(Qt::PlainText);
        label->setMinimumWidth(StatusPanelWidths[panel]);
        label->setContentsMargins(4, 0, 4, 0);
        label->setFrameShape(QFrame::StyledPanel);
        stbBottom->addWidget(label, panel == 3 ? 1 : 0);
        stbBottomPanels.append(label);
    }
    BuildCapacityMeter();

    // Keyboard focus walks the panes left to right.
    setTabOrder(ElTvProject, ElTree_PlayList);
    setTabOrder(ElTree_PlayList, LView_Archive);
    setTabOrder(LView_Archive, LView_PL);
}

void TFormMain::CreateDialogs() {
    if (!CreateArchiveForm)
        CreateArchiveForm = new TForm_CreateArchive(Seam(), this);
    if (!ChangeNameForm)
        ChangeNameForm = new TForm_ChangeName(Seam(), this);
    if (!AddPlayListForm)
        AddPlayListForm = new TForm_AddPlayList(Seam(), this);
    if (!AddVoiceSliceForm)
        AddVoiceSliceForm = new TForm_AddVoiceSlice(Seam(), this);
    if (!HelpAboutForm)
        HelpAboutForm = new TForm_HelpAbout(Seam(), this);
    if (!SETWavePathForm)
        SETWavePathForm = new TForm_SETWavePath(Seam(), this);
    if (!AddBinForm)
        AddBinForm = new TForm_AddBin(Seam(), this);
    if (!MoveWaveToForm)
        MoveWaveToForm = new TForm_MoveWaveTo(Seam(), this);

    // The add-voice dialog asks the window about the selected bin and hands back every wave it
    // accepted; the rename dialog compares with the add-voice dialog's Location.
    AddVoiceSliceForm->FileNameInSelectedBin = [this](const QString& fileName) {
        const int bin = SelectedBin();
        return bin >= 0 && TheLibrary.BinHasFileName(bin, ToCore(fileName));
    };
    AddVoiceSliceForm->WaveAccepted = [this](const orlamo::WaveInspection& inspection) {
        LastInspected = orlamo::LastWave{inspection.DataSize, inspection.PlayTime,
                                         orlamo::WaveFormatCode(inspection.RateIndex)};
    };
    // A wave converted on import goes where Add Voice would copy it.
    AddVoiceSliceForm->ConversionFolder = [this] { return WaveFolderPath; };
    ChangeNameForm->AddVoiceLocation = [this] {
        return AddVoiceSliceForm ? AddVoiceSliceForm->Location() : QString();
    };
}

// ---- Messages and change indicators -----------------------------------------------------------

int TFormMain::ShowResMessage(int textId, int captionId, MessageButtons buttons, MessageIcon icon) {
    return ShowTextMessage(FromCore(orlamo::ResString(textId)),
                           FromCore(orlamo::ResString(captionId)), buttons, icon);
}

int TFormMain::ShowTextMessage(const QString& text, const QString& caption, MessageButtons buttons,
                               MessageIcon icon) {
    return Seam().ShowMessage(this, MessageRequest{text, caption, buttons, icon, QString()});
}

void TFormMain::ShowErrorBox(const QString& text) {
    ShowTextMessage(text, QString::fromLatin1(orlamo::ApplicationTitle), MessageButtons::Ok,
                    MessageIcon::Critical);
}

void TFormMain::RunGuarded(const std::function<void()>& work) {
    try {
        work();
    } catch (const std::exception& error) {
        ShowErrorBox(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        ShowErrorBox(QString());
    }
}

QString TFormMain::CurrentArchivePath() const {
    return FromCore(Changes.CurrentArchivePath());
}

void TFormMain::SetArchiveModified(bool modified) {
    if (Changes.SetArchiveModified(modified))
        stbBottomPanels[0]->setText(FromCore(Changes.ArchiveIndicatorText()));
}

void TFormMain::SetPlayListModified(bool modified) {
    if (Changes.SetPlayListModified(modified))
        stbBottomPanels[1]->setText(FromCore(Changes.PlayListIndicatorText()));
}

void TFormMain::SetArchivePath(const QString& path) {
    if (Changes.SetArchivePath(ToCore(path)))
        setWindowTitle(FromCore(Changes.WindowCaption()));
}

// ---- The library and its tree -----------------------------------------------------------------

bool TFormMain::LoadArchive(const QString& path) {
    orlamo::ArchiveLoadResult result = orlamo::LoadArchive(ToCore(path));
    using Status = orlamo::ArchiveLoadResult::Status;
    switch (result.Result) {
    case Status::NoFileName:
        return false;
    case Status::WrongType:
        ShowResMessage(orlamo::MessageId::FileTypeError, orlamo::MessageId::Warning,
                       MessageButtons::Ok, MessageIcon::Warning);
        return false;
    case Status::NotFound:
        ShowResMessage(orlamo::MessageId::NotFoundFile, orlamo::MessageId::Warning,
                       MessageButtons::Ok, MessageIcon::Warning);
        return false;
    case Status::ReadFailed:
        ShowErrorBox(FromCore(result.Message));
        return false;
    case Status::Loaded:
        break;
    }
    ClearVoiceList(VoiceListKind::Archive);
    TheLibrary = std::move(result.Archive);
    if (result.LastInspected)
        LastInspected = *result.LastInspected;
    // The tree of an archive just read starts without a selection.
    {
        const QSignalBlocker blocker(ElTvProject);
        ElTvProject->clear();
    }
    RebuildLibraryTree();
    SetArchiveModified(false);
    SetArchivePath(path);
    UpdateActions();
    // Lines the library could not take would be gone at the next save: say so now.
    if (!result.Warnings.empty()) {
        QString text = QStringLiteral("Not all of %1 could be read:\n").arg(path);
        for (const std::string& warning : result.Warnings)
            text += QLatin1Char('\n') + FromCore(warning);
        ShowTextMessage(text, FromCore(orlamo::ResString(orlamo::MessageId::Warning)),
                        MessageButtons::Ok, MessageIcon::Warning);
    }
    return true;
}

void TFormMain::RebuildLibraryTree() {
    const std::optional<int> selected = SelectedLibraryPosition();
    QTreeWidgetItem* oldArchive = ElTvProject->topLevelItem(0);
    const bool expanded = oldArchive ? oldArchive->isExpanded() : true;
    {
        const QSignalBlocker blocker(ElTvProject);
        ElTvProject->clear();
        if (TheLibrary.HasArchive()) {
            auto* archive = new QTreeWidgetItem(ElTvProject);
            archive->setText(0, FromCore(TheLibrary.ArchiveName()));
            const QIcon disc = ImageList::Icon(ImageList::Disc);
            for (const orlamo::Bin& bin : TheLibrary.AllBins()) {
                auto* node = new QTreeWidgetItem(archive);
                node->setText(0, FromCore(bin.Name));
                node->setIcon(0, disc);
            }
            archive->setExpanded(expanded);
        }
    }
    if (selected && LibraryNodeCount() > 0)
        SelectLibraryNode(std::min(*selected, LibraryNodeCount() - 1));
    UpdateActions();
}

int TFormMain::LibraryNodeCount() const {
    const QTreeWidgetItem* archive = ElTvProject->topLevelItem(0);
    return archive ? 1 + archive->childCount() : 0;
}

std::optional<int> TFormMain::SelectedLibraryPosition() const {
    const QList<QTreeWidgetItem*> selected = ElTvProject->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    const QTreeWidgetItem* item = selected.constFirst();
    if (!item->parent())
        return 0;
    return item->parent()->indexOfChild(const_cast<QTreeWidgetItem*>(item)) + 1;
}

int TFormMain::SelectedBin() const {
    const std::optional<int> position = SelectedLibraryPosition();
    if (!position || *position == 0 || *position - 1 >= TheLibrary.BinCount())
        return -1;
    return *position - 1;
}

void TFormMain::SelectLibraryNode(int position) {
    QTreeWidgetItem* archive = ElTvProject->topLevelItem(0);
    QTreeWidgetItem* item = nullptr;
    if (archive && position == 0)
        item = archive;
    else if (archive && position > 0 && position <= archive->childCount())
        item = archive->child(position - 1);
    {
        const QSignalBlocker blocker(ElTvProject);
        ElTvProject->clearSelection();
        ElTvProject->setCurrentItem(item);
        if (item)
            item->setSelected(true);
    }
    UpdateActions();
}

void TFormMain::ExpandLibraryTree(bool expanded) {
    if (expanded)
        ElTvProject->expandAll();
    else
        ElTvProject->collapseAll();
}

void TFormMain::ClearVoiceList(VoiceListKind which) {
    if (which == VoiceListKind::Archive)
        BinModel->Clear();
    else
        PlayListRows->Clear();
}

// ---- The playlist and its tree ----------------------------------------------------------------

void TFormMain::AddPlayListNode(orlamo::PlayList list) {
    RemovePlayListNode();
    ThePlayList = std::move(list);
    {
        const QSignalBlocker blocker(ElTree_PlayList);
        auto* node = new QTreeWidgetItem(ElTree_PlayList);
        node->setText(0, FromCore(ThePlayList->Name));
    }
    PlayListRows->SlotsChanged();
    ShowCapacity();
    UpdateActions();
}

void TFormMain::RemovePlayListNode() {
    // Previews waiting for their turn belong to the playlist that goes.
    StopPlaying();
    {
        const QSignalBlocker blocker(ElTree_PlayList);
        ElTree_PlayList->clear();
    }
    ThePlayList.reset();
    PlayListRows->SlotsChanged();
    ShowCapacity();
    UpdateActions();
}

void TFormMain::SetPlayListName(const QString& name) {
    if (!ThePlayList)
        return;
    ThePlayList->Name = ToCore(name);
    if (QTreeWidgetItem* node = ElTree_PlayList->topLevelItem(0)) {
        const QSignalBlocker blocker(ElTree_PlayList);
        node->setText(0, name);
    }
}

int TFormMain::PlayListNodeCount() const {
    return ElTree_PlayList->topLevelItemCount();
}

bool TFormMain::PlayListNodeSelected() const {
    return !ElTree_PlayList->selectedItems().isEmpty();
}

void TFormMain::SelectPlayListNode(bool selected) {
    QTreeWidgetItem* node = ElTree_PlayList->topLevelItem(0);
    const QSignalBlocker blocker(ElTree_PlayList);
    ElTree_PlayList->clearSelection();
    if (node && selected) {
        ElTree_PlayList->setCurrentItem(node);
        node->setSelected(true);
    }
}

void TFormMain::PlayListSlotsChanged(int slotNumber) {
    if (slotNumber > 0)
        PlayListRows->SlotChanged(slotNumber);
    else
        PlayListRows->SlotsChanged();
    ShowCapacity();
}

// ---- View state -------------------------------------------------------------------------------

void TFormMain::SetBinViewActive(bool active) {
    BinViewActiveFlag = active;
    UpdateActions();
}

void TFormMain::SetNoSingleVoiceSelected(bool value) {
    NoSingleVoiceSelectedFlag = value;
    UpdateActions();
}

void TFormMain::ShowBinView() {
    ListViews->setCurrentWidget(LView_Archive);
}

void TFormMain::ShowPlayListView() {
    ListViews->setCurrentWidget(LView_PL);
}

bool TFormMain::BinViewShown() const {
    return ListViews->currentWidget() == LView_Archive;
}

void TFormMain::SetPlayListViewEnabled(bool enabled) {
    LView_PL->setEnabled(enabled);
}

QList<int> TFormMain::SelectedRows(VoiceListKind which) const {
    const QTreeView* view = which == VoiceListKind::Archive ? LView_Archive : LView_PL;
    QList<int> rows;
    for (const QModelIndex& index : view->selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TFormMain::SelectRows(VoiceListKind which, const QList<int>& rows) {
    QTreeView* view = which == VoiceListKind::Archive ? LView_Archive : LView_PL;
    QItemSelectionModel* selection = view->selectionModel();
    QItemSelection wanted;
    for (int row : rows) {
        const QModelIndex index = view->model()->index(row, 0);
        if (index.isValid())
            wanted.select(index, index);
    }
    selection->select(wanted, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (!wanted.isEmpty())
        selection->setCurrentIndex(wanted.indexes().constFirst(), QItemSelectionModel::NoUpdate);
}

const orlamo::WAVE_DPTR* TFormMain::BinVoiceAtRow(int row) const {
    return BinModel->VoiceAt(row);
}

bool TFormMain::BinRowMarked(int row) const {
    return BinModel->Marked(row);
}

void TFormMain::SetBinRowMarked(int row, bool marked) {
    BinModel->SetMarked(row, marked);
}

void TFormMain::SetHeaderText(const QString& text) {
    ElPanel_Top->setText(text);
}

QString TFormMain::HeaderText() const {
    return ElPanel_Top->text();
}

void TFormMain::ShowTotals(int waves, qint64 kilobytes) {
    stbBottomPanels[2]->setText(QStringLiteral("Total Wave = %1").arg(waves));
    stbBottomPanels[3]->setText(QStringLiteral("Total Size = %1 KB").arg(kilobytes));
    ShowCapacity();
}

void TFormMain::ClearTotals() {
    stbBottomPanels[2]->clear();
    stbBottomPanels[3]->clear();
    ShowCapacity();
}

QString TFormMain::StatusPanelText(int panel) const {
    return panel >= 0 && panel < stbBottomPanels.size() ? stbBottomPanels[panel]->text()
                                                        : QString();
}

// ---- Settings and the window's life -----------------------------------------------------------

void TFormMain::LoadSettings() {
    SettingsStore = Settings::Open();
    // A first run has no "Data": no archive to reopen, the designed placement.
    if (!Settings::DataExists(*SettingsStore))
        return;
    const QString archivePath =
        SettingsStore->value(Settings::Group + QLatin1Char('/') + Settings::ArchiveFilePath)
            .toString();
    RunGuarded([&] { LoadArchive(archivePath); });
    ExpandLibraryTree(false);
    ApplyPlacement();
}

void TFormMain::ApplyPlacement() {
    int left = x();
    int top = y();
    int height = this->height();
    int width = this->width();
    const std::pair<const QString&, int*> values[] = {{Settings::Left, &left},
                                                      {Settings::Top, &top},
                                                      {Settings::Height, &height},
                                                      {Settings::Width, &width}};
    bool anyRead = false;
    for (const auto& [name, target] : values) {
        const Settings::IntegerValue read = Settings::ReadInteger(*SettingsStore, name);
        if (!read.Value) {
            // The values read before the faulty one still apply; the ones after it do not.
            ShowErrorBox(read.Error);
            break;
        }
        *target = *read.Value;
        anyRead = true;
    }
    if (!anyRead)
        return;
    // A placement remembered from a screen that is gone would hide the window: keep the designed
    // one.
    if (!Settings::PlacementVisible(QRect(left, top, width, height)))
        return;
    move(left, top);
    resize(width, height);
}

void TFormMain::closeEvent(QCloseEvent* event) {
    // An error inside the close request keeps the window open: closing could lose work.
    bool mayClose = false;
    RunGuarded([&] { mayClose = FormCloseQuery(); });
    if (!mayClose) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TFormMain::FormClose() {
    if (!SettingsStore)
        return;
    // A maximised or minimised window remembers where it stands when restored.
    QRect frame(pos(), size());
    if (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)) {
        const QPoint frameOffset = geometry().topLeft() - pos();
        frame = QRect(normalGeometry().topLeft() - frameOffset, normalGeometry().size());
    }
    if (!Settings::WriteValues(*SettingsStore, {{Settings::Left, frame.x()},
                                                {Settings::Top, frame.y()},
                                                {Settings::Height, frame.height()},
                                                {Settings::Width, frame.width()},
                                                {Settings::Version, Settings::VersionValue}}))
        ShowErrorBox(FromCore(orlamo::UnableToWriteMessage(ToCore(SettingsStore->fileName()))));
}

void TFormMain::FormDestroy() {
    if (Destroyed)
        return;
    Destroyed = true;
    if (!SettingsStore)
        return;
    Settings::NamedValues paths;
    if (!Changes.CurrentArchivePath().empty())
        paths.append({Settings::ArchiveFilePath, CurrentArchivePath()});
    if (!FileDialogs.SaveDialogPlay.isEmpty())
        paths.append({Settings::PlayListFilePath, FileDialogs.SaveDialogPlay});
    if (!Settings::WriteValues(*SettingsStore, paths))
        ShowErrorBox(FromCore(orlamo::UnableToWriteMessage(ToCore(SettingsStore->fileName()))));
    SettingsStore.reset();
}

QString TFormMain::RememberedPlayListPath() const {
    if (!SettingsStore)
        return {};
    return SettingsStore->value(Settings::Group + QLatin1Char('/') + Settings::PlayListFilePath)
        .toString();
}

// ---- About ------------------------------------------------------------------------------------

void TFormMain::ActAbout_AboutExecute() {
    if (!HelpAboutForm)
        HelpAboutForm = new TForm_HelpAbout(Seam(), this);
    Seam().ExecDialog(*HelpAboutForm);
}
