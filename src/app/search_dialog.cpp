#include "app/search_dialog.h"

#include "adif/text.h"
#include "app/qt_text.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vaziduvu {

SearchDialog::SearchDialog(const QRect &mainWindow, QWidget *parent)
    : QDialog(parent)
    , recorded_(mainWindow)
{
    setObjectName("searchDialog");
    setWindowTitle("Search");
    setModal(false);

    searchPanel_ = new QFrame(this);
    searchPanel_->setObjectName("searchPanel");
    searchPanel_->setFrameShape(QFrame::StyledPanel);
    searchPanel_->setFrameShadow(QFrame::Sunken);
    searchLabel_ = new QLabel("&Search For", searchPanel_);
    searchLabel_->setObjectName("searchLabel");
    searchText_ = new QLineEdit(searchPanel_);
    searchText_->setObjectName("searchText");
    searchText_->setMinimumWidth(200);
    searchLabel_->setBuddy(searchText_);
    matchCaseBox_ = new QCheckBox("Match Case", searchPanel_);
    matchCaseBox_->setObjectName("matchCaseBox");
    matchCaseBox_->setChecked(false);
    replaceLabel_ = new QLabel("Replace &With (in the current column)", searchPanel_);
    replaceLabel_->setObjectName("replaceLabel");
    replaceText_ = new QLineEdit(searchPanel_);
    replaceText_->setObjectName("replaceText");
    replaceLabel_->setBuddy(replaceText_);
    wholeValueBox_ = new QCheckBox("Whole &Value Only", searchPanel_);
    wholeValueBox_->setObjectName("wholeValueBox");
    resultLabel_ = new QLabel(searchPanel_);
    resultLabel_->setObjectName("resultLabel");
    resultLabel_->setTextFormat(Qt::PlainText);
    resultLabel_->setMinimumWidth(200);
    findFirstButton_ = new QPushButton("Find First", this);
    findFirstButton_->setObjectName("findFirstButton");
    findFirstButton_->setDefault(true);
    findNextButton_ = new QPushButton("Find &Next", this);
    findNextButton_->setObjectName("findNextButton");
    replaceButton_ = new QPushButton("&Replace", this);
    replaceButton_->setObjectName("replaceButton");
    replaceAllButton_ = new QPushButton("Replace &All", this);
    replaceAllButton_->setObjectName("replaceAllButton");

    auto *panel = new QVBoxLayout(searchPanel_);
    panel->addWidget(searchLabel_);
    panel->addWidget(searchText_);
    panel->addWidget(matchCaseBox_);
    panel->addWidget(replaceLabel_);
    panel->addWidget(replaceText_);
    panel->addWidget(wholeValueBox_);
    panel->addWidget(resultLabel_);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(findFirstButton_);
    buttons->addWidget(findNextButton_);
    buttons->addSpacing(12);
    buttons->addWidget(replaceButton_);
    buttons->addWidget(replaceAllButton_);
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(searchPanel_, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Enter in the text box is Find First; the box takes the key so the
    // default button does not run a second search.
    searchText_->installEventFilter(this);
    connect(findFirstButton_, &QPushButton::clicked, this, &SearchDialog::findFirst);
    connect(findNextButton_, &QPushButton::clicked, this, &SearchDialog::findNext);
    connect(replaceButton_, &QPushButton::clicked, this, [this] { runReplace(false); });
    connect(replaceAllButton_, &QPushButton::clicked, this, [this] { runReplace(true); });
}

void SearchDialog::runReplace(bool all)
{
    ReplaceRequest request;
    request.find = trimText(fromQt(searchText_->text(), encoding_));
    if (request.find.empty() || !replaceCallback_) {
        resultLabel_->setText(QStringLiteral("Type the text to replace in Search For."));
        return;
    }
    request.replacement = replaceText_->text();
    request.matchCase = matchCaseBox_->isChecked();
    request.wholeValue = wholeValueBox_->isChecked();
    request.all = all;
    resultLabel_->setText(replaceCallback_(request));
}

void SearchDialog::findFirst()
{
    if (!trimText(fromQt(searchText_->text(), encoding_)).empty())
        runSearch(false);
}

void SearchDialog::findNext()
{
    if (!trimText(fromQt(searchText_->text(), encoding_)).empty())
        runSearch(true);
}

void SearchDialog::placeBesideMainWindow()
{
    move(recorded_.left() + recorded_.width() / 3, recorded_.top() + recorded_.height() / 2);
    searchText_->setFocus();
}

// The callback guards itself: it is the main window's search command.
void SearchDialog::runSearch(bool next)
{
    resultLabel_->clear();
    const std::string text = trimText(fromQt(searchText_->text(), encoding_));
    if (callback_ && !callback_(text, next, matchCaseBox_->isChecked()) && isVisible()
        && !text.empty())
        showNotFound(text);
}

void SearchDialog::showNotFound(const std::string &text)
{
    resultLabel_->setText(QStringLiteral("\u201C") + toQt(text, encoding_)
                          + QStringLiteral("\u201D was not found."));
}

void SearchDialog::reject()
{
    close();
}

bool SearchDialog::event(QEvent *event)
{
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate)
        placeBesideMainWindow();
    return handled;
}

void SearchDialog::closeEvent(QCloseEvent *event)
{
    runSearch(false);
    event->accept();
}

bool SearchDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == searchText_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            findFirst();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace vaziduvu
