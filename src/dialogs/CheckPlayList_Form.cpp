#include "dialogs/CheckPlayList_Form.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int ListMinimumWidth = 640;
constexpr int ListMinimumHeight = 220;
constexpr int KindColumnWidth = 130;
constexpr int SlotsColumnWidth = 90;
constexpr int StopsColumnWidth = 95;
} // namespace

TForm_CheckPlayList::TForm_CheckPlayList(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form_CheckPlayList"));
    setWindowTitle(QStringLiteral("Check PlayList"));
    setModal(true);

    Summary = new QLabel(this);
    Summary->setObjectName(QStringLiteral("ElLabel_Summary"));
    Summary->setTextFormat(Qt::PlainText);
    Summary->setWordWrap(true);

    Findings = new QTreeWidget(this);
    Findings->setObjectName(QStringLiteral("FindingsList"));
    Findings->setAccessibleName(QStringLiteral("Findings"));
    Findings->setColumnCount(ColumnCount);
    Findings->setHeaderLabels({QStringLiteral("Kind"), QStringLiteral("Slots"),
                               QStringLiteral("Stops Compile"), QStringLiteral("Message")});
    Findings->setRootIsDecorated(false);
    Findings->setUniformRowHeights(true);
    Findings->setWordWrap(false);
    Findings->setSelectionMode(QAbstractItemView::SingleSelection);
    Findings->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Findings->setAllColumnsShowFocus(true);
    Findings->setMinimumSize(ListMinimumWidth, ListMinimumHeight);
    Findings->header()->setStretchLastSection(true);
    Findings->setColumnWidth(ColKind, KindColumnWidth);
    Findings->setColumnWidth(ColSlots, SlotsColumnWidth);
    Findings->setColumnWidth(ColStopsCompile, StopsColumnWidth);

    ElGB_OK = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                              QStringLiteral("OK"), this);
    ElGB_OK->setObjectName(QStringLiteral("ElGB_OK"));
    ElGB_OK->setDefault(true);
    connect(ElGB_OK, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ElGB_OK);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Summary);
    layout->addWidget(Findings, 1);
    layout->addLayout(buttons);
}

void TForm_CheckPlayList::ShowReport(const QString& playListName,
                                     const orlamo::CompletenessReport& report) {
    Findings->clear();
    const QIcon stopIcon = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon lookIcon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    int stoppers = 0;
    for (const orlamo::CompletenessFinding& finding : report.Findings) {
        auto* row = new QTreeWidgetItem(Findings);
        row->setText(ColKind, KindCaption(finding.Kind));
        row->setIcon(ColKind, finding.StopsCompile ? stopIcon : lookIcon);
        row->setText(ColSlots, SlotsText(finding.Slots));
        row->setText(ColStopsCompile,
                     finding.StopsCompile ? QStringLiteral("Yes") : QStringLiteral("No"));
        const QString message = QString::fromLocal8Bit(finding.Message);
        row->setText(ColMessage, message);
        row->setToolTip(ColMessage, message);
        if (finding.StopsCompile) {
            ++stoppers;
            QFont bold = row->font(ColKind);
            bold.setBold(true);
            for (int column = 0; column < ColumnCount; ++column)
                row->setFont(column, bold);
        }
    }
    Findings->setVisible(!report.Findings.empty());
    if (report.Findings.empty()) {
        Summary->setText(QStringLiteral("No problems found."));
    } else {
        const auto count = static_cast<int>(report.Findings.size());
        Summary->setText(
            QStringLiteral("Play List Name = %1: %2 %3, %4 of which would stop "
                           "Compile To WrkFile.")
                .arg(playListName)
                .arg(count)
                .arg(count == 1 ? QStringLiteral("finding") : QStringLiteral("findings"))
                .arg(stoppers));
        Findings->setCurrentItem(Findings->topLevelItem(0));
    }
    adjustSize();
}

QString TForm_CheckPlayList::SummaryText() const {
    return Summary->text();
}

QString TForm_CheckPlayList::KindCaption(orlamo::FindingKind kind) {
    using orlamo::FindingKind;
    switch (kind) {
    case FindingKind::Missing:
        return QStringLiteral("Missing");
    case FindingKind::Refused:
        return QStringLiteral("Refused");
    case FindingKind::SizeChanged:
        return QStringLiteral("Size changed");
    case FindingKind::TooLarge:
        return QStringLiteral("Too large");
    case FindingKind::DuplicatePath:
        return QStringLiteral("Duplicate");
    case FindingKind::SourceGone:
        return QStringLiteral("Not in library");
    case FindingKind::Gap:
        return QStringLiteral("Gap");
    }
    return QString::fromLatin1(orlamo::FindingKindName(kind));
}

QString TForm_CheckPlayList::SlotsText(const std::vector<int>& numbers) {
    QStringList runs;
    for (std::size_t i = 0; i < numbers.size();) {
        std::size_t end = i;
        while (end + 1 < numbers.size() && numbers[end + 1] == numbers[end] + 1)
            ++end;
        if (end - i >= 2) {
            runs.append(QStringLiteral("%1-%2").arg(numbers[i]).arg(numbers[end]));
        } else {
            // Two neighbours read better named than as a range.
            for (std::size_t k = i; k <= end; ++k)
                runs.append(QString::number(numbers[k]));
        }
        i = end + 1;
    }
    return runs.join(QStringLiteral(", "));
}
