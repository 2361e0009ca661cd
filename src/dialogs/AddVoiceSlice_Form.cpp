#include "dialogs/AddVoiceSlice_Form.h"

#include "app/UiSeam.h"
#include "dialogs/ConvertWave_Form.h"
#include "model/Messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>

namespace {
constexpr int LocationMinimumWidth = 177;
constexpr int FieldMinimumWidth = 201;
constexpr int ButtonWidth = 75;

QLabel* MakeLabel(const QString& objectName, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    return label;
}

QLineEdit* MakeEdit(const QString& objectName, int minimumWidth, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setMinimumWidth(minimumWidth);
    return edit;
}

QString FromCore(const std::string& text) {
    return QString::fromLocal8Bit(text);
}

std::string FileSystemPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// The "ERROR" box of a refused wave: the inspector's message, an empty line, the formats taken.
MessageRequest RefusalRequest(const orlamo::WaveInspection& inspection) {
    MessageRequest request;
    request.Text = QStringLiteral("%1\n\n%2")
                       .arg(FromCore(inspection.Message), FromCore(orlamo::SupportedFormatText()));
    request.Caption = QStringLiteral("ERROR");
    request.Buttons = MessageButtons::Ok;
    request.Icon = MessageIcon::Warning;
    return request;
}

// A wave refused for its format alone (channels, sample size, rate), which a conversion mends;
// not a missing file or one that is no wave at all.
bool RefusedForFormat(const orlamo::WaveInspection& inspection) {
    return !inspection.Accepted() && inspection.Message.rfind("Format Error", 0) == 0;
}
} // namespace

TForm_AddVoiceSlice::TForm_AddVoiceSlice(UiSeam& seam, QWidget* parent)
    : QDialog(parent), Seam(seam) {
    setObjectName(QStringLiteral("Form_AddVoiceSlice"));
    setWindowTitle(QStringLiteral("AddVoiceSlice"));
    setModal(true);

    FilePathEdit = MakeEdit(QStringLiteral("ElEdit_FilePath"), LocationMinimumWidth, this);
    VoiceNameEdit = MakeEdit(QStringLiteral("ElEdit_VoiceName"), FieldMinimumWidth, this);
    DescriptionEdit = MakeEdit(QStringLiteral("ElEdit_VoiceDescripition"), FieldMinimumWidth, this);

    OpenFileButton =
        new QPushButton(style()->standardIcon(QStyle::SP_DirOpenIcon), QString(), this);
    OpenFileButton->setObjectName(QStringLiteral("ElGBtn_OpenFile"));
    OpenFileButton->setToolTip(QStringLiteral("Open"));

    ElGB_OK = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                              QStringLiteral("OK"), this);
    ElGB_OK->setObjectName(QStringLiteral("ElGB_OK"));
    ElGB_Cancel = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                                  QStringLiteral("Cancel"), this);
    ElGB_Cancel->setObjectName(QStringLiteral("ElGB_Cancel"));
    for (QPushButton* button : {OpenFileButton, ElGB_OK, ElGB_Cancel})
        button->setAutoDefault(false); // Enter goes to OK alone, and only while it is enabled
    ElGB_OK->setDefault(true);
    ElGB_OK->setMinimumWidth(ButtonWidth);
    ElGB_Cancel->setMinimumWidth(ButtonWidth);

    auto* grid = new QGridLayout;
    auto* location = new QHBoxLayout;
    location->setSpacing(0);
    location->addWidget(FilePathEdit, 1);
    location->addWidget(OpenFileButton);
    grid->addWidget(MakeLabel(QStringLiteral("ElLabel1"), QStringLiteral("Location :  "), this), 0,
                    0);
    grid->addLayout(location, 0, 1);
    grid->addWidget(MakeLabel(QStringLiteral("ElLabel2"), QStringLiteral("Name :  "), this), 1, 0);
    grid->addWidget(VoiceNameEdit, 1, 1);
    grid->addWidget(MakeLabel(QStringLiteral("ElLabel3"), QStringLiteral("Descripition :  "), this),
                    2, 0);
    grid->addWidget(DescriptionEdit, 2, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ElGB_OK);
    buttons->addWidget(ElGB_Cancel);
    buttons->addStretch();
    grid->addLayout(buttons, 3, 1);
    grid->setColumnStretch(1, 1);
    setLayout(grid);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(FilePathEdit, &QLineEdit::textChanged, this,
            &TForm_AddVoiceSlice::ElEdit_FilePathChange);
    connect(OpenFileButton, &QPushButton::clicked, this,
            &TForm_AddVoiceSlice::ElGBtn_OpenFileClick);
    connect(ElGB_OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ElGB_Cancel, &QPushButton::clicked, this, &QDialog::reject);

    ElEdit_FilePathChange();
}

