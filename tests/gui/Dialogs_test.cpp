// The modal dialogs on their own: each OK rule as the user types, the keys, the move-to colours,
// the wave-folder chooser, the add-voice open-file loop with its two refusals, and the about box.

#include "app/UiSeam.h"
#include "dialogs/AddBin_Form.h"
#include "dialogs/AddPlayList_Form.h"
#include "dialogs/AddVoiceSlice_Form.h"
#include "dialogs/ChangeName_Form.h"
#include "dialogs/CreateArchive_Form.h"
#include "dialogs/HelpAbout_Form.h"
#include "dialogs/MoveWaveTo_Form.h"
#include "dialogs/SETWavePath_Form.h"
#include "formats/WaveInspector.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QQueue>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <functional>
#include <memory>

namespace {

// Answers the dialogs' questions from queues and records what was asked.
class ScriptedDialogSeam final : public UiSeam {
public:
    QList<MessageRequest> Messages;
    QList<FileDialogRequest> FileRequests;
    QQueue<QString> FileAnswers; // an empty answer, or an exhausted queue, cancels
    QList<QString> FolderStarts;
    QQueue<QString> FolderAnswers;
    QList<QUrl> OpenedUrls;
    bool OpenUrlResult = false;

    int ShowMessage(QWidget*, const MessageRequest& request) override {
        Messages.append(request);
        return 1;
    }
    int ExecDialog(QDialog& dialog) override { return dialog.exec(); }
    QString ChooseFile(QWidget*, const FileDialogRequest& request) override {
        FileRequests.append(request);
        return FileAnswers.isEmpty() ? QString() : FileAnswers.dequeue();
    }
    QString ChooseFolder(QWidget*, const QString&, const QString& startFolder) override {
        FolderStarts.append(startFolder);
        return FolderAnswers.isEmpty() ? QString() : FolderAnswers.dequeue();
    }
    bool OpenUrl(const QUrl& url) override {
        OpenedUrls.append(url);
        return OpenUrlResult;
    }
    bool StartDetached(const QString&, const QStringList&) override { return false; }
};

QByteArray Le16(quint16 value) {
    return QByteArray(1, char(value & 0xff)) + QByteArray(1, char(value >> 8));
}
QByteArray Le32(quint32 value) {
    return Le16(quint16(value & 0xffff)) + Le16(quint16(value >> 16));
}

// A canonical wave file: a 16-byte fmt chunk and a data chunk of dataSize zero bytes.
QByteArray WaveBytes(quint16 channels, quint32 rate, quint16 bits, quint32 dataSize) {
    const quint16 blockAlign = quint16(channels * bits / 8);
    const QByteArray fmt = Le16(1) + Le16(channels) + Le32(rate) + Le32(rate * blockAlign) +
                           Le16(blockAlign) + Le16(bits);
    const QByteArray chunks = QByteArray("fmt ") + Le32(16) + fmt + QByteArray("data") +
                              Le32(dataSize) + QByteArray(int(dataSize), '\0');
    return QByteArray("RIFF") + Le32(quint32(4 + chunks.size())) + QByteArray("WAVE") + chunks;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QString ErrorBoxText(const char* message) {
    return QString::fromLatin1(message) + QStringLiteral("\n\n") +
           QString::fromStdString(orlamo::SupportedFormatText());
}

// One of the one-entry dialogs, made by name, so tables can run over all of them.
std::unique_ptr<NameEntryDialog> MakeNameDialog(const QString& kind, UiSeam& seam) {
    if (kind == QLatin1String("CreateArchive"))
        return std::make_unique<TForm_CreateArchive>(seam);
    if (kind == QLatin1String("ChangeName"))
        return std::make_unique<TForm_ChangeName>(seam);
    if (kind == QLatin1String("AddPlayList"))
        return std::make_unique<TForm_AddPlayList>(seam);
    if (kind == QLatin1String("SETWavePath"))
        return std::make_unique<TForm_SETWavePath>(seam);
    if (kind == QLatin1String("AddBin"))
        return std::make_unique<TForm_AddBin>(seam);
    if (kind == QLatin1String("MoveWaveTo"))
        return std::make_unique<TForm_MoveWaveTo>(seam);
    return nullptr;
}

void TypeInto(QLineEdit* edit, const QString& text) {
    edit->clear();
    QTest::keyClicks(edit, text);
    QCOMPARE(edit->text(), text);
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        Seam = std::make_unique<ScriptedDialogSeam>();
        Dir = std::make_unique<QTemporaryDir>();
        QVERIFY(Dir->isValid());
    }

    void nameDialogsShowTheirTexts_data();
    void nameDialogsShowTheirTexts();
    void nonEmptyNameRule_data();
    void nonEmptyNameRule();
    void changeNameRule_data();
    void changeNameRule();
    void changeNameRuleRerunsOnShow();
    void moveWaveToRuleAndColour_data();
    void moveWaveToRuleAndColour();
    void moveWaveToProposedSlot();
    void wavePathRule();
    void wavePathBrowse();
    void enterActsAsOkOnlyWhileEnabled_data();
    void enterActsAsOkOnlyWhileEnabled();
    void escapeAndCloseBoxCancel_data();
    void escapeAndCloseBoxCancel();

    void addVoiceShowsItsTexts();
    void addVoiceOkFollowsLocation();
    void addVoiceAcceptsAGoodPick();
    void addVoiceRefusesATakenFileName();
    void addVoiceNameCheckIsCaseSensitive();
    void addVoiceRefusesAnUnsupportedWave();
    void addVoiceCancelEmptiesTheFields();
    void addVoiceRefusedPickNeverStays();
    void addVoiceEnterAndEscape();

    void aboutShowsVersionAndOpensLink();

private:
    QString WritePath(const QString& name, const QByteArray& bytes) {
        const QString path = Dir->filePath(name);
        WriteFile(path, bytes);
        return path;
    }

    std::unique_ptr<ScriptedDialogSeam> Seam;
    std::unique_ptr<QTemporaryDir> Dir; // a fresh folder for each test
};

void DialogsTest::nameDialogsShowTheirTexts_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("entryName");
    QTest::newRow("archive") << "CreateArchive"
                             << "Create Archive"
                             << "Archive Name :  "
                             << "ElEdit_ArchiveName";
    QTest::newRow("change") << "ChangeName"
                            << "ChangeName"
                            << "Name :  "
                            << "ElEdit_ChangeName";
    QTest::newRow("playlist") << "AddPlayList"
                              << "Create PlayList"
                              << "PlayList Name :  "
                              << "ElEdit_PlayListName";
    QTest::newRow("wave path") << "SETWavePath"
                               << "SETWavePath"
                               << "WavePath :   "
                               << "ElFolderNameEdit";
    QTest::newRow("bin") << "AddBin"
                         << "Create Bin"
                         << "Bin Name :  "
                         << "ElEdit_BinName";
    QTest::newRow("move") << "MoveWaveTo"
                          << "MoveWaveTo"
                          << "MoveTo :  "
                          << "ElEdit_WaveIndex";
}

