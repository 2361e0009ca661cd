#pragma once
// The about box: the product's name, its version, the maker and a link that opens the maker's
// web site in the desktop's browser. OK and the close box both close it.

#include <QDialog>
#include <QString>
#include <QUrl>

class QLabel;
class QPushButton;
class UiSeam;

class TForm_HelpAbout : public QDialog {
    Q_OBJECT
public:
    explicit TForm_HelpAbout(UiSeam& seam, QWidget* parent = nullptr);

    // The maker's web site, as the link shows it and as it is opened (with a trailing "/").
    static QString MakerSiteText();
    static QUrl MakerSiteUrl();

    // The version label `ElLbl_VersionNumber`; refreshed from the program's version text each
    // time the box is shown.
    QString VersionNumberText() const;

    QLabel* ElLbl_VersionNumber() const { return VersionLabel; }
    QLabel* lblUrlLink() const { return UrlLink; }
    QPushButton* ElGraphicButton1() const { return OkButton; }

public slots:
    // Opens the maker's web site through the seam; a failure is ignored and the box stays open.
    void lblUrlLinkClick();
    // Closes the box.
    void ElGraphicButton1Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    UiSeam& Seam;
    QLabel* VersionLabel = nullptr;
    QLabel* UrlLink = nullptr;
    QPushButton* OkButton = nullptr;
};
