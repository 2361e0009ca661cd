#include "dialogs/AddVoiceSlice_Form.h"

#include "app/UiSeam.h"
#include "model/Messages.h"

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
        MessageRequest request;
        request.Text =
            QStringLiteral("%1\n\n%2")
                .arg(FromCore(inspection.Message), FromCore(orlamo::SupportedFormatText()));
        request.Caption = QStringLiteral("ERROR");
        request.Buttons = MessageButtons::Ok;
        request.Icon = MessageIcon::Warning;
        Seam.ShowMessage(this, request);
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
    if (!LastPickedPath.isEmpty())
        request.Directory = QFileInfo(LastPickedPath).absolutePath();
    return Seam.ChooseFile(this, request);
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
        if (!CheckWaveFile(path))
            continue;
        LastPickedPath = path;
        LastPickedInspection = LastAccepted;
        break;
    }
    ElEdit_FilePathChange();
}

void TForm_AddVoiceSlice::showEvent(QShowEvent* event) {
    ElEdit_FilePathChange();
    QDialog::showEvent(event);
}