void DialogsTest::nameDialogsShowTheirTexts() {
    QFETCH(QString, kind);
    QFETCH(QString, caption);
    QFETCH(QString, label);
    QFETCH(QString, entryName);
    const auto dialog = MakeNameDialog(kind, *Seam);
    QCOMPARE(dialog->windowTitle(), caption);
    QCOMPARE(dialog->EntryLabel()->text(), label);
    QCOMPARE(dialog->Entry()->objectName(), entryName);
    QCOMPARE(dialog->findChild<QLineEdit*>(entryName), dialog->Entry());
    auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("ElGB_OK"));
    auto* cancel = dialog->findChild<QPushButton*>(QStringLiteral("ElGB_Cancel"));
    QVERIFY(ok && cancel);
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
    // Every dialog starts with an empty entry, which none of the rules accepts.
    QVERIFY(!ok->isEnabled());
}

void DialogsTest::nonEmptyNameRule_data() {
    QTest::addColumn<QString>("kind");
    for (const char* kind : {"CreateArchive", "AddPlayList", "AddBin"})
        QTest::newRow(kind) << QString::fromLatin1(kind);
}

void DialogsTest::nonEmptyNameRule() {
    QFETCH(QString, kind);
    const auto dialog = MakeNameDialog(kind, *Seam);
    dialog->show();
    QVERIFY(!dialog->OkButton()->isEnabled());

    QTest::keyClick(dialog->Entry(), Qt::Key_A);
    QVERIFY(dialog->OkButton()->isEnabled());
    QTest::keyClick(dialog->Entry(), Qt::Key_Backspace);
    QVERIFY(!dialog->OkButton()->isEnabled());

    // A blank is a character: nothing is trimmed.
    QTest::keyClick(dialog->Entry(), Qt::Key_Space);
    QVERIFY(dialog->OkButton()->isEnabled());
    QCOMPARE(dialog->EntryText(), QStringLiteral(" "));

    // A text set by the caller is judged as well.
    dialog->SetEntryText(QString());
    QVERIFY(!dialog->OkButton()->isEnabled());
    dialog->SetEntryText(QStringLiteral("Station"));
    QVERIFY(dialog->OkButton()->isEnabled());
}

