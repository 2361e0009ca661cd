#pragma once
// The dialog through which a voice's wave file is picked and its name and description typed, for
// Add Voice and Edit Voice. Its open-file button keeps offering the file chooser until the user
// cancels or picks a file that passes both checks: no voice of the selected bin has that file
// name, and the file is a wave in a supported format. A refused file never stays in the dialog.
// OK is enabled while Location names an existing file.
//
// The window connects two hooks, so the dialog needs nothing of the window itself:
//   FileNameInSelectedBin(fileName) -> true when a voice of the bin selected in the library tree
//       has exactly this file name (case-sensitive, untrimmed); false when none has, or when no
//       bin is selected. Unset: false.
//   WaveAccepted(inspection) -> receives every inspection CheckWaveFile accepts; the window keeps
//       it as its last-inspected wave (LastWaveSize, LastWaveTime, LastWaveFormat). May be unset.
//   ConversionFolder() -> the folder a converted copy of a refused wave is written to (the wave
//       folder). While set, the refusal of a wave in a format the module does not take (not a
//       missing or non-wave file) offers "Convert...": the copy, at a format the user picks in
//       TForm_ConvertWave, is then checked and kept as if it had been picked. Unset: no offer.
//
// Location can also be typed by hand; such a file has not been inspected. Callers that need the
// inspection of the file they act on run CheckWaveFile(Location()) after OK, or use
// PickedInspection() when LocationIsPickedFile().

#include "formats/WaveInspector.h"

#include <QDialog>
#include <QString>
#include <functional>

class QLabel;
class TForm_ConvertWave;
class QLineEdit;
class QPushButton;
class UiSeam;

class TForm_AddVoiceSlice : public QDialog {
    Q_OBJECT
public:
    explicit TForm_AddVoiceSlice(UiSeam& seam, QWidget* parent = nullptr);

    std::function<bool(const QString& fileName)> FileNameInSelectedBin;
    std::function<void(const orlamo::WaveInspection& inspection)> WaveAccepted;
    std::function<QString()> ConversionFolder;

    // The caption of the refusal box's further button.
    static QString ConvertButtonCaption() { return QStringLiteral("Convert..."); }

    // Location (`ElEdit_FilePath`): the full path of the wave file, exactly as shown.
    QString Location() const;
    void SetLocation(const QString& path);
    // Name (`ElEdit_VoiceName`).
    QString VoiceName() const;
    void SetVoiceName(const QString& name);
    // Description (`ElEdit_VoiceDescripition`).
    QString Description() const;
    void SetDescription(const QString& description);
    // Empties Location, Name and Description (OK is then disabled).
    void ClearFields();

    // The full path of the last file the open-file button accepted (it passed both checks);
    // kept between uses, empty before the first accepted pick.
    QString PickedPath() const { return LastPickedPath; }
    // The inspection of PickedPath() made when it was accepted.
    const orlamo::WaveInspection& PickedInspection() const { return LastPickedInspection; }
    // Whether Location still names the file the open-file button accepted.
    bool LocationIsPickedFile() const;
    // Whether Location names a converted copy the open-file button wrote and accepted (it lies in
    // the conversion folder already).
    bool LocationIsConvertedCopy() const;
    // The conversion dialog, once a conversion was offered and taken (else nullptr).
    TForm_ConvertWave* Form_ConvertWave() const { return ConvertForm; }

    // The OK rule: OK is enabled exactly when Location is the path of an existing file (not a
    // folder). Runs by itself on every change of Location and on show.
    void ElEdit_FilePathChange();

    // Message 2003 "Found an identical File Name" (question icon, OK) when a voice of the
    // selected bin has this file name; true when none has.
    bool CheckFileNameInBin(const QString& fileName);
    // Inspects the wave file at path. A refusal shows the "ERROR" box (the inspector's message,
    // an empty line, the supported-format text) and gives false; an acceptance is handed to
    // WaveAccepted and gives true.
    bool CheckWaveFile(const QString& path);
    // The last inspection CheckWaveFile accepted (of any path).
    const orlamo::WaveInspection& LastAcceptedInspection() const { return LastAccepted; }

    QLineEdit* ElEdit_FilePath() const { return FilePathEdit; }
    QLineEdit* ElEdit_VoiceName() const { return VoiceNameEdit; }
    QLineEdit* ElEdit_VoiceDescripition() const { return DescriptionEdit; }
    QPushButton* ElGBtn_OpenFile() const { return OpenFileButton; }
    QPushButton* OkButton() const { return ElGB_OK; }
    QPushButton* CancelButton() const { return ElGB_Cancel; }

public slots:
    // The open-file loop: empty the fields, offer the chooser, refuse a taken file name or an
    // unsupported wave and offer it again, until a file passes or the chooser is cancelled.
    void ElGBtn_OpenFileClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // What a pick of the chooser says: a path to check, or that the user cancelled.
    QString ChooseWaveFile();
    // The open-file loop's check of a picked wave: the path to keep (the file, or a converted copy
    // of it), or empty when it was refused and the chooser is to be offered again.
    QString AcceptPickedWave(const QString& path);
    // "Convert...": writes a converted copy of `path` into the conversion folder and checks it as a
    // pick; the copy's path, or empty when cancelled or failed (after saying why).
    QString ConvertPickedWave(const QString& path);
    // A free name for the copy: "<stem>-<rate>.wav", then "<stem>-<rate>-2.wav", ...
    QString ConvertedCopyPath(const QString& folder, const QString& source, int rateIndex) const;
    void ShowError(const QString& text);

    UiSeam& Seam;
    QLineEdit* FilePathEdit = nullptr;
    QLineEdit* VoiceNameEdit = nullptr;
    QLineEdit* DescriptionEdit = nullptr;
    QPushButton* OpenFileButton = nullptr;
    QPushButton* ElGB_OK = nullptr;
    QPushButton* ElGB_Cancel = nullptr;

    QString LastPickedPath;
    QString LastChooserFolder; // where the chooser starts: the folder of the last accepted pick
    QString LastConvertedPath; // the converted copy last accepted, if the last pick was one
    TForm_ConvertWave* ConvertForm = nullptr;
    orlamo::WaveInspection LastPickedInspection;
    orlamo::WaveInspection LastAccepted;
};