QString TForm_AddVoiceSlice::Location() const {
    return FilePathEdit->text();
}

void TForm_AddVoiceSlice::SetLocation(const QString& path) {
    FilePathEdit->setText(path);
    ElEdit_FilePathChange(); // the file may have appeared or gone since the text was last set
}

QString TForm_AddVoiceSlice::VoiceName() const {
    return VoiceNameEdit->text();
}
void TForm_AddVoiceSlice::SetVoiceName(const QString& name) {
    VoiceNameEdit->setText(name);
}
QString TForm_AddVoiceSlice::Description() const {
    return DescriptionEdit->text();
}
void TForm_AddVoiceSlice::SetDescription(const QString& description) {
    DescriptionEdit->setText(description);
}

void TForm_AddVoiceSlice::ClearFields() {
    SetLocation(QString());
    VoiceNameEdit->clear();
    DescriptionEdit->clear();
}

bool TForm_AddVoiceSlice::LocationIsPickedFile() const {
    return !LastPickedPath.isEmpty() && Location() == LastPickedPath;
}

bool TForm_AddVoiceSlice::LocationIsConvertedCopy() const {
    return !LastConvertedPath.isEmpty() && Location() == LastConvertedPath;
}

void TForm_AddVoiceSlice::ElEdit_FilePathChange() {
    const QString path = Location();
    ElGB_OK->setEnabled(!path.isEmpty() && QFileInfo(path).isFile());
}

bool TForm_AddVoiceSlice::CheckFileNameInBin(const QString& fileName) {
    if (!FileNameInSelectedBin || !FileNameInSelectedBin(fileName))
        return true;
    MessageRequest request;
    request.Text = FromCore(orlamo::ResString(orlamo::MessageId::IdenticalName));
    request.Caption = FromCore(orlamo::ResString(orlamo::MessageId::Warning));
    request.Buttons = MessageButtons::Ok;
    request.Icon = MessageIcon::Question;
    Seam.ShowMessage(this, request);
    return false;
}

bool TForm_AddVoiceSlice::CheckWaveFile(const QString& path) {
    const orlamo::WaveInspection inspection =
        orlamo::InspectWaveFile(QFile::encodeName(path).toStdString());
    if (!inspection.Accepted()) {
        Seam.ShowMessage(this, RefusalRequest(inspection));
        return false;
    }
    LastAccepted = inspection;
    if (WaveAccepted)
        WaveAccepted(inspection);
    return true;
}

QString TForm_AddVoiceSlice::ChooseWaveFile() {
    FileDialogRequest request;
    request.ObjectName = QStringLiteral("OpenDialog");
    request.Caption = QStringLiteral("Open");
    request.Filter = QStringLiteral("wav File(*.wav);;All File(*.*)");
    request.Directory = LastChooserFolder;
    return Seam.ChooseFile(this, request);
}