void DialogsTest::changeNameRule_data() {
    QTest::addColumn<QString>("location");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("okEnabled");
    QTest::newRow("bin name, no location") << ""
                                           << "Prompts" << true;
    QTest::newRow("empty, no location") << ""
                                        << "" << false;
    QTest::newRow("empty beside a location") << "/w/a.wav"
                                             << "" << false;
    QTest::newRow("equal to location") << "/w/a.wav"
                                       << "/w/a.wav" << false;
    QTest::newRow("file name part only") << "/w/a.wav"
                                         << "a.wav" << true;
    QTest::newRow("other case") << "/w/a.wav"
                                << "/w/A.wav" << true;
    QTest::newRow("trailing blank") << "/w/a.wav"
                                    << "/w/a.wav " << true;
}

void DialogsTest::changeNameRule() {
    QFETCH(QString, location);
    QFETCH(QString, typed);
    QFETCH(bool, okEnabled);
    TForm_ChangeName dialog(*Seam);
    dialog.AddVoiceLocation = [&location] { return location; };
    dialog.show();
    TypeInto(dialog.ElEdit_ChangeName(), typed);
    QCOMPARE(dialog.OkButton()->isEnabled(), okEnabled);
    QCOMPARE(dialog.NewName(), typed);
}

void DialogsTest::changeNameRuleRerunsOnShow() {
    // The rule reads the add-voice dialog's Location, which can change while this one is hidden.
    TForm_ChangeName changeName(*Seam);
    TForm_AddVoiceSlice addVoice(*Seam);
    changeName.AddVoiceLocation = [&addVoice] { return addVoice.Location(); };

    changeName.SetName(QStringLiteral("take.wav"));
    QVERIFY(changeName.OkButton()->isEnabled());
    addVoice.SetLocation(QStringLiteral("take.wav"));
    changeName.show();
    QVERIFY(!changeName.OkButton()->isEnabled());
}

void DialogsTest::moveWaveToRuleAndColour_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("slot");
    QTest::newRow("zero") << "0" << false << 0;
    QTest::newRow("negative") << "-3" << false << -1;
    QTest::newRow("past 240") << "241" << false << 241;
    QTest::newRow("playlist end") << "245" << false << 245;
    QTest::newRow("letters") << "abc" << false << -1;
    QTest::newRow("digits and letters") << "12a" << false << -1;
    QTest::newRow("blank before") << " 5" << false << -1;
    QTest::newRow("too long to be a slot") << "99999999999" << false << -1;
    QTest::newRow("first") << "1" << true << 1;
    QTest::newRow("last") << "240" << true << 240;
    QTest::newRow("leading zero") << "007" << true << 7;
}

