#include "dialogs/NameEntryDialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>

namespace {
constexpr int EntryMinimumWidth = 200;
constexpr int ButtonWidth = 75;
} // namespace

NameEntryDialog::NameEntryDialog(UiSeam& seam, QWidget* parent, const QString& caption,
                                 const QString& labelText, const QString& entryObjectName)
    : QDialog(parent), Seam(seam) {
    setWindowTitle(caption);
    setModal(true);

    Label = new QLabel(labelText, this);
    EntryEdit = new QLineEdit(this);
    EntryEdit->setObjectName(entryObjectName);
    EntryEdit->setMinimumWidth(EntryMinimumWidth);
    Label->setBuddy(EntryEdit);

    ElGB_OK = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                              QStringLiteral("OK"), this);
    ElGB_OK->setObjectName(QStringLiteral("ElGB_OK"));
    ElGB_Cancel = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                                  QStringLiteral("Cancel"), this);
    ElGB_Cancel->setObjectName(QStringLiteral("ElGB_Cancel"));
    for (QPushButton* button : {ElGB_OK, ElGB_Cancel}) {
        button->setMinimumWidth(ButtonWidth);
        // Enter must reach OK alone: a focused Cancel must not take it over.
        button->setAutoDefault(false);
    }
    ElGB_OK->setDefault(true);

    Grid = new QGridLayout;
    Grid->addWidget(Label, 0, 0);
    Grid->addWidget(EntryEdit, 0, 1);
    Grid->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ElGB_OK);
    buttons->addWidget(ElGB_Cancel);
    buttons->addStretch();
    Grid->addLayout(buttons, 1, 1);

    setLayout(Grid);
    Grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(EntryEdit, &QLineEdit::textChanged, this, &NameEntryDialog::UpdateOkButton);
    connect(ElGB_OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ElGB_Cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString NameEntryDialog::EntryText() const {
    return EntryEdit->text();
}

void NameEntryDialog::SetEntryText(const QString& text) {
    EntryEdit->setText(text);
    // setText emits no change for an equal text; the rule may still read changed state.
    UpdateOkButton();
}

void NameEntryDialog::UpdateOkButton() {
    const bool acceptable = EntryAcceptable(EntryEdit->text());
    ElGB_OK->setEnabled(acceptable);
    EntryJudged(acceptable);
}

void NameEntryDialog::EntryJudged(bool) {}

void NameEntryDialog::showEvent(QShowEvent* event) {
    UpdateOkButton();
    EntryEdit->setFocus();
    QDialog::showEvent(event);
}
