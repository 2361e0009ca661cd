#pragma once
// Asks at which of the module's accepted formats a refused wave is to be converted: a list of the
// ten accepted rate and sample-size pairs, proposing the nearest rate at or below the source's.

#include "convert/WaveConvert.h"

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QPushButton;

class TForm_ConvertWave : public QDialog {
    Q_OBJECT
public:
    explicit TForm_ConvertWave(QWidget* parent = nullptr);

    // Describes the source and selects the proposed target's rate index.
    void SetSource(const QString& path, const orlamo::ConversionTarget& target);
    // The rate index (0 to 9) chosen; after OK, the one to convert to.
    int RateIndex() const;
    void SetRateIndex(int rateIndex);

    // "22050 Hz, 16-bit, mono": an accepted format as the list names it.
    static QString RateCaption(int rateIndex);

    QComboBox* ComboBox_Rate() const { return RateCombo; }
    QString SourceText() const;

private:
    QLabel* Source = nullptr;
    QComboBox* RateCombo = nullptr;
    QPushButton* ElGB_OK = nullptr;
    QPushButton* ElGB_Cancel = nullptr;
};