void DialogsTest::moveWaveToRuleAndColour() {
    QFETCH(QString, typed);
    QFETCH(bool, valid);
    QFETCH(int, slot);
    TForm_MoveWaveTo dialog(*Seam);
    dialog.show();
    TypeInto(dialog.ElEdit_WaveIndex(), typed);
    QCOMPARE(dialog.OkButton()->isEnabled(), valid);
    QCOMPARE(dialog.ElEdit_WaveIndex()->palette().color(QPalette::Text),
             valid ? QColor(0, 128, 0) : QColor(255, 0, 0));
    QCOMPARE(dialog.WaveIndex(), slot);
}

void DialogsTest::moveWaveToProposedSlot() {
    TForm_MoveWaveTo dialog(*Seam);
    // Empty from the start: red and disabled before anything is typed.
    QCOMPARE(dialog.ElEdit_WaveIndex()->palette().color(QPalette::Text), QColor(255, 0, 0));
    QVERIFY(!dialog.OkButton()->isEnabled());

    dialog.SetWaveIndex(243);
    QCOMPARE(dialog.WaveIndexText(), QStringLiteral("243"));
    QVERIFY(!dialog.OkButton()->isEnabled());
    dialog.SetWaveIndex(12);
    QVERIFY(dialog.OkButton()->isEnabled());
    QCOMPARE(dialog.ElEdit_WaveIndex()->palette().color(QPalette::Text), QColor(0, 128, 0));
}

void DialogsTest::wavePathRule() {
    const QString file = WritePath(QStringLiteral("plain.txt"), "x");
    QVERIFY(QDir(Dir->path()).mkdir(QStringLiteral("voices")));
    const QString folder = Dir->filePath(QStringLiteral("voices"));

    TForm_SETWavePath dialog(*Seam);
    dialog.show();
    const QList<QPair<QString, bool>> cases{{QString(), false},
                                            {Dir->filePath(QStringLiteral("missing")), false},
                                            {file, false},
                                            {folder, true},
                                            {folder + QStringLiteral("/"), true}};
    for (const auto& [typed, okEnabled] : cases) {
        TypeInto(dialog.ElFolderNameEdit(), typed);
        QVERIFY2(dialog.OkButton()->isEnabled() == okEnabled, qPrintable(typed));
    }
}

void DialogsTest::wavePathBrowse() {
    QVERIFY(QDir(Dir->path()).mkdir(QStringLiteral("voices")));
    const QString folder = Dir->filePath(QStringLiteral("voices"));
    TForm_SETWavePath dialog(*Seam);
    dialog.SetFolder(Dir->path());
    dialog.show();

    // The chooser starts at the folder shown; a chosen folder fills the entry and enables OK.
    Seam->FolderAnswers.enqueue(folder);
    QTest::mouseClick(dialog.BrowseButton(), Qt::LeftButton);
    QCOMPARE(Seam->FolderStarts, QList<QString>{Dir->path()});
    QCOMPARE(QDir::fromNativeSeparators(dialog.Folder()), folder);
    QVERIFY(dialog.OkButton()->isEnabled());

    // A cancelled chooser leaves the entry alone.
    QTest::mouseClick(dialog.BrowseButton(), Qt::LeftButton);
    QCOMPARE(Seam->FolderStarts.size(), 2);
    QCOMPARE(QDir::fromNativeSeparators(dialog.Folder()), folder);
    QVERIFY(dialog.OkButton()->isEnabled());
    QVERIFY(dialog.isVisible());
}

void DialogsTest::enterActsAsOkOnlyWhileEnabled_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("refused");
    QTest::addColumn<QString>("accepted");
    QTest::newRow("archive") << "CreateArchive"
                             << ""
                             << "a";
    QTest::newRow("change") << "ChangeName"
                            << ""
                            << "b";
    QTest::newRow("playlist") << "AddPlayList"
                              << ""
                              << "c";
    QTest::newRow("wave path") << "SETWavePath"
                               << "/no/such/folder" << QDir::tempPath();
    QTest::newRow("bin") << "AddBin"
                         << ""
                         << "d";
    QTest::newRow("move") << "MoveWaveTo"
                          << "241"
                          << "240";
}