QString TForm_AddVoiceSlice::AcceptPickedWave(const QString& path) {
    const orlamo::WaveInspection inspection = orlamo::InspectWaveFile(FileSystemPath(path));
    if (!RefusedForFormat(inspection) || !ConversionFolder)
        return CheckWaveFile(path) ? path : QString();
    MessageRequest request = RefusalRequest(inspection);
    request.ExtraButton = ConvertButtonCaption();
    if (Seam.ShowMessage(this, request) != ExtraButtonAnswer)
        return {};
    return ConvertPickedWave(path);
}

QString TForm_AddVoiceSlice::ConvertPickedWave(const QString& path) {
    const orlamo::ConversionTarget target = orlamo::ProposedTarget(FileSystemPath(path));
    if (!target.Ok) {
        ShowError(
            QStringLiteral("%1 cannot be converted.\n\n%2").arg(path, FromCore(target.Message)));
        return {};
    }
    if (!ConvertForm)
        ConvertForm = new TForm_ConvertWave(this);
    ConvertForm->SetSource(path, target);
    if (Seam.ExecDialog(*ConvertForm) != QDialog::Accepted)
        return {};
    const int rateIndex = ConvertForm->RateIndex();

    const QString folder = ConversionFolder();
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder)) {
        ShowError(QStringLiteral("%1 cannot be converted: the folder %2 cannot be made.")
                      .arg(path, folder));
        return {};
    }
    const QString copy = ConvertedCopyPath(folder, path, rateIndex);
    const orlamo::ConversionResult converted =
        orlamo::ConvertWave(FileSystemPath(path), FileSystemPath(copy), rateIndex);
    if (!converted.Ok) {
        ShowError(QStringLiteral("%1 could not be converted to %2.\n\n%3")
                      .arg(path, copy, FromCore(converted.Message)));
        return {};
    }
    // From here on the copy is what the user picked.
    SetLocation(copy);
    if (!CheckFileNameInBin(QFileInfo(copy).fileName()) || !CheckWaveFile(copy))
        return {};
    return copy;
}

QString TForm_AddVoiceSlice::ConvertedCopyPath(const QString& folder, const QString& source,
                                               int rateIndex) const {
    const QDir target(folder);
    const QString stem =
        QFileInfo(source).completeBaseName() + QLatin1Char('-') +
        QString::number(orlamo::WaveRateTable.at(static_cast<std::size_t>(rateIndex)));
    // Taken: a file of the folder, or a voice of the selected bin (which would refuse the copy).
    const auto taken = [&](const QString& name) {
        return QFileInfo::exists(target.filePath(name)) ||
               (FileNameInSelectedBin && FileNameInSelectedBin(name));
    };
    QString name = stem + QStringLiteral(".wav");
    for (int number = 2; taken(name); ++number)
        name = stem + QStringLiteral("-%1.wav").arg(number);
    return target.filePath(name);
}

void TForm_AddVoiceSlice::ShowError(const QString& text) {
    MessageRequest request;
    request.Text = text;
    request.Caption = QStringLiteral("ERROR");
    request.Buttons = MessageButtons::Ok;
    request.Icon = MessageIcon::Warning;
    Seam.ShowMessage(this, request);
}

void TForm_AddVoiceSlice::ElGBtn_OpenFileClick() {
    for (;;) {
        ClearFields();
        const QString path = ChooseWaveFile();
        if (path.isEmpty())
            break;
        // Shown while the checks run; the next pass empties it again when the file is refused.
        SetLocation(path);
        // A taken name is refused before the file is looked at.
        if (!CheckFileNameInBin(QFileInfo(path).fileName()))
            continue;
        const QString accepted = AcceptPickedWave(path);
        if (accepted.isEmpty())
            continue;
        LastPickedPath = accepted;
        LastPickedInspection = LastAccepted;
        LastChooserFolder = QFileInfo(path).absolutePath();
        LastConvertedPath = accepted == path ? QString() : accepted;
        break;
    }
    ElEdit_FilePathChange();
}

void TForm_AddVoiceSlice::showEvent(QShowEvent* event) {
    ElEdit_FilePathChange();
    QDialog::showEvent(event);
}
