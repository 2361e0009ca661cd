#include "dialogs/ConvertWave_Form.h"

#include "formats/WaveInspector.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {
constexpr int ButtonWidth = 75;
constexpr int SourceMinimumWidth = 320;

QString SourceDescription(const QString& path, const orlamo::ConversionTarget& target) {
    QString channels;
    switch (target.SourceChannels) {
    case 1:
        channels = QStringLiteral("mono");
        break;
    case 2:
        channels = QStringLiteral("stereo");
        break;
    default:
        channels = QStringLiteral("%1 channels").arg(target.SourceChannels);
        break;
    }
    const QString bits = target.SourceBits > 0 ? QStringLiteral("%1-bit").arg(target.SourceBits)
                                               : QStringLiteral("compressed");
    return QStringLiteral("%1\n%2 Hz, %3, %4")
        .arg(QFileInfo(path).fileName())
        .arg(target.SourceRate)
        .arg(bits, channels);
}
} // namespace

TForm_ConvertWave::TForm_ConvertWave(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form_ConvertWave"));
    setWindowTitle(QStringLiteral("Convert Wave"));
    setModal(true);

    Source = new QLabel(this);
    Source->setObjectName(QStringLiteral("ElLabel_Source"));
    Source->setTextFormat(Qt::PlainText);
    Source->setMinimumWidth(SourceMinimumWidth);

    RateCombo = new QComboBox(this);
    RateCombo->setObjectName(QStringLiteral("ComboBox_Rate"));
    RateCombo->setAccessibleName(QStringLiteral("Convert to"));
    for (int index = 0; index < static_cast<int>(orlamo::WaveRateTable.size()); ++index)
        RateCombo->addItem(RateCaption(index), index);

    ElGB_OK = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                              QStringLiteral("OK"), this);
    ElGB_OK->setObjectName(QStringLiteral("ElGB_OK"));
    ElGB_Cancel = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                                  QStringLiteral("Cancel"), this);
    ElGB_Cancel->setObjectName(QStringLiteral("ElGB_Cancel"));
    for (QPushButton* button : {ElGB_OK, ElGB_Cancel}) {
        button->setAutoDefault(false);
        button->setMinimumWidth(ButtonWidth);
    }
    ElGB_OK->setDefault(true);
    connect(ElGB_OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ElGB_Cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Source :  "), Source);
    form->addRow(QStringLiteral("Convert to :  "), RateCombo);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ElGB_OK);
    buttons->addWidget(ElGB_Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TForm_ConvertWave::SetSource(const QString& path, const orlamo::ConversionTarget& target) {
    Source->setText(SourceDescription(path, target));
    SetRateIndex(target.RateIndex);
}

int TForm_ConvertWave::RateIndex() const {
    return RateCombo->currentData().toInt();
}

void TForm_ConvertWave::SetRateIndex(int rateIndex) {
    const int position = RateCombo->findData(rateIndex);
    RateCombo->setCurrentIndex(position >= 0 ? position : 0);
}

QString TForm_ConvertWave::RateCaption(int rateIndex) {
    return QStringLiteral("%1 Hz, %2-bit, mono")
        .arg(orlamo::WaveRateTable.at(static_cast<std::size_t>(rateIndex)))
        .arg(orlamo::RateIndexBits(rateIndex));
}

QString TForm_ConvertWave::SourceText() const {
    return Source->text();
}