void DialogsTest::enterActsAsOkOnlyWhileEnabled() {
    QFETCH(QString, kind);
    QFETCH(QString, refused);
    QFETCH(QString, accepted);
    const auto dialog = MakeNameDialog(kind, *Seam);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));

    TypeInto(dialog->Entry(), refused);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter})
        QTest::keyClick(dialog->Entry(), key);
    QVERIFY(dialog->isVisible());

    // With the focus on Cancel, Enter must not turn into a click on Cancel either.
    dialog->CancelButton()->setFocus();
    QTest::keyClick(dialog->CancelButton(), Qt::Key_Return);
    QVERIFY(dialog->isVisible());

    TypeInto(dialog->Entry(), accepted);
    QTest::keyClick(dialog->Entry(), Qt::Key_Return);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(dialog->EntryText(), accepted);
}

void DialogsTest::escapeAndCloseBoxCancel_data() {
    QTest::addColumn<QString>("kind");
    for (const char* kind :
         {"CreateArchive", "ChangeName", "AddPlayList", "SETWavePath", "AddBin", "MoveWaveTo"})
        QTest::newRow(kind) << QString::fromLatin1(kind);
}

void DialogsTest::escapeAndCloseBoxCancel() {
    QFETCH(QString, kind);
    const auto dialog = MakeNameDialog(kind, *Seam);
    const QString valid = kind == QLatin1String("SETWavePath")  ? QDir::tempPath()
                          : kind == QLatin1String("MoveWaveTo") ? QStringLiteral("7")
                                                                : QStringLiteral("x");

    // Even with an acceptable entry, Escape and the close box give Cancel, entry kept.
    dialog->SetEntryText(valid);
    dialog->show();
    QVERIFY(dialog->OkButton()->isEnabled());
    QTest::keyClick(dialog->Entry(), Qt::Key_Escape);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    QCOMPARE(dialog->EntryText(), valid);

    dialog->show();
    dialog->setResult(QDialog::Accepted);
    QVERIFY(dialog->close());
    QCOMPARE(dialog->result(), int(QDialog::Rejected));

    dialog->show();
    QTest::mouseClick(dialog->CancelButton(), Qt::LeftButton);
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    dialog->show();
    QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
}

void DialogsTest::addVoiceShowsItsTexts() {
    TForm_AddVoiceSlice dialog(*Seam);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("AddVoiceSlice"));
    const QList<QPair<const char*, const char*>> labels{
        {"ElLabel1", "Location :  "}, {"ElLabel2", "Name :  "}, {"ElLabel3", "Descripition :  "}};
    for (const auto& [name, text] : labels) {
        auto* label = dialog.findChild<QLabel*>(QString::fromLatin1(name));
        QVERIFY2(label, name);
        QCOMPARE(label->text(), QString::fromLatin1(text));
    }
    for (const char* name : {"ElEdit_FilePath", "ElEdit_VoiceName", "ElEdit_VoiceDescripition"})
        QVERIFY2(dialog.findChild<QLineEdit*>(QString::fromLatin1(name)), name);
    for (const char* name : {"ElGBtn_OpenFile", "ElGB_OK", "ElGB_Cancel"})
        QVERIFY2(dialog.findChild<QPushButton*>(QString::fromLatin1(name)), name);
}

void DialogsTest::addVoiceOkFollowsLocation() {
    const QString wave = WritePath(QStringLiteral("typed.wav"), WaveBytes(1, 8000, 8, 10));
    TForm_AddVoiceSlice dialog(*Seam);
    dialog.show();
    QVERIFY(!dialog.OkButton()->isEnabled());

    // Typed by hand: an existing file enables OK (without inspecting it), a folder does not.
    const QList<QPair<QString, bool>> cases{{wave, true},
                                            {Dir->path(), false},
                                            {Dir->filePath(QStringLiteral("gone.wav")), false},
                                            {QString(), false}};
    for (const auto& [typed, okEnabled] : cases) {
        TypeInto(dialog.ElEdit_FilePath(), typed);
        QVERIFY2(dialog.OkButton()->isEnabled() == okEnabled, qPrintable(typed));
    }
    TypeInto(dialog.ElEdit_FilePath(), wave);
    QVERIFY(!dialog.LocationIsPickedFile());
    QVERIFY(Seam->Messages.isEmpty());

    // Name and Description play no part; a file deleted after Location was set disables OK at
    // the next rule run (Edit Voice sets Location, then the rule runs).
    QVERIFY(QFile::remove(wave));
    dialog.ElEdit_FilePathChange();
    QVERIFY(!dialog.OkButton()->isEnabled());
}

