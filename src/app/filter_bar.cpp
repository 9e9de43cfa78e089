#include "app/filter_bar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSignalBlocker>
#include <QToolButton>

namespace vaziduvu {

FilterBar::FilterBar(QWidget *parent)
    : QWidget(parent)
{
    setObjectName("filterBar");
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    auto *label = new QLabel(QStringLiteral("&Filter:"), this);
    text_ = new QLineEdit(this);
    text_->setObjectName("filterText");
    text_->setPlaceholderText(QStringLiteral("text to find in the cells"));
    text_->setClearButtonEnabled(true);
    text_->setMinimumWidth(180);
    label->setBuddy(text_);
    auto *in = new QLabel(QStringLiteral("&in"), this);
    column_ = new QComboBox(this);
    column_->setObjectName("filterColumn");
    column_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    column_->addItem(QStringLiteral("all columns"), 0);
    in->setBuddy(column_);
    problems_ = new QCheckBox(QStringLiteral("Contacts with &problems"), this);
    problems_->setObjectName("filterProblems");
    problems_->setToolTip(QStringLiteral("Only the contacts Check Log finds a problem in"));
    duplicates_ = new QCheckBox(QStringLiteral("&Duplicates"), this);
    duplicates_->setObjectName("filterDuplicates");
    duplicates_->setToolTip(
        QStringLiteral("Only the contacts logged more than once (as Find Duplicates finds them)"));
    count_ = new QLabel(this);
    count_->setObjectName("filterCount");
    auto *close = new QToolButton(this);
    close->setObjectName("filterClose");
    close->setText(QStringLiteral("x"));
    close->setAutoRaise(true);
    close->setToolTip(QStringLiteral("Show every contact and hide the bar (Escape)"));
    layout->addWidget(label);
    layout->addWidget(text_, 1);
    layout->addWidget(in);
    layout->addWidget(column_);
    layout->addSpacing(10);
    layout->addWidget(problems_);
    layout->addWidget(duplicates_);
    layout->addSpacing(10);
    layout->addWidget(count_);
    layout->addWidget(close);

    connect(text_, &QLineEdit::textChanged, this, &FilterBar::changed);
    connect(column_, &QComboBox::currentIndexChanged, this, &FilterBar::changed);
    connect(problems_, &QCheckBox::toggled, this, &FilterBar::changed);
    connect(duplicates_, &QCheckBox::toggled, this, &FilterBar::changed);
    connect(close, &QToolButton::clicked, this, &FilterBar::closeRequested);
}

QString FilterBar::text() const
{
    return text_->text();
}

int FilterBar::column() const
{
    return column_->currentData().toInt();
}

bool FilterBar::problemsOnly() const
{
    return problems_->isChecked();
}

bool FilterBar::duplicatesOnly() const
{
    return duplicates_->isChecked();
}

bool FilterBar::active() const
{
    return !text().isEmpty() || problemsOnly() || duplicatesOnly();
}

void FilterBar::setColumns(const QStringList &headings)
{
    const QString chosen = column_->currentIndex() > 0 ? column_->currentText() : QString();
    const QSignalBlocker block(column_);
    column_->clear();
    column_->addItem(QStringLiteral("all columns"), 0);
    for (int i = 0; i < headings.size(); ++i)
        column_->addItem(headings[i], i + 1);
    const int found = chosen.isEmpty() ? 0 : column_->findText(chosen);
    column_->setCurrentIndex(std::max(0, found));
}

void FilterBar::setCount(int shown, int total)
{
    const QLocale locale;
    count_->setText(QStringLiteral("Showing %1 of %2 contacts")
                        .arg(locale.toString(shown), locale.toString(total)));
}

void FilterBar::clear()
{
    {
        const QSignalBlocker blockText(text_);
        const QSignalBlocker blockColumn(column_);
        const QSignalBlocker blockProblems(problems_);
        const QSignalBlocker blockDuplicates(duplicates_);
        text_->clear();
        column_->setCurrentIndex(0);
        problems_->setChecked(false);
        duplicates_->setChecked(false);
    }
    emit changed();
}

void FilterBar::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        emit closeRequested();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FilterBar::focusText()
{
    text_->setFocus();
    text_->selectAll();
}

}  // namespace vaziduvu
