#include "app/cabrillo_preview_dialog.h"

#include "app/qt_text.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <unordered_map>

namespace vaziduvu {

namespace {

// "RST_SENT / RST_RCVD, MY_CQ_ZONE / CQZ": what each exchange column feeds.
QString columnSummary(const CabrilloTemplate &layout)
{
    QStringList columns;
    for (const ExchangeColumn &column : layout.columns) {
        const QString sent = QString::fromLatin1(column.sentFields).replace(' ', '|');
        const QString received = QString::fromLatin1(column.receivedFields).replace(' ', '|');
        columns << (sent.isEmpty() ? QStringLiteral("-") : sent) + QStringLiteral(" / ") + received
                + (column.rest ? QStringLiteral(" (the rest)") : QString());
    }
    return QStringLiteral("Exchange columns, sent / received:  ")
        + columns.join(QStringLiteral(",  "));
}

}  // namespace

CabrilloPreviewDialog::CabrilloPreviewDialog(const CabrilloSummary &summary,
                                             const std::string &fileName, AdifMode mode,
                                             QWidget *parent)
    : QDialog(parent)
    , summary_(summary)
    , mode_(mode)
{
    setObjectName("cabrilloPreviewDialog");
    setWindowTitle("Import Cabrillo");

    auto *about = new QLabel(this);
    about->setObjectName("cabrilloSummary");
    about->setTextFormat(Qt::PlainText);
    about->setText(
        QStringLiteral("%1\nCabrillo %2,  contest %3,  station %4,  %5 QSO: lines")
            .arg(QString::fromLocal8Bit(fileName.c_str()),
                 summary.version.empty() ? QStringLiteral("(no version)") : toQt(summary.version),
                 summary.contest.empty() ? QStringLiteral("(not named)") : toQt(summary.contest),
                 summary.callsign.empty() ? QStringLiteral("(not named)") : toQt(summary.callsign))
            .arg(summary.qsoLineCount));

    templateChoice_ = new QComboBox(this);
    templateChoice_->setObjectName("templateChoice");
    for (const std::string &name : cabrilloTemplateNames())
        templateChoice_->addItem(toQt(name));
    const CabrilloTemplate *chosen = findCabrilloTemplate(summary.contest);
    templateChoice_->setCurrentText(
        toQt(chosen != nullptr ? chosen->name : genericCabrilloTemplate().name));
    auto *templateLabel = new QLabel("Exchange &template:", this);
    templateLabel->setBuddy(templateChoice_);
    templateColumns_ = new QLabel(this);
    templateColumns_->setObjectName("templateColumns");
    templateColumns_->setWordWrap(true);

    previewTable_ = new QTableWidget(this);
    previewTable_->setObjectName("previewTable");
    previewTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    previewTable_->verticalHeader()->setVisible(false);
    previewTable_->setAlternatingRowColors(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText("&Import");
    buttons->button(QDialogButtonBox::Ok)->setObjectName("importButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *choice = new QHBoxLayout;
    choice->addWidget(templateLabel);
    choice->addWidget(templateChoice_);
    choice->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(about);
    layout->addLayout(choice);
    layout->addWidget(templateColumns_);
    layout->addWidget(
        new QLabel(QStringLiteral("The first QSO: lines as they will be read:"), this));
    layout->addWidget(previewTable_, 1);
    layout->addWidget(buttons);

    connect(templateChoice_, &QComboBox::currentTextChanged, this,
            &CabrilloPreviewDialog::showMapping);
    showMapping();
    resize(1100, 480);
    templateChoice_->setFocus();
}

std::string CabrilloPreviewDialog::templateName() const
{
    return fromQt(templateChoice_->currentText());
}

void CabrilloPreviewDialog::showMapping()
{
    const CabrilloTemplate *layout = findCabrilloTemplate(templateName());
    if (layout == nullptr)
        layout = &genericCabrilloTemplate();
    templateColumns_->setText(columnSummary(*layout));

    std::vector<Contact> contacts;
    std::vector<std::string> problems;
    std::vector<std::string> names;
    std::unordered_map<std::string, int> columnOf;
    for (const auto &[number, line] : summary_.qsoLines) {
        std::string problem;
        contacts.push_back(readQsoLine(line, *layout, mode_, problem));
        problems.push_back(problem);
        for (const ContactField &field : contacts.back().fields) {
            if (columnOf.emplace(field.name, static_cast<int>(names.size()) + 1).second)
                names.push_back(field.name);
        }
    }
    previewTable_->clear();
    previewTable_->setRowCount(static_cast<int>(contacts.size()));
    previewTable_->setColumnCount(static_cast<int>(names.size()) + 2);
    QStringList headings{QStringLiteral("LINE")};
    for (const std::string &name : names)
        headings << toQt(name);
    headings << QStringLiteral("NOT READ");
    previewTable_->setHorizontalHeaderLabels(headings);
    for (size_t row = 0; row < contacts.size(); ++row) {
        const int r = static_cast<int>(row);
        auto *lineItem = new QTableWidgetItem(QString::number(summary_.qsoLines[row].first));
        lineItem->setToolTip(toQt(summary_.qsoLines[row].second));
        previewTable_->setItem(r, 0, lineItem);
        for (const ContactField &field : contacts[row].fields)
            previewTable_->setItem(r, columnOf[field.name],
                                   new QTableWidgetItem(toQt(field.value)));
        if (!problems[row].empty())
            previewTable_->setItem(r, static_cast<int>(names.size()) + 1,
                                   new QTableWidgetItem(toQt(problems[row])));
    }
    previewTable_->resizeColumnsToContents();
}

}  // namespace vaziduvu