void DialogsTest::addVoiceAcceptsAGoodPick() {
    const QString wave = WritePath(QStringLiteral("hello.wav"), WaveBytes(1, 22050, 16, 4410));
    TForm_AddVoiceSlice dialog(*Seam);
    QStringList askedNames;
    dialog.FileNameInSelectedBin = [&askedNames](const QString& name) {
        askedNames << name;
        return false;
    };
    QList<orlamo::WaveInspection> accepted;
    dialog.WaveAccepted = [&accepted](const orlamo::WaveInspection& w) { accepted << w; };
    dialog.SetLocation(QStringLiteral("old"));
    dialog.SetVoiceName(QStringLiteral("Old name"));
    dialog.SetDescription(QStringLiteral("Old text"));
    dialog.show();

    Seam->FileAnswers.enqueue(wave);
    QTest::mouseClick(dialog.ElGBtn_OpenFile(), Qt::LeftButton);

    QCOMPARE(Seam->FileRequests.size(), 1);
    QCOMPARE(Seam->FileRequests[0].ObjectName, QStringLiteral("OpenDialog"));
    QVERIFY(Seam->FileRequests[0].Filter.startsWith(QStringLiteral("wav File(*.wav)")));
    QVERIFY(!Seam->FileRequests[0].Save);
    QCOMPARE(askedNames, QStringList{QStringLiteral("hello.wav")});
    QVERIFY(Seam->Messages.isEmpty());

    QCOMPARE(dialog.Location(), wave);
    QCOMPARE(dialog.VoiceName(), QString());
    QCOMPARE(dialog.Description(), QString());
    QVERIFY(dialog.OkButton()->isEnabled());
    QCOMPARE(dialog.PickedPath(), wave);
    QVERIFY(dialog.LocationIsPickedFile());

    QCOMPARE(accepted.size(), 1);
    QCOMPARE(accepted[0].DataSize, 4410u);
    QCOMPARE(accepted[0].PlayTime, std::string("0.10"));
    QCOMPARE(orlamo::WaveFormatCode(accepted[0].RateIndex), 0x50000000u);
    QCOMPARE(dialog.PickedInspection().DataSize, 4410u);

    // Typing over Location leaves the picked file behind.
    QTest::keyClick(dialog.ElEdit_FilePath(), Qt::Key_X);
    QVERIFY(!dialog.LocationIsPickedFile());
}

void DialogsTest::addVoiceRefusesATakenFileName() {
    // Not a wave at all: had it been inspected, an "ERROR" box would follow the 2003 message.
    const QString taken = WritePath(QStringLiteral("taken.wav"), "not a wave");
    TForm_AddVoiceSlice dialog(*Seam);
    dialog.FileNameInSelectedBin = [](const QString& name) {
        return name == QStringLiteral("taken.wav");
    };
    int inspections = 0;
    dialog.WaveAccepted = [&inspections](const orlamo::WaveInspection&) { ++inspections; };
    dialog.show();

    Seam->FileAnswers.enqueue(taken); // then the chooser is cancelled
    QTest::mouseClick(dialog.ElGBtn_OpenFile(), Qt::LeftButton);

    QCOMPARE(Seam->FileRequests.size(), 2);
    QCOMPARE(Seam->Messages.size(), 1);
    QCOMPARE(Seam->Messages[0].Text, QStringLiteral("Found an identical File Name"));
    QCOMPARE(Seam->Messages[0].Caption, QStringLiteral("Warning"));
    QCOMPARE(Seam->Messages[0].Icon, MessageIcon::Question);
    QCOMPARE(Seam->Messages[0].Buttons, MessageButtons::Ok);
    QCOMPARE(inspections, 0);
    QCOMPARE(dialog.Location(), QString());
    QVERIFY(!dialog.OkButton()->isEnabled());
    QCOMPARE(dialog.PickedPath(), QString());
}

void DialogsTest::addVoiceNameCheckIsCaseSensitive() {
    QVERIFY(QDir(Dir->path()).mkdir(QStringLiteral("in")));
    const QString wave = WritePath(QStringLiteral("in/Taken.wav"), WaveBytes(1, 44100, 16, 88200));
    TForm_AddVoiceSlice dialog(*Seam);
    const QStringList binFileNames{QStringLiteral("taken.wav")};
    dialog.FileNameInSelectedBin = [&binFileNames](const QString& name) {
        return binFileNames.contains(name, Qt::CaseSensitive);
    };
    Seam->FileAnswers.enqueue(wave);
    dialog.ElGBtn_OpenFileClick();
    QVERIFY(Seam->Messages.isEmpty());
    QCOMPARE(dialog.Location(), wave);
    QCOMPARE(dialog.LastAcceptedInspection().DataSize, 88200u);
    QCOMPARE(dialog.LastAcceptedInspection().PlayTime, std::string("1.00"));
}

void DialogsTest::addVoiceRefusesAnUnsupportedWave() {
    const QString stereo = WritePath(QStringLiteral("stereo.wav"), WaveBytes(2, 44100, 16, 100));
    const QString text = WritePath(QStringLiteral("notes.wav"), "plain text, no RIFF here");
    const QString good = WritePath(QStringLiteral("good.wav"), WaveBytes(1, 8000, 16, 16000));
    TForm_AddVoiceSlice dialog(*Seam);
    QList<orlamo::WaveInspection> accepted;
    dialog.WaveAccepted = [&accepted](const orlamo::WaveInspection& w) { accepted << w; };
    dialog.show();

    Seam->FileAnswers << stereo << text << good;
    QTest::mouseClick(dialog.ElGBtn_OpenFile(), Qt::LeftButton);

    QCOMPARE(Seam->FileRequests.size(), 3);
    QCOMPARE(Seam->Messages.size(), 2);
    for (const MessageRequest& box : Seam->Messages) {
        QCOMPARE(box.Caption, QStringLiteral("ERROR"));
        QCOMPARE(box.Icon, MessageIcon::Warning);
        QCOMPARE(box.Buttons, MessageButtons::Ok);
    }
    QCOMPARE(Seam->Messages[0].Text, ErrorBoxText("Format Error - 44K x 16bit x Stereo"));
    QCOMPARE(Seam->Messages[1].Text, ErrorBoxText("E:02 - Illegal file format"));
    QVERIFY(Seam->Messages[1].Text.endsWith(QStringLiteral("\n48K   16bit")));

    // Only the file that passed reached the window's last-inspected wave.
    QCOMPARE(accepted.size(), 1);
    QCOMPARE(accepted[0].RateIndex, 1);
    QCOMPARE(accepted[0].PlayTime, std::string("1.00"));
    QCOMPARE(dialog.Location(), good);
    QCOMPARE(dialog.PickedPath(), good);
    QVERIFY(dialog.OkButton()->isEnabled());
}

void DialogsTest::addVoiceCancelEmptiesTheFields() {
    const QString wave = WritePath(QStringLiteral("kept.wav"), WaveBytes(1, 16000, 16, 320));
    TForm_AddVoiceSlice dialog(*Seam);
    // As Edit Voice fills it: the voice's file, name and description.
    dialog.SetLocation(wave);
    dialog.SetVoiceName(QStringLiteral("Doors closing"));
    dialog.SetDescription(QStringLiteral("platform 2"));
    dialog.show();
    QVERIFY(dialog.OkButton()->isEnabled());

    QTest::mouseClick(dialog.ElGBtn_OpenFile(), Qt::LeftButton); // chooser cancelled at once
    QCOMPARE(Seam->FileRequests.size(), 1);
    QCOMPARE(dialog.Location(), QString());
    QCOMPARE(dialog.VoiceName(), QString());
    QCOMPARE(dialog.Description(), QString());
    QVERIFY(!dialog.OkButton()->isEnabled());
    QVERIFY(Seam->Messages.isEmpty());
    QVERIFY(dialog.isVisible());
}

void DialogsTest::addVoiceRefusedPickNeverStays() {
    const QString good = WritePath(QStringLiteral("first.wav"), WaveBytes(1, 48000, 16, 960));
    const QString bad = WritePath(QStringLiteral("bad.wav"), WaveBytes(1, 11025, 8, 100));
    TForm_AddVoiceSlice dialog(*Seam);
    Seam->FileAnswers << good;
    dialog.ElGBtn_OpenFileClick();
    QCOMPARE(dialog.PickedPath(), good);

    // A later run that refuses a file and is then cancelled keeps the last accepted pick and
    // shows nothing of the refused one.
    Seam->FileAnswers << bad;
    dialog.ElGBtn_OpenFileClick();
    QCOMPARE(Seam->Messages.size(), 1);
    QCOMPARE(Seam->Messages[0].Text, ErrorBoxText("Format Error - 11K x 8bit x Mono"));
    QCOMPARE(dialog.Location(), QString());
    QCOMPARE(dialog.PickedPath(), good);
    QCOMPARE(dialog.PickedInspection().RateIndex, 9);
    QCOMPARE(dialog.LastAcceptedInspection().RateIndex, 9);
    QVERIFY(!dialog.LocationIsPickedFile());

    // The chooser opens in the folder of the last accepted pick.
    QCOMPARE(QDir(Seam->FileRequests.last().Directory), QDir(Dir->path()));
}

void DialogsTest::addVoiceEnterAndEscape() {
    const QString wave = WritePath(QStringLiteral("enter.wav"), WaveBytes(1, 12000, 16, 240));
    TForm_AddVoiceSlice dialog(*Seam);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    QTest::keyClick(dialog.ElEdit_VoiceName(), Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    QVERIFY(Seam->FileRequests.isEmpty()); // Enter is no click on the open-file button

    TypeInto(dialog.ElEdit_FilePath(), wave);
    QTest::keyClick(dialog.ElEdit_VoiceName(), Qt::Key_Return);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    dialog.show();
    QTest::keyClick(dialog.ElEdit_FilePath(), Qt::Key_Escape);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    dialog.show();
    QVERIFY(dialog.close());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(dialog.Location(), wave);
}

void DialogsTest::aboutShowsVersionAndOpensLink() {
    TForm_HelpAbout about(*Seam);
    QCOMPARE(about.windowTitle(), QStringLiteral("About"));
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QCOMPARE(about.VersionNumberText(), QStringLiteral("V1.01 Build 02022010 "));
    auto* name = about.findChild<QLabel*>(QStringLiteral("ElLabel1"));
    QVERIFY(name);
    QCOMPARE(name->text(), QStringLiteral("Orlamo"));

    // No browser: nothing is shown and the box stays open.
    Seam->OpenUrlResult = false;
    QTest::mouseClick(about.lblUrlLink(), Qt::LeftButton);
    QCOMPARE(Seam->OpenedUrls, QList<QUrl>{QUrl(QStringLiteral("https://www.quorvel.example/"))});
    QVERIFY(Seam->Messages.isEmpty());
    QVERIFY(about.isVisible());

    QTest::mouseClick(about.ElGraphicButton1(), Qt::LeftButton);
    QVERIFY(!about.isVisible());

    // Shown a second time: the same box, the same version.
    about.show();
    QCOMPARE(about.VersionNumberText(), QStringLiteral("V1.01 Build 02022010 "));
    QVERIFY(about.close());
    QVERIFY(!about.isVisible());
}

QTEST_MAIN(DialogsTest)
#include "Dialogs_test.moc"
